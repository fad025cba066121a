// The workbooks: what each cell becomes, the sheet's name, the ODS zip's first entry, and the
// failures that must leave an earlier workbook whole.
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "WorkbookSample.h"
#include "WritesFail.h"
#include "exporting/BookWorkbook.h"
#include "exporting/SheetExport.h"
#include "exporting/Workbook.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <optional>

using namespace almavest;
using namespace Qt::StringLiterals;
using exporting::CellKind;
using exporting::TypedCell;
using exporting::WorkbookFormat;

Q_DECLARE_METATYPE(almavest::exporting::CellKind)
Q_DECLARE_METATYPE(almavest::exporting::WorkbookFormat)
Q_DECLARE_METATYPE(almavest::store::WriteFailure)

namespace {

// A cell as "type:value", as the readers' checks write it.
QString described(const TypedCell &cell)
{
    switch (cell.type) {
    case TypedCell::Type::Empty:
        return u"empty:"_s;
    case TypedCell::Type::Number:
        return u"float:"_s + QString::number(cell.number, 'g', 15);
    case TypedCell::Type::Date:
        return u"date:"_s + cell.date.toString(Qt::ISODate);
    case TypedCell::Type::Text:
        break;
    }
    return u"string:"_s + cell.text;
}

} // namespace

class TestWorkbook final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellsAreTyped_data();
    void cellsAreTyped();
    void sheetNamesAreAccepted_data();
    void sheetNamesAreAccepted();
    void formatFollowsTheSuffix();
    void widthsFitTheTexts();
    void odsStartsWithItsStoredMimeType();
    void failureKeepsTheEarlierWorkbook_data();
    void failureKeepsTheEarlierWorkbook();
    void chosenColumnsAreRead_data();
    void chosenColumnsAreRead();
    void chosenRowsEndWithTheirTotals();
    void recordsBehindAListAreRead_data();
    void recordsBehindAListAreRead();
    void movementsBehindAListAreTyped();
    void bookMembersAreRead();
};

