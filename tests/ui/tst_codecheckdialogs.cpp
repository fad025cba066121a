// The three code check dialogs: the verdict "Controlla" gives and whether the dialog stays open
// to correct the code, typing into their fields, and which check a tax-code field opens.
#include "AppFixture.h"

#include "ui/checks/IbanCheck.h"
#include "ui/checks/TaxCodeCheck.h"
#include "ui/checks/VatNumberCheck.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

enum class Check { TaxCode, VatNumber, Iban };

struct Outcome
{
    QString dialog; // class name of the dialog run
    QString field; // the code in its field when it opened
    QString message;
    ui::MessageKind kind = ui::MessageKind::Information;
    bool open = false; // still open after the message
};

const QString kTaxLength
    = u"Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."_s;
const QString kVatLength
    = u"Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."_s;
const QString kIbanLength
    = u"Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."_s;
const QString kVatWrong = u"Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                          "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                          "che lo ha rilasciato."_s;

QString vatValid(const QString &office)
{
    return u"Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato "
           "dall'Ufficio IVA del Comune di "_s
        + office + u"."_s;
}

} // namespace

Q_DECLARE_METATYPE(Check)
Q_DECLARE_METATYPE(ui::MessageKind)

class TestCodeCheckDialogs final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_app = std::make_unique<AppFixture>(); }
    void cleanup() { m_app.reset(); }

    void controllaGivesTheVerdict_data();
    void controllaGivesTheVerdict();
    void fieldsTypeAsTheirCodesAsk_data();
    void fieldsTypeAsTheirCodesAsk();
    void enterReachesControlla();
    void taxCodeFieldOpensItsCheck_data();
    void taxCodeFieldOpensItsCheck();

private:
    // Opens the check on `code`, presses "Controlla" and notes what followed.
    Outcome press(Check check, const QString &code);
    std::unique_ptr<AppFixture> m_app;
};

Outcome TestCodeCheckDialogs::press(Check check, const QString &code)
{
    Outcome outcome;
    m_app->services.onNextDialog([&](QDialog &dialog) {
        outcome.dialog = QString::fromLatin1(dialog.metaObject()->className());
        outcome.field = dialog.findChild<QLineEdit *>()->text();
        control<QPushButton>(&dialog, "btnControlla")->click();
        outcome.open = dialog.result() != QDialog::Accepted;
        return dialog.result();
    });
    ui::AppContext &context = m_app->app().context();
    switch (check) {
    case Check::TaxCode:
        ui::TaxCodeCheck::check(context, nullptr, code);
        break;
    case Check::VatNumber:
        ui::VatNumberCheck::check(context, nullptr, code);
        break;
    case Check::Iban:
        ui::IbanCheck::check(context, nullptr, code);
        break;
    }
    if (!m_app->services.messages.isEmpty()) {
        outcome.message = m_app->services.messages.last().text;
        outcome.kind = m_app->services.messages.last().kind;
    }
    return outcome;
}

void TestCodeCheckDialogs::controllaGivesTheVerdict_data()
{
    QTest::addColumn<Check>("check");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<ui::MessageKind>("kind");
    QTest::addColumn<bool>("staysOpen");
    const auto info = ui::MessageKind::Information;
    const auto warning = ui::MessageKind::Warning;

    QTest::newRow("tax code valid, with its holder's birth")
        << Check::TaxCode << u"RSSMRA85T10A562S"_s
        << u"Il codice fiscale digitato è VALIDO.\r\n\r\nNato il 10/12/1985 a SAN GIULIANO TERME (PI)."_s
        << info << false;
    QTest::newRow("tax code valid, lower case, a homonym's")
        << Check::TaxCode << u"rssmra85t10a56nh"_s
        << u"Il codice fiscale digitato è VALIDO.\r\n\r\nNato il 10/12/1985 a SAN GIULIANO TERME "
           u"(PI).\r\nCodice di un caso di omocodia: 1 cifra sostituita da una lettera."_s
        << info << false;
    QTest::newRow("tax code valid, its birth unreadable")
        << Check::TaxCode << u"RSSMRA85F10A562R"_s << u"Il codice fiscale digitato è VALIDO."_s
        << info << false;
    QTest::newRow("tax code wrong")
        << Check::TaxCode << u"RSSMRA85T10A562T"_s
        << u"Attenzione: il codice fiscale digitato è ERRATO."_s << warning << false;
    QTest::newRow("tax code with a colon")
        << Check::TaxCode << u"RSSMRA85T10:562S"_s
        << u"Attenzione: il codice fiscale digitato è ERRATO."_s << warning << false;
    QTest::newRow("tax code of 15")
        << Check::TaxCode << u"RSSMRA85T10A562"_s << kTaxLength << warning << true;
    QTest::newRow("tax code empty") << Check::TaxCode << QString() << kTaxLength << warning << true;

    QTest::newRow("vat valid, Bologna 1")
        << Check::VatNumber << u"12345670371"_s << vatValid(u"Bologna 1"_s) << info << false;
    QTest::newRow("vat valid, no office")
        << Check::VatNumber << u"12345671031"_s << vatValid(QString()) << info << false;
    QTest::newRow("vat wrong") << Check::VatNumber << u"12345670372"_s << kVatWrong << warning
                               << false;
    QTest::newRow("vat of 10") << Check::VatNumber << u"1234567037"_s << kVatLength << warning
                               << true;
    QTest::newRow("vat empty") << Check::VatNumber << QString() << kVatLength << warning << true;

    QTest::newRow("iban valid") << Check::Iban << u"IT60X0542811101000000123456"_s
                                << u"L'IBAN digitato è VALIDO."_s << info << false;
    QTest::newRow("iban digits swapped")
        << Check::Iban << u"IT60X0542811101000000124356"_s
        << u"Attenzione: l'IBAN digitato è ERRATO!"_s << warning << false;
    QTest::newRow("iban with a hyphen")
        << Check::Iban << u"IT60X0542811101-00000123456"_s
        << u"Attenzione: l'IBAN digitato è ERRATO!"_s << warning << false;
    QTest::newRow("iban of 26") << Check::Iban << u"IT60X054281110100000012345"_s << kIbanLength
                                << warning << true;
    QTest::newRow("foreign iban") << Check::Iban << u"GB82WEST12345698765432"_s << kIbanLength
                                  << warning << true;
}

