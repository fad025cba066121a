// Amounts in Italian words, as a receipt writes them: the elisions, the accent of a final "tre",
// the groups of thousands and millions, and the ends of the range.
#include "text/AmountWords.h"

#include <QTest>

using namespace almavest::text;
using namespace Qt::StringLiterals;

class TestAmountWords final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbers_data();
    void numbers();
    void amounts_data();
    void amounts();
};

void TestAmountWords::numbers_data()
{
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("words");
    QTest::newRow("0") << qint64(0) << u"zero"_s;
    QTest::newRow("1") << qint64(1) << u"uno"_s;
    QTest::newRow("3 alone, no accent") << qint64(3) << u"tre"_s;
    QTest::newRow("11") << qint64(11) << u"undici"_s;
    QTest::newRow("17") << qint64(17) << u"diciassette"_s;
    QTest::newRow("19") << qint64(19) << u"diciannove"_s;
    QTest::newRow("20") << qint64(20) << u"venti"_s;
    QTest::newRow("21, elided") << qint64(21) << u"ventuno"_s;
    QTest::newRow("23, accent") << qint64(23) << u"ventitré"_s;
    QTest::newRow("28, elided") << qint64(28) << u"ventotto"_s;
    QTest::newRow("77") << qint64(77) << u"settantasette"_s;
    QTest::newRow("99") << qint64(99) << u"novantanove"_s;
    QTest::newRow("100") << qint64(100) << u"cento"_s;
    QTest::newRow("101") << qint64(101) << u"centouno"_s;
    QTest::newRow("103") << qint64(103) << u"centotré"_s;
    QTest::newRow("108") << qint64(108) << u"centootto"_s;
    QTest::newRow("180, elided") << qint64(180) << u"centottanta"_s;
    QTest::newRow("200") << qint64(200) << u"duecento"_s;
    QTest::newRow("999") << qint64(999) << u"novecentonovantanove"_s;
    QTest::newRow("1000") << qint64(1000) << u"mille"_s;
    QTest::newRow("1001") << qint64(1001) << u"milleuno"_s;
    QTest::newRow("1003") << qint64(1003) << u"milletré"_s;
    QTest::newRow("2000") << qint64(2000) << u"duemila"_s;
    QTest::newRow("21000") << qint64(21000) << u"ventunomila"_s;
    QTest::newRow("999999") << qint64(999999) << u"novecentonovantanovemilanovecentonovantanove"_s;
    QTest::newRow("1000000") << qint64(1000000) << u"unmilione"_s;
    QTest::newRow("1000001") << qint64(1000001) << u"unmilioneuno"_s;
    QTest::newRow("2200000") << qint64(2200000) << u"duemilioniduecentomila"_s;
    QTest::newRow("1234567") << qint64(1234567)
                             << u"unmilioneduecentotrentaquattromilacinquecentosessantasette"_s;
    QTest::newRow("1000000000") << qint64(1000000000) << u"unmiliardo"_s;
    QTest::newRow("the last with words")
        << qint64(999999999999)
        << u"novecentonovantanovemiliardinovecentonovantanove"
           u"milioninovecentonovantanovemilanovecentonovantanove"_s;
}

void TestAmountWords::numbers()
{
    QFETCH(qint64, number);
    QFETCH(QString, words);
    QCOMPARE(numberInWords(number), std::optional<QString>(words));
}

void TestAmountWords::amounts_data()
{
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("words"); // empty: none
    QTest::newRow("one cent") << qint64(1) << u"zero/01"_s;
    QTest::newRow("77,47") << qint64(7747) << u"settantasette/47"_s;
    QTest::newRow("a whole euro") << qint64(100) << u"uno/00"_s;
    QTest::newRow("1.000.000,00") << qint64(100000000) << u"unmilione/00"_s;
    QTest::newRow("zero") << qint64(0) << u"zero/00"_s;
    QTest::newRow("negative") << qint64(-1) << u""_s;
    QTest::newRow("past the words") << qint64(100000000000000) << u""_s;
}

void TestAmountWords::amounts()
{
    QFETCH(qint64, cents);
    QFETCH(QString, words);
    QCOMPARE(amountInWords(cents), words.isEmpty() ? std::nullopt : std::optional<QString>(words));
    QCOMPARE(numberInWords(-1), std::nullopt);
}

QTEST_MAIN(TestAmountWords)
#include "tst_amountwords.moc"
