// The Windows-1252 codec of archive and INI text, and its best fit for other characters.
#include "store/Cp1252.h"

#include <QTest>

using namespace almavest::store;
using namespace Qt::StringLiterals;

class TestCp1252 final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void everyByteDecodesAndEncodesBack();
    void bestFit_data();
    void bestFit();
    void nearestLetters_data();
    void nearestLetters();
    void everyLetterOfLatinExtendedAKeepsALetter();
};

void TestCp1252::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ascii") << u"Rossi Mario 12,50"_s << QByteArray("Rossi Mario 12,50");
    QTest::newRow("euro") << u"25 €"_s << QByteArray("25 \x80");
    QTest::newRow("italian accents")
        << u"àèéìòùÀÈÉÌÒÙ"_s << QByteArray("\xE0\xE8\xE9\xEC\xF2\xF9\xC0\xC8\xC9\xCC\xD2\xD9");
    QTest::newRow("typographic quotes and dash") << u"‘a’ “b” – … —"_s
                                                 << QByteArray("\x91"
                                                               "a\x92 \x93"
                                                               "b\x94 \x96 \x85 \x97");
    QTest::newRow("specials of 0x80-0x9F")
        << u"ŠšŽžŒœŸƒ†‡ˆ‰‹›•˜™‚„"_s
        << QByteArray(
               "\x8A\x9A\x8E\x9E\x8C\x9C\x9F\x83\x86\x87\x88\x89\x8B\x9B\x95\x98\x99\x82\x84");
    QTest::newRow("latin-1 upper half")
        << u"\u00A0¡«°±·»¿ßÿ"_s << QByteArray("\xA0\xA1\xAB\xB0\xB1\xB7\xBB\xBF\xDF\xFF");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestCp1252::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toCp1252(text), bytes);
    QCOMPARE(fromCp1252(bytes), text);
}

void TestCp1252::everyByteDecodesAndEncodesBack()
{
    // The five bytes the page leaves undefined must survive a read and a write too.
    QByteArray every;
    QString singly;
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        const QString decoded = fromCp1252(one);
        QCOMPARE(decoded.size(), 1);
        QCOMPARE(toCp1252(decoded), one);
        every.append(one);
        singly.append(decoded);
    }
    // Decoded together, eight bytes at a time, every byte in every place of a word.
    for (int shift = 0; shift < 8; ++shift)
        QCOMPARE(fromCp1252(every.mid(shift)), singly.mid(shift));
    QCOMPARE(fromCp1252(QByteArray("\x81\x8D\x8F\x90\x9D")), u"\u0081\u008D\u008F\u0090\u009D"_s);
}

void TestCp1252::bestFit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("hungarian double acute") << u"Erdős"_s << QByteArray("Erdos");
    QTest::newRow("polish ogonek and acute") << u"Łódź ąę"_s
                                             << QByteArray("L\xF3"
                                                           "dz ae");
    QTest::newRow("czech caron outside the page") << u"Dvořák"_s << QByteArray("Dvor\xE1k");
    QTest::newRow("romanian comma below") << u"Timișoara"_s << QByteArray("Timisoara");
    QTest::newRow("vietnamese stacked accents") << u"Phạm Ước"_s << QByteArray("Pham Uoc");
    QTest::newRow("separate combining accent")
        << QStringLiteral("caffe\u0300") << QByteArray("caff\xE8");
    QTest::newRow("cjk") << u"東京"_s << QByteArray("??");
    QTest::newRow("cyrillic") << u"Иван"_s << QByteArray("????");
    QTest::newRow("emoji is one character") << u"ok 😀!"_s << QByteArray("ok ?!");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("c1 control without a place") << QString(QChar(0x0080)) << QByteArray("?");
}

void TestCp1252::bestFit()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toCp1252(text), bytes);
}

