// The routines every screen shares: trims, casing, digits, dates, rounding, amounts, columns.
#include "text/TextRoutines.h"

#include <QTest>

#include <cmath>

using namespace almavest::text;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 12, 10);

} // namespace

class TestTextRoutines final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trimmedText_data();
    void trimmedText();
    void casingOfAToZ_data();
    void casingOfAToZ();
    void digitsOnly_data();
    void digitsOnly();
    void parts_data();
    void parts();
    void dates_data();
    void dates();
    void dateFormat_data();
    void dateFormat();
    void rounding_data();
    void rounding();
    void roundingToZeroIsNeverNegative();
    void amountReading_data();
    void amountReading();
    void shortestForm_data();
    void shortestForm();
    void amountNormalisation_data();
    void amountNormalisation();
    void amountFromPastedText_data();
    void amountFromPastedText();
    void column_data();
    void column();
};

void TestTextRoutines::trimmedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blanks and controls") << u" \t a  b \r\n"_s << u"a  b"_s;
    QTest::newRow("low controls") << u"\x01\x1Fx\x7F"_s << u"x\x7F"_s;
    QTest::newRow("no-break space is text") << u"\u00A0x\u00A0"_s << u"\u00A0x\u00A0"_s;
    QTest::newRow("nothing but blanks") << u"  \t "_s << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestTextRoutines::trimmedText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(trimmed(text), expected);
}

void TestTextRoutines::casingOfAToZ_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("ascii") << u"Rossi mario 12"_s << u"ROSSI MARIO 12"_s << u"rossi mario 12"_s;
    QTest::newRow("accents stay") << u"èÈ città CITTÀ"_s << u"èÈ CITTà CITTÀ"_s
                                  << u"èÈ città cittÀ"_s;
    QTest::newRow("sharp s and dotless i") << u"ßıİ"_s << u"ßıİ"_s << u"ßıİ"_s;
}

void TestTextRoutines::casingOfAToZ()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QCOMPARE(upperAZ(text), upper);
    QCOMPARE(lowerAZ(text), lower);
}

void TestTextRoutines::digitsOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("digits") << u"01234567890"_s << true;
    QTest::newRow("letter") << u"12a"_s << false;
    QTest::newRow("blank") << u" 1"_s << false;
    QTest::newRow("sign") << u"-1"_s << false;
    QTest::newRow("arabic-indic digits") << u"١٢"_s << false;
}

void TestTextRoutines::digitsOnly()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(isDigitsOnly(text), expected);
}

void TestTextRoutines::parts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::newRow("inside") << u"abcdef"_s << 2 << u"ab"_s << u"ef"_s;
    QTest::newRow("longer than the text") << u"abc"_s << 10 << u"abc"_s << u"abc"_s;
    QTest::newRow("zero") << u"abc"_s << 0 << QString() << QString();
    QTest::newRow("negative") << u"abc"_s << -2 << QString() << QString();
}

void TestTextRoutines::parts()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QCOMPARE(leftPart(text, count), left);
    QCOMPARE(rightPart(text, count), right);
}

