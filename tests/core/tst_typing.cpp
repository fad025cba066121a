// What a box lets in: the key filters at the ends of their character ranges, casing, and one
// edit (typed or pasted) filtered, cased and only then cut to the typing limit.
#include "text/Typing.h"

#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;
using store::Casing;
using store::KeyFilter;

Q_DECLARE_METATYPE(KeyFilter)
Q_DECLARE_METATYPE(Casing)

class TestTyping final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filterAtTheEndsOfItsRanges_data();
    void filterAtTheEndsOfItsRanges();
    void keyTypedIntoABox_data();
    void keyTypedIntoABox();
    void casing_data();
    void casing();
    void oneEdit_data();
    void oneEdit();
};

void TestTyping::filterAtTheEndsOfItsRanges_data()
{
    QTest::addColumn<KeyFilter>("filter");
    QTest::addColumn<QString>("accepted");
    QTest::addColumn<QString>("refused");
    // Each range with its first and last character, and the characters just outside it.
    QTest::newRow("digits") << KeyFilter::Digits << u"09"_s << u"/:aA, "_s;
    QTest::newRow("amount") << KeyFilter::Amount << u"09,"_s << u"/:+-.a "_s;
    QTest::newRow("alphanumeric") << KeyFilter::Alphanumeric << u"09AZaz"_s << u"/:@[`{ -àÀ€"_s;
    QTest::newRow("file name") << KeyFilter::FileName << u" |.àèé!#'~-_+"_s
                               << u"\"*/:<>?\\°ÇÑçñ\t\u001F"_s;
    QTest::newRow("none") << KeyFilter::None << u" /:@[`{-à€~"_s << u""_s;
}

void TestTyping::filterAtTheEndsOfItsRanges()
{
    QFETCH(KeyFilter, filter);
    QFETCH(QString, accepted);
    QFETCH(QString, refused);
    for (const QChar c : accepted)
        QVERIFY2(text::acceptsCharacter(filter, c), qPrintable(QString(c)));
    for (const QChar c : refused)
        QVERIFY2(!text::acceptsCharacter(filter, c), qPrintable(QString(c)));
    QCOMPARE(text::filteredText(filter, QString(accepted + refused)), accepted);
}

void TestTyping::keyTypedIntoABox_data()
{
    QTest::addColumn<KeyFilter>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("passes");
    QTest::newRow("amount: point, taken as the comma") << KeyFilter::Amount << u"."_s << true;
    QTest::newRow("amount: comma") << KeyFilter::Amount << u","_s << true;
    QTest::newRow("amount: digit") << KeyFilter::Amount << u"7"_s << true;
    QTest::newRow("amount: minus") << KeyFilter::Amount << u"-"_s << false;
    QTest::newRow("amount: two points") << KeyFilter::Amount << u".."_s << false;
    QTest::newRow("digits: point") << KeyFilter::Digits << u"."_s << false;
    QTest::newRow("alphanumeric: point") << KeyFilter::Alphanumeric << u"."_s << false;
    QTest::newRow("none: point") << KeyFilter::None << u"."_s << true;
}

void TestTyping::keyTypedIntoABox()
{
    QFETCH(KeyFilter, filter);
    QFETCH(QString, typed);
    QFETCH(bool, passes);
    QCOMPARE(text::acceptsKey(filter, typed), passes);
}

void TestTyping::casing_data()
{
    QTest::addColumn<Casing>("casing");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("upper, ends of a-z") << Casing::Upper << u" az AZ @[`{ "_s << u"AZ AZ @[`{"_s;
    QTest::newRow("upper leaves accents") << Casing::Upper << u" àè\tz "_s << u"àè\tZ"_s;
    QTest::newRow("trim only") << Casing::TrimOnly << u"\t a@b.it \n"_s << u"a@b.it"_s;
    QTest::newRow("none") << Casing::None << u" a b "_s << u" a b "_s;
}

void TestTyping::casing()
{
    QFETCH(Casing, casing);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QCOMPARE(text::casedText(casing, typed), kept);
}

