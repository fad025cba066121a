// The cash statement of a year, worked out by hand from two small journals: every section, a
// negative surplus, taxes, investments, cash and bank carried from one year to the next, the
// previous year missing, a causale without a line refused; the settings kept and read back.
#include "statement/CashStatement.h"

#include "balance/Balance.h"
#include "journal/MovementRecord.h"
#include "store/ArchiveFile.h"

#include "ReadOnlyAccess.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace almavest;
using namespace almavest::statement;
using almavest::test::fileBytes;
using almavest::test::writeBytes;
using namespace Qt::StringLiterals;

namespace {

struct Movement
{
    QString signedAmount;
    QString causale;
    QString paymentMethod;
};

bool writeJournal(const QString &path, const QList<Movement> &movements)
{
    store::ArchiveFile archive(path, journal::kMovementRecordSize);
    if (!archive.openForWriting())
        return false;
    for (const Movement &movement : movements) {
        QStringList values = journal::blankMovement(QDate(2024, 3, 1));
        values[journal::Income] = journal::flagText(movement.signedAmount.startsWith(u'+'));
        values[journal::Expense] = journal::flagText(movement.signedAmount.startsWith(u'-'));
        values[journal::SignedAmount] = movement.signedAmount;
        values[journal::Amount] = movement.signedAmount.mid(1);
        values[journal::Purpose] = movement.causale;
        values[journal::PaymentMethod] = movement.paymentMethod;
        QByteArray record = journal::movementLayout().blankRecord();
        journal::movementLayout().setFields(record, values);
        if (!archive.append(record))
            return false;
    }
    return true;
}

// 2024: every section, two spellings of one causale, a festa that lost money, taxes paid from
// a "Cassa di Risparmio" (a bank, not the cash box), an investment and a loan.
const QList<Movement> k2024 = {
    {u"+1500,00"_s, u"Quote associative"_s, u"contanti"_s},
    {u"+250,50"_s, u"quote associative"_s, u"Bonifico"_s},
    {u"+300,00"_s, u"Erogazione liberale"_s, u"Bonifico"_s},
    {u"+420,00"_s, u"Festa sociale"_s, QString()},
    {u"+0,37"_s, u"Interessi bancari"_s, u"Accredito in banca"_s},
    {u"+180,25"_s, u"Bar sociale"_s, u"Contante"_s},
    {u"+1000,00"_s, u"Prestito socio"_s, u"Bonifico"_s},
    {u"-1200,00"_s, u"Affitto sede"_s, u"Bonifico"_s},
    {u"-845,90"_s, u"Materiale sportivo"_s, u"Carta di credito"_s},
    {u"-510,00"_s, u"Spese festa"_s, u"contanti"_s},
    {u"-36,00"_s, u"Commissioni bancarie"_s, u"Addebito in conto"_s},
    {u"-45,10"_s, u"Cancelleria"_s, u"Cassa"_s},
    {u"-95,00"_s, u"Acquisto bevande bar"_s, u"cassa"_s},
    {u"-12,00"_s, u"IRES"_s, u"F24 Cassa di Risparmio"_s},
    {u"-890,00"_s, u"Acquisto defibrillatore"_s, u"Bonifico"_s},
};

const QList<Movement> k2023 = {
    {u"+1200,00"_s, u"Quote associative"_s, u"Contanti"_s},
    {u"-1100,00"_s, u"Affitto sede"_s, u"Bonifico"_s},
    {u"-30,00"_s, u"Cancelleria"_s, u"contanti"_s},
};

StatementSettings fixtureSettings()
{
    StatementSettings settings;
    const std::pair<const char *, const char *> income[] = {{"Quote associative", "E.A.1"},
        {"Erogazione liberale", "E.A.4"}, {"Festa sociale", "E.C.2"},
        {"Interessi bancari", "E.D.1"}, {"Bar sociale", "E.B.3"}, {"Prestito socio", "E.INV.4"}};
    const std::pair<const char *, const char *> expenses[]
        = {{"Affitto sede", "U.A.3"}, {"Materiale sportivo", "U.A.1"}, {"Spese festa", "U.C.2"},
            {"Commissioni bancarie", "U.D.1"}, {"Cancelleria", "U.E.1"},
            {"Acquisto bevande bar", "U.B.1"}, {"IRES", "U.IMP"},
            {"Acquisto defibrillatore", "U.INV.1"}};
    for (const auto &[causale, code] : income)
        settings.assign(Side::Receipts, QString::fromUtf8(causale), QLatin1String(code));
    for (const auto &[causale, code] : expenses)
        settings.assign(Side::Payments, QString::fromUtf8(causale), QLatin1String(code));
    settings.opening = {2023, 10000, 300000}; // 100,00 in cash, 3000,00 in the bank
    return settings;
}

QString figure(const std::optional<qint64> &cents)
{
    return cents ? balance::formatCents(*cents) : u"blank"_s;
}

} // namespace

