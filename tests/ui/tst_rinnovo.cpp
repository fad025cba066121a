// Renewing a member from the card: the dialog's proposal for a lapsed and a current member and
// with calendar-year memberships, the three writes and the receipt handed over, nothing half
// done when a write fails; the receipt's page, line by line; the receipt printed again or given
// later from the movement card; and the association's settings.
#include "AppFixture.h"
#include "PageModel.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "WritesFail.h"

#include "app/IniFile.h"
#include "journal/MovementRecord.h"
#include "membership/AssociationSettings.h"
#include "membership/RenewalWrite.h"
#include "registry/MemberRecord.h"
#include "reminders/ReminderSettings.h"
#include "store/ArchiveFile.h"
#include "ui/app/Application.h"
#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/app/SettingsDialog.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/print/ReceiptPrint.h"
#include "ui/registry/MemberCardScreen.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

// The recorder's today is 10/12/2026.
QStringList renewable(const QString &expiry)
{
    QStringList values = sampleMember(u"Rossi Mario"_s, expiry);
    values[registry::Fee] = u"40,00"_s;
    values[registry::TaxCode] = u"RSSMRA85T10A562S"_s;
    values[registry::BirthDate] = u"10/12/1985"_s;
    values[registry::BirthPlace] = u"San Giuliano Terme"_s;
    return values;
}

QList<QStringList> movements(const QString &path)
{
    QList<QStringList> found;
    store::ArchiveFile archive(path, journal::kMovementRecordSize);
    if (!archive.openForReading())
        return found;
    static_cast<void>(archive.scan([&found](qint64, QByteArrayView record) {
        found.append(journal::movementLayout().fields(record));
        return true;
    }));
    return found;
}

void setSettings(const QString &folder, membership::AssociationKind kind, bool calendarYear)
{
    membership::AssociationSettings settings(folder);
    settings.setKind(kind);
    settings.setCalendarYear(calendarYear);
    QVERIFY(settings.save());
}

membership::Receipt sampleReceipt()
{
    membership::Receipt r;
    r.number = 7;
    r.year = 2026;
    r.movement = 3;
    r.issued = QDate(2026, 12, 10);
    r.amount = u"40,00"_s;
    r.membershipFee = true;
    r.period = u"dal 11/12/2026 al 10/12/2027"_s;
    r.purpose = u"Quota associativa"_s;
    r.payer = u"Rossi & Figli <[DATE]>"_s;
    r.taxCode = u"RSSMRA85T10A562S"_s;
    r.birthDate = u"10/12/1985"_s;
    r.birthPlace = u"San Giuliano Terme"_s;
    return r;
}

} // namespace

class TestRinnovo final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<AppFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void renewal_data();
    void renewal();
    void feeChangedInTheDialog();
    void renewalNeedsTheCardSaved();
    void failedRenewalLeavesAllAsItWas_data();
    void failedRenewalLeavesAllAsItWas();
    void receiptPage_data();
    void receiptPage();
    void duplicateFromTheMovement();
    void newReceiptFromTheMovement_data();
    void newReceiptFromTheMovement();
    void settingsFromTheLauncher();
    void settingsThatCannotBeSaved();

private:
    ui::MemberCardScreen *openCard(const QStringList &member);
    // Renews the card shown through its dialog, changing the fee when `fee` is given; the
    // proposed expiry the dialog showed.
    QString renew(const QString &fee = {});
    ui::MovementCardScreen *openJournal();
    QString file(const QString &name) const { return m_fixture->file(name); }

    std::unique_ptr<AppFixture> m_fixture;
};

ui::MemberCardScreen *TestRinnovo::openCard(const QStringList &member)
{
    writeMembers(file(u"Soci.pro"_s), {sampleMember(u"Bianchi Anna"_s), member});
    m_fixture->openMemberCard();
    ui::MemberCardScreen *card = m_fixture->app().memberCardScreen();
    card->loadCard(2);
    return card;
}

QString TestRinnovo::renew(const QString &fee)
{
    QString proposed;
    m_fixture->services.onNextDialog([&proposed, fee](QDialog &dialog) {
        proposed = control<QLineEdit>(&dialog, "txtNuovaScadenza")->text();
        if (!fee.isEmpty())
            control<QLineEdit>(&dialog, "txtQuota")->setText(fee);
        control<QPushButton>(&dialog, "btnRinnova")->click();
        return dialog.result();
    });
    control<QAbstractButton>(m_fixture->app().memberCardScreen(), "btnRinnova")->click();
    return proposed;
}