void TestTextRoutines::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("expected"); // invalid: the text is not a date

    const QDate none;
    QTest::newRow("short numbers") << u"5/3/2014"_s << kToday << QDate(2014, 3, 5);
    QTest::newRow("two-digit year") << u"05/03/14"_s << kToday << QDate(2014, 3, 5);
    QTest::newRow("no year") << u"05/03"_s << kToday << QDate(2026, 3, 5);
    QTest::newRow("no year, trailing slash") << u"05/03/"_s << kToday << QDate(2026, 3, 5);
    QTest::newRow("trailing slash") << u"05/03/2014/"_s << kToday << QDate(2014, 3, 5);
    QTest::newRow("blanks before numbers and after")
        << u" 5/ 3/2014  "_s << kToday << QDate(2014, 3, 5);
    QTest::newRow("blank before the year") << u"05/03/ 2014"_s << kToday << QDate(2014, 3, 5);
    QTest::newRow("leading zeros") << u"0005/0003/2014"_s << kToday << QDate(2014, 3, 5);
    QTest::newRow("29 February of a leap year") << u"29/02/2024"_s << kToday << QDate(2024, 2, 29);
    QTest::newRow("29 February 2000") << u"29/2/2000"_s << kToday << QDate(2000, 2, 29);
    QTest::newRow("window: 30 is 2030") << u"1/1/30"_s << kToday << QDate(2030, 1, 1);
    QTest::newRow("window: 80 is 1980") << u"1/1/80"_s << kToday << QDate(1980, 1, 1);
    QTest::newRow("window: 75 is 2075") << u"1/1/75"_s << kToday << QDate(2075, 1, 1);
    QTest::newRow("window: 76 is 1976") << u"1/1/76"_s << kToday << QDate(1976, 1, 1);
    QTest::newRow("window: one digit") << u"1/1/0"_s << kToday << QDate(2000, 1, 1);
    QTest::newRow("window: typed zero counts") << u"1/1/05"_s << kToday << QDate(2005, 1, 1);
    QTest::newRow("window moves with today")
        << u"1/1/49"_s << QDate(2000, 6, 1) << QDate(2049, 1, 1);
    QTest::newRow("window start") << u"1/1/50"_s << QDate(2000, 6, 1) << QDate(1950, 1, 1);
    QTest::newRow("four digits: year 5") << u"1/1/0005"_s << kToday << QDate(5, 1, 1);
    QTest::newRow("three digits: year 5") << u"1/1/005"_s << kToday << QDate(5, 1, 1);
    QTest::newRow("last year") << u"31/12/9999"_s << kToday << QDate(9999, 12, 31);

    QTest::newRow("31 April") << u"31/04/2014"_s << kToday << none;
    QTest::newRow("29 February 2015") << u"29/02/2015"_s << kToday << none;
    QTest::newRow("29 February 1900") << u"29/02/1900"_s << kToday << none;
    QTest::newRow("hyphens") << u"05-03-2014"_s << kToday << none;
    QTest::newRow("full stops") << u"05.03.2014"_s << kToday << none;
    QTest::newRow("letter after") << u"05/03/2014x"_s << kToday << none;
    QTest::newRow("empty") << QString() << kToday << none;
    QTest::newRow("day only") << u"5"_s << kToday << none;
    QTest::newRow("day only with slash") << u"5/"_s << kToday << none;
    QTest::newRow("day zero") << u"0/1/2014"_s << kToday << none;
    QTest::newRow("month 13") << u"1/13/2014"_s << kToday << none;
    QTest::newRow("month zero") << u"1/0/2014"_s << kToday << none;
    QTest::newRow("five-digit year") << u"1/1/10000"_s << kToday << none;
    QTest::newRow("year 0000") << u"1/1/0000"_s << kToday << none;
    QTest::newRow("year 000") << u"1/1/000"_s << kToday << none;
    QTest::newRow("blank before a slash") << u"5 /3/2014"_s << kToday << none;
    QTest::newRow("two trailing slashes") << u"05/03/2014//"_s << kToday << none;
    QTest::newRow("missing day") << u"/03/2014"_s << kToday << none;
    QTest::newRow("missing month") << u"05//2014"_s << kToday << none;
    QTest::newRow("sign") << u"+5/3/2014"_s << kToday << none;
    QTest::newRow("other digits") << u"٥/3/2014"_s << kToday << none;
}

void TestTextRoutines::dates()
{
    QFETCH(QString, text);
    QFETCH(QDate, today);
    QFETCH(QDate, expected);
    const std::optional<QDate> date = parseDate(text, today);
    QCOMPARE(date.has_value(), expected.isValid());
    QCOMPARE(isValidDate(text, today), expected.isValid());
    if (date)
        QCOMPARE(*date, expected);
}