void TestWorkbook::cellsAreTyped_data()
{
    QTest::addColumn<CellKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cell");
    QTest::newRow("amount, smallest negative")
        << CellKind::Amount << u"-0,01"_s << u"float:-0.01"_s;
    QTest::newRow("amount rounded to the cent")
        << CellKind::Amount << u"0,125"_s << u"float:0.13"_s;
    QTest::newRow("amount with blanks") << CellKind::Amount << u"  25,00 "_s << u"float:25"_s;
    QTest::newRow("amount, not a number") << CellKind::Amount << u"venti"_s << u"string:venti"_s;
    QTest::newRow("amount, exponent is text") << CellKind::Amount << u"1e5"_s << u"string:1e5"_s;
    QTest::newRow("amount, blank") << CellKind::Amount << u"   "_s << u"empty:"_s;
    QTest::newRow("amount rounded to nothing is no minus zero")
        << CellKind::Amount << u"-0,001"_s << u"float:0"_s;
    QTest::newRow("amount, comma first") << CellKind::Amount << u"+,5"_s << u"float:0.5"_s;
    QTest::newRow("amount, comma last") << CellKind::Amount << u"5,"_s << u"float:5"_s;
    QTest::newRow("amount, sign alone") << CellKind::Amount << u"-"_s << u"string:-"_s;
    QTest::newRow("amount, comma alone") << CellKind::Amount << u","_s << u"string:,"_s;
    QTest::newRow("amount, two commas") << CellKind::Amount << u"1,2,3"_s << u"string:1,2,3"_s;
    QTest::newRow("amount, two signs") << CellKind::Amount << u"--1"_s << u"string:--1"_s;
    QTest::newRow("amount, sign after") << CellKind::Amount << u"1-"_s << u"string:1-"_s;
    // 63 characters are read in place, 64 and more the general way.
    QTest::newRow("amount of 63 digits")
        << CellKind::Amount << (u"1"_s + QString(62, u'0')) << u"float:1e+62"_s;
    QTest::newRow("amount of 64 digits")
        << CellKind::Amount << (u"1"_s + QString(63, u'0')) << u"float:1e+63"_s;
    QTest::newRow("amount of 64 characters, two commas")
        << CellKind::Amount << (u"1,"_s + QString(61, u'0') + u","_s)
        << (u"string:1,"_s + QString(61, u'0') + u","_s);
    QTest::newRow("amount too large to hold is text")
        << CellKind::Amount << (u"1"_s + QString(400, u'0'))
        << (u"string:1"_s + QString(400, u'0'));
    QTest::newRow("amount, other digits") << CellKind::Amount << QString::fromUtf16(u"\u0661\u0662")
                                          << QString::fromUtf16(u"string:\u0661\u0662");
    QTest::newRow("date") << CellKind::Date << u"31/12/2026"_s << u"date:2026-12-31"_s;
    QTest::newRow("date, first day") << CellKind::Date << u"01/01/0001"_s << u"date:0001-01-01"_s;
    QTest::newRow("date, leap day") << CellKind::Date << u"29/02/2024"_s << u"date:2024-02-29"_s;
    QTest::newRow("date that never was")
        << CellKind::Date << u"29/02/2023"_s << u"string:29/02/2023"_s;
    QTest::newRow("date, short form is text")
        << CellKind::Date << u"1/2/2026"_s << u"string:1/2/2026"_s;
    QTest::newRow("date, letters") << CellKind::Date << u"aa/bb/cccc"_s << u"string:aa/bb/cccc"_s;
    QTest::newRow("date, other digits")
        << CellKind::Date << QString::fromUtf16(u"\u0661\u0661/01/2026")
        << QString::fromUtf16(u"string:\u0661\u0661/01/2026");
    QTest::newRow("date, last day") << CellKind::Date << u"31/12/9999"_s << u"date:9999-12-31"_s;
    QTest::newRow("date, month 13") << CellKind::Date << u"01/13/2026"_s << u"string:01/13/2026"_s;
    QTest::newRow("date, year 0") << CellKind::Date << u"01/01/0000"_s << u"string:01/01/0000"_s;
    QTest::newRow("postal code keeps its zero")
        << CellKind::Code << u"00184"_s << u"string:00184"_s;
    QTest::newRow("code that looks like an amount")
        << CellKind::Code << u"12,50"_s << u"string:12,50"_s;
    QTest::newRow("number") << CellKind::Number << u"30"_s << u"float:30"_s;
    QTest::newRow("text that looks like a date")
        << CellKind::Text << u"01/02/1970"_s << u"string:01/02/1970"_s;
    QTest::newRow("text trimmed") << CellKind::Text << u"  a & b  "_s << u"string:a & b"_s;
}

void TestWorkbook::cellsAreTyped()
{
    QFETCH(CellKind, kind);
    QFETCH(QString, text);
    QFETCH(QString, cell);
    QCOMPARE(described(exporting::typedCell(kind, text)), cell);
}

void TestWorkbook::sheetNamesAreAccepted_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("sheet");
    QTest::newRow("as it is") << u"Riepilogo Soci"_s << u"Riepilogo Soci"_s;
    QTest::newRow("31 characters kept") << QString(31, u'a') << QString(31, u'a');
    QTest::newRow("32 cut to 31") << QString(32, u'b') << QString(31, u'b');
    QTest::newRow("refused characters") << u"Soci [2026]: a/b\\c?*"_s << u"Soci -2026-- a-b-c--"_s;
    QTest::newRow("apostrophes at the ends") << u"'Scadenze'"_s << u"Scadenze"_s;
    QTest::newRow("apostrophe inside") << u"Dell'anno"_s << u"Dell'anno"_s;
    QTest::newRow("empty") << QString() << u"Foglio1"_s;
    QTest::newRow("only apostrophes") << u"''"_s << u"Foglio1"_s;
    QTest::newRow("cut leaves a blank at the end")
        << (QString(30, u'c') + u" d"_s) << QString(30, u'c');
}

