// The codice fiscale, partita IVA and IBAN checks from published codes and their mangled copies,
// the VAT office table at its ends and gaps, and which check a tax-code field opens.
#include "checks/CodeChecks.h"

#include <QTest>

using namespace almavest::checks;
using namespace Qt::StringLiterals;

class TestCodeChecks final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void taxCode_data();
    void taxCode();
    void vatNumber_data();
    void vatNumber();
    void vatOffice_data();
    void vatOffice();
    void iban_data();
    void iban();
    void taxCodeFieldRouting_data();
    void taxCodeFieldRouting();
};

void TestCodeChecks::taxCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("valid");
    QTest::newRow("published example") << u"RSSMRA85T10A562S"_s << true;
    QTest::newRow("second published example") << u"MRTMTT91D08F205J"_s << true;
    QTest::newRow("typed in lower case") << u"rssmra85t10a562s"_s << true;
    // Letters in place of digits (omocodia) are checked like any other code.
    QTest::newRow("digits replaced by letters") << u"RSSMRA85T10A56NH"_s << true;
    QTest::newRow("last letter changed") << u"RSSMRA85T10A562T"_s << false;
    QTest::newRow("two characters swapped") << u"RSSMRA58T10A562S"_s << false;
    QTest::newRow("last character a digit") << u"RSSMRA85T10A5620"_s << false;
    QTest::newRow("15 characters") << u"RSSMRA85T10A562"_s << false;
    QTest::newRow("17 characters") << u"RSSMRA85T10A562SS"_s << false;
    QTest::newRow("empty") << QString() << false;
    // A colon, a blank or an accented letter has no value in the tables: never VALIDO, even
    // when the sum would come out right by counting it as nothing.
    QTest::newRow("colon counted as zero would pass") << u"RSSMRA85T10:562S"_s << false;
    QTest::newRow("blank inside") << u"RSSMRA85T10 562S"_s << false;
    QTest::newRow("accented letter") << u"RSSMRÀ85T10A562S"_s << false;
    // Y and Z, whose odd-place values are neighbours, each in an odd place without the other.
    QTest::newRow("Y first") << u"YNGMRA80A01H501I"_s << true;
    QTest::newRow("Y fifth, Z in an even place") << u"VRDZYA70B12L736W"_s << true;
    QTest::newRow("Z first, Y in an even place") << u"ZYLNNA75E41F205M"_s << true;
    QTest::newRow("Z third") << u"BZZGNY90C12L219M"_s << true;
    // Every letter in the first (odd) place of one code, the rest unchanged: two odd-place
    // values exchanged make one of these fail.
    const QStringList everyLetterFirst = {u"ASSMRA85T10A562L"_s, u"BSSMRA85T10A562K"_s,
        u"CSSMRA85T10A562P"_s, u"DSSMRA85T10A562R"_s, u"ESSMRA85T10A562T"_s, u"FSSMRA85T10A562X"_s,
        u"GSSMRA85T10A562Z"_s, u"HSSMRA85T10A562B"_s, u"ISSMRA85T10A562D"_s, u"JSSMRA85T10A562F"_s,
        u"KSSMRA85T10A562M"_s, u"LSSMRA85T10A562O"_s, u"MSSMRA85T10A562C"_s, u"NSSMRA85T10A562E"_s,
        u"OSSMRA85T10A562V"_s, u"PSSMRA85T10A562N"_s, u"QSSMRA85T10A562Q"_s, u"RSSMRA85T10A562S"_s,
        u"SSSMRA85T10A562W"_s, u"TSSMRA85T10A562Y"_s, u"USSMRA85T10A562A"_s, u"VSSMRA85T10A562U"_s,
        u"WSSMRA85T10A562G"_s, u"XSSMRA85T10A562J"_s, u"YSSMRA85T10A562I"_s, u"ZSSMRA85T10A562H"_s};
    for (const QString &code : everyLetterFirst)
        QTest::addRow("%c first", code[0].toLatin1()) << code << true;
}

void TestCodeChecks::taxCode()
{
    QFETCH(QString, code);
    QFETCH(bool, valid);
    QCOMPARE(taxCodeValid(code), valid);
}