void TestCodeCheckDialogs::controllaGivesTheVerdict()
{
    QFETCH(Check, check);
    QFETCH(QString, code);
    QFETCH(QString, message);
    QFETCH(ui::MessageKind, kind);
    QFETCH(bool, staysOpen);
    const Outcome outcome = press(check, code);
    QCOMPARE(outcome.field, code);
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(outcome.message, message);
    QCOMPARE(outcome.kind, kind);
    QCOMPARE(outcome.open, staysOpen);
}

void TestCodeCheckDialogs::fieldsTypeAsTheirCodesAsk_data()
{
    QTest::addColumn<Check>("check");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("tax code upper-cased")
        << Check::TaxCode << u" rssmra85t10a562s "_s << u"RSSMRA85T10A562S"_s;
    QTest::newRow("tax code cut at 16")
        << Check::TaxCode << u"RSSMRA85T10A562SX"_s << u"RSSMRA85T10A562S"_s;
    QTest::newRow("vat digits only") << Check::VatNumber << u"0074a3110157"_s << u"00743110157"_s;
    QTest::newRow("iban upper-cased")
        << Check::Iban << u"it60x0542811101000000123456"_s << u"IT60X0542811101000000123456"_s;
}

void TestCodeCheckDialogs::fieldsTypeAsTheirCodesAsk()
{
    QFETCH(Check, check);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QString seen;
    m_app->services.onNextDialog([&](QDialog &dialog) {
        auto *field = dialog.findChild<QLineEdit *>();
        typeText(field, typed);
        seen = field->text();
        return int(QDialog::Rejected);
    });
    ui::AppContext &context = m_app->app().context();
    if (check == Check::TaxCode)
        ui::TaxCodeCheck::check(context, nullptr, QString());
    else if (check == Check::VatNumber)
        ui::VatNumberCheck::check(context, nullptr, QString());
    else
        ui::IbanCheck::check(context, nullptr, QString());
    QCOMPARE(seen, shown);
}

void TestCodeCheckDialogs::enterReachesControlla()
{
    bool reached = false;
    m_app->services.onNextDialog([&](QDialog &dialog) {
        dialog.show();
        dialog.activateWindow();
        if (!QTest::qWaitForWindowActive(&dialog))
            return int(QDialog::Rejected);
        // The field has the focus as the dialog shows.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        reached = QApplication::focusWidget() == control<QPushButton>(&dialog, "btnControlla");
        return int(QDialog::Rejected);
    });
    ui::IbanCheck::check(m_app->app().context(), nullptr, u"IT60X0542811101000000123456"_s);
    QVERIFY(reached);
    QVERIFY(m_app->services.messages.isEmpty());
}

void TestCodeCheckDialogs::taxCodeFieldOpensItsCheck_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("code");
    const QString taxCode = u"almavest::ui::TaxCodeCheck"_s;
    const QString vat = u"almavest::ui::VatNumberCheck"_s;
    QTest::newRow("empty") << QString() << taxCode << QString();
    QTest::newRow("blanks only") << u"   "_s << taxCode << QString();
    QTest::newRow("codice fiscale") << u" RSSMRA85T10A562S "_s << taxCode << u"RSSMRA85T10A562S"_s;
    QTest::newRow("eleven digits") << u" 00743110157 "_s << vat << u"00743110157"_s;
    QTest::newRow("digits and a letter") << u"0074311015A"_s << taxCode << u"0074311015A"_s;
}

void TestCodeCheckDialogs::taxCodeFieldOpensItsCheck()
{
    QFETCH(QString, field);
    QFETCH(QString, dialog);
    QFETCH(QString, code);
    QString opened;
    QString shown;
    m_app->services.onNextDialog([&](QDialog &shownDialog) {
        opened = QString::fromLatin1(shownDialog.metaObject()->className());
        shown = shownDialog.findChild<QLineEdit *>()->text();
        return int(QDialog::Rejected);
    });
    ui::openTaxCodeCheck(m_app->app().context(), nullptr, field);
    QCOMPARE(opened, dialog);
    QCOMPARE(shown, code);
}

QTEST_MAIN(TestCodeCheckDialogs)
#include "tst_codecheckdialogs.moc"