ui::MovementCardScreen *TestRinnovo::openJournal()
{
    ui::MovementCardScreen *screen = m_fixture->app().movementCardScreen();
    screen->openYear(m_fixture->app().passwordScreen(), file(u"2026.eur"_s), u"2026"_s);
    return screen;
}

// ---- renewing from the card ------------------------------------------------------------

void TestRinnovo::renewal_data()
{
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<bool>("calendarYear");
    QTest::addColumn<QString>("newExpiry");
    QTest::addColumn<QString>("covered");
    QTest::newRow("lapsed") << u"30/11/2026"_s << false << u"10/12/2027"_s
                            << u"Anno associativo: dal 10/12/2026 al 10/12/2027"_s;
    QTest::newRow("current") << u"15/01/2027"_s << false << u"15/01/2028"_s
                             << u"Anno associativo: dal 16/01/2027 al 15/01/2028"_s;
    QTest::newRow("calendar year, lapsed")
        << u"31/12/2025"_s << true << u"31/12/2026"_s << u"Anno associativo: anno 2026"_s;
    QTest::newRow("calendar year, current")
        << u"31/12/2026"_s << true << u"31/12/2027"_s << u"Anno associativo: anno 2027"_s;
}

void TestRinnovo::renewal()
{
    QFETCH(QString, expiry);
    QFETCH(bool, calendarYear);
    QFETCH(QString, newExpiry);
    setSettings(m_fixture->folder(), membership::AssociationKind::Asd, calendarYear);
    ui::MemberCardScreen *card = openCard(renewable(expiry));
    QCOMPARE(renew(), newExpiry);

    QCOMPARE(card->box(registry::ExpiryDate)->text(), newExpiry);
    QCOMPARE(readMembers(file(u"Soci.pro"_s)).at(1).at(registry::ExpiryDate), newExpiry);
    const QList<QStringList> journal = movements(file(u"2026.eur"_s));
    QCOMPARE(journal.size(), 1);
    QCOMPARE(journal[0][journal::Payer], u"Rossi Mario"_s);
    QCOMPARE(journal[0][journal::Purpose], u"Quota associativa"_s);
    QCOMPARE(journal[0][journal::Amount], u"40,00"_s);
    QCOMPARE(journal[0][journal::OperationDate], u"10/12/2026"_s);
    QCOMPARE(journal[0][journal::Settled], journal::flagText(true));
    QVERIFY(QFile::exists(file(u"Ricevute/2026/Ricevuta_1_2026.pdf"_s)));

    const ShownMessage &told = m_fixture->services.messages.last();
    QCOMPARE(told.kind, ui::MessageKind::Information);
    QVERIFY2(told.text.contains(u"ricevuta n. 1/2026"_s), qPrintable(told.text));
    QCOMPARE(m_fixture->services.previewed.size(), size_t(1));
    const report::PreparedReport &receipt = m_fixture->services.previewed.front();
    QCOMPARE(placedOn(receipt, 0, u"txtTitolo"_s).lines, QStringList {u"Ricevuta n. 1/2026"_s});
    QTEST(placedOn(receipt, 0, u"txtPeriodo"_s).lines.value(0), "covered");
    QCOMPARE(placedOn(receipt, 0, u"txtBollo"_s).lines.value(0), QString()); // a fee, never
}

void TestRinnovo::feeChangedInTheDialog()
{
    ui::MemberCardScreen *card = openCard(renewable(u"30/11/2026"_s));
    renew(u"1.250,5"_s);
    QCOMPARE(card->box(registry::Fee)->text(), u"1250,50"_s);
    QCOMPARE(movements(file(u"2026.eur"_s)).at(0).at(journal::Amount), u"1250,50"_s);
    QCOMPARE(placedOn(m_fixture->services.previewed.front(), 0, u"txtImportoLettere"_s).lines,
        QStringList {u"(euro milleduecentocinquanta/50)"_s});
}

// A new card cannot be renewed, and a card with changes not saved is not renewed over them.
void TestRinnovo::renewalNeedsTheCardSaved()
{
    ui::MemberCardScreen *card = openCard(renewable(u"30/11/2026"_s));
    auto *button = control<QAbstractButton>(card, "btnRinnova");
    QVERIFY(button->isEnabled());
    card->box(registry::Notes)->setText(u"nota nuova"_s);
    button->click();
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QVERIFY(m_fixture->services.lastMessage().contains(u"modifiche non ancora salvate"_s));
    QCOMPARE(card->box(registry::Notes)->text(), u"nota nuova"_s);
    QVERIFY(!QFile::exists(file(u"2026.eur"_s)));
    control<QAbstractButton>(card, "btnNuovo")->click();
    QVERIFY(!button->isEnabled());
}

