// The interval of a balance: the checks in the order they are made, and the calendar at the ends
// of its ranges.
#include "balance/BalanceInterval.h"
#include "text/TextRoutines.h"

#include <QTest>

using namespace almavest;
using namespace almavest::balance;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(IntervalProblem)

class TestBalanceInterval final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void months_data();
    void months();
    void checks_data();
    void checks();
};

void TestBalanceInterval::months_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::newRow("first") << u"Gennaio"_s << u"01"_s;
    QTest::newRow("last") << u"Dicembre"_s << u"12"_s;
    QTest::newRow("any case, blanks around") << u"  sETTEMBRE "_s << u"09"_s;
    QTest::newRow("no month") << u"Gennaioo"_s << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestBalanceInterval::months()
{
    QFETCH(QString, name);
    QFETCH(QString, number);
    QCOMPARE(monthNames().size(), 12);
    QCOMPARE(monthNumber(name), number);
}

void TestBalanceInterval::checks_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QStringList>("ends"); // start day, start month, end day, end month
    QTest::addColumn<IntervalProblem>("problem");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("endText");
    using P = IntervalProblem;
    const QStringList year {u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s};
    QTest::newRow("whole year") << u"2024"_s << year << P::None << u"01/01/2024"_s
                                << u"31/12/2024"_s;
    QTest::newRow("one day") << u"2024"_s << QStringList {u"15"_s, u"Marzo"_s, u"15"_s, u"marzo"_s}
                             << P::None << u"15/03/2024"_s << u"15/03/2024"_s;
    QTest::newRow("first year") << u"0001"_s << year << P::None << u"01/01/0001"_s
                                << u"31/12/0001"_s;
    QTest::newRow("last year") << u"9999"_s << year << P::None << u"01/01/9999"_s
                               << u"31/12/9999"_s;
    QTest::newRow("year zero") << u"0000"_s << year << P::StartDate << u"01/01/0000"_s << QString();
    QTest::newRow("three digits") << u"202"_s << QStringList {} << P::Year << QString()
                                  << QString();
    QTest::newRow("five digits") << u"20245"_s << year << P::Year << QString() << QString();
    QTest::newRow("not digits") << u"20a4"_s << year << P::Year << QString() << QString();
    QTest::newRow("blank in year") << u" 202"_s << year << P::Year << QString() << QString();
    const QString e;
    QTest::newRow("no start day") << u"2024"_s << QStringList {e, e, e, e} << P::StartDay
                                  << QString() << QString();
    QTest::newRow("no start month") << u"2024"_s << QStringList {u"01"_s, u"  "_s, e, e}
                                    << P::StartMonth << QString() << QString();
    QTest::newRow("no end day") << u"2024"_s << QStringList {u"01"_s, u"Maggio"_s, e, e}
                                << P::EndDay << QString() << QString();
    QTest::newRow("no end month") << u"2024"_s << QStringList {u"01"_s, u"Maggio"_s, u"02"_s, e}
                                  << P::EndMonth << QString() << QString();
    QTest::newRow("29 February, leap year")
        << u"2024"_s << QStringList {u"29"_s, u"Febbraio"_s, u"29"_s, u"Febbraio"_s} << P::None
        << u"29/02/2024"_s << u"29/02/2024"_s;
    QTest::newRow("29 February, common year")
        << u"2023"_s << QStringList {u"29"_s, u"Febbraio"_s, u"01"_s, u"Marzo"_s} << P::StartDate
        << u"29/02/2023"_s << QString();
    QTest::newRow("29 February, century not leap")
        << u"1900"_s << QStringList {u"01"_s, u"Febbraio"_s, u"29"_s, u"Febbraio"_s} << P::EndDate
        << u"01/02/1900"_s << u"29/02/1900"_s;
    QTest::newRow("29 February, leap century")
        << u"2000"_s << QStringList {u"01"_s, u"Febbraio"_s, u"29"_s, u"Febbraio"_s} << P::None
        << u"01/02/2000"_s << u"29/02/2000"_s;
    QTest::newRow("30 February") << u"2024"_s
                                 << QStringList {u"30"_s, u"Febbraio"_s, u"31"_s, u"Marzo"_s}
                                 << P::StartDate << u"30/02/2024"_s << QString();
    QTest::newRow("31 April") << u"2024"_s
                              << QStringList {u"01"_s, u"Aprile"_s, u"31"_s, u"Aprile"_s}
                              << P::EndDate << u"01/04/2024"_s << u"31/04/2024"_s;
    QTest::newRow("30 April") << u"2024"_s
                              << QStringList {u"01"_s, u"Aprile"_s, u"30"_s, u"Aprile"_s} << P::None
                              << u"01/04/2024"_s << u"30/04/2024"_s;
    QTest::newRow("31 November") << u"2024"_s
                                 << QStringList {u"31"_s, u"Novembre"_s, u"31"_s, u"Dicembre"_s}
                                 << P::StartDate << u"31/11/2024"_s << QString();
    QTest::newRow("32 of a month")
        << u"2024"_s << QStringList {u"32"_s, u"Gennaio"_s, u"31"_s, u"Marzo"_s} << P::StartDate
        << u"32/01/2024"_s << QString();
    QTest::newRow("day 00") << u"2024"_s << QStringList {u"00"_s, u"Gennaio"_s, u"31"_s, u"Marzo"_s}
                            << P::StartDate << u"00/01/2024"_s << QString();
    QTest::newRow("month that is none")
        << u"2024"_s << QStringList {u"01"_s, u"Gennaio"_s, u"01"_s, u"Brumaio"_s} << P::EndDate
        << u"01/01/2024"_s << QString();
    QTest::newRow("end the day before start")
        << u"2024"_s << QStringList {u"02"_s, u"Marzo"_s, u"01"_s, u"Marzo"_s} << P::EndBeforeStart
        << u"02/03/2024"_s << u"01/03/2024"_s;
    QTest::newRow("end a month before start")
        << u"2024"_s << QStringList {u"31"_s, u"Dicembre"_s, u"01"_s, u"Gennaio"_s}
        << P::EndBeforeStart << u"31/12/2024"_s << u"01/01/2024"_s;
}

void TestBalanceInterval::checks()
{
    QFETCH(QString, year);
    QFETCH(QStringList, ends);
    QFETCH(IntervalProblem, problem);
    QFETCH(QString, startText);
    QFETCH(QString, endText);
    ends.resize(4);
    const IntervalCheck check = checkInterval({year, ends[0], ends[1], ends[2], ends[3]});
    QCOMPARE(check.problem, problem);
    QCOMPARE(check.startText, startText);
    QCOMPARE(check.endText, endText);
    if (problem == IntervalProblem::None) {
        QCOMPARE(text::formatDate(check.from), startText);
        QCOMPARE(text::formatDate(check.to), endText);
    } else {
        QVERIFY(!check.from.isValid() && !check.to.isValid());
    }
}

QTEST_GUILESS_MAIN(TestBalanceInterval)
#include "tst_balanceinterval.moc"
