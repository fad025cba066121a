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