class TestCashStatement final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void formLines();
    void channel_data();
    void channel();
    void statementLineByLine_data();
    void statementLineByLine();
    void previousYearMissing();
    void unassignedCausaleRefused();
    void rowsSideBySide();
    void scanLeavesMissingYearsAlone();
    void unreadableMovementCounted();
    void openingCarriedOver_data();
    void openingCarriedOver();
    void settingsReadBack();
    void settingsRefusedWhenDamaged_data();
    void settingsRefusedWhenDamaged();
    void settingsKeptWhenNotWritable();

private:
    QTemporaryDir m_dir;
    CashStatement m_statement;
};

void TestCashStatement::initTestCase()
{
    QVERIFY(writeJournal(m_dir.filePath(u"2023.eur"_s), k2023));
    QVERIFY(writeJournal(m_dir.filePath(u"2024.eur"_s), k2024));
    const StatementSettings settings = fixtureSettings();
    const StatementScan scan = scanForStatement(m_dir.path(), 2024, settings.opening);
    QCOMPARE(scan.failedYear, -1);
    QVERIFY(!scan.yearMissing);
    QCOMPARE(scan.unreadable, 0);
    m_statement = buildStatement(StatementForm::builtIn(), settings, scan.input);
    QVERIFY(!m_statement.refused());
    QVERIFY(m_statement.hasPrevious);
}

void TestCashStatement::formLines()
{
    const StatementForm &form = StatementForm::builtIn();
    QCOMPARE(form.lines().size(), std::size_t(64));
    // Receipts: A 10, B 6, C 3, D 5, E 2, disinvestments 4; payments: A-E 5, 5, 3, 5, 5,
    // investments 4 and the taxes. Figurative items and cash and bank take none.
    QCOMPARE(form.assignable(Side::Receipts).size(), std::size_t(30));
    QCOMPARE(form.assignable(Side::Payments).size(), std::size_t(28));
    QCOMPARE(form.line(u"E.INV.1"_s)->numberedLabel(),
        u"1) Disinvestimenti di immobilizzazioni inerenti alle attività di interesse generale"_s);
    QCOMPARE(form.line(u"E.A.10"_s)->numberedLabel(), u"10) Altre entrate"_s);
    QCOMPARE(form.line(u"U.IMP"_s)->kind, LineKind::Taxes);
    QVERIFY(!form.line(u"CB.1"_s)->takesCausali());
    QVERIFY(!form.line(u"U.FIG.1"_s)->takesCausali());
    StatementForm damaged;
    QString error;
    QVERIFY(
        !damaged.read(u"code,direction,section,n,label\nU.A.1,uscita,A,uno,Servizi\n"_s, &error));
    QCOMPARE(error, u"line 2: U.A.1,uscita,A,uno,Servizi"_s);
}

void TestCashStatement::channel_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<bool>("cash");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("blanks") << u"   "_s << true;
    QTest::newRow("contanti") << u"Contanti"_s << true;
    QTest::newRow("contante in a phrase") << u"pagato in CONTANTE"_s << true;
    QTest::newRow("cassa alone") << u" cassa "_s << true;
    QTest::newRow("bank called cassa") << u"Cassa di Risparmio"_s << false;
    QTest::newRow("bonifico") << u"Bonifico"_s << false;
    QTest::newRow("assegno") << u"Assegno n. 12"_s << false;
    QTest::newRow("bancomat") << u"Bancomat"_s << false;
}

void TestCashStatement::channel()
{
    QFETCH(QString, method);
    QFETCH(bool, cash);
    QCOMPARE(channelOf(method) == Channel::Cash, cash);
}