void TestCp1252::nearestLetters_data()
{
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QByteArray>("bytes");
    // The Latin letters of the European languages that the page lacks, language by language.
    QTest::newRow("polish") << u"ĄąĆćĘęŁłŃńŚśŹźŻż"_s << QByteArray("AaCcEeLlNnSsZzZz");
    QTest::newRow("czech and slovak")
        << u"ČčĎďĚěĹĺĽľŇňŔŕŘřŤťŮů"_s << QByteArray("CcDdEeLlLlNnRrRrTtUu");
    QTest::newRow("hungarian") << u"ŐőŰű"_s << QByteArray("OoUu");
    QTest::newRow("romanian, comma and cedilla") << u"ĂăȘșȚțŞşŢţ"_s << QByteArray("AaSsTtSsTt");
    QTest::newRow("croatian") << u"ĐđĆćČč"_s << QByteArray("DdCcCc");
    QTest::newRow("latvian") << u"ĀāĒēĢģĪīĶķĻļŅņŌōŖŗŪū"_s << QByteArray("AaEeGgIiKkLlNnOoRrUu");
    QTest::newRow("lithuanian") << u"ĖėĮįŲų"_s << QByteArray("EeIiUu");
    QTest::newRow("turkish and azerbaijani") << u"ĞğİıŞşƏə"_s << QByteArray("GgIiSsEe");
    QTest::newRow("maltese") << u"ĊċĠġĦħŻż"_s << QByteArray("CcGgHhZz");
    QTest::newRow("esperanto") << u"ĈĉĜĝĤĥĴĵŜŝŬŭ"_s << QByteArray("CcGgHhJjSsUu");
    QTest::newRow("welsh") << u"ŴŵŶŷẀẁẂẃẄẅỲỳ"_s << QByteArray("WwYyWwWwWwYy");
    QTest::newRow("sami") << u"ŊŋŦŧƷʒǮǯǦǧǨǩǤǥ"_s << QByteArray("NnTtZzZzGgKkGg");
    QTest::newRow("catalan") << u"Ŀŀ"_s << QByteArray("Ll");
    QTest::newRow("irish dotted") << u"ḂḃḊḋḞḟṀṁṖṗṠṡṪṫ"_s << QByteArray("BbDdFfMmPpSsTt");
    QTest::newRow("afrikaans, greenlandic, long s, dutch") << u"ŉĸſĲĳ"_s << QByteArray("nqsYy");
    QTest::newRow("german capital sharp s") << u"STRAẞE"_s
                                            << QByteArray("STRA\xDF"
                                                          "E");
    QTest::newRow("a name") << u"Łukasz Żółć"_s
                            << QByteArray("Lukasz Z\xF3"
                                          "lc");
    // What the page has stays as it is.
    QTest::newRow("the page's own letters")
        << u"àéüßœŠŽÆØÐÞðþÅÿŸ"_s
        << QByteArray("\xE0\xE9\xFC\xDF\x9C\x8A\x8E\xC6\xD8\xD0\xDE\xF0\xFE\xC5\xFF\x9F");
}

void TestCp1252::nearestLetters()
{
    QFETCH(QString, letters);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toCp1252(letters), bytes);
    // The same, one character at a time.
    for (qsizetype i = 0; i < letters.size(); ++i)
        QCOMPARE(cp1252Byte(letters[i]), bytes[i]);
}

void TestCp1252::everyLetterOfLatinExtendedAKeepsALetter()
{
    // Every letter of the block that holds most European letters comes back as a letter of the
    // same case, never "?".
    for (char16_t code = 0x0100; code <= 0x017F; ++code) {
        const QChar letter(code);
        const QString back = fromCp1252(toCp1252(QString(letter)));
        QVERIFY2(back.size() == 1 && back[0].isLetter(), qPrintable(QString(letter)));
        QVERIFY2(back[0].isUpper() == letter.isUpper(), qPrintable(QString(letter)));
    }
}

QTEST_APPLESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