void TestRinnovo::failedRenewalLeavesAllAsItWas_data()
{
    QTest::addColumn<bool>("cardFails"); // else the journal does
    QTest::addColumn<QString>("named");
    QTest::newRow("the journal") << false << u"primanota 2026 (file 2026.eur)"_s;
    QTest::newRow("the card") << true << u"archivio dei soci (file Soci.pro)"_s;
}

void TestRinnovo::failedRenewalLeavesAllAsItWas()
{
    QFETCH(bool, cardFails);
    QFETCH(QString, named);
    ui::MemberCardScreen *card = openCard(renewable(u"30/11/2026"_s));
    const QByteArray members = fileBytes(file(u"Soci.pro"_s));
    QVERIFY(writeBytes(file(u"2026.eur"_s), QByteArray()));
    if (cardFails) {
        QFile::setPermissions(m_fixture->folder(), QFile::Permissions(0x7777));
        QFile::setPermissions(file(u"2026.eur"_s), QFile::Permissions(0x6666));
        const ReadOnlyAccess readOnly({file(u"Soci.pro"_s)});
        if (!readOnly.effective())
            QSKIP("root could not become an ordinary user");
        renew();
    } else {
        const WritesFail full;
        renew();
    }
    const ShownMessage &told = m_fixture->services.messages.last();
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(told.kind, ui::MessageKind::Error);
    QVERIFY2(told.text.contains(named), qPrintable(told.text));
    QVERIFY(told.text.contains(u"Nessun dato è stato modificato"_s));
    QCOMPARE(fileBytes(file(u"Soci.pro"_s)), members);
    QCOMPARE(fileBytes(file(u"2026.eur"_s)), QByteArray());
    QVERIFY(!QFile::exists(file(u"2026.ric"_s)));
    QVERIFY(!QDir(file(u"Ricevute"_s)).exists());
    QVERIFY(m_fixture->services.previewed.empty());
    QCOMPARE(card->box(registry::ExpiryDate)->text(), u"30/11/2026"_s);
}

// ---- the receipt's page -----------------------------------------------------------------

void TestRinnovo::receiptPage_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("stampDuty");
    QTest::addColumn<bool>("duplicate");
    QTest::addColumn<QString>("words");
    QTest::newRow("one cent") << u"0,01"_s << false << false << u"(euro zero/01)"_s;
    QTest::newRow("the stamp duty's threshold")
        << u"77,47"_s << false << false << u"(euro settantasette/47)"_s;
    QTest::newRow("a million, with stamp duty, duplicate")
        << u"1000000,00"_s << true << true << u"(euro unmilione/00)"_s;
}

void TestRinnovo::receiptPage()
{
    QFETCH(QString, amount);
    QFETCH(bool, stampDuty);
    QFETCH(bool, duplicate);
    QFETCH(QString, words);
    membership::Receipt receipt = sampleReceipt();
    receipt.amount = amount;
    receipt.stampDuty = stampDuty;
    const std::optional<report::PreparedReport> page = ui::prepareReceipt(receipt,
        {u"Circolo \"Amici & Vicini\""_s, u"Via Roma 1, Pisa"_s, u"93000000000"_s}, duplicate,
        QDate(2026, 12, 10));
    QVERIFY(page);
    QCOMPARE(page->pages.size(), size_t(1));
    const std::pair<const char *, QString> lines[] = {
        {"txtAssociazione", u"Circolo \"Amici & Vicini\""_s},
        {"txtSede", u"Sede legale: Via Roma 1, Pisa"_s},
        {"txtCodiceFiscale", u"Codice fiscale: 93000000000"_s},
        {"txtTitolo", u"Ricevuta n. 7/2026"_s},
        {"txtDuplicato", duplicate ? u"duplicato"_s : QString()},
        {"txtRicevutoDa", u"Ricevuto da: Rossi & Figli <[DATE]>"_s},
        {"txtCodiceFiscaleSocio", u"Codice fiscale: RSSMRA85T10A562S"_s},
        {"txtNascita", u"Nato/a a San Giuliano Terme il 10/12/1985"_s},
        {"txtImporto", u"La somma di € "_s + amount},
        {"txtImportoLettere", words},
        {"txtCausale", u"A titolo di: Quota associativa"_s},
        {"txtPeriodo", u"Anno associativo: dal 11/12/2026 al 10/12/2027"_s},
        {"txtBollo",
            stampDuty ? u"Imposta di bollo di 2,00 euro assolta sull'originale."_s : QString()},
        {"txtLuogoData", u"Via Roma 1, Pisa, 10/12/2026"_s},
        {"titFirma", u"Per l'associazione"_s},
        {"txtFirma", u"(firma)"_s},
    };
    for (const auto &[name, text] : lines) {
        const report::ReportObject *object = placedObject(*page, 0, QLatin1String(name));
        QVERIFY2(object, name);
        QVERIFY2(object->lines.join(u'\n') == text,
            qPrintable(QLatin1String(name) + u": "_s + object->lines.join(u'|')));
    }
    QVERIFY(placedObject(*page, 0, u"linFirma"_s));
}