void TestCashStatement::statementLineByLine_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("previous");
    // Worked out by hand from k2024 and k2023.
    const char *rows[][3] = {
        {"U.A.1", "845,90", "0,00"},
        {"U.A.3", "1200,00", "1100,00"},
        {"U.A.5", "0,00", "0,00"},
        {"U.A.TOT", "2045,90", "1100,00"},
        {"E.A.1", "1750,50", "1200,00"}, // two spellings of one causale
        {"E.A.4", "300,00", "0,00"},
        {"E.A.10", "0,00", "0,00"},
        {"E.A.TOT", "2050,50", "1200,00"},
        {"A.AVANZO", "4,60", "100,00"},
        {"U.B.TOT", "95,00", "0,00"},
        {"E.B.3", "180,25", "0,00"},
        {"E.B.TOT", "180,25", "0,00"},
        {"B.AVANZO", "85,25", "0,00"},
        {"U.C.2", "510,00", "0,00"},
        {"E.C.2", "420,00", "0,00"},
        {"C.AVANZO", "-90,00", "0,00"}, // the festa lost money
        {"U.D.1", "36,00", "0,00"},
        {"E.D.1", "0,37", "0,00"},
        {"D.AVANZO", "-35,63", "0,00"},
        {"U.E.1", "45,10", "30,00"},
        {"U.E.TOT", "45,10", "30,00"},
        {"E.E.TOT", "0,00", "0,00"},
        {"U.GEST.TOT", "2732,00", "1130,00"},
        {"E.GEST.TOT", "2651,12", "1200,00"},
        {"AVANZO.ANTE.IMPOSTE", "-80,88", "70,00"},
        {"U.IMP", "12,00", "0,00"},
        {"AVANZO.ANTE.INV", "-92,88", "70,00"},
        {"U.INV.1", "890,00", "0,00"},
        {"U.INV.TOT", "890,00", "0,00"},
        {"E.INV.4", "1000,00", "0,00"},
        {"E.INV.TOT", "1000,00", "0,00"},
        {"INV.AVANZO", "110,00", "0,00"},
        {"AVANZO.COMPLESSIVO", "17,12", "70,00"},
        // Cash: 100,00 + 1200,00 - 30,00 in 2023, then + 2100,25 - 650,10 in 2024. Bank:
        // 3000,00 - 1100,00, then + 1550,87 - 2983,90 (taxes through the Cassa di Risparmio).
        {"CB.1", "2720,15", "1270,00"},
        {"CB.2", "466,97", "1900,00"},
    };
    for (const auto &row : rows) {
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1])
                              << QString::fromLatin1(row[2]);
    }
}

void TestCashStatement::statementLineByLine()
{
    QFETCH(QString, code);
    QFETCH(QString, current);
    QFETCH(QString, previous);
    const StatementRow *row = m_statement.row(code);
    QVERIFY2(row, qPrintable(code));
    QCOMPARE(figure(row->current), current);
    QCOMPARE(figure(row->previous), previous);
}

void TestCashStatement::previousYearMissing()
{
    QTemporaryDir dir;
    QVERIFY(writeJournal(dir.filePath(u"2024.eur"_s), k2024));
    StatementSettings settings = fixtureSettings();
    settings.opening = {};
    const StatementScan scan = scanForStatement(dir.path(), 2024, settings.opening);
    QVERIFY(!scan.input.previous);
    QVERIFY(!QFile::exists(dir.filePath(u"2023.eur"_s)));
    const CashStatement statement = buildStatement(StatementForm::builtIn(), settings, scan.input);
    QVERIFY(!statement.hasPrevious);
    for (const StatementRow &row : statement.rows)
        QVERIFY2(!row.previous, qPrintable(row.code));
    QCOMPARE(figure(statement.row(u"AVANZO.COMPLESSIVO"_s)->current), u"17,12"_s);
    // No opening set: the first year with a journal starts from nothing.
    QCOMPARE(figure(statement.row(u"CB.1"_s)->current), u"1450,15"_s);
    QCOMPARE(figure(statement.row(u"CB.2"_s)->current), u"-1433,03"_s);
    QCOMPARE(statement.row(u"U.A.1"_s)->label,
        u"1) Materie prime, sussidiarie, di consumo e di merci"_s);
    QCOMPARE(statement.rows.front().kind, RowKind::Heading);
    QCOMPARE(statement.rows.back().code, u"CB.2"_s);
}