void TestWorkbook::sheetNamesAreAccepted()
{
    QFETCH(QString, list);
    QFETCH(QString, sheet);
    QCOMPARE(exporting::sheetNameFor(list), sheet);
}

void TestWorkbook::formatFollowsTheSuffix()
{
    QCOMPARE(exporting::workbookFormatOf(u"/a/Soci.xlsx"_s), WorkbookFormat::Xlsx);
    QCOMPARE(exporting::workbookFormatOf(u"/a/SOCI.ODS"_s), WorkbookFormat::Ods);
    QCOMPARE(exporting::workbookFormatOf(u"/a/Soci.xls"_s), std::nullopt);
    QCOMPARE(exporting::workbookFormatOf(u"/a.ods/Soci"_s), std::nullopt);
}

void TestWorkbook::widthsFitTheTexts()
{
    exporting::WorkbookTable rows;
    rows.append({u"abc"_s, u"31/12/2026"_s, u"-1234567,89"_s, QString(200, u'x')});
    rows.append({u"riga\nmolto più lunga"_s, {}, {}, {}});
    const exporting::WorkbookSheet sheet {u"Elenco"_s,
        {{u"Nome"_s}, {u"Data"_s, CellKind::Date}, {u"Importo"_s, CellKind::Amount}, {u"Note"_s}},
        rows};
    // The longest line, a date, "-1.234.567,89 €", and a very long text held to the widest.
    QCOMPARE(exporting::fittingWidths(sheet), (QList<int> {16, 11, 16, 60}));
}

void TestWorkbook::odsStartsWithItsStoredMimeType()
{
    QTemporaryDir dir;
    const exporting::WorkbookTable rows = test::sampleRows();
    const QString path = dir.filePath(u"Elenco.ods"_s);
    QCOMPARE(exporting::writeWorkbook(
                 path, WorkbookFormat::Ods, {u"Elenco"_s, test::sampleColumns(), rows}),
        store::WriteFailure::None);
    const QByteArray zip = test::fileBytes(path);
    const QByteArray type = "application/vnd.oasis.opendocument.spreadsheet";
    QVERIFY(zip.size() > 30 + 8 + type.size());
    const auto at16
        = [&](int offset) { return qFromLittleEndian<quint16>(zip.constData() + offset); };
    QCOMPARE(zip.left(4), QByteArray("PK\x03\x04"));
    QCOMPARE(at16(8), 0); // stored, not compressed
    QCOMPARE(at16(26), 8);
    QCOMPARE(at16(28), 0); // no extra field between the name and the text
    QCOMPARE(zip.mid(30, 8), QByteArray("mimetype"));
    QCOMPARE(zip.mid(38, type.size()), type);
}

void TestWorkbook::failureKeepsTheEarlierWorkbook_data()
{
    QTest::addColumn<WorkbookFormat>("format");
    QTest::addColumn<QString>("cause");
    QTest::addColumn<store::WriteFailure>("failure");
    for (const auto &[format, name] :
        {std::pair {WorkbookFormat::Xlsx, "xlsx"}, std::pair {WorkbookFormat::Ods, "ods"}}) {
        QTest::addRow("%s, read-only folder", name)
            << format << u"readOnly"_s << store::WriteFailure::Create;
        QTest::addRow("%s, disk full", name)
            << format << u"diskFull"_s << store::WriteFailure::Write;
    }
}

