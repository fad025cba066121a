// The codice fiscale made from birth data and read back: the letters of surname and name, the
// woman's day, homonym codes, and every way a code can fail to be read.
#include "checks/CodeChecks.h"
#include "checks/TaxCodeRules.h"
#include "places/PlaceRegister.h"

#include <QTest>

using namespace almavest::checks;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Sex)

namespace {

const QDate kToday(2026, 12, 11);

// `code` with its digits replaced by the homonym letters, the last `count` of them, and its
// check character made again.
QString homonym(const QString &code, int count)
{
    static constexpr int kPlaces[] = {14, 13, 12, 10, 9, 7, 6};
    QString changed = code.left(15);
    for (int i = 0; i < count; ++i) {
        const int place = kPlaces[i];
        changed[place] = QChar(u"LMNPQRSTUV"[changed.at(place).unicode() - u'0']);
    }
    return changed + *taxCodeCheckCharacter(changed);
}

} // namespace

class TestTaxCodeRules final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void surnameLetters_data();
    void surnameLetters();
    void nameLetters_data();
    void nameLetters();
    void codeOfAPerson_data();
    void codeOfAPerson();
    void codeNeedsEveryPiece_data();
    void codeNeedsEveryPiece();
    void readingGivesTheBirthBack_data();
    void readingGivesTheBirthBack();
    void unreadableCodes_data();
    void unreadableCodes();
    void everyPlaceMangled();
    void holderDescribed_data();
    void holderDescribed();
    void fullNameSplit_data();
    void fullNameSplit();
    void cardAgainstItsCode_data();
    void cardAgainstItsCode();
};

void TestTaxCodeRules::surnameLetters_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("letters");
    QTest::newRow("three consonants") << u"Rossi"_s << u"RSS"_s;
    QTest::newRow("two consonants and a vowel") << u"Bianchi"_s << u"BNC"_s;
    QTest::newRow("one consonant") << u"Rea"_s << u"REA"_s;
    QTest::newRow("short, padded with X") << u"Fo"_s << u"FOX"_s;
    QTest::newRow("vowels only") << u"Oe"_s << u"OEX"_s;
    QTest::newRow("blank and apostrophe left out") << u"D'Amico De Santis"_s << u"DMC"_s;
    QTest::newRow("accents dropped") << u"Niccolò"_s << u"NCC"_s;
    QTest::newRow("accented vowels") << u"Èòà"_s << u"EOA"_s;
    QTest::newRow("lower case") << u"verdi"_s << u"VRD"_s;
    QTest::newRow("Y is a consonant") << u"Yu"_s << u"YUX"_s;
}

void TestTaxCodeRules::surnameLetters()
{
    QFETCH(QString, surname);
    QFETCH(QString, letters);
    QCOMPARE(almavest::checks::surnameLetters(surname), letters);
}

void TestTaxCodeRules::nameLetters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("letters");
    QTest::newRow("four consonants: first, third, fourth") << u"Gianfranco"_s << u"GFR"_s;
    QTest::newRow("exactly four consonants") << u"Federico"_s << u"FRC"_s;
    QTest::newRow("two names, five consonants") << u"Maria Grazia"_s << u"MGR"_s;
    QTest::newRow("three consonants") << u"Giacomo"_s << u"GCM"_s;
    QTest::newRow("two consonants") << u"Mario"_s << u"MRA"_s;
    QTest::newRow("double consonant") << u"Anna"_s << u"NNA"_s;
    QTest::newRow("one consonant") << u"Ugo"_s << u"GUO"_s;
    QTest::newRow("short, padded with X") << u"Al"_s << u"LAX"_s;
}

void TestTaxCodeRules::nameLetters()
{
    QFETCH(QString, name);
    QFETCH(QString, letters);
    QCOMPARE(almavest::checks::nameLetters(name), letters);
}

void TestTaxCodeRules::codeOfAPerson_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("code");
    // The code printed on countless forms as the example of one.
    QTest::newRow("a man") << u"Rossi"_s << u"Mario"_s << Sex::Male << QDate(1985, 12, 10)
                           << u"A562"_s << u"RSSMRA85T10A562S"_s;
    QTest::newRow("a woman, day plus 40")
        << u"Bianchi"_s << u"Maria"_s << Sex::Female << QDate(1990, 3, 15) << u"F205"_s
        << u"BNCMRA90C55F205"_s;
    QTest::newRow("a woman on the first") << u"Neri"_s << u"Anna"_s << Sex::Female
                                          << QDate(2001, 1, 1) << u"H501"_s << u"NRENNA01A41H501"_s;
    QTest::newRow("born abroad, on the last of the year")
        << u"Smith"_s << u"John"_s << Sex::Male << QDate(1970, 12, 31) << u"z404"_s
        << u"SMTJHN70T31Z404"_s;
    QTest::newRow("year 2000") << u"Fo"_s << u"Al"_s << Sex::Male << QDate(2000, 6, 9) << u"L219"_s
                               << u"FOXLAX00H09L219"_s;
}

