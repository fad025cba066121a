// The balance of a journal: amounts read into cents, totals written back, the summary line and
// the selection of an interval, on small yearly archives written for each case.
#include "balance/Balance.h"
#include "journal/MovementRecord.h"
#include "store/ArchiveFile.h"

#include "ReadOnlyAccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <optional>

using namespace almavest;
using namespace almavest::balance;
using namespace Qt::StringLiterals;

namespace {

// One movement of a fixture: its date, its signed amount and its purpose.
struct Movement
{
    QString date;
    QString signedAmount;
    QString purpose = u"Quota"_s;
};

QByteArray recordOf(const Movement &movement)
{
    QStringList values = journal::blankMovement(QDate(2024, 1, 1));
    values[journal::OperationDate] = movement.date;
    values[journal::SignedAmount] = movement.signedAmount;
    values[journal::Amount] = movement.signedAmount.mid(1);
    values[journal::Purpose] = movement.purpose;
    QByteArray record = journal::movementLayout().blankRecord();
    journal::movementLayout().setFields(record, values);
    return record;
}

bool writeJournal(const QString &path, const QList<Movement> &movements)
{
    store::ArchiveFile archive(path, journal::kMovementRecordSize);
    if (!archive.openForWriting())
        return false;
    for (const Movement &movement : movements) {
        if (!archive.append(recordOf(movement)))
            return false;
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(QList<Movement>)
Q_DECLARE_METATYPE(std::optional<qint64>)

class TestBalance final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parseCents_data();
    void parseCents();
    void formatCents_data();
    void formatCents();
    void lineColumns();
    void totals_data();
    void totals();
    void selectsByPurposeAndInterval_data();
    void selectsByPurposeAndInterval();
    void unreadableArchive();
    void missingYearInReadOnlyFolder();
    void damagedRecordsCounted();
    void footer();
};

void TestBalance::parseCents_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint64>>("cents");
    const std::optional<qint64> none;
    QTest::newRow("income") << u"+150,00"_s << std::optional<qint64>(15000);
    QTest::newRow("expense") << u"-42,50"_s << std::optional<qint64>(-4250);
    QTest::newRow("one decimal") << u"-42,5"_s << std::optional<qint64>(-4250);
    QTest::newRow("whole") << u"12"_s << std::optional<qint64>(1200);
    QTest::newRow("cents only") << u"+,05"_s << std::optional<qint64>(5);
    QTest::newRow("blanks around") << u"  +0,10 "_s << std::optional<qint64>(10);
    QTest::newRow("third decimal rounds up") << u"+1,005"_s << std::optional<qint64>(101);
    QTest::newRow("negative rounds away") << u"-1,005"_s << std::optional<qint64>(-101);
    QTest::newRow("third decimal rounds down") << u"+1,004"_s << std::optional<qint64>(100);
    QTest::newRow("fourteen digits")
        << u"+99999999999999"_s << std::optional<qint64>(9999999999999900);
    QTest::newRow("fourteen digits and decimals")
        << u"-99999999999999,999"_s << std::optional<qint64>(-10000000000000000);
    QTest::newRow("fifteen digits") << u"+123456789012345"_s << none;
    // Far past what a whole number holds: refused, never wrapped round.
    QTest::newRow("forty digits") << u"+"_s + QString(40, u'9') << none;
    QTest::newRow("forty digits and decimals") << QString(40, u'9') + u",50"_s << none;
    QTest::newRow("empty") << QString() << none;
    QTest::newRow("sign alone") << u"+"_s << none;
    QTest::newRow("thousands point") << u"1.000,00"_s << none;
    QTest::newRow("two commas") << u"1,0,0"_s << none;
    QTest::newRow("letters") << u"+12a"_s << none;
}

void TestBalance::parseCents()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint64>, cents);
    QCOMPARE(balance::parseCents(text.toLatin1()), cents);
}

void TestBalance::formatCents_data()
{
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << u"0,00"_s;
    QTest::newRow("cents") << qint64(5) << u"0,05"_s;
    QTest::newRow("negative cents") << qint64(-5) << u"-0,05"_s;
    QTest::newRow("whole") << qint64(15000) << u"150,00"_s;
    QTest::newRow("tenths") << qint64(15050) << u"150,50"_s;
    QTest::newRow("negative") << qint64(-2025) << u"-20,25"_s;
    QTest::newRow("large") << qint64(123456789012345) << u"1234567890123,45"_s;
    QTest::newRow("lowest") << std::numeric_limits<qint64>::min() << u"-92233720368547758,08"_s;
}

