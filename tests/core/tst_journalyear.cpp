// The year typed for a yearly archive: what is accepted, at the ends of its range, and what is
// refused with the year screen's warning.
#include "journal/MovementRecord.h"

#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;

namespace {

const QString kRefusal = u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s;

} // namespace

class TestJournalYear final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsTheYear_data();
    void readsTheYear();
    void writesFourDigits_data();
    void writesFourDigits();
};

void TestJournalYear::readsTheYear_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("year"); // -1 when refused

    QTest::newRow("lowest") << u"0000"_s << 0;
    QTest::newRow("highest") << u"9999"_s << 9999;
    QTest::newRow("usual") << u"2026"_s << 2026;
    QTest::newRow("leading zeros") << u"0999"_s << 999;
    QTest::newRow("blanks around") << u"  2025 "_s << 2025;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("only blanks") << u"    "_s << -1;
    QTest::newRow("three digits") << u"999"_s << -1;
    QTest::newRow("five digits") << u"10000"_s << -1;
    QTest::newRow("letter") << u"20a6"_s << -1;
    QTest::newRow("sign") << u"-202"_s << -1;
    QTest::newRow("inner blank") << u"20 26"_s << -1;
    QTest::newRow("other script digits") << u"٢٠٢٦"_s << -1;
    QTest::newRow("slash before zero") << u"/000"_s << -1;
    QTest::newRow("colon after nine") << u"999:"_s << -1;
}

void TestJournalYear::readsTheYear()
{
    QFETCH(QString, typed);
    QFETCH(int, year);
    const journal::JournalYear read = journal::readJournalYear(typed);
    QCOMPARE(read.accepted(), year >= 0);
    QCOMPARE(read.refusal, year >= 0 ? QString() : kRefusal);
    if (year >= 0)
        QCOMPARE(read.year, year);
}

void TestJournalYear::writesFourDigits_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("text");

    QTest::newRow("lowest") << 0 << u"0000"_s;
    QTest::newRow("three digits") << 999 << u"0999"_s;
    QTest::newRow("usual") << 2026 << u"2026"_s;
    QTest::newRow("highest") << 9999 << u"9999"_s;
}

// What the year field is filled with reads back as the same year.
void TestJournalYear::writesFourDigits()
{
    QFETCH(int, year);
    QFETCH(QString, text);
    QCOMPARE(journal::journalYearText(year), text);
    QCOMPARE(journal::readJournalYear(text).year, year);
}

QTEST_GUILESS_MAIN(TestJournalYear)
#include "tst_journalyear.moc"