void TestTextRoutines::dateFormat_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded") << QDate(2014, 3, 5) << u"05/03/2014"_s;
    QTest::newRow("two-digit day and month") << QDate(2026, 12, 31) << u"31/12/2026"_s;
    QTest::newRow("early year") << QDate(5, 1, 1) << u"01/01/0005"_s;
    QTest::newRow("invalid") << QDate() << QString();
}

void TestTextRoutines::dateFormat()
{
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    QCOMPARE(formatDate(date), expected);
    if (date.isValid())
        QCOMPARE(parseDate(expected, kToday), date);
}

void TestTextRoutines::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");
    // 1.005 is stored just below 1.005, 12.345 just above 12.345.
    QTest::newRow("1.005 goes down") << 1.005 << 2 << 1.00;
    QTest::newRow("12.345 goes up") << 12.345 << 2 << 12.35;
    // 0.015 is stored just below; in double precision value * 100 would round up to 1.5.
    QTest::newRow("extended precision: 0.015") << 0.015 << 2 << 0.01;
    QTest::newRow("extended precision: 0.105") << 0.105 << 2 << 0.10;
    QTest::newRow("extended precision: 0.00035") << 0.00035 << 4 << 0.0003;
    QTest::newRow("half up") << 0.125 << 2 << 0.13;
    QTest::newRow("four decimals") << 3.45678 << 4 << 3.4568;
    QTest::newRow("no decimals") << 2.5 << 0 << 3.0;
    QTest::newRow("already round") << 25.0 << 2 << 25.0;
    QTest::newRow("beyond whole numbers") << 1e300 << 2 << 1e300;
    // Negative values round away from zero exactly as positive ones do.
    QTest::newRow("negative, already round") << -12.30 << 2 << -12.30;
    QTest::newRow("negative, 12.345 goes down") << -12.345 << 2 << -12.35;
    QTest::newRow("negative, 1.005 goes up") << -1.005 << 2 << -1.00;
    QTest::newRow("negative half cent") << -0.005 << 2 << -0.01;
    QTest::newRow("negative, no decimals") << -2.5 << 0 << -3.0;
    QTest::newRow("negative, four decimals") << -3.45678 << 4 << -3.4568;
    QTest::newRow("negative already round") << -1500.0 << 2 << -1500.0;
    QTest::newRow("negative half") << -0.125 << 2 << -0.13;
}

void TestTextRoutines::rounding()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    QCOMPARE(roundDecimal(value, decimals), expected);
}

void TestTextRoutines::roundingToZeroIsNeverNegative()
{
    // A small negative value rounds to plain zero, which is written "0", not "-0".
    const double rounded = roundDecimal(-0.001, 2);
    QCOMPARE(rounded, 0.0);
    QVERIFY(!std::signbit(rounded));
    QVERIFY(!std::signbit(roundDecimal(-0.0, 2)));
}

void TestTextRoutines::amountReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << u"12"_s << true << 12.0;
    QTest::newRow("decimal comma") << u"12,5"_s << true << 12.5;
    QTest::newRow("no whole part") << u",5"_s << true << 0.5;
    QTest::newRow("no decimals after the comma") << u"5,"_s << true << 5.0;
    QTest::newRow("blanks and sign") << u" -3,25 "_s << true << -3.25;
    QTest::newRow("plus sign") << u"+7"_s << true << 7.0;
    QTest::newRow("exponent") << u"1,5E2"_s << true << 150.0;
    QTest::newRow("negative exponent") << u"2e-1"_s << true << 0.2;
    QTest::newRow("two commas") << u"1,2,3"_s << false << 0.0;
    QTest::newRow("full stop is no separator") << u"1.5"_s << false << 0.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("blank") << u"  "_s << false << 0.0;
    QTest::newRow("letters") << u"abc"_s << false << 0.0;
    QTest::newRow("comma alone") << u","_s << false << 0.0;
    QTest::newRow("sign alone") << u"-"_s << false << 0.0;
    QTest::newRow("exponent without digits") << u"1E"_s << false << 0.0;
    QTest::newRow("inner blank") << u"12 34"_s << false << 0.0;
    QTest::newRow("thousands separator") << u"1.234,5"_s << false << 0.0;
    QTest::newRow("overflow") << u"1E999"_s << false << 0.0;
}