void TestCashStatement::unassignedCausaleRefused()
{
    StatementSettings settings = fixtureSettings();
    settings.assign(Side::Payments, u"cancelleria"_s, QString()); // in both years
    settings.assign(Side::Payments, u"IRES"_s, QString());
    // The same words on the income side assign nothing to the expense.
    settings.assign(Side::Receipts, u"IRES"_s, u"E.A.10"_s);
    const StatementScan scan = scanForStatement(m_dir.path(), 2024, settings.opening);
    const CashStatement statement = buildStatement(StatementForm::builtIn(), settings, scan.input);
    QVERIFY(statement.refused());
    QVERIFY(statement.rows.empty());
    QStringList named;
    for (const UnassignedCausale &causale : statement.unassigned)
        named << (causale.side == Side::Payments ? u"U "_s : u"E "_s) + causale.causale;
    QCOMPARE(named, QStringList({u"U Cancelleria"_s, u"U IRES"_s}));

    // A causale of year t-1 alone refuses the statement of year t as well.
    settings = fixtureSettings();
    QVERIFY(writeJournal(m_dir.filePath(u"2023.eur"_s), {{u"+5,00"_s, u"Lotteria"_s, {}}}));
    const StatementScan again = scanForStatement(m_dir.path(), 2024, settings.opening);
    const CashStatement previous = buildStatement(StatementForm::builtIn(), settings, again.input);
    QCOMPARE(previous.unassigned.size(), std::size_t(1));
    QCOMPARE(previous.unassigned.front().causale, u"Lotteria"_s);
    QVERIFY(QFile::remove(m_dir.filePath(u"2023.eur"_s)));
    QVERIFY(writeJournal(m_dir.filePath(u"2023.eur"_s), k2023));
}

void TestCashStatement::rowsSideBySide()
{
    const std::vector<RowPair> pairs = pairRows(m_statement);
    // Section A: the heading, 5 lines and the total of the payments beside the heading, 10 lines
    // and the total of the receipts; then the surplus alone.
    for (int i = 0; i < 7; ++i)
        QVERIFY(pairs[std::size_t(i)].payments && pairs[std::size_t(i)].receipts);
    QCOMPARE(pairs[6].payments->code, u"U.A.TOT"_s);
    QCOMPARE(pairs[6].receipts->code, u"E.A.6"_s);
    QVERIFY(!pairs[7].payments);
    QCOMPARE(pairs[11].receipts->code, u"E.A.TOT"_s);
    QVERIFY(!pairs[12].payments);
    QCOMPARE(pairs[12].receipts->code, u"A.AVANZO"_s);
    QCOMPARE(pairs[13].payments->code, u"U.B"_s);
    QCOMPARE(pairs.back().receipts->code, u"CB.2"_s);
    std::size_t shown = 0;
    for (const RowPair &pair : pairs)
        shown += (pair.payments ? 1 : 0) + (pair.receipts ? 1 : 0);
    QCOMPARE(shown, m_statement.rows.size());
}

void TestCashStatement::scanLeavesMissingYearsAlone()
{
    QTemporaryDir dir;
    const StatementScan scan = scanForStatement(dir.path(), 2024, {});
    QVERIFY(scan.yearMissing);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(journalYears(dir.path()).empty());
    QVERIFY(writeBytes(dir.filePath(u"2021.eur"_s), {}));
    QVERIFY(writeBytes(dir.filePath(u"19.eur"_s), {}));
    QVERIFY(writeBytes(dir.filePath(u"20x4.eur"_s), {}));
    QVERIFY(writeBytes(dir.filePath(u"0000.eur"_s), {}));
    QCOMPARE(journalYears(dir.path()), std::vector<int>({0, 2021}));
}

void TestCashStatement::unreadableMovementCounted()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.eur"_s);
    QVERIFY(writeJournal(path,
        {{u"+10,00"_s, u"Quote associative"_s, {}}, {u"10,00"_s, u"Quote associative"_s, {}},
            {u"-abc"_s, u"Affitto sede"_s, {}}}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    QVERIFY(file.write("cut short") > 0);
    file.close();
    const YearTotals totals = readYearTotals(path, 2024);
    QCOMPARE(totals.unreadable, 3);
    QCOMPARE(totals.income.size(), std::size_t(1));
    QCOMPARE(totals.income.begin()->second.cents, qint64(1000));
    QVERIFY(totals.expenses.empty());
}

void TestCashStatement::openingCarriedOver_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("cash"); // "blank" before the opening's year
    QTest::addColumn<QString>("bank");
    // Opening 2021: 10,00 and 20,00; 2021 moved +1,00/-2,00, 2022 had no journal, 2023 +0,50/0.
    QTest::newRow("before the first year") << 2020 << u"blank"_s << u"blank"_s;
    QTest::newRow("the first year") << 2021 << u"10,00"_s << u"20,00"_s;
    QTest::newRow("after it") << 2022 << u"11,00"_s << u"18,00"_s;
    QTest::newRow("across a year without journal") << 2023 << u"11,00"_s << u"18,00"_s;
    QTest::newRow("the last year") << 2024 << u"11,50"_s << u"18,00"_s;
}