void TestCodeChecks::vatNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("valid");
    QTest::newRow("published number") << u"00743110157"_s << true;
    QTest::newRow("check digit 0") << u"12345670009"_s << true;
    QTest::newRow("doubled digit over 9") << u"07643520567"_s << true;
    QTest::newRow("first digit changed") << u"10743110157"_s << false;
    QTest::newRow("tenth digit changed") << u"00743110167"_s << false;
    QTest::newRow("check digit changed") << u"00743110158"_s << false;
    QTest::newRow("ten digits") << u"0074311015"_s << false;
    QTest::newRow("twelve digits") << u"007431101570"_s << false;
    QTest::newRow("a letter") << u"0074311015A"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestCodeChecks::vatNumber()
{
    QFETCH(QString, number);
    QFETCH(bool, valid);
    QCOMPARE(vatNumberValid(number), valid);
}

void TestCodeChecks::vatOffice_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("office");
    QTest::newRow("first code") << u"12345670017"_s << u"Torino"_s;
    QTest::newRow("Bologna 1") << u"12345670371"_s << u"Bologna 1"_s;
    QTest::newRow("accented town") << u"12345670405"_s << u"Forlì"_s;
    QTest::newRow("101") << u"12345671015"_s << u"Bologna 2"_s;
    QTest::newRow("120, same office as 101") << u"12345671205"_s << u"Bologna 2"_s;
    QTest::newRow("last code") << u"12345671213"_s << u"Napoli 2"_s;
    QTest::newRow("000") << u"12345670009"_s << QString();
    QTest::newRow("first gap") << u"12345671031"_s << QString();
    QTest::newRow("last gap") << u"12345671197"_s << QString();
    QTest::newRow("past the table") << u"12345671221"_s << QString();
    // The whole table, office by office: valid numbers with each code.
    const std::pair<const char *, const char *> offices[] = {{"12345670017", "Torino"},
        {"12345670025", "Vercelli"}, {"12345670033", "Novara"}, {"12345670041", "Cuneo"},
        {"12345670058", "Asti"}, {"12345670066", "Alessandria"}, {"12345670074", "Aosta"},
        {"12345670082", "Imperia"}, {"12345670090", "Savona"}, {"12345670108", "Genova 1"},
        {"12345670116", "La Spezia"}, {"12345670124", "Varese"}, {"12345670132", "Como"},
        {"12345670140", "Sondrio"}, {"12345670157", "Milano 1"}, {"12345670165", "Bergamo"},
        {"12345670173", "Brescia 1"}, {"12345670181", "Pavia"}, {"12345670199", "Cremona"},
        {"12345670207", "Mantova"}, {"12345670215", "Bolzano"}, {"12345670223", "Trento"},
        {"12345670231", "Verona"}, {"12345670249", "Vicenza"}, {"12345670256", "Belluno"},
        {"12345670264", "Treviso"}, {"12345670272", "Venezia"}, {"12345670280", "Padova"},
        {"12345670298", "Rovigo"}, {"12345670306", "Udine"}, {"12345670314", "Gorizia"},
        {"12345670322", "Trieste"}, {"12345670330", "Piacenza"}, {"12345670348", "Parma"},
        {"12345670355", "Reggio Emilia"}, {"12345670363", "Modena"}, {"12345670371", "Bologna 1"},
        {"12345670389", "Ferrara"}, {"12345670397", "Ravenna"}, {"12345670405", "Forlì"},
        {"12345670413", "Pesaro"}, {"12345670421", "Ancona"}, {"12345670439", "Macerata"},
        {"12345670447", "Ascoli Piceno"}, {"12345670454", "Massa Carrara"},
        {"12345670462", "Lucca"}, {"12345670470", "Pistoia"}, {"12345670488", "Firenze 1"},
        {"12345670496", "Livorno"}, {"12345670504", "Pisa"}, {"12345670512", "Arezzo"},
        {"12345670520", "Siena"}, {"12345670538", "Grosseto"}, {"12345670546", "Perugia"},
        {"12345670553", "Terni"}, {"12345670561", "Viterbo"}, {"12345670579", "Rieti"},
        {"12345670587", "Roma 1"}, {"12345670595", "Latina"}, {"12345670603", "Frosinone"},
        {"12345670611", "Caserta"}, {"12345670629", "Benevento"}, {"12345670637", "Napoli 1"},
        {"12345670645", "Avellino"}, {"12345670652", "Salerno"}, {"12345670660", "Aquila"},
        {"12345670678", "Teramo"}, {"12345670686", "Pescara"}, {"12345670694", "Chieti"},
        {"12345670702", "Campobasso"}, {"12345670710", "Foggia"}, {"12345670728", "Bari"},
        {"12345670736", "Taranto"}, {"12345670744", "Brindisi"}, {"12345670751", "Lecce"},
        {"12345670769", "Potenza"}, {"12345670777", "Matera"}, {"12345670785", "Cosenza"},
        {"12345670793", "Catanzaro"}, {"12345670801", "Reggio Calabria"},
        {"12345670819", "Trapani"}, {"12345670827", "Palermo"}, {"12345670835", "Messina"},
        {"12345670843", "Agrigento"}, {"12345670850", "Caltanissetta"}, {"12345670868", "Enna"},
        {"12345670876", "Catania"}, {"12345670884", "Ragusa"}, {"12345670892", "Siracusa"},
        {"12345670900", "Sassari"}, {"12345670918", "Nuoro"}, {"12345670926", "Cagliari"},
        {"12345670934", "Pordenone"}, {"12345670942", "Isernia"}, {"12345670959", "Oristano"},
        {"12345670967", "Monza (Milano 2)"}, {"12345670975", "Prato (Firenze 2)"},
        {"12345670983", "Brescia 2"}, {"12345670991", "Chiavari (Genova 2)"},
        {"12345671007", "Roma 2"}, {"12345671015", "Bologna 2"}, {"12345671023", "Napoli 2"},
        {"12345671205", "Bologna 2"}, {"12345671213", "Napoli 2"}};
    for (const auto &[number, town] : offices)
        QTest::addRow("code %s", number + 7)
            << QString::fromLatin1(number) << QString::fromUtf8(town);
}

