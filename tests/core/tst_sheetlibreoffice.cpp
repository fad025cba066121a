// An exported sheet as LibreOffice reads it: converted to CSV by a headless soffice, every cell
// must come back as the program wrote it, accented letters and HTML's own characters included.
#include "exporting/SheetExport.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace almavest;
using namespace Qt::StringLiterals;

namespace {

// Splits CSV text with double-quoted fields into rows of cells.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                cell += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                cell += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(std::exchange(cell, {}));
        } else if (c == u'\n') {
            row.append(std::exchange(cell, {}));
            rows.append(std::exchange(row, {}));
        } else if (c != u'\r') {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !row.isEmpty()) {
        row.append(cell);
        rows.append(row);
    }
    return rows;
}

} // namespace

class TestSheetLibreOffice final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void libreOfficeReadsEveryCell();
};

void TestSheetLibreOffice::libreOfficeReadsEveryCell()
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        QSKIP("LibreOffice's soffice is not installed: the export is not checked against it");

    QTemporaryDir dir;
    QList<QStringList> members {
        {u"Rossi & Figli"_s, u"A-0017"_s, u"25,00"_s, u"Forlì"_s, u"01/02/1970"_s,
            u"RSSMRA70B01D704X"_s, u"15/09/2020"_s, u"Via dell'Università 3"_s,
            u"Città di <Castello>"_s, u"PG"_s, u"06012"_s, u"Istruttore \"senior\""_s,
            u"Tesoriere"_s, u"IT60X0542811101000000123456"_s, u"Quota: 25 € pagati – saldo"_s,
            u"31/12/2026"_s, u"0"_s, u"0547 123456"_s, u"mario.rossi@example.it"_s},
        {u"Bianchi Anna"_s, u"B-2"_s, u"0,00"_s, {}, {}, {}, {}, {}, u"Rimini"_s, u"RN"_s, {}, {},
            u"a<b && c>d"_s, {}, u"È così: «perché» sì"_s, u"30/06/2025"_s, u"30"_s, {}, {}},
    };
    const QString archivePath = dir.filePath(u"Soci.pro"_s);
    {
        store::ArchiveFile archive(archivePath, registry::kMemberRecordSize);
        QVERIFY(archive.openForWriting());
        for (QStringList values : members) {
            while (values.size() < registry::kMemberFieldCount)
                values.append(QString());
            QByteArray record = registry::memberLayout().blankRecord();
            registry::memberLayout().setFields(record, values);
            QVERIFY(archive.append(record));
        }
    }
    const exporting::SheetForm &form = exporting::memberSheet();
    exporting::SheetRows rows;
    QVERIFY(exporting::readSheetRows(form, archivePath, rows));
    const QString sheet = dir.filePath(u"Soci.xls"_s);
    QCOMPARE(exporting::writeSheet(sheet, form, rows), store::WriteFailure::None);

    // A profile of its own, so that a LibreOffice already running is neither used nor disturbed;
    // filter options: comma, double quotes, UTF-8, every cell as shown.
    QProcess office;
    office.setWorkingDirectory(dir.path());
    office.start(soffice,
        {u"-env:UserInstallation="_s + QUrl::fromLocalFile(dir.filePath(u"profile"_s)).toString(),
            u"--headless"_s, u"--convert-to"_s,
            u"csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,true"_s, u"--outdir"_s,
            dir.path(), sheet});
    QVERIFY(office.waitForFinished(240000));
    QCOMPARE(office.exitCode(), 0);
    QFile csv(dir.filePath(u"Soci.csv"_s));
    QVERIFY2(csv.open(QIODevice::ReadOnly), office.readAllStandardError().constData());
    const QList<QStringList> read = parseCsv(QString::fromUtf8(csv.readAll()));

    QCOMPARE(read.size(), 1 + members.size());
    QStringList headings;
    for (int column = 0; column < static_cast<int>(form.columns.size()); ++column)
        headings.append(form.heading(column));
    QCOMPARE(read.first(), headings);
    for (int row = 0; row < members.size(); ++row) {
        QStringList expected;
        for (const exporting::SheetColumn &column : form.columns)
            expected.append(members.at(row).value(column.field));
        // The postal code 06012 keeps its leading zero, and amounts and dates their text.
        QCOMPARE(read.at(row + 1), expected);
    }
}

QTEST_GUILESS_MAIN(TestSheetLibreOffice)
#include "tst_sheetlibreoffice.moc"