// ---- the receipt from the movement card -----------------------------------------------

void TestRinnovo::duplicateFromTheMovement()
{
    openCard(renewable(u"30/11/2026"_s));
    renew();
    const QByteArray registerBytes = fileBytes(file(u"2026.ric"_s));
    m_fixture->services.clear();
    ui::MovementCardScreen *screen = openJournal();
    QVERIFY(screen->loadCard(1));
    control<QAbstractButton>(screen, "cmdRicevuta")->click();
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.last().kind, ui::MessageKind::Information);
    const report::PreparedReport &copy = m_fixture->services.previewed.front();
    QCOMPARE(placedOn(copy, 0, u"txtTitolo"_s).lines, QStringList {u"Ricevuta n. 1/2026"_s});
    QCOMPARE(placedOn(copy, 0, u"txtDuplicato"_s).lines, QStringList {u"duplicato"_s});
    QCOMPARE(placedOn(copy, 0, u"txtNascita"_s).lines,
        QStringList {u"Nato/a a San Giuliano Terme il 10/12/1985"_s});
    QVERIFY(QFile::exists(file(u"Ricevute/2026/Ricevuta_1_2026_duplicato.pdf"_s)));
    QCOMPARE(fileBytes(file(u"2026.ric"_s)), registerBytes); // no number taken
}

void TestRinnovo::newReceiptFromTheMovement_data()
{
    QTest::addColumn<membership::AssociationKind>("kind");
    QTest::addColumn<QString>("purpose");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("income");
    QTest::addColumn<bool>("settled");
    QTest::addColumn<QString>("stampLine"); // "-" for no receipt given
    const QString stamp = u"Imposta di bollo di 2,00 euro assolta sull'originale."_s;
    using Kind = membership::AssociationKind;
    QTest::newRow("a course over 77,47")
        << Kind::Other << u"Corso di nuoto"_s << u"77,48"_s << true << true << stamp;
    QTest::newRow("a course at 77,47")
        << Kind::Other << u"Corso di nuoto"_s << u"77,47"_s << true << true << QString();
    QTest::newRow("an ETS") << Kind::Ets << u"Corso di nuoto"_s << u"500,00"_s << true << true
                            << QString();
    QTest::newRow("a fee") << Kind::Asd << u"Quota associativa 2026"_s << u"500,00"_s << true
                           << true << QString();
    QTest::newRow("an expense") << Kind::Other << u"Affitto"_s << u"500,00"_s << false << true
                                << u"-"_s;
    QTest::newRow("not settled") << Kind::Other << u"Corso di nuoto"_s << u"500,00"_s << true
                                 << false << u"-"_s;
}