void TestBalance::formatCents()
{
    QFETCH(qint64, cents);
    QFETCH(QString, text);
    QCOMPARE(balance::formatCents(cents), text);
    QCOMPARE(totalText(cents), text + u" €"_s);
}

void TestBalance::lineColumns()
{
    const QString longPurpose = u"Affitto della sede sociale per l'intero anno"_s;
    const QString longPayer = u"Associazione Sportiva Dilettantistica Roma"_s;
    QStringList values = journal::blankMovement(QDate(2024, 3, 9));
    values[journal::Purpose] = longPurpose;
    values[journal::Payer] = longPayer;
    values[journal::Beneficiary] = u"Mario Rossi"_s;
    values[journal::SignedAmount] = u"-1234,50"_s;
    QByteArray record = journal::movementLayout().blankRecord();
    journal::movementLayout().setFields(record, values);

    const QString line = balanceLine(record);
    QCOMPARE(line.left(9), u"USCITA   "_s);
    QCOMPARE(line.mid(9, 40), longPurpose.left(40));
    QCOMPARE(line.mid(49, 18), u"  Data: 09/03/2024"_s);
    QCOMPARE(line.mid(67, 6 + 28), u"  Da: "_s + longPayer.left(28));
    QCOMPARE(line.mid(101, 5 + 28), u"  A: Mario Rossi"_s + QString(17, u' '));
    QCOMPARE(line.mid(134, 11), u"  Importo: "_s);
    QCOMPARE(line.mid(145), u"-1234,50"_s); // column 146

    values[journal::SignedAmount] = u"+7,00"_s;
    journal::movementLayout().setFields(record, values);
    QCOMPARE(balanceLine(record).left(9), u"ENTRATA  "_s);
    QCOMPARE(balanceLine(record).mid(145), u"+7,00"_s);

    // An amount without its sign is neither: the type column stays blank.
    values[journal::SignedAmount] = u"7,00"_s;
    journal::movementLayout().setFields(record, values);
    QCOMPARE(balanceLine(record).left(9), QString(9, u' '));
    QCOMPARE(balanceLine(record).mid(145), u"7,00"_s);
}

void TestBalance::totals_data()
{
    QTest::addColumn<QList<Movement>>("movements");
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("expense");
    QTest::addColumn<QString>("balance");
    const QString d = u"15/06/2024"_s;
    QTest::newRow("empty year") << QList<Movement> {} << u"0,00"_s << u"0,00"_s << u"0,00"_s;
    QTest::newRow("tenths that drift in binary")
        << QList<Movement> {{d, u"+0,10"_s}, {d, u"+0,20"_s}, {d, u"-0,30"_s}} << u"0,30"_s
        << u"-0,30"_s << u"0,00"_s;
    QList<Movement> tenDimes(10, Movement {d, u"+0,10"_s});
    QTest::newRow("ten times ten cents") << tenDimes << u"1,00"_s << u"0,00"_s << u"1,00"_s;
    QTest::newRow("incomes and an expense")
        << QList<Movement> {{d, u"+100,00"_s}, {d, u"+50,50"_s}, {d, u"-20,25"_s}} << u"150,50"_s
        << u"-20,25"_s << u"130,25"_s;
    QTest::newRow("only expenses")
        << QList<Movement> {{d, u"-0,70"_s}, {d, u"-0,10"_s}, {d, u"-0,20"_s}} << u"0,00"_s
        << u"-1,00"_s << u"-1,00"_s;
    QTest::newRow("whole sum") << QList<Movement> {{d, u"+149,99"_s}, {d, u"+0,01"_s}}
                               << u"150,00"_s << u"0,00"_s << u"150,00"_s;
    QTest::newRow("negative balance")
        << QList<Movement> {{d, u"+1,10"_s}, {d, u"-2,20"_s}, {d, u"+0,03"_s}} << u"1,13"_s
        << u"-2,20"_s << u"-1,07"_s;
    QTest::newRow("largest amounts")
        << QList<Movement> {{d, u"+99999999999,99"_s}, {d, u"+99999999999,99"_s}}
        << u"199999999999,98"_s << u"0,00"_s << u"199999999999,98"_s;
    QTest::newRow("unreadable movements left out") << QList<Movement> {{d, u"+1,00"_s},
        {u"31/02/2024"_s, u"+5,00"_s}, {d, u"+x"_s}, {QString(), u"+5,00"_s}, {d, u"-0,50"_s}}
                                                   << u"1,00"_s << u"-0,50"_s << u"0,50"_s;
}

