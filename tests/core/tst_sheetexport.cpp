// The spreadsheet export: the document byte for byte, the cells of both archives, escaping and
// the failures that must keep an earlier export whole.
#include "TestFiles.h"
#include "WritesFail.h"
#include "exporting/SheetExport.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;
using exporting::SheetRows;
using test::fileBytes;
using test::writeBytes;

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(ALMAVEST_TEST_DATA "/") + QLatin1String(name);
}

QStringList rowOf(const SheetRows &rows, int row)
{
    QStringList cells;
    for (int column = 0; column < rows.columnCount(); ++column)
        cells.append(rows.cell(row, column));
    return cells;
}

// The bytes of the data rows: everything between the header row and the end of the table.
QByteArray dataRows(const QByteArray &document)
{
    const qsizetype begin = document.indexOf("</tr>") + 5;
    return document.mid(begin, document.indexOf("</table>") - begin);
}

QByteArray cellBytes(const QByteArray &text)
{
    return "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">" + text + "</td>";
}

} // namespace

class TestSheetExport final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void memberDocumentByteForByte();
    void emptyArchiveGivesTenEmptyRows();
    void movementCells();
    void cellTexts_data();
    void cellTexts();
    void unreadableArchiveIsReported();
    void failedWriteKeepsTheEarlierExport();
};

void TestSheetExport::memberDocumentByteForByte()
{
    SheetRows rows;
    QVERIFY(exporting::readSheetRows(exporting::memberSheet(), fixture("members.pro"), rows));
    QCOMPARE(rows.rowCount(), 2);
    rows.setCell(1, 2, u" 30,00 "_s);

    QTemporaryDir dir;
    const QString path = exporting::sheetPath(dir.path(), exporting::memberSheet());
    QCOMPARE(path, dir.filePath(u"Soci.xls"_s));
    QVERIFY(writeBytes(path, "an earlier export, longer than nothing"));
    QCOMPARE(
        exporting::writeSheet(path, exporting::memberSheet(), rows), store::WriteFailure::None);
    QCOMPARE(fileBytes(path), fileBytes(fixture("members.xls")));
    // The archive itself keeps its fee.
    QCOMPARE(registry::readMember(fixture("members.pro"), 2)->at(registry::Fee), u"0,00"_s);
}

void TestSheetExport::emptyArchiveGivesTenEmptyRows()
{
    QTemporaryDir dir;
    const QString archive = dir.filePath(u"Soci.pro"_s);
    SheetRows rows;
    QVERIFY(exporting::readSheetRows(exporting::memberSheet(), archive, rows));
    QVERIFY(QFile::exists(archive)); // created empty, as every archive opened for the first time
    QCOMPARE(rows.rowCount(), exporting::kEmptySheetRows);
    rows.setCell(9, 17, u"ultima@example.it"_s);

    QByteArray emptyRow = "<tr>";
    for (int column = 0; column < 18; ++column)
        emptyRow += cellBytes({});
    emptyRow += "</tr>";
    QByteArray lastRow = emptyRow;
    lastRow.replace(
        lastRow.lastIndexOf(cellBytes({})), cellBytes({}).size(), cellBytes("ultima@example.it"));
    QCOMPARE(dataRows(exporting::sheetDocument(exporting::memberSheet(), rows)),
        emptyRow.repeated(9) + lastRow);
}