// The code is made whole, its check character included; where the row gives fifteen characters,
// the sixteenth is the check character of the existing check.
void TestTaxCodeRules::codeOfAPerson()
{
    QFETCH(QString, surname);
    QFETCH(QString, name);
    QFETCH(Sex, sex);
    QFETCH(QDate, birth);
    QFETCH(QString, place);
    QFETCH(QString, code);
    const std::optional<QString> made = taxCodeOf({surname, name, sex, birth, place});
    QVERIFY(made);
    QVERIFY(taxCodeValid(*made));
    QCOMPARE(made->left(code.size()), code);
}

void TestTaxCodeRules::codeNeedsEveryPiece_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QString>("place");
    QTest::newRow("no surname") << u""_s << u"Mario"_s << QDate(1985, 12, 10) << u"A562"_s;
    QTest::newRow("a surname of no letters")
        << u"' -"_s << u"Mario"_s << QDate(1985, 12, 10) << u"A562"_s;
    QTest::newRow("no name") << u"Rossi"_s << u" "_s << QDate(1985, 12, 10) << u"A562"_s;
    QTest::newRow("no birth date") << u"Rossi"_s << u"Mario"_s << QDate() << u"A562"_s;
    QTest::newRow("no place") << u"Rossi"_s << u"Mario"_s << QDate(1985, 12, 10) << u""_s;
    QTest::newRow("place of three") << u"Rossi"_s << u"Mario"_s << QDate(1985, 12, 10) << u"A56"_s;
    QTest::newRow("place starting with a digit")
        << u"Rossi"_s << u"Mario"_s << QDate(1985, 12, 10) << u"1562"_s;
    QTest::newRow("place with a letter for a digit")
        << u"Rossi"_s << u"Mario"_s << QDate(1985, 12, 10) << u"A56N"_s;
}

void TestTaxCodeRules::codeNeedsEveryPiece()
{
    QFETCH(QString, surname);
    QFETCH(QString, name);
    QFETCH(QDate, birth);
    QFETCH(QString, place);
    QCOMPARE(taxCodeOf({surname, name, Sex::Male, birth, place}), std::nullopt);
}

void TestTaxCodeRules::readingGivesTheBirthBack_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<Sex>("sex");
    QTest::addColumn<QString>("place");
    QTest::addColumn<int>("substitutions");
    const QString man = u"RSSMRA85T10A562S"_s;
    const QString woman
        = *taxCodeOf({u"Bianchi"_s, u"Maria"_s, Sex::Female, QDate(1990, 3, 15), u"F205"_s});
    QTest::newRow("a man") << man << QDate(1985, 12, 10) << Sex::Male << u"A562"_s << 0;
    QTest::newRow("lower case") << man.toLower() << QDate(1985, 12, 10) << Sex::Male << u"A562"_s
                                << 0;
    QTest::newRow("a woman") << woman << QDate(1990, 3, 15) << Sex::Female << u"F205"_s << 0;
    QTest::newRow("homonym, one letter")
        << homonym(man, 1) << QDate(1985, 12, 10) << Sex::Male << u"A562"_s << 1;
    QTest::newRow("homonym, two letters")
        << homonym(man, 2) << QDate(1985, 12, 10) << Sex::Male << u"A562"_s << 2;
    QTest::newRow("homonym, all seven")
        << homonym(woman, 7) << QDate(1990, 3, 15) << Sex::Female << u"F205"_s << 7;
    QTest::newRow("born abroad") << *taxCodeOf(
        {u"Smith"_s, u"John"_s, Sex::Male, QDate(1970, 12, 31), u"Z404"_s})
                                 << QDate(1970, 12, 31) << Sex::Male << u"Z404"_s << 0;
    QTest::newRow("born this year: this century")
        << *taxCodeOf({u"Neri"_s, u"Anna"_s, Sex::Female, QDate(2026, 1, 1), u"H501"_s})
        << QDate(2026, 1, 1) << Sex::Female << u"H501"_s << 0;
    QTest::newRow("a year after this one: the last century")
        << *taxCodeOf({u"Neri"_s, u"Anna"_s, Sex::Female, QDate(1927, 12, 31), u"H501"_s})
        << QDate(1927, 12, 31) << Sex::Female << u"H501"_s << 0;
    QTest::newRow("29 February") << *taxCodeOf(
        {u"Neri"_s, u"Ugo"_s, Sex::Male, QDate(2004, 2, 29), u"H501"_s})
                                 << QDate(2004, 2, 29) << Sex::Male << u"H501"_s << 0;
}