void TestRinnovo::newReceiptFromTheMovement()
{
    QFETCH(membership::AssociationKind, kind);
    QFETCH(QString, purpose);
    QFETCH(QString, amount);
    QFETCH(bool, income);
    QFETCH(bool, settled);
    QFETCH(QString, stampLine);
    setSettings(m_fixture->folder(), kind, false);
    QStringList movement = journal::blankMovement(QDate(2026, 12, 1));
    movement[journal::Income] = journal::flagText(income);
    movement[journal::Expense] = journal::flagText(!income);
    movement[journal::Purpose] = purpose;
    movement[journal::DueDate] = u"01/12/2026"_s;
    movement[journal::Amount] = amount;
    movement[journal::SignedAmount] = journal::signedAmount(movement);
    movement[journal::Payer] = u"Verdi Luca"_s;
    movement[journal::Beneficiary] = u"Circolo"_s;
    movement[journal::Settled] = journal::flagText(settled);
    // The payer is a member: the receipt takes the birth data from the card.
    movement[journal::PayerTaxCode] = u"rssmra85t10a562s"_s;
    writeMembers(
        file(u"Soci.pro"_s), {sampleMember(u"Bianchi Anna"_s), renewable(u"31/12/2027"_s)});
    writeMovements(file(u"2026.eur"_s), {movement, movement});
    ui::MovementCardScreen *screen = openJournal();
    QVERIFY(screen->loadCard(2));
    const bool given = stampLine != u"-"_s;
    if (given)
        m_fixture->services.answerNextQuestion(true);
    control<QAbstractButton>(screen, "cmdRicevuta")->click();
    if (!given) {
        QCOMPARE(m_fixture->services.messages.last().kind, ui::MessageKind::Warning);
        QVERIFY(!QFile::exists(file(u"2026.ric"_s)));
        QVERIFY(m_fixture->services.previewed.empty());
        return;
    }
    QCOMPARE(m_fixture->services.messages.last().kind, ui::MessageKind::Information);
    const report::PreparedReport &receipt = m_fixture->services.previewed.front();
    QCOMPARE(placedOn(receipt, 0, u"txtTitolo"_s).lines, QStringList {u"Ricevuta n. 1/2026"_s});
    QCOMPARE(placedOn(receipt, 0, u"txtDuplicato"_s).lines.value(0), QString());
    QTEST(placedOn(receipt, 0, u"txtBollo"_s).lines.value(0), "stampLine");
    QCOMPARE(placedOn(receipt, 0, u"txtNascita"_s).lines,
        QStringList {u"Nato/a a San Giuliano Terme il 10/12/1985"_s});
    QCOMPARE(membership::receiptOf(file(u"2026.eur"_s), 2)->number, 1);
    QVERIFY(!membership::receiptOf(file(u"2026.eur"_s), 1));
}

// ---- the settings -----------------------------------------------------------------------

void TestRinnovo::settingsFromTheLauncher()
{
    QByteArray other("[Promemoria]\r\nMostra=No\r\n");
    QVERIFY(writeBytes(file(u"Impostazioni.ini"_s), other));
    QString name;
    bool reminderShown = false;
    m_fixture->services.onNextDialog([&name, &reminderShown](QDialog &dialog) {
        name = dialog.objectName();
        control<QComboBox>(&dialog, "cmbTipo")->setCurrentText(u"ONLUS"_s);
        control<QCheckBox>(&dialog, "chkAnnoSolare")->setChecked(true);
        // The reminder board's own choice, kept in the same file.
        reminderShown = control<QCheckBox>(&dialog, "chkPromemoria")->isChecked();
        control<QCheckBox>(&dialog, "chkPromemoria")->setChecked(false);
        control<QPushButton>(&dialog, "btnOK")->click();
        return dialog.result();
    });
    ui::Launcher *launcher = m_fixture->app().launcher();
    control<QPushButton>(launcher, "btnImpostazioni")->click();
    QCOMPARE(name, u"frmImpostazioni"_s);
    membership::AssociationSettings settings(m_fixture->folder());
    QVERIFY(settings.load());
    QCOMPARE(settings.kind(), membership::AssociationKind::Onlus);
    QVERIFY(settings.calendarYear());
    QVERIFY(reminderShown);
    QVERIFY(!reminders::showAtStart(m_fixture->folder()));
    QVERIFY(fileBytes(file(u"Impostazioni.ini"_s)).startsWith(other));
}

// A folder that takes no file: the user is asked whether to stay, and leaving saves nothing.
void TestRinnovo::settingsThatCannotBeSaved()
{
    m_fixture->services.answerNextQuestion(false);
    bool stillOpen = false;
    m_fixture->services.onNextDialog([&stillOpen](QDialog &dialog) {
        control<QComboBox>(&dialog, "cmbTipo")->setCurrentText(u"APS"_s);
        control<QPushButton>(&dialog, "btnOK")->click();
        stillOpen = dialog.result() != QDialog::Rejected;
        return dialog.result();
    });
    {
        const ReadOnlyAccess readOnly({m_fixture->folder()});
        if (!readOnly.effective())
            QSKIP("root could not become an ordinary user");
        ui::SettingsDialog::edit(m_fixture->app().context(), nullptr);
    }
    QVERIFY(!stillOpen);
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.last().kind, ui::MessageKind::Question);
    QVERIFY(m_fixture->services.lastMessage().contains(u"Impostazioni.ini"_s));
    QVERIFY(!QFile::exists(file(u"Impostazioni.ini"_s)));
}

QTEST_MAIN(TestRinnovo)
#include "tst_rinnovo.moc"
