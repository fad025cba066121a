// Workbooks as other programs read them: LibreOffice opens each format and saves it again as a
// flat OpenDocument file whose cells say what it understood; openpyxl, a second and independent
// reader, opens the XLSX.
#include "WorkbookSample.h"
#include "exporting/Workbook.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

using namespace almavest;
using namespace Qt::StringLiterals;
using exporting::WorkbookFormat;

Q_DECLARE_METATYPE(almavest::exporting::WorkbookFormat)

namespace {

// The text of a cell's paragraphs, with the blanks and tabs they mark kept.
QString cellText(QXmlStreamReader &xml)
{
    QString text;
    int paragraphs = 0;
    bool inParagraph = false;
    while (!(xml.isEndElement() && xml.name() == u"table-cell") && !xml.atEnd()) {
        xml.readNext();
        if (xml.name() == u"p")
            inParagraph = xml.isStartElement();
        if (xml.isStartElement() && xml.name() == u"p" && paragraphs++ > 0)
            text += u'\n';
        else if (xml.isStartElement() && xml.name() == u"s")
            text += QString(qMax(1, xml.attributes().value(u"text:c"_s).toInt()), u' ');
        else if (xml.isStartElement() && xml.name() == u"tab")
            text += u'\t';
        else if (xml.isCharacters() && inParagraph)
            text += xml.text();
    }
    return text;
}

// The first `columns` cells of every row of the first sheet, as "type:value".
QList<QStringList> flatCells(const QByteArray &document, int columns)
{
    QList<QStringList> rows;
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"table")
            break;
        if (xml.isStartElement() && xml.name() == u"table-row") {
            rows.append(QStringList());
            continue;
        }
        if (!xml.isStartElement()
            || (xml.name() != u"table-cell" && xml.name() != u"covered-table-cell"))
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const int repeated = qMax(1, attributes.value(u"table:number-columns-repeated"_s).toInt());
        QString type = attributes.value(u"office:value-type"_s).toString();
        QString cell;
        if (type == u"currency" || type == u"float")
            cell = u"float:"_s
                + QString::number(attributes.value(u"office:value"_s).toDouble(), 'g', 15);
        else if (type == u"date")
            cell = u"date:"_s + attributes.value(u"office:date-value"_s).left(10).toString();
        const QString text = cellText(xml);
        if (type == u"string")
            cell = u"string:"_s + text;
        else if (type.isEmpty())
            cell = u"empty:"_s;
        for (int copy = 0; copy < repeated && rows.last().size() < columns; ++copy)
            rows.last().append(cell);
    }
    while (!rows.isEmpty() && rows.last().count(u"empty:"_s) == rows.last().size())
        rows.removeLast();
    return rows;
}

QList<QStringList> expectedSheet()
{
    return QList<QStringList> {test::sampleHeadings()} + test::sampleExpected();
}

QString writtenSample(const QTemporaryDir &dir, WorkbookFormat format)
{
    const exporting::WorkbookTable rows = test::sampleRows();
    const QString path
        = dir.filePath(format == WorkbookFormat::Xlsx ? u"Elenco.xlsx"_s : u"Elenco.ods"_s);
    return exporting::writeWorkbook(
               path, format, {u"Soci: [2026] in regola"_s, test::sampleColumns(), rows})
            == store::WriteFailure::None
        ? path
        : QString();
}

} // namespace

class TestWorkbookReaders final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void libreOfficeReadsEveryCell_data();
    void libreOfficeReadsEveryCell();
    void openpyxlReadsEveryCell();
};

void TestWorkbookReaders::libreOfficeReadsEveryCell_data()
{
    QTest::addColumn<WorkbookFormat>("format");
    QTest::newRow("xlsx") << WorkbookFormat::Xlsx;
    QTest::newRow("ods") << WorkbookFormat::Ods;
}

void TestWorkbookReaders::libreOfficeReadsEveryCell()
{
    QFETCH(WorkbookFormat, format);
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        QSKIP("LibreOffice's soffice is not installed: the workbooks are not checked against it");
    QTemporaryDir dir;
    const QString path = writtenSample(dir, format);
    QVERIFY(!path.isEmpty());
    // A profile of its own, so that a LibreOffice already running is neither used nor disturbed.
    QProcess office;
    office.start(soffice,
        {u"-env:UserInstallation="_s + QUrl::fromLocalFile(dir.filePath(u"profile"_s)).toString(),
            u"--headless"_s, u"--convert-to"_s, u"fods"_s, u"--outdir"_s, dir.filePath(u"out"_s),
            path});
    QVERIFY(office.waitForFinished(240000));
    QCOMPARE(office.exitCode(), 0);
    QFile flat(dir.filePath(u"out/Elenco.fods"_s));
    QVERIFY2(flat.open(QIODevice::ReadOnly), office.readAllStandardError().constData());
    const QByteArray document = flat.readAll();
    QCOMPARE(flatCells(document, static_cast<int>(test::sampleColumns().size())), expectedSheet());
    QVERIFY(document.contains("table:name=\"Soci- -2026- in regola\""));
}

void TestWorkbookReaders::openpyxlReadsEveryCell()
{
    // The system's Python, which Debian's python3-openpyxl serves, may not be the first found.
    QString python;
    for (const QString &candidate :
        {QStandardPaths::findExecutable(u"python3"_s), u"/usr/bin/python3"_s}) {
        QProcess probe;
        probe.start(candidate, {u"-c"_s, u"import openpyxl"_s});
        if (!candidate.isEmpty() && probe.waitForFinished(60000) && probe.exitCode() == 0) {
            python = candidate;
            break;
        }
    }
    if (python.isEmpty())
        QSKIP("openpyxl is not installed: the XLSX is not checked against it");
    QTemporaryDir dir;
    const QString path = writtenSample(dir, WorkbookFormat::Xlsx);
    QVERIFY(!path.isEmpty());
    QProcess checker;
    checker.start(python, {QStringLiteral(ALMAVEST_TEST_SOURCES "/check_xlsx.py"), path});
    QVERIFY(checker.waitForFinished(120000));
    QVERIFY2(checker.exitCode() == 0, checker.readAllStandardError().constData());
    const QJsonObject read = QJsonDocument::fromJson(checker.readAllStandardOutput()).object();

    QCOMPARE(read[u"sheets"_s].toArray(), QJsonArray {u"Soci- -2026- in regola"_s});
    QCOMPARE(read[u"freeze"_s].toString(), u"A2"_s);
    QVERIFY(read[u"bold"_s].toBool());
    const QJsonArray formats = read[u"formats"_s].toArray();
    QCOMPARE(formats.at(1).toString(), u"@"_s); // a code is text
    QVERIFY(formats.at(3).toString().contains(u"0.00"_s));
    QVERIFY(formats.at(3).toString().contains(u"€"_s));
    QCOMPARE(formats.at(4).toString(), u"dd/mm/yyyy"_s);
    QList<QStringList> rows;
    for (const QJsonValue row : read[u"rows"_s].toArray()) {
        rows.append(QStringList());
        for (const QJsonValue cell : row.toArray())
            rows.last().append(cell.toString());
    }
    QCOMPARE(rows, expectedSheet());
    // The notes, the widest texts, get the widest column; a date column fits "dd/mm/yyyy".
    const QJsonArray widths = read[u"widths"_s].toArray();
    QVERIFY(widths.at(6).toDouble() > widths.at(4).toDouble());
    QVERIFY(widths.at(4).toDouble() >= 10);
}

QTEST_GUILESS_MAIN(TestWorkbookReaders)
#include "tst_workbookreaders.moc"