void TestTaxCodeRules::readingGivesTheBirthBack()
{
    QFETCH(QString, code);
    QFETCH(QDate, birth);
    QFETCH(Sex, sex);
    QFETCH(QString, place);
    QFETCH(int, substitutions);
    const std::optional<TaxCodeBirth> read = readTaxCode(code, kToday);
    QVERIFY(read);
    QCOMPARE(read->birthDate, birth);
    QCOMPARE(read->sex, sex);
    QCOMPARE(read->placeCode, place);
    QCOMPARE(read->substitutions, substitutions);
}

void TestTaxCodeRules::unreadableCodes_data()
{
    QTest::addColumn<QString>("first"); // fifteen characters; the check character is added
    QTest::newRow("month letter F") << u"RSSMRA85F10A562"_s;
    QTest::newRow("day 0") << u"RSSMRA85T00A562"_s;
    QTest::newRow("day 32") << u"RSSMRA85T32A562"_s;
    QTest::newRow("day 40") << u"RSSMRA85T40A562"_s;
    QTest::newRow("day 72") << u"RSSMRA85T72A562"_s;
    QTest::newRow("30 February") << u"RSSMRA85B30A562"_s;
    QTest::newRow("29 February of a common year") << u"RSSMRA85B29A562"_s;
    QTest::newRow("a digit among the surname letters") << u"R5SMRA85T10A562"_s;
    QTest::newRow("a digit for the place letter") << u"RSSMRA85T101562"_s;
    QTest::newRow("a letter that stands for no digit") << u"RSSMRA85T10A56A"_s;
    QTest::newRow("a replaced digit before a plain one") << u"RSSMRAU5T10A562"_s;
}

// A code whose check character is right but whose pieces cannot be read gives nothing.
void TestTaxCodeRules::unreadableCodes()
{
    QFETCH(QString, first);
    const QString code = first + *taxCodeCheckCharacter(first);
    QVERIFY(taxCodeValid(code));
    QCOMPARE(readTaxCode(code, kToday), std::nullopt);
}

// One character changed anywhere, to the next letter or digit, and the code is not read.
void TestTaxCodeRules::everyPlaceMangled()
{
    const QString code = homonym(u"RSSMRA85T10A562S"_s, 2);
    for (int place = 0; place < kTaxCodeLength; ++place) {
        QString mangled = code;
        const QChar c = code.at(place);
        mangled[place] = c == u'Z' ? u'A' : c == u'9' ? u'0' : QChar(c.unicode() + 1);
        QVERIFY2(!readTaxCode(mangled, kToday), qPrintable(mangled));
    }
    QVERIFY(readTaxCode(code, kToday));
}

void TestTaxCodeRules::holderDescribed_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    const auto code = [](const char16_t *surname, Sex sex, QDate birth, const char16_t *place) {
        return *taxCodeOf(
            {QString::fromUtf16(surname), u"Anna"_s, sex, birth, QString::fromUtf16(place)});
    };
    QTest::newRow("a man, a comune renamed since")
        << u"RSSMRA85T10A562S"_s << u"Nato il 10/12/1985 a SAN GIULIANO TERME (PI)."_s;
    QTest::newRow("a woman, the name of the comune then") << code(u"Neri", Sex::Female,
        QDate(1930, 2, 1), u"A562") << u"Nata il 01/02/1930 a BAGNI SAN GIULIANO (PI)."_s;
    QTest::newRow("the province then") << code(u"Neri", Sex::Male, QDate(1980, 6, 1), u"F704")
                                       << u"Nato il 01/06/1980 a MONZA (MI)."_s;
    QTest::newRow("a foreign state") << code(u"Smith", Sex::Male, QDate(1970, 12, 31), u"Z404")
                                     << u"Nato il 31/12/1970 all'estero (STATI UNITI D'AMERICA)."_s;
    QTest::newRow("a ceased state") << code(u"Novak", Sex::Female, QDate(1975, 4, 2), u"Z105")
                                    << u"Nata il 02/04/1975 all'estero (CECOSLOVACCHIA)."_s;
    QTest::newRow("a place not in the lists")
        << code(u"Neri", Sex::Male, QDate(1980, 6, 1), u"A000")
        << u"Nato il 01/06/1980 nel luogo di codice A000, che non risulta nell'elenco dei comuni "
           u"e degli stati esteri."_s;
    QTest::newRow("a homonym's, one letter")
        << homonym(u"RSSMRA85T10A562S"_s, 1)
        << u"Nato il 10/12/1985 a SAN GIULIANO TERME (PI).\r\nCodice di un caso di omocodia: 1 "
           u"cifra sostituita da una lettera."_s;
    QTest::newRow("a homonym's, seven letters")
        << homonym(u"RSSMRA85T10A562S"_s, 7)
        << u"Nato il 10/12/1985 a SAN GIULIANO TERME (PI).\r\nCodice di un caso di omocodia: 7 "
           u"cifre sostituite da lettere."_s;
}