void TestTextRoutines::amountReading()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> amount = parseAmount(text);
    QCOMPARE(amount.has_value(), valid);
    if (amount)
        QCOMPARE(*amount, value);
}

void TestTextRoutines::shortestForm_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 12.0 << u"12"_s;
    QTest::newRow("one decimal") << 12.5 << u"12,5"_s;
    QTest::newRow("four decimals") << 12.3457 << u"12,3457"_s;
    QTest::newRow("fifteen digits hide the binary error") << 0.1 + 0.2 << u"0,3"_s;
    QTest::newRow("zero") << 0.0 << u"0"_s;
    QTest::newRow("negative zero") << -0.0 << u"0"_s;
    QTest::newRow("no thousands separator") << 1234567.89 << u"1234567,89"_s;
    QTest::newRow("large, no exponent") << 1e20 << u"100000000000000000000"_s;
    QTest::newRow("large, fifteen digits") << 1234567890123456789.0 << u"1234567890123460000"_s;
    QTest::newRow("small, no exponent") << 0.00001 << u"0,00001"_s;
    QTest::newRow("negative") << -2.5 << u"-2,5"_s;
}

void TestTextRoutines::shortestForm()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatShortest(value), expected);
}

void TestTextRoutines::amountNormalisation_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2: whole") << u"12"_s << 2 << u"12,00"_s;
    QTest::newRow("2: one decimal") << u"12,5"_s << 2 << u"12,50"_s;
    QTest::newRow("2: rounded") << u"3,456"_s << 2 << u"3,46"_s;
    QTest::newRow("2: lone decimals") << u",5"_s << 2 << u"0,50"_s;
    QTest::newRow("2: single digit") << u"7"_s << 2 << u"7,00"_s;
    QTest::newRow("2: trailing comma") << u"12,"_s << 2 << u"12,00"_s;
    QTest::newRow("2: 1,005 goes down") << u"1,005"_s << 2 << u"1,00"_s;
    QTest::newRow("2: 12,345 goes up") << u"12,345"_s << 2 << u"12,35"_s;
    QTest::newRow("2: rounds to zero") << u"0,001"_s << 2 << u"0,00"_s;
    QTest::newRow("2: fifteen digits") << u"999999999999999"_s << 2 << u"999999999999999,00"_s;
    QTest::newRow("2: empty") << QString() << 2 << u"0,00"_s;
    QTest::newRow("2: blanks") << u"   "_s << 2 << u"0,00"_s;
    QTest::newRow("2: letters") << u"abc"_s << 2 << u"0,00"_s;
    QTest::newRow("2: full stop") << u"1.5"_s << 2 << u"0,00"_s;
    QTest::newRow("2: negative from a file") << u"-1500"_s << 2 << u"-1500,00"_s;
    QTest::newRow("4: three decimals kept") << u"3,456"_s << 4 << u"3,456"_s;
    QTest::newRow("4: rounded") << u"3,45678"_s << 4 << u"3,4568"_s;
    QTest::newRow("4: rounded up") << u"12,34567"_s << 4 << u"12,3457"_s;
    QTest::newRow("4: 12,345 stays") << u"12,345"_s << 4 << u"12,345"_s;
    QTest::newRow("4: whole") << u"25"_s << 4 << u"25,00"_s;
    QTest::newRow("4: one decimal") << u"12,5"_s << 4 << u"12,50"_s;
    QTest::newRow("4: smallest step") << u"0,00005"_s << 4 << u"0,0001"_s;
    QTest::newRow("4: two commas") << u"1,2,3"_s << 4 << u"0,00"_s;
    QTest::newRow("2: negative kept") << u"-12,30"_s << 2 << u"-12,30"_s;
    QTest::newRow("2: negative rounded") << u"-12,345"_s << 2 << u"-12,35"_s;
    QTest::newRow("2: negative half cent") << u"-0,005"_s << 2 << u"-0,01"_s;
    QTest::newRow("2: negative to zero") << u"-0,001"_s << 2 << u"0,00"_s;
    QTest::newRow("4: negative") << u"-3,45678"_s << 4 << u"-3,4568"_s;
}

