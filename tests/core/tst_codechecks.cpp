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