void TestWorkbook::failureKeepsTheEarlierWorkbook()
{
    QFETCH(WorkbookFormat, format);
    QFETCH(QString, cause);
    QFETCH(store::WriteFailure, failure);
    QTemporaryDir dir;
    const QString path
        = dir.filePath(format == WorkbookFormat::Xlsx ? u"Elenco.xlsx"_s : u"Elenco.ods"_s);
    test::writeBytes(path, "earlier workbook");
    const exporting::WorkbookTable rows = test::sampleRows();
    std::optional<test::WritesFail> diskFull;
    std::optional<test::ReadOnlyAccess> readOnly;
    if (cause == u"diskFull")
        diskFull.emplace(100);
    else if (!readOnly.emplace(QStringList {dir.path()}).effective())
        QSKIP("root could not become an ordinary user");
    QString error;
    const store::WriteFailure result = exporting::writeWorkbook(
        path, format, {u"Elenco"_s, test::sampleColumns(), rows}, &error);
    diskFull.reset();
    readOnly.reset();
    QCOMPARE(result, failure);
    QVERIFY(!error.isEmpty());
    QCOMPARE(test::fileBytes(path), QByteArray("earlier workbook"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
        QStringList {QFileInfo(path).fileName()});
}

void TestWorkbook::chosenColumnsAreRead_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<int>>("chosen");
    const QList<int> every = exporting::validColumns(exporting::memberSheet(), {});
    QTest::newRow("no file") << QByteArray() << every;
    QTest::newRow("in order") << QByteArray("[Soci]\r\nColonne=1,11,9\r\n")
                              << QList<int> {0, 10, 8};
    QTest::newRow("first and last column")
        << QByteArray("[soci]\r\ncolonne= 18 , 1\r\n") << QList<int> {17, 0};
    QTest::newRow("out of range and twice")
        << QByteArray("[Soci]\r\nColonne=0,19,-3,2,2,x,3\r\n") << QList<int> {1, 2};
    QTest::newRow("nothing usable") << QByteArray("[Soci]\r\nColonne=0,abc\r\n") << every;
    QTest::newRow("another sheet's choice") << QByteArray("[Movimenti]\r\nColonne=2\r\n") << every;
}

void TestWorkbook::chosenColumnsAreRead()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<int>, chosen);
    QTemporaryDir dir;
    if (!file.isNull())
        QVERIFY(test::writeBytes(dir.filePath(u"Esporta.ini"_s), file));
    QCOMPARE(exporting::loadChosenColumns(dir.path(), exporting::memberSheet()), chosen);
}

// The empty rows left for typing are not saved; totals go under the first amount column.
void TestWorkbook::chosenRowsEndWithTheirTotals()
{
    const exporting::SheetForm &form = exporting::movementSheet();
    exporting::SheetRows rows(static_cast<int>(form.columns.size()));
    rows.appendEmptyRows(3);
    rows.setCell(0, 2, u"Quota"_s);
    rows.setCell(0, 6, u"25,00"_s);
    const QList<int> purposeAndAmount {2, 6};
    exporting::ChosenSheetRows chosen(form, rows, purposeAndAmount);
    chosen.addTotal(u"TOTALE ENTRATE"_s, u"25,00"_s);
    QCOMPARE(chosen.rowCount(), 2);
    QCOMPARE(chosen.cell(0, 1), u"25,00"_s);
    QCOMPARE(chosen.cell(1, 0), u"TOTALE ENTRATE"_s);
    QCOMPARE(chosen.cell(1, 1), u"25,00"_s);

    exporting::ChosenSheetRows amountFirst(form, rows, {6, 2});
    amountFirst.addTotal(u"TOTALE"_s, u"-0,01"_s);
    QCOMPARE(amountFirst.cell(1, 0), u"-0,01"_s);
    QCOMPARE(amountFirst.cell(1, 1), QString());

    exporting::ChosenSheetRows noAmount(form, rows, {2});
    noAmount.addTotal(u"TOTALE"_s, u"25,00"_s);
    QCOMPARE(noAmount.rowCount(), 1);
}