void TestBalance::totals()
{
    QFETCH(QList<Movement>, movements);
    QFETCH(QString, income);
    QFETCH(QString, expense);
    QFETCH(QString, balance);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.eur"_s);
    QVERIFY(writeJournal(path, movements));

    const BalanceSummary summary = summarise({path, QDate(2024, 1, 1), QDate(2024, 12, 31), {}});
    QVERIFY(summary.lines.archiveOk);
    QCOMPARE(balance::formatCents(summary.incomeCents), income);
    QCOMPARE(balance::formatCents(summary.expenseCents), expense);
    QCOMPARE(balance::formatCents(summary.balanceCents), balance);
    QCOMPARE(summary.lines.size() + summary.unreadable, movements.size());
}

void TestBalance::selectsByPurposeAndInterval_data()
{
    QTest::addColumn<QString>("purpose");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<QString>("balance");
    const QDate jan1(2024, 1, 1);
    const QDate dec31(2024, 12, 31);
    QTest::newRow("whole year") << QString() << jan1 << dec31 << QList<int> {1, 2, 3, 4, 5, 6, 7}
                                << u"1,42"_s;
    QTest::newRow("both ends included")
        << QString() << QDate(2024, 3, 1) << QDate(2024, 3, 31) << QList<int> {2, 3} << u"0,06"_s;
    QTest::newRow("one day") << QString() << QDate(2024, 3, 31) << QDate(2024, 3, 31)
                             << QList<int> {3} << u"0,04"_s;
    QTest::newRow("no movement in interval")
        << QString() << QDate(2024, 5, 1) << QDate(2024, 5, 31) << QList<int> {} << u"0,00"_s;
    QTest::newRow("purpose in any case")
        << u"affitto"_s << jan1 << dec31 << QList<int> {2, 3} << u"0,06"_s;
    // Taken as typed, as the movement search takes it: blanks around are part of the text.
    QTest::newRow("purpose with a blank after")
        << u"AFFITTO "_s << jan1 << dec31 << QList<int> {2, 3} << u"0,06"_s;
    QTest::newRow("purpose with a blank before")
        << u" sede"_s << jan1 << dec31 << QList<int> {2} << u"0,02"_s;
    QTest::newRow("purpose with blanks no purpose has")
        << u"  AFFITTO"_s << jan1 << dec31 << QList<int> {} << u"0,00"_s;
    QTest::newRow("purpose of blanks takes all")
        << u"   "_s << jan1 << dec31 << QList<int> {1, 2, 3, 4, 5, 6, 7} << u"1,42"_s;
    // Only A to Z fold: an accented capital is another letter than its small form.
    QTest::newRow("accented purpose as stored")
        << u"QUOTA è"_s << jan1 << dec31 << QList<int> {6} << u"1,00"_s;
    QTest::newRow("accented capital")
        << u"QUOTA È"_s << jan1 << dec31 << QList<int> {} << u"0,00"_s;
    QTest::newRow("accented capital of a stored capital")
        << u"caffÈ"_s << jan1 << dec31 << QList<int> {7} << u"0,16"_s;
    QTest::newRow("caffè in capitals misses caffè")
        << u"Caffè"_s << jan1 << dec31 << QList<int> {} << u"0,00"_s;
    QTest::newRow("purpose nowhere") << u"Luce"_s << jan1 << dec31 << QList<int> {} << u"0,00"_s;
}