void TestTextRoutines::amountNormalisation()
{
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(normaliseAmount(text, decimals), expected);
}

void TestTextRoutines::amountFromPastedText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("plain"); // null: refused
    QTest::addColumn<QString>("shown"); // null: refused
    const QString refused;
    QTest::newRow("point before two decimals") << u"12.50"_s << 2 << u"12,50"_s << u"12,50"_s;
    QTest::newRow("point before one decimal") << u"12.5"_s << 2 << u"12,5"_s << u"12,50"_s;
    QTest::newRow("italian thousands") << u"1.234,50"_s << 2 << u"1234,50"_s << u"1234,50"_s;
    QTest::newRow("english thousands") << u"1,234.50"_s << 2 << u"1234,50"_s << u"1234,50"_s;
    QTest::newRow("millions") << u"1.234.567,8"_s << 2 << u"1234567,8"_s << u"1234567,80"_s;
    QTest::newRow("english millions, no decimals")
        << u"1,234,567"_s << 2 << u"1234567"_s << u"1234567,00"_s;
    QTest::newRow("point before three digits is thousands")
        << u"1.234"_s << 2 << u"1234"_s << u"1234,00"_s;
    QTest::newRow("but not after a lone zero") << u"0.125"_s << 4 << u"0,125"_s << u"0,125"_s;
    QTest::newRow("our own comma, three decimals") << u"3,456"_s << 4 << u"3,456"_s << u"3,456"_s;
    QTest::newRow("our own comma, rounded") << u"3,456"_s << 2 << u"3,456"_s << u"3,46"_s;
    QTest::newRow("four decimals after a point") << u"3.4567"_s << 4 << u"3,4567"_s << u"3,4567"_s;
    QTest::newRow("euro sign and code") << u"€ 25.00 EUR"_s << 2 << u"25,00"_s << u"25,00"_s;
    QTest::newRow("euro after") << u"25,00 €"_s << 4 << u"25,00"_s << u"25,00"_s;
    QTest::newRow("euro word, no blank") << u"12euro"_s << 2 << u"12"_s << u"12,00"_s;
    QTest::newRow("blank thousands") << u"1 234,50"_s << 2 << u"1234,50"_s << u"1234,50"_s;
    QTest::newRow("no-break blank thousands")
        << u"\u00A01\u202F234,50\u00A0"_s << 2 << u"1234,50"_s << u"1234,50"_s;
    QTest::newRow("apostrophe thousands") << u"1'234.50"_s << 2 << u"1234,50"_s << u"1234,50"_s;
    QTest::newRow("trailing point") << u"25."_s << 2 << u"25"_s << u"25,00"_s;
    QTest::newRow("leading point") << u".5"_s << 2 << u"0,5"_s << u"0,50"_s;
    QTest::newRow("leading zeros") << u"007,50"_s << 2 << u"7,50"_s << u"7,50"_s;
    QTest::newRow("plus sign") << u"+3,5"_s << 2 << u"3,5"_s << u"3,50"_s;
    QTest::newRow("zero") << u"0"_s << 2 << u"0"_s << u"0,00"_s;
    QTest::newRow("zero with decimals") << u"0,00"_s << 4 << u"0,00"_s << u"0,00"_s;
    QTest::newRow("1,005 as the box rounds it") << u"1,005"_s << 2 << u"1,005"_s << u"1,00"_s;
    // The ends: fifteen significant digits are kept exactly, one more would be changed.
    QTest::newRow("largest whole amount")
        << u"999999999999999"_s << 2 << u"999999999999999"_s << u"999999999999999,00"_s;
    QTest::newRow("one digit more")
        << u"9999999999999999"_s << 2 << u"9999999999999999"_s << refused;
    QTest::newRow("largest with cents")
        << u"9.999.999.999.999,99"_s << 2 << u"9999999999999,99"_s << u"9999999999999,99"_s;
    QTest::newRow("one cent digit more")
        << u"99.999.999.999.999,99"_s << 2 << u"99999999999999,99"_s << refused;
    QTest::newRow("largest fee") << u"99999999999,9999"_s << 4 << u"99999999999,9999"_s
                                 << u"99999999999,9999"_s;
    QTest::newRow("decimals beyond the rounding do not count")
        << u"9999999999999,991"_s << 2 << u"9999999999999,991"_s << u"9999999999999,99"_s;
    QTest::newRow("empty is the blank amount") << QString() << 2 << refused << u"0,00"_s;
    QTest::newRow("blank is the blank amount") << u" \t "_s << 4 << refused << u"0,00"_s;
    // Refusals.
    QTest::newRow("negative") << u"-3,5"_s << 2 << refused << refused;
    QTest::newRow("negative after the euro") << u"€ -3,5"_s << 2 << refused << refused;
    QTest::newRow("two signs") << u"+-3"_s << 2 << refused << refused;
    QTest::newRow("two points") << u"12.5.3"_s << 2 << refused << refused;
    QTest::newRow("two commas") << u"1,2,3"_s << 2 << refused << refused;
    QTest::newRow("two decimal separators") << u"1.234,5.6"_s << 2 << refused << refused;
    QTest::newRow("bad groups") << u"12.34.567"_s << 2 << refused << refused;
    QTest::newRow("group of four") << u"1.2345,00"_s << 2 << refused << refused;
    QTest::newRow("mixed thousands") << u"1.234 567,00"_s << 2 << refused << refused;
    QTest::newRow("separator among the decimals") << u"1,5 000"_s << 2 << refused << refused;
    QTest::newRow("inner blank") << u"12 34"_s << 2 << refused << refused;
    QTest::newRow("letters") << u"abc"_s << 2 << refused << refused;
    QTest::newRow("digits and letters") << u"12a"_s << 2 << refused << refused;
    QTest::newRow("exponent") << u"1,5E2"_s << 2 << refused << refused;
    QTest::newRow("euro alone") << u"€"_s << 2 << refused << refused;
    QTest::newRow("comma alone") << u","_s << 2 << refused << refused;
    QTest::newRow("point alone") << u"."_s << 2 << refused << refused;
    QTest::newRow("other currency") << u"$ 25.00"_s << 2 << refused << refused;
}

void TestTextRoutines::amountFromPastedText()
{
    QFETCH(QString, input);
    QFETCH(int, decimals);
    QFETCH(QString, plain);
    QFETCH(QString, shown);
    QCOMPARE(plainAmount(input).value_or(QString()), plain);
    QCOMPARE(plainAmount(input).has_value(), !plain.isNull());
    const std::optional<QString> amount = amountFromInput(input, decimals);
    QCOMPARE(amount.has_value(), !shown.isNull());
    if (amount)
        QCOMPARE(*amount, shown);
}

void TestTextRoutines::column_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded") << u"abc"_s << 5 << u"abc  "_s;
    QTest::newRow("trimmed first") << u"  abc \t"_s << 5 << u"abc  "_s;
    QTest::newRow("cut") << u"Rossi Mario"_s << 5 << u"Rossi"_s;
    QTest::newRow("empty text") << QString() << 3 << u"   "_s;
    QTest::newRow("zero width") << u"abc"_s << 0 << QString();
}

void TestTextRoutines::column()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(fixedColumn(text, width), expected);
}

QTEST_APPLESS_MAIN(TestTextRoutines)
#include "tst_textroutines.moc"