void TestWorkbook::recordsBehindAListAreRead_data()
{
    QTest::addColumn<QList<qint64>>("positions");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("in the list's order")
        << QList<qint64> {2, 1} << true << QStringList {u"Bianchi Anna"_s, u"Rossi Mario"_s};
    QTest::newRow("last record") << QList<qint64> {2} << true << QStringList {u"Bianchi Anna"_s};
    QTest::newRow("none") << QList<qint64> {} << true << QStringList {};
    QTest::newRow("past the end") << QList<qint64> {1, 3} << false
                                  << QStringList {u"Rossi Mario"_s};
    QTest::newRow("before the first") << QList<qint64> {0} << false << QStringList {};
}

void TestWorkbook::recordsBehindAListAreRead()
{
    QFETCH(QList<qint64>, positions);
    QFETCH(bool, read);
    QFETCH(QStringList, names);
    exporting::SheetRows rows;
    QString error;
    QCOMPARE(exporting::readSheetRowsAt(exporting::memberSheet(),
                 QStringLiteral(ALMAVEST_TEST_DATA "/members.pro"), positions, rows, &error),
        read);
    QCOMPARE(error.isEmpty(), read);
    QStringList readNames;
    for (int row = 0; row < rows.rowCount(); ++row)
        readNames.append(rows.cell(row, 0));
    QCOMPARE(readNames, names);
}

// A movement's type comes from its income flag, and its signed amount is a euro amount.
void TestWorkbook::movementsBehindAListAreTyped()
{
    const exporting::SheetForm &form = exporting::movementSheet();
    exporting::SheetRows rows;
    QVERIFY(exporting::readSheetRowsAt(
        form, QStringLiteral(ALMAVEST_TEST_DATA "/movements.eur"), {2}, rows));
    const QList<int> typeAndAmount {0, 6};
    const exporting::ChosenSheetRows chosen(form, rows, typeAndAmount);
    const QList<exporting::WorkbookColumn> columns
        = exporting::workbookColumns(form, typeAndAmount);
    QCOMPARE(chosen.cell(0, 0), u"Uscita"_s);
    QCOMPARE(
        described(exporting::typedCell(columns.at(1).kind, chosen.cell(0, 1))), u"float:-12.5"_s);
    QCOMPARE(columns.at(1).heading, u"Importo in euro"_s);
}

// Page 2 of the fixture book: rows A and B whole, row C with its order number alone, row D
// empty and left out; a page past the end stops the reading.
void TestWorkbook::bookMembersAreRead()
{
    const QList<exporting::WorkbookColumn> columns = exporting::bookMemberColumns();
    QCOMPARE(columns.size(), 13);
    QCOMPARE(columns.at(1).heading, u"Cognome e nome"_s);
    QCOMPARE(columns.at(3).kind, CellKind::Date);
    QCOMPARE(columns.at(9).kind, CellKind::Amount);
    const QString book = QStringLiteral(ALMAVEST_TEST_DATA "/pages.lib");
    exporting::WorkbookTable rows;
    QVERIFY(exporting::readBookMembers(book, {2}, rows));
    QCOMPARE(rows.rowCount(), 3);
    QCOMPARE(rows.cell(0, 1), u"Verdi Giuseppe"_s);
    QCOMPARE(rows.cell(0, 12), u"Quota versata: € 25"_s);
    QCOMPARE(rows.cell(1, 5), u"Corso d’Augusto 5"_s);
    QCOMPARE(rows.cell(1, 10), u"31/12/2023"_s);
    QCOMPARE(rows.cell(2, 0), u"3"_s);
    QCOMPARE(rows.cell(2, 1), QString());

    exporting::WorkbookTable past;
    QString error;
    QVERIFY(!exporting::readBookMembers(book, {3, 4}, past, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(past.rowCount(), 2); // page 3's rows A and B, read before the failure
}

QTEST_GUILESS_MAIN(TestWorkbook)
#include "tst_workbook.moc"