void TestBalance::selectsByPurposeAndInterval()
{
    QFETCH(QString, purpose);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QList<int>, positions);
    QFETCH(QString, balance);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.eur"_s);
    QVERIFY(writeJournal(path,
        {{u"29/02/2024"_s, u"+0,01"_s, u"Quota"_s},
            {u"01/03/2024"_s, u"+0,02"_s, u"Affitto sede"_s},
            {u"31/03/2024"_s, u"+0,04"_s, u"AFFITTO palestra"_s},
            {u"01/04/2024"_s, u"+0,08"_s, u"Quota"_s}, {u"31/12/2024"_s, u"+0,11"_s, u"Quota"_s},
            {u"01/01/2024"_s, u"+1,00"_s, u"Quota è dovuta"_s},
            {u"02/01/2024"_s, u"+0,16"_s, u"CAFFÈ soci"_s}}));
    // Kept in this year's archive but dated in another: never inside an interval of the year.
    store::ArchiveFile archive(path, journal::kMovementRecordSize);
    QVERIFY(archive.openForWriting());
    QVERIFY(archive.append(recordOf({u"31/12/2023"_s, u"+9,00"_s, u"Affitto sede"_s})));
    archive.close();

    const BalanceSummary summary = summarise({path, from, to, purpose});
    QVERIFY(summary.lines.archiveOk);
    QCOMPARE(summary.lines.positions, QList<qint64>(positions.begin(), positions.end()));
    QCOMPARE(balance::formatCents(summary.balanceCents), balance);
}

void TestBalance::unreadableArchive()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"2024.eur"_s));
    const BalanceSummary summary
        = summarise({dir.filePath(u"2024.eur"_s), QDate(2024, 1, 1), QDate(2024, 12, 31), {}});
    QVERIFY(!summary.lines.archiveOk);

    // A year with no archive yet is an empty year.
    const BalanceSummary missing
        = summarise({dir.filePath(u"2023.eur"_s), QDate(2023, 1, 1), QDate(2023, 12, 31), {}});
    QVERIFY(missing.lines.archiveOk);
    QVERIFY(missing.lines.isEmpty());
    QVERIFY(!missing.yearMissing);
}

void TestBalance::missingYearInReadOnlyFolder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2023.eur"_s);
    BalanceSummary summary;
    {
        const test::ReadOnlyAccess readOnly({dir.path()});
        if (!readOnly.effective())
            QSKIP("This user writes through every permission");
        summary = summarise({path, QDate(2023, 1, 1), QDate(2023, 12, 31), {}});
    }
    QVERIFY(summary.lines.archiveOk);
    QVERIFY(summary.lines.isEmpty());
    QVERIFY(summary.yearMissing);
}

void TestBalance::damagedRecordsCounted()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.eur"_s);
    QVERIFY(writeJournal(path,
        {{u"15/06/2024"_s, u"+1,00"_s}, {u"15/06/2024"_s, u"+x"_s}, {u"xx/06/2024"_s, u"+1,00"_s},
            // Unreadable but outside the interval: not this summary's concern.
            {u"15/06/2024"_s, u"+1,00"_s, u"Luce"_s}, {u"15/07/2024"_s, u"+x"_s}}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    QVERIFY(file.write("tail cut short") > 0); // a last record the disk never finished
    file.close();
    const BalanceSummary summary = summarise({path, QDate(2024, 6, 1), QDate(2024, 6, 30), {}});
    QVERIFY(summary.lines.archiveOk);
    QVERIFY(!summary.yearMissing);
    QCOMPARE(summary.lines.size(), 2);
    QCOMPARE(summary.unreadable, 3);
    QCOMPARE(summary.balanceCents, 200);
    // A purpose filter leaves out what it would not list, readable or not.
    const BalanceSummary filtered
        = summarise({path, QDate(2024, 6, 1), QDate(2024, 6, 30), u"Luce"_s});
    QCOMPARE(filtered.lines.size(), 1);
    QCOMPARE(filtered.unreadable, 1);
}

void TestBalance::footer()
{
    BalanceSummary summary;
    summary.incomeCents = 15000;
    summary.expenseCents = -2025;
    summary.balanceCents = 12975;
    const QStringList lines
        = summaryFooter(intervalText(QDate(2024, 1, 1), QDate(2024, 12, 31)), summary);
    QCOMPARE(lines,
        QStringList({u"- - - - - - - - - - - - - - - -"_s,
            u"INTERVALLO SELEZIONATO :      Dal   01/01/2024   al   31/12/2024"_s,
            u"TOTALE ENTRATE :              150,00 €"_s,
            u"TOTALE USCITE :               -20,25 €"_s,
            u"BILANCIO ENTRATE E USCITE :   129,75 €"_s}));
}

QTEST_GUILESS_MAIN(TestBalance)
#include "tst_balance.moc"