void TestTaxCodeRules::holderDescribed()
{
    QFETCH(QString, code);
    QFETCH(QString, text);
    const std::optional<TaxCodeBirth> birth = readTaxCode(code, kToday);
    QVERIFY(birth);
    QCOMPARE(birthDescription(*birth, almavest::places::PlaceRegister::builtIn()), text);
}

void TestTaxCodeRules::fullNameSplit_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("name");
    QTest::newRow("surname and name") << u"Rossi Mario"_s << u"Rossi"_s << u"Mario"_s;
    QTest::newRow("two names") << u"Bianchi Maria Grazia"_s << u"Bianchi"_s << u"Maria Grazia"_s;
    QTest::newRow("a particle") << u"De Luca Anna"_s << u"De Luca"_s << u"Anna"_s;
    QTest::newRow("a particle, lower case")
        << u"della rovere giulio"_s << u"della rovere"_s << u"giulio"_s;
    QTest::newRow("an apostrophe, one word") << u"D'Amico Luca"_s << u"D'Amico"_s << u"Luca"_s;
    QTest::newRow("an apostrophe, two words") << u"D' Amico Luca"_s << u"D' Amico"_s << u"Luca"_s;
    QTest::newRow("a particle and one word after") << u"De Luca"_s << u"De"_s << u"Luca"_s;
    QTest::newRow("blanks around and doubled") << u"  Rossi   Mario "_s << u"Rossi"_s << u"Mario"_s;
    QTest::newRow("one word") << u"Rossi"_s << u"Rossi"_s << u""_s;
    QTest::newRow("nothing") << u"  "_s << u""_s << u""_s;
}

void TestTaxCodeRules::fullNameSplit()
{
    QFETCH(QString, fullName);
    QFETCH(QString, surname);
    QFETCH(QString, name);
    const FullName split = splitFullName(fullName);
    QCOMPARE(split.surname, surname);
    QCOMPARE(split.name, name);
}

void TestTaxCodeRules::cardAgainstItsCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("birthDate");
    QTest::addColumn<QString>("birthPlace");
    QTest::addColumn<QStringList>("disagree");
    const QString code = u"RSSMRA85T10A562S"_s; // 10/12/1985, San Giuliano Terme
    const QString wrongDate = u"la data di nascita (nel codice: 10/12/1985)"_s;
    const QString wrongPlace = u"il luogo di nascita (nel codice: SAN GIULIANO TERME (PI))"_s;
    QTest::newRow("both agree") << code << u"10/12/1985"_s << u"San Giuliano Terme"_s
                                << QStringList {};
    QTest::newRow("a short year, the place with its province")
        << code << u"10/12/85"_s << u"SAN GIULIANO TERME (PI)"_s << QStringList {};
    QTest::newRow("the place's old name")
        << code << u"10/12/1985"_s << u"Bagni San Giuliano"_s << QStringList {};
    QTest::newRow("a day off") << code << u"11/12/1985"_s << u"San Giuliano Terme"_s
                               << QStringList {wrongDate};
    QTest::newRow("another comune")
        << code << u"10/12/1985"_s << u"Pisa"_s << QStringList {wrongPlace};
    QTest::newRow("both") << code << u"01/01/1990"_s << u"Roma"_s
                          << QStringList {wrongDate, wrongPlace};
    QTest::newRow("nothing on the card") << code << u""_s << u""_s << QStringList {};
    QTest::newRow("a place the lists do not know")
        << code << u"10/12/1985"_s << u"Frazione Xyz"_s << QStringList {};
    QTest::newRow("a date that cannot be read")
        << code << u"dicembre 85"_s << u""_s << QStringList {};
    QTest::newRow("a wrong code") << u"RSSMRA85T10A562T"_s << u"01/01/1990"_s << u"Roma"_s
                                  << QStringList {};
    QTest::newRow("a homonym's code")
        << homonym(code, 3) << u"10/12/1985"_s << u"Roma"_s << QStringList {wrongPlace};
}

void TestTaxCodeRules::cardAgainstItsCode()
{
    QFETCH(QString, code);
    QFETCH(QString, birthDate);
    QFETCH(QString, birthPlace);
    QFETCH(QStringList, disagree);
    QCOMPARE(taxCodeDisagreements(
                 code, birthDate, birthPlace, kToday, almavest::places::PlaceRegister::builtIn()),
        disagree);
}

QTEST_MAIN(TestTaxCodeRules)
#include "tst_taxcoderules.moc"