void TestSheetExport::movementCells()
{
    SheetRows rows;
    QVERIFY(exporting::readSheetRows(exporting::movementSheet(), fixture("movements.eur"), rows));
    QCOMPARE(rows.rowCount(), 3); // the incomplete tail is no movement
    QCOMPARE(rowOf(rows, 1),
        (QStringList {u"Uscita"_s, u"05/03/2024"_s, u"Quota affiliazione federale"_s,
            u"Rinnovare entro marzo"_s, u"31/03/2024"_s, u"10"_s, u"-12,50"_s, u"ASD Nuoto Forlì"_s,
            u"0543 654321"_s, u"92012345678"_s, {}, {}, u"segreteria@example.it"_s,
            u"Bonifico bancario"_s, u"Federazione Italiana Nuoto"_s, u"06 1234567"_s,
            u"CRO 0012345678"_s, u"Pagato € 12,50 – saldo"_s, u"Tariffa società"_s, u"Sì"_s}));
    const QStringList third = rowOf(rows, 2);
    QCOMPARE(third.first(), u"Entrata"_s);
    QCOMPARE(third.at(6), u"+100,00"_s);
    QCOMPARE(third.last(), u"Si"_s); // written as it is stored
    // A flag full of its field character is neither "Sì" nor "No": no type.
    QVERIFY(rows.cell(0, 0).isEmpty());

    const QByteArray document = exporting::sheetDocument(exporting::movementSheet(), rows);
    QVERIFY(document.contains("<x:Name>Riepilogo annuale movimenti</x:Name>"));
    QVERIFY(document.contains("width=150>Tipo movimento</td><td style=\"text-align: left; "
                              "font-weight: bold;\" width=180>Data operazione</td>"));
    QVERIFY(document.contains(
        QByteArray(cellBytes("10") + cellBytes("-12,50") + cellBytes("ASD Nuoto Forl\xec"))));
    QVERIFY(document.contains(
        QByteArray(cellBytes("Tariffa societ\xe0") + cellBytes("S\xec") + "</tr>")));
    QCOMPARE(document.count("<tr>"), 4);
}

void TestSheetExport::cellTexts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("ampersand") << u"Rossi & Figli"_s << QByteArray("Rossi &amp; Figli");
    QTest::newRow("markup") << u"<b>nota</b>"_s << QByteArray("&lt;b&gt;nota&lt;/b&gt;");
    QTest::newRow("quotes") << u"detto \"Pippo\""_s << QByteArray("detto &quot;Pippo&quot;");
    QTest::newRow("accent and ampersand") << u"Città & è"_s << QByteArray("Citt\xe0 &amp; \xe8");
    QTest::newRow("outside the page") << u"Erdős 😀"_s << QByteArray("Erdos ?");
    QTest::newRow("trimmed") << u"\t Rossi \r\n"_s << QByteArray("Rossi");
    QTest::newRow("apostrophe as it is") << u"Sant'Agata"_s << QByteArray("Sant'Agata");
}

void TestSheetExport::cellTexts()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    SheetRows rows(20);
    rows.appendEmptyRows(1);
    rows.setCell(0, 17, typed);
    const QByteArray document = exporting::sheetDocument(exporting::movementSheet(), rows);
    QVERIFY2(
        document.contains(QByteArray(cellBytes(written) + cellBytes({}) + cellBytes({}) + "</tr>")),
        document.right(200).constData());
    QVERIFY(!document.contains('\n'));
}

void TestSheetExport::unreadableArchiveIsReported()
{
    QTemporaryDir dir;
    const QString archive = dir.filePath(u"2024.eur"_s);
    QVERIFY(QDir(dir.path()).mkdir(u"2024.eur"_s)); // a folder in its place, unreadable to all
    SheetRows rows;
    QString error;
    QVERIFY(!exporting::readSheetRows(exporting::movementSheet(), archive, rows, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(rows.rowCount(), 0); // no empty rows that look like an empty archive
}

void TestSheetExport::failedWriteKeepsTheEarlierExport()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Soci.xls"_s);
    QVERIFY(writeBytes(path, "earlier export"));
    SheetRows rows;
    QVERIFY(exporting::readSheetRows(exporting::memberSheet(), fixture("members.pro"), rows));
    {
        test::WritesFail full(1000);
        QCOMPARE(exporting::writeSheet(path, exporting::memberSheet(), rows),
            store::WriteFailure::Write);
    }
    QCOMPARE(fileBytes(path), QByteArray("earlier export"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {u"Soci.xls"_s});
}

QTEST_GUILESS_MAIN(TestSheetExport)
#include "tst_sheetexport.moc"
