// The spreadsheet export: the document byte for byte, the cells of both archives, escaping and
// the failures that must keep an earlier export whole.
#include "ReadOnlyAccess.h"
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

#include <optional>

using namespace almavest;
using namespace Qt::StringLiterals;
using exporting::SheetRows;
using test::fileBytes;
using test::writeBytes;

Q_DECLARE_METATYPE(almavest::store::WriteFailure)

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

// A member sheet of several MiB, written out in more than one go: the two archive rows over and
// over, a name to escape in some of them, and a typed note longer than the writing buffer.
SheetRows largeSheet()
{
    SheetRows read;
    if (!exporting::readSheetRows(exporting::memberSheet(), fixture("members.pro"), read))
        return read;
    SheetRows rows(read.columnCount());
    for (int row = 0; row < 24000; ++row) {
        rows.beginRow();
        for (int column = 0; column < read.columnCount(); ++column)
            rows.appendCell(read.storedBytes(row % 2, column));
    }
    for (int row = 0; row < rows.rowCount(); row += 997)
        rows.setCell(row, 0, u"Rossi & Figli <srl>"_s);
    rows.setCell(12000, 14, QString(5 << 20, u'n') + u'&');
    return rows;
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
    void markupAtEveryPlaceOfACell_data();
    void markupAtEveryPlaceOfACell();
    void unreadableArchiveIsReported();
    void failedWriteKeepsTheEarlierExport();
    void largeSheetIsWrittenWhole();
    void failureWhileStreamingKeepsTheEarlierExport_data();
    void failureWhileStreamingKeepsTheEarlierExport();
    void folderUnderTheExportNameIsLeftAlone();
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

void TestSheetExport::markupAtEveryPlaceOfACell_data()
{
    QTest::addColumn<char>("character");
    QTest::addColumn<QByteArray>("escaped");
    QTest::newRow("greater than") << '>' << QByteArray("&gt;");
    QTest::newRow("less than") << '<' << QByteArray("&lt;");
    QTest::newRow("ampersand") << '&' << QByteArray("&amp;");
    QTest::newRow("double quote") << '"' << QByteArray("&quot;");
}

// The bytes are looked at eight at a time: the character is escaped at every place of both
// blocks of a sixteen-byte cell, read from an archive or typed.
void TestSheetExport::markupAtEveryPlaceOfACell()
{
    QFETCH(char, character);
    QFETCH(QByteArray, escaped);
    for (int offset = 0; offset < 16; ++offset) {
        QByteArray text(16, 'x');
        text[offset] = character;
        QByteArray written = text;
        written.replace(offset, 1, escaped);

        SheetRows stored(20);
        stored.beginRow();
        stored.appendCell(text);
        for (int column = 1; column < stored.columnCount(); ++column)
            stored.appendCell({});
        SheetRows typed(20);
        typed.appendEmptyRows(1);
        typed.setCell(0, 0, QString::fromLatin1(text));
        for (const SheetRows *rows : {&stored, &typed}) {
            const QByteArray document = exporting::sheetDocument(exporting::movementSheet(), *rows);
            QVERIFY2(dataRows(document).startsWith(QByteArray("<tr>" + cellBytes(written))),
                qPrintable(u"offset %1"_s.arg(offset)));
        }
    }
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

void TestSheetExport::largeSheetIsWrittenWhole()
{
    const SheetRows rows = largeSheet();
    QCOMPARE(rows.rowCount(), 24000);
    const QByteArray document = exporting::sheetDocument(exporting::memberSheet(), rows);
    QCOMPARE(document.count("<tr>"), 24001);
    QCOMPARE(document.count(cellBytes("Rossi &amp; Figli &lt;srl&gt;")), 25);
    QVERIFY(document.contains(QByteArray(cellBytes(QByteArray(5 << 20, 'n') + "&amp;"))));
    QVERIFY(document.endsWith("</tr></table></body></html>"));

    QTemporaryDir dir;
    const QString path = dir.filePath(u"Soci.xls"_s);
    QVERIFY(writeBytes(path, "an earlier export"));
    QCOMPARE(
        exporting::writeSheet(path, exporting::memberSheet(), rows), store::WriteFailure::None);
    QVERIFY(fileBytes(path) == document);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {u"Soci.xls"_s});
}

void TestSheetExport::failureWhileStreamingKeepsTheEarlierExport_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addColumn<qint64>("limit"); // bytes the disk takes, for a full disk
    QTest::addColumn<store::WriteFailure>("failure");
    const qint64 size = exporting::sheetDocument(exporting::memberSheet(), largeSheet()).size();
    using store::WriteFailure;
    QTest::newRow("disk full from the start") << u"diskFull"_s << qint64(0) << WriteFailure::Write;
    QTest::newRow("disk full midway") << u"diskFull"_s << size / 2 << WriteFailure::Write;
    QTest::newRow("disk full at the last byte") << u"diskFull"_s << size - 1 << WriteFailure::Write;
    QTest::newRow("read-only folder") << u"readOnly"_s << qint64(0) << WriteFailure::Create;
    QTest::newRow("missing folder") << u"missingFolder"_s << qint64(0) << WriteFailure::Create;
}

void TestSheetExport::failureWhileStreamingKeepsTheEarlierExport()
{
    QFETCH(QString, cause);
    QFETCH(qint64, limit);
    QFETCH(store::WriteFailure, failure);
    const SheetRows rows = largeSheet();
    QTemporaryDir dir;
    QString path = dir.filePath(u"Soci.xls"_s);
    const QByteArray earlier(3000, 'e');
    QVERIFY(writeBytes(path, earlier));
    if (cause == u"missingFolder")
        path = dir.filePath(u"Esportazioni/Soci.xls"_s);
    std::optional<test::WritesFail> diskFull;
    std::optional<test::ReadOnlyAccess> readOnly;
    if (cause == u"diskFull")
        diskFull.emplace(static_cast<rlim_t>(limit));
    else if (cause == u"readOnly" && !readOnly.emplace(QStringList {dir.path()}).effective())
        QSKIP("root could not become an ordinary user");
    QString error;
    const store::WriteFailure result
        = exporting::writeSheet(path, exporting::memberSheet(), rows, &error);
    diskFull.reset();
    readOnly.reset();
    QCOMPARE(result, failure);
    QVERIFY(!error.isEmpty());
    QCOMPARE(fileBytes(dir.filePath(u"Soci.xls"_s)), earlier);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList {u"Soci.xls"_s});
}

// A folder that happens to bear the export's name is neither replaced nor moved aside.
void TestSheetExport::folderUnderTheExportNameIsLeftAlone()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"Soci.xls"_s));
    const QString inside = dir.filePath(u"Soci.xls/lettera.txt"_s);
    QVERIFY(writeBytes(inside, "da non perdere"));
    QString error;
    QCOMPARE(exporting::writeSheet(
                 dir.filePath(u"Soci.xls"_s), exporting::memberSheet(), largeSheet(), &error),
        store::WriteFailure::Create);
    QVERIFY(!error.isEmpty());
    QCOMPARE(fileBytes(inside), QByteArray("da non perdere"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList {u"Soci.xls"_s});
}

QTEST_GUILESS_MAIN(TestSheetExport)
#include "tst_sheetexport.moc"