void TestCodeChecks::vatOffice()
{
    QFETCH(QString, number);
    QFETCH(QString, office);
    QVERIFY(vatNumberValid(number));
    QCOMPARE(vatOfficeName(number), office);
}

void TestCodeChecks::iban_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("remainder");
    QTest::addColumn<bool>("valid");
    QTest::newRow("published Italian IBAN") << u"IT60X0542811101000000123456"_s << 1 << true;
    QTest::newRow("lower case") << u"it60x0542811101000000123456"_s << 1 << true;
    QTest::newRow("in groups of four") << u"IT60 X054 2811 1010 0000 0123 456"_s << 1 << true;
    QTest::newRow("IBAN written before it") << u"IBANIT60X0542811101000000123456"_s << 1 << true;
    QTest::newRow("other country") << u"GB82WEST12345698765432"_s << 1 << true;
    QTest::newRow("adjacent digits swapped") << u"IT60X0542811101000000124356"_s << 51 << false;
    QTest::newRow("check digits changed") << u"IT61X0542811101000000123456"_s << 2 << false;
    QTest::newRow("hyphen") << u"IT60X0542811101-00000123456"_s << 0 << false;
    QTest::newRow("empty") << QString() << 0 << false;
}

void TestCodeChecks::iban()
{
    QFETCH(QString, text);
    QFETCH(int, remainder);
    QFETCH(bool, valid);
    if (!text.contains(u' '))
        QCOMPARE(ibanRemainder(text), remainder);
    QCOMPARE(ibanValid(text), valid);
}

void TestCodeChecks::taxCodeFieldRouting_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("vatCheck");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("codice fiscale") << u"RSSMRA85T10A562S"_s << false;
    QTest::newRow("eleven digits") << u"00743110157"_s << true;
    QTest::newRow("one digit") << u"7"_s << true;
    QTest::newRow("digits and a letter") << u"0074311015A"_s << false;
}

void TestCodeChecks::taxCodeFieldRouting()
{
    QFETCH(QString, field);
    QFETCH(bool, vatCheck);
    QCOMPARE(checkForTaxCodeField(field) == TaxCodeCheck::VatNumber, vatCheck);
}

QTEST_GUILESS_MAIN(TestCodeChecks)
#include "tst_codechecks.moc"