void TestCashStatement::openingCarriedOver()
{
    QFETCH(int, year);
    QFETCH(QString, cash);
    QFETCH(QString, bank);
    const std::map<int, Balances> movements
        = {{2019, {999, 999}}, {2021, {100, -200}}, {2023, {50, 0}}, {2024, {7, 7}}};
    const std::optional<Balances> opening = openingOf(year, {2021, 1000, 2000}, movements);
    QCOMPARE(figure(opening ? std::optional(opening->cashCents) : std::nullopt), cash);
    QCOMPARE(figure(opening ? std::optional(opening->bankCents) : std::nullopt), bank);
}

void TestCashStatement::settingsReadBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(kStatementSettingsFile));
    StatementSettings settings = fixtureSettings();
    settings.assign(Side::Receipts, u"Quota = 10 € [soci] & più"_s, u"E.A.1"_s);
    settings.assign(Side::Payments, u"Riga\ncon a capo"_s, u"U.A.2"_s);
    settings.opening = {2023, -550, 123456};
    QString error;
    QVERIFY2(settings.save(path, &error), qPrintable(error));
    const std::optional<StatementSettings> read = StatementSettings::load(path, &error);
    QVERIFY2(read, qPrintable(error));
    QVERIFY(*read == settings);
    QCOMPARE(read->codeFor(Side::Receipts, u"QUOTA = 10 € [SOCI] & PIÙ"_s), QString());
    QCOMPARE(read->codeFor(Side::Receipts, u"  quota = 10 € [soci] & più "_s), u"E.A.1"_s);
    QCOMPARE(read->codeFor(Side::Payments, u"Riga con a capo"_s), u"U.A.2"_s);
    QVERIFY(fileBytes(path).contains("\r\n[Saldi iniziali]\r\nAnno=2023\r\nCassa=-5,50\r\n"));

    // Unchanged settings leave the file as it is.
    const QDateTime written = QFileInfo(path).lastModified();
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    QVERIFY(read->save(path, &error));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    QCOMPARE(QFileInfo(path).lastModified(), written);

    // A missing file is empty settings.
    const auto none = StatementSettings::load(dir.filePath(u"nessuno.ini"_s));
    QVERIFY(none && none->assignments(Side::Receipts).empty() && none->opening.year == 0);
}

void TestCashStatement::settingsRefusedWhenDamaged_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("assigned");
    QTest::newRow("amount") << QByteArray(
        "[Saldi iniziali]\r\nAnno=2023\r\nCassa=10;5\r\nBanca=0\r\n")
                            << false << 0;
    QTest::newRow("year") << QByteArray("[Saldi iniziali]\r\nAnno=23\r\nCassa=0\r\nBanca=0\r\n")
                          << false << 0;
    // An expense line for an income, a line that is not there, one without a causale: dropped.
    QTest::newRow("wrong lines") << QByteArray(
        "[Causali entrate]\r\nNumero=4\r\nCausale1=A\r\nVoce1=U.A.1\r\n"
        "Causale2=B\r\nVoce2=E.Z.9\r\nCausale3=\r\nVoce3=E.A.1\r\n"
        "Causale4=D\r\nVoce4=E.A.2\r\n")
                                 << true << 1;
    QTest::newRow("count beyond the entries")
        << QByteArray("[Causali entrate]\r\nNumero=2000000000\r\nCausale1=A\r\nVoce1=E.A.1\r\n")
        << true << 1;
}

void TestCashStatement::settingsRefusedWhenDamaged()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, readable);
    QFETCH(int, assigned);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Rendiconto.ini"_s);
    QVERIFY(writeBytes(path, text));
    QString error;
    const std::optional<StatementSettings> read = StatementSettings::load(path, &error);
    QCOMPARE(read.has_value(), readable);
    if (!readable) {
        QVERIFY(!error.isEmpty());
        return;
    }
    QCOMPARE(int(read->assignments(Side::Receipts).size()), assigned);
}

void TestCashStatement::settingsKeptWhenNotWritable()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Rendiconto.ini"_s);
    QVERIFY(fixtureSettings().save(path));
    const QByteArray before = fileBytes(path);
    StatementSettings changed = fixtureSettings();
    changed.assign(Side::Receipts, u"Nuova"_s, u"E.A.2"_s);
    QString error;
    {
        test::ReadOnlyAccess readOnly({dir.path()});
        QVERIFY(!changed.save(path, &error));
    }
    QVERIFY(!error.isEmpty());
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({u"Rendiconto.ini"_s}));
}

QTEST_GUILESS_MAIN(TestCashStatement)
#include "tst_cashstatement.moc"