void TestTyping::oneEdit_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<KeyFilter>("filter");
    QTest::addColumn<Casing>("casing");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("cursor");

    const auto code
        = [](const char *name, const QString &before, const QString &after) -> QTestData & {
        return QTest::newRow(name)
            << before << after << KeyFilter::Alphanumeric << Casing::Upper << 16;
    };
    code("pasted code filtered before the cut", QString(), u" bnc-ngl 75d43 h501z "_s)
        << u"BNCNGL75D43H501Z"_s << 16;
    code("paste longer than the room", u"ABC"_s, u"ABC rss mra 70c05 d704x"_s)
        << u"ABCRSSMRA70C05D7"_s << 16;
    code("paste in the middle keeps the tail", u"AZ"_s, u"Ab-c9Z"_s) << u"ABC9Z"_s << 4;
    code("full box refuses one more", u"RSSMRA70C05D704X"_s, u"RSSMRA70C05D704XZ"_s)
        << u"RSSMRA70C05D704X"_s << 16;
    code("lower z typed", u"A"_s, u"Az"_s) << u"AZ"_s << 2;
    code("refused character typed", u"AB"_s, u"A-B"_s) << u"AB"_s << 1;
    code("deleting", u"ABC"_s, u"AC"_s) << u"AC"_s << 1;
    code("text longer than the limit may shrink", QString(20, u'A'), QString(19, u'A'))
        << QString(19, u'A') << 19;
    code("but not grow", QString(20, u'A'), QString(21, u'A')) << QString(20, u'A') << 20;

    QTest::newRow("trimmed e-mail") << QString() << u"  anna@x.it  "_s << KeyFilter::None
                                    << Casing::TrimOnly << 50 << u"anna@x.it"_s << 9;
    QTest::newRow("trailing blank before a tail")
        << u"ab"_s << u"a b"_s << KeyFilter::None << Casing::TrimOnly << 50 << u"a b"_s << 2;
    QTest::newRow("amount pasted") << QString() << u"1.234,50 €"_s << KeyFilter::Amount
                                   << Casing::None << 12 << u"1234,50"_s << 7;

    const auto amount = [](const char *name, const QString &before, const QString &after,
                            int limit = 15) -> QTestData & {
        return QTest::newRow(name) << before << after << KeyFilter::Amount << Casing::None << limit;
    };
    amount("point typed is the comma", u"12"_s, u"12."_s) << u"12,"_s << 3;
    amount("point typed in the middle", u"15"_s, u"1.5"_s) << u"1,5"_s << 2;
    amount("point typed after the comma", u"0,00"_s, u"0,00."_s) << u"0,00"_s << 4;
    amount("point typed before the comma", u"12,5"_s, u"1.2,5"_s) << u"12,5"_s << 1;
    amount("point pasted into an empty box", QString(), u"12.50"_s) << u"12,50"_s << 5;
    amount("paste over the whole text", u"0,00"_s, u"€ 25.00 EUR"_s) << u"25,00"_s << 5;
    amount("paste read with what is there", u"1"_s, u"1.50"_s) << u"1,50"_s << 4;
    amount("paste before what is there", u",50"_s, u"€ 3,50"_s) << u"3,50"_s << 1;
    amount("digits pasted as typed", u"0,"_s, u"0,1250"_s) << u"0,1250"_s << 6;
    amount("unreadable paste keeps the box", u"7,00"_s, u"7,00abc"_s) << u"7,00"_s << 4;
    amount("paste with two points refused", QString(), u"12.5.3"_s) << QString() << 0;
    amount("negative paste refused", u"5"_s, u"-3,5"_s) << u"5"_s << 0;
    amount("refused in the middle", u"1234"_s, u"12x34"_s) << u"1234"_s << 2;
    amount("paste that just fits", QString(), u"123.456.789,12"_s, 12) << u"123456789,12"_s << 12;
    amount("paste one longer is refused, not cut", QString(), u"1.234.567.890,12"_s, 12)
        << QString() << 0;
    amount("typed digits are still cut", u"123456789012"_s, u"1234567890123"_s, 12)
        << u"123456789012"_s << 12;

    const auto iban
        = [](const char *name, const QString &before, const QString &after) -> QTestData & {
        return QTest::newRow(name) << before << after << KeyFilter::None << Casing::Upper << 27;
    };
    iban("iban in printed groups", QString(), u"IT 60 X 05428 11101 000000123456"_s)
        << u"IT60X0542811101000000123456"_s << 27;
    iban("iban in groups of four, lower case", QString(), u" it60 x054 2811 1010 0000 0123 456 "_s)
        << u"IT60X0542811101000000123456"_s << 27;
    iban("iban longer than the room still cut", QString(),
        u"IT60\tX054\u00A02811101000000123456 99"_s)
        << u"IT60X0542811101000000123456"_s << 27;
    iban("blank typed inside a code", u"IT60"_s, u"IT 60"_s) << u"IT60"_s << 2;
    QTest::newRow("vat number in groups")
        << QString() << u"IT 012 345 678 90"_s << KeyFilter::Digits << Casing::None << 11
        << u"01234567890"_s << 11;
    QTest::newRow("a name keeps its blanks")
        << QString() << u"Anna Maria Rossi"_s << KeyFilter::None << Casing::None << 10
        << u"Anna Maria"_s << 10;
    QTest::newRow("no limit") << QString() << QString(300, u'x') << KeyFilter::None << Casing::None
                              << 0 << QString(300, u'x') << 300;
    QTest::newRow("limit exactly reached")
        << u"12"_s << u"123"_s << KeyFilter::Digits << Casing::None << 3 << u"123"_s << 3;
}

void TestTyping::oneEdit()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(KeyFilter, filter);
    QFETCH(Casing, casing);
    QFETCH(int, limit);
    QFETCH(QString, kept);
    QFETCH(int, cursor);
    const text::TypedText result = text::applyEdit(before, after, filter, casing, limit);
    QCOMPARE(result.text, kept);
    QCOMPARE(result.cursor, cursor);
}

QTEST_GUILESS_MAIN(TestTyping)
#include "tst_typing.moc"
