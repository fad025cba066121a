// The movement card driven as a treasurer would: opening a year, typing and saving movements,
// the save checks, browsing, duplicate, payer and beneficiary from the registry, the e-mail and
// the due payments.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "GoldenRecords.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "WritesFail.h"

#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "ui/app/AppContext.h"
#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/dialogs/DatePicker.h"
#include "ui/journal/JournalYearMenu.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/registry/MemberSearchDialog.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;
using namespace almavest::journal;
using ui::MessageKind;

namespace {

const QString kEmptyArchive = u"L'archivio non contiene nessuna scheda."_s;
const QString kInserted = u"La scheda corrente è stata inserita in archivio."_s;
const QString kSaved
    = u"Le modifiche apportate alla scheda corrente sono state salvate in archivio."_s;
const QString kLead = u"Attenzione: per salvare la scheda è necessario indicare "_s;
const QDate kToday(2026, 12, 10); // the recording services' clock

QByteArray fixtureMovements()
{
    return fileBytes(QStringLiteral(ALMAVEST_TEST_DATA "/movements.eur"));
}

// A movement that passes every save check.
QStringList movement(const QString &purpose)
{
    QStringList values = blankMovement(QDate(2024, 2, 1));
    values[Purpose] = purpose;
    values[DueDate] = u"28/02/2024"_s;
    values[Payer] = u"Rossi Mario"_s;
    values[Beneficiary] = u"ASD Nuoto"_s;
    values[SignedAmount] = signedAmount(values);
    return values;
}

QByteArray recordOf(const QStringList &values)
{
    QByteArray record = movementLayout().blankRecord();
    movementLayout().setFields(record, values);
    return record;
}

} // namespace

class TestMovimenti final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<AppFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void opensOnANewCard();
    void everyShowingStartsANewCard();
    void lastMovementThroughTheYearScreen();
    void saveRefusesInOrder_data();
    void saveRefusesInOrder();
    void newCardIsAppendedThenOverwritten();
    void expenseAmountIsNormalisedAndSigned_data();
    void expenseAmountIsNormalisedAndSigned();
    void storedMovementSavedUnchangedKeepsItsBytes_data();
    void storedMovementSavedUnchangedKeepsItsBytes();
    void browsesTheArchive_data();
    void browsesTheArchive();
    void damagedFlagsLeaveTheControls();
    void typeOptionsSetTheCaption();
    void enterChainAndAmountOnLeaving_data();
    void enterChainAndAmountOnLeaving();
    void datesGoThroughThePicker();
    void importFillsOnlyItsFields_data();
    void importFillsOnlyItsFields();
    void emailGoesToTheShell_data();
    void emailGoesToTheShell();
    void emailProgramMissingIsTold();
    void emailNeedsAnAddress();
    void duePaymentsShowTheMovementChosen();
    void hintsGoToTheStatusLine_data();
    void hintsGoToTheStatusLine();
    void unusedControlsStayHidden();
    void searchShowsTheMovementChosen();
    void printTakesTheCardAsShown();
    void codeButtonsOpenTheirCheck_data();
    void codeButtonsOpenTheirCheck();

private:
    ui::MovementCardScreen *screen() { return m_fixture->app().movementCardScreen(); }
    QLineEdit *box(int field) { return screen()->box(field); }
    QAbstractButton *button(const char *name) { return control<QAbstractButton>(screen(), name); }
    QString shownPosition() { return screen()->lblPosizione()->text(); }
    QString journalFile() const { return m_fixture->file(u"2024.eur"_s); }
    // Opens the card on 2024, after writing `movements` into its archive (none: no file).
    void openYear(const QList<QStringList> &movements = {});
    void openYearOnBytes(const QByteArray &bytes);
    void showMovement(const QStringList &values);
    QList<QStringList> storedMovements();
    const QList<ShownMessage> &messages() { return m_fixture->services.messages; }

    std::unique_ptr<AppFixture> m_fixture;
};

void TestMovimenti::openYearOnBytes(const QByteArray &bytes)
{
    QVERIFY(writeBytes(journalFile(), bytes));
    openYear();
}

void TestMovimenti::openYear(const QList<QStringList> &movements)
{
    QByteArray bytes;
    for (const QStringList &values : movements)
        bytes += recordOf(values);
    if (!movements.isEmpty())
        QVERIFY(writeBytes(journalFile(), bytes));
    screen()->openYear(m_fixture->app().passwordScreen(), journalFile(), u"2024"_s);
    QVERIFY(screen()->isVisible());
    screen()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen()));
}

// Every box and the options; the flags through their controls.
void TestMovimenti::showMovement(const QStringList &values)
{
    for (const auto &field : movementTable().fields()) {
        if (field.kind == store::ControlKind::Edit || field.kind == store::ControlKind::Date)
            box(field.index)->setText(values.value(field.index));
    }
    control<QRadioButton>(
        screen(), flagValue(values[Income]).value_or(true) ? "optEntrata" : "optUscita")
        ->setChecked(true);
    control<QCheckBox>(screen(), "chkSaldato")
        ->setChecked(flagValue(values[Settled]).value_or(false));
}

QList<QStringList> TestMovimenti::storedMovements()
{
    QList<QStringList> movements;
    store::ArchiveFile archive(journalFile(), kMovementRecordSize);
    if (!archive.openForReading())
        return movements;
    const bool read = archive.scan([&](qint64, QByteArrayView bytes) {
        movements.append(movementLayout().fields(bytes));
        return true;
    });
    if (!read)
        QTest::qFail("cannot read the archive", __FILE__, __LINE__);
    return movements;
}

void TestMovimenti::opensOnANewCard()
{
    openYear({movement(u"Quota"_s)});
    QVERIFY(shownPosition().isEmpty());
    QCOMPARE(screen()->values(), blankMovement(kToday));
    QCOMPARE(box(OperationDate)->text(), u"10/12/2026"_s);
    QCOMPARE(screen()->windowTitle(), u" Almavest - Registrazione movimenti anno 2024"_s);
    QCOMPARE(control<QLabel>(screen(), "lblImporto")->text(), u"Importo in entrata: €"_s);
    QCOMPARE(control<QLabel>(screen(), "panInfo")->text(),
        u"Pronto per archiviare una nuova scheda..."_s);
    QCOMPARE(QApplication::focusWidget(), box(Purpose));
    QVERIFY(messages().isEmpty());
}

// Returning from the launcher never shows the movement left on the card, nor a later "today".
void TestMovimenti::everyShowingStartsANewCard()
{
    openYear({movement(u"Quota"_s)});
    button("cmdUltimo")->click();
    QCOMPARE(shownPosition(), u"1"_s);
    button("cmdEsci")->click();
    QVERIFY(!screen()->isVisible());
    QVERIFY(m_fixture->app().launcher()->isVisible());

    m_fixture->services.setNow(QDateTime(QDate(2027, 1, 2), QTime(8, 0)));
    openYear();
    QVERIFY(shownPosition().isEmpty());
    QCOMPARE(screen()->values(), blankMovement(QDate(2027, 1, 2)));
}

// The year screen names the archive; the last arrow then shows its last movement.
void TestMovimenti::lastMovementThroughTheYearScreen()
{
    QVERIFY(writeBytes(m_fixture->file(u"2025.eur"_s),
        recordOf(movement(u"Primo"_s)) + recordOf(movement(u"Ultimo"_s))));
    ui::JournalYearMenu *years = m_fixture->app().journalYearMenu();
    m_fixture->app().context().navigator().go(
        ui::Screen::JournalYear, m_fixture->app().passwordScreen());
    control<QLineEdit>(years, "txtAnnoPreventivi")->setText(u"2025"_s);
    control<QAbstractButton>(years, "btnApriPreventivi")->click();
    QVERIFY(screen()->isVisible());
    button("cmdUltimo")->click();
    QCOMPARE(shownPosition(), u"2"_s);
    QCOMPARE(box(Purpose)->text(), u"Ultimo"_s);
    QVERIFY(messages().isEmpty());
}

void TestMovimenti::saveRefusesInOrder_data()
{
    QTest::addColumn<QStringList>("changes"); // field=text pairs applied to a valid movement
    QTest::addColumn<QString>("message"); // empty: the movement is saved
    QTest::addColumn<bool>("plain");
    QTest::addColumn<int>("focus");
    const auto invalid = [](const QString &date) -> QString {
        return u"Attenzione: la data "_s + date
            + u" non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data "
              "valida nel formato gg/mm/aaaa."_s;
    };
    QTest::newRow("everything empty")
        << QStringList {u"3="_s, u"2="_s, u"5="_s, u"6="_s, u"9="_s, u"16="_s}
        << kLead + u"la causale del pagamento."_s << false << int(Purpose);
    QTest::newRow("causale of blanks")
        << QStringList {u"3=   "_s, u"2="_s} << kLead + u"la causale del pagamento."_s << false
        << int(Purpose);
    QTest::newRow("operation date empty")
        << QStringList {u"2="_s, u"5="_s} << kLead + u"la data di registrazione dell'operazione."_s
        << false << int(OperationDate);
    QTest::newRow("operation date not a date")
        << QStringList {u"2=31/04/2024"_s, u"5="_s} << invalid(u"31/04/2024"_s) << true
        << int(OperationDate);
    QTest::newRow("due date empty")
        << QStringList {u"5="_s, u"6="_s} << kLead + u"la data di scadenza del pagamento."_s
        << false << int(DueDate);
    QTest::newRow("due date not a date") << QStringList {u"5=29/02/2023"_s, u"6="_s}
                                         << invalid(u"29/02/2023"_s) << true << int(DueDate);
    QTest::newRow("notice days empty")
        << QStringList {u"6="_s, u"9="_s}
        << kLead + u"il numero di giorni di preavviso della scadenza del pagamento."_s << false
        << int(NoticeDays);
    QTest::newRow("amount one character too long")
        << QStringList {u"7=123456789012"_s, u"9="_s}
        << u"Attenzione: l'importo 123456789012,00 è troppo lungo per essere salvato.\n\r\n\r"
           "E' possibile indicare al massimo 14 caratteri, virgola e decimali compresi."_s
        << false << int(Amount);
    QTest::newRow("payer empty") << QStringList {u"9="_s, u"16="_s}
                                 << kLead + u"il nome del Pagatore."_s << false << int(Payer);
    QTest::newRow("beneficiary empty")
        << QStringList {u"16= "_s} << kLead + u"il nome del Beneficiario."_s << false
        << int(Beneficiary);
    // The longest amount that fits, with its sign, in the signed amount's 15 characters.
    QTest::newRow("amount at the limit")
        << QStringList {u"7=12345678901"_s} << QString() << false << -1;
    QTest::newRow("empty amount saved as 0,00")
        << QStringList {u"7="_s} << QString() << false << -1;
    QTest::newRow("dates of another year")
        << QStringList {u"2=31/12/1999"_s, u"5=01/01/2031"_s} << QString() << false << -1;
}

void TestMovimenti::saveRefusesInOrder()
{
    QFETCH(QStringList, changes);
    QFETCH(QString, message);
    QFETCH(bool, plain);
    QFETCH(int, focus);
    openYear();
    QStringList values = movement(u"Quota sociale"_s);
    for (const QString &change : changes)
        values[change.section(u'=', 0, 0).toInt()] = change.section(u'=', 1);
    showMovement(values);
    button("cmdSalva")->click();
    QCOMPARE(messages().size(), 1);
    if (message.isEmpty()) {
        QCOMPARE(m_fixture->services.lastMessage(), kInserted);
        const QStringList stored = storedMovements().value(0);
        QCOMPARE(stored, screen()->values());
        QCOMPARE(stored[SignedAmount], u"+"_s + stored[Amount]);
        QCOMPARE(shownPosition(), u"1"_s);
        return;
    }
    QCOMPARE(messages().first().plain, plain);
    if (!plain)
        QCOMPARE(messages().first().kind, MessageKind::Warning);
    QCOMPARE(m_fixture->services.lastMessage(), message);
    QCOMPARE(QApplication::focusWidget(), box(focus));
    QVERIFY(shownPosition().isEmpty());
    QVERIFY(storedMovements().isEmpty());
}

void TestMovimenti::newCardIsAppendedThenOverwritten()
{
    openYear();
    showMovement(movement(u"Quota sociale"_s));
    button("cmdSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(), kInserted);
    QCOMPARE(messages().first().kind, MessageKind::Information);
    QCOMPARE(shownPosition(), u"1"_s);
    QCOMPARE(storedMovements(), QList<QStringList> {movement(u"Quota sociale"_s)});

    box(Purpose)->setText(u"Quota sociale 2024"_s);
    button("cmdSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(), kSaved);
    QCOMPARE(shownPosition(), u"1"_s);
    QCOMPARE(storedMovements().size(), 1);
    QCOMPARE(storedMovements().at(0)[Purpose], u"Quota sociale 2024"_s);

    button("cmdNuovo")->click();
    QVERIFY(shownPosition().isEmpty());
    showMovement(movement(u"Affitto"_s));
    button("cmdSalva")->click();
    QCOMPARE(shownPosition(), u"2"_s);
    QCOMPARE(storedMovements().size(), 2);
    QCOMPARE(messages().size(), 3);
}

void TestMovimenti::expenseAmountIsNormalisedAndSigned_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("amount");
    QTest::newRow("one decimal") << u"12,5"_s << u"12,50"_s;
    QTest::newRow("whole") << u"7"_s << u"7,00"_s;
    QTest::newRow("rounded") << u"7,456"_s << u"7,46"_s;
    QTest::newRow("lone decimals") << u",5"_s << u"0,50"_s;
}

// The amount box still has the focus when Save is pressed: the save normalises it first.
void TestMovimenti::expenseAmountIsNormalisedAndSigned()
{
    QFETCH(QString, typed);
    QFETCH(QString, amount);
    openYear();
    showMovement(movement(u"Cancelleria"_s));
    control<QRadioButton>(screen(), "optUscita")->click();
    box(Amount)->setFocus();
    box(Amount)->setText(typed);
    button("cmdSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(), kInserted);
    QCOMPARE(box(Amount)->text(), amount);
    const QStringList stored = storedMovements().value(0);
    QCOMPARE(stored[Income], u"No"_s);
    QCOMPARE(stored[Expense], u"Sì"_s);
    QCOMPARE(stored[Amount], amount);
    QCOMPARE(stored[SignedAmount], u"-"_s + amount);
}

void TestMovimenti::storedMovementSavedUnchangedKeepsItsBytes_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<int>("position");
    // Movement 2 of the fixture, written by an independent writer; the tail is not a movement.
    QTest::newRow("golden expense") << fixtureMovements().left(2 * kMovementRecordSize) << 2;
    // Texts longer than the boxes let one type, accented letters and the euro sign.
    QStringList values = movement(u"Causale è lunga € "_s + QString(232, u'c'));
    values[PaymentMethod] = QString(250, u'p');
    values[Reminder] = QString(250, u'r');
    values[File3] = u"allegato è.pdf"_s;
    values[Desc3] = QString(250, u'd');
    QTest::newRow("full texts") << recordOf(movement(u"Prima"_s)) + recordOf(values) << 2;
}

void TestMovimenti::storedMovementSavedUnchangedKeepsItsBytes()
{
    QFETCH(QByteArray, archive);
    QFETCH(int, position);
    openYearOnBytes(archive);
    button("cmdUltimo")->click();
    QCOMPARE(shownPosition(), QString::number(position));
    button("cmdSalva")->click();
    QCOMPARE(m_fixture->services.lastMessage(), kSaved);
    QCOMPARE(fileBytes(journalFile()).toHex(), archive.toHex());
}

void TestMovimenti::browsesTheArchive_data()
{
    QTest::addColumn<QStringList>("arrows");
    QTest::addColumn<QString>("position");
    // Every walk starts on a new card over three movements.
    QTest::newRow("next on a new card") << QStringList {u"cmdAvanti"_s} << u"1"_s;
    QTest::newRow("previous on a new card") << QStringList {u"cmdIndietro"_s} << u"1"_s;
    QTest::newRow("last") << QStringList {u"cmdUltimo"_s} << u"3"_s;
    QTest::newRow("next on the last") << QStringList {u"cmdUltimo"_s, u"cmdAvanti"_s} << u"3"_s;
    QTest::newRow("previous") << QStringList {u"cmdUltimo"_s, u"cmdIndietro"_s} << u"2"_s;
    QTest::newRow("first") << QStringList {u"cmdUltimo"_s, u"cmdPrimo"_s} << u"1"_s;
    QTest::newRow("previous on the first")
        << QStringList {u"cmdPrimo"_s, u"cmdIndietro"_s} << u"1"_s;
    QTest::newRow("next") << QStringList {u"cmdPrimo"_s, u"cmdAvanti"_s} << u"2"_s;
}

void TestMovimenti::browsesTheArchive()
{
    QFETCH(QStringList, arrows);
    QFETCH(QString, position);
    QStringList expense = movement(u"Due"_s);
    expense[Income] = flagText(false);
    expense[Expense] = flagText(true);
    expense[SignedAmount] = signedAmount(expense);
    openYear({movement(u"Uno"_s), expense, movement(u"Tre"_s)});
    for (const QString &arrow : arrows)
        button(arrow.toLatin1().constData())->click();
    QCOMPARE(shownPosition(), position);
    QCOMPARE(screen()->values(), storedMovements().at(position.toInt() - 1));
    QCOMPARE(control<QLabel>(screen(), "lblImporto")->text(), amountCaption(position != u"2"_s));
    QVERIFY(messages().isEmpty());
}

// Movement 3 of the fixture holds "Si" as its paid flag: the check box stays as it was.
void TestMovimenti::damagedFlagsLeaveTheControls()
{
    openYearOnBytes(fixtureMovements());
    control<QCheckBox>(screen(), "chkSaldato")->setChecked(true);
    button("cmdUltimo")->click();
    QCOMPARE(shownPosition(), u"3"_s);
    QCOMPARE(box(Purpose)->text(), u"Contributo"_s);
    QVERIFY(control<QCheckBox>(screen(), "chkSaldato")->isChecked());
    button("cmdIndietro")->click();
    QVERIFY(control<QCheckBox>(screen(), "chkSaldato")->isChecked());
    QVERIFY(control<QRadioButton>(screen(), "optUscita")->isChecked());
    QCOMPARE(screen()->values(), goldenMovement2());
}

void TestMovimenti::typeOptionsSetTheCaption()
{
    openYear();
    auto *caption = control<QLabel>(screen(), "lblImporto");
    // Whether the caption's text is drawn in `colour`, and in no other full colour.
    const auto drawnIn = [caption](QColor colour) {
        const QImage image = caption->grab().toImage();
        bool found = false;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel == QColor(Qt::black) || pixel == QColor(Qt::red))
                    found = found || pixel == colour;
                if ((pixel == QColor(Qt::black) || pixel == QColor(Qt::red)) && pixel != colour)
                    return false;
            }
        }
        return found;
    };
    QVERIFY(drawnIn(Qt::black));
    control<QRadioButton>(screen(), "optUscita")->click();
    QCOMPARE(caption->text(), u"Importo in uscita: €"_s);
    QVERIFY(!control<QRadioButton>(screen(), "optEntrata")->isChecked());
    QVERIFY(drawnIn(Qt::red));
    control<QRadioButton>(screen(), "optEntrata")->click();
    QCOMPARE(caption->text(), u"Importo in entrata: €"_s);
    QVERIFY(!control<QRadioButton>(screen(), "optUscita")->isChecked());
    QVERIFY(drawnIn(Qt::black));
}

void TestMovimenti::enterChainAndAmountOnLeaving_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("shown");
    QTest::newRow("causale") << int(Purpose) << u"Quota"_s << int(Reminder) << u"Quota"_s;
    QTest::newRow("reminder to the due date")
        << int(Reminder) << QString() << int(DueDate) << QString();
    QTest::newRow("notice days take digits only")
        << int(NoticeDays) << u"1a5-"_s << int(Amount) << u"15"_s;
    QTest::newRow("amount normalised on leaving")
        << int(Amount) << u"3,4-5a6"_s << int(Payer) << u"3,46"_s;
    QTest::newRow("empty amount") << int(Amount) << QString() << int(Payer) << u"0,00"_s;
    QTest::newRow("tax code upper-cased")
        << int(PayerTaxCode) << u" rss mra"_s << int(PayerVatNumber) << u"RSSMRA"_s;
    QTest::newRow("partita IVA digits only")
        << int(PayerVatNumber) << u"IT0123"_s << int(PayerCardNumber) << u"0123"_s;
    QTest::newRow("e-mail trimmed")
        << int(PayerEmail) << u" a@b.it "_s << int(PaymentMethod) << u"a@b.it"_s;
    QTest::newRow("tariff back to the operation date")
        << int(Tariff) << u"Ridotta"_s << int(OperationDate) << u"Ridotta"_s;
}

void TestMovimenti::enterChainAndAmountOnLeaving()
{
    QFETCH(int, from);
    QFETCH(QString, typed);
    QFETCH(int, to);
    QFETCH(QString, shown);
    openYear();
    QLineEdit *edit = box(from);
    edit->setFocus();
    edit->clear();
    typeText(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), box(to));
    QCOMPARE(edit->text(), shown);
}

void TestMovimenti::datesGoThroughThePicker()
{
    openYear();
    QString modeWord;
    const auto answer = [&](std::optional<QDate> date) {
        m_fixture->services.onNextDialog([date, &modeWord](QDialog &dialog) {
            auto &picker = dynamic_cast<ui::DatePicker &>(dialog);
            modeWord = picker.lblMemory()->text();
            if (!date) {
                control<QPushButton>(&dialog, "btnAnnulla")->click();
                return dialog.result();
            }
            picker.calendar()->setSelectedDate(*date);
            control<QPushButton>(&dialog, "btnImportaData")->click();
            return dialog.result();
        });
    };
    QVERIFY(box(OperationDate)->isReadOnly());
    answer(QDate(2024, 3, 5));
    QTest::keyClick(box(OperationDate), Qt::Key_A);
    QCOMPARE(modeWord, u"movimenti_data"_s);
    QCOMPARE(box(OperationDate)->text(), u"05/03/2024"_s);

    answer(QDate(2024, 4, 30));
    QTest::keyClick(box(DueDate), Qt::Key_Return);
    QCOMPARE(modeWord, u"movimenti_scadenza"_s);
    QCOMPARE(box(DueDate)->text(), u"30/04/2024"_s);
    answer(std::nullopt);
    QTest::keyClick(box(DueDate), Qt::Key_1);
    QCOMPARE(box(DueDate)->text(), u"30/04/2024"_s);

    button("impDataSca")->click();
    QVERIFY(box(DueDate)->text().isEmpty());
    QCOMPARE(box(OperationDate)->text(), u"05/03/2024"_s);
    button("impData")->click();
    QVERIFY(box(OperationDate)->text().isEmpty());
    QTest::keyClick(box(OperationDate), Qt::Key_Backspace);
    QCOMPARE(m_fixture->services.dialogsShown.size(), 3);
}

void TestMovimenti::importFillsOnlyItsFields_data()
{
    QTest::addColumn<QString>("importButton");
    QTest::addColumn<QString>("modeWord");
    QTest::addColumn<QList<int>>("filled");
    QTest::newRow("payer") << u"impPagatore"_s << u"movimenti_pagatore"_s
                           << QList<int> {
                                  Payer, PayerContact, PayerTaxCode, PayerCardNumber, PayerEmail};
    QTest::newRow("beneficiary") << u"impBeneficiario"_s << u"movimenti_beneficiario"_s
                                 << QList<int> {Beneficiary, BeneficiaryContact};
}

// The member chosen fills only its party's fields; the rest of the card, the partita IVA
// included, stays as it was, and nothing reaches the archive before Save.
void TestMovimenti::importFillsOnlyItsFields()
{
    QFETCH(QString, importButton);
    QFETCH(QString, modeWord);
    QFETCH(QList<int>, filled);
    QStringList member = sampleMember(u"  Bianchi Anna "_s);
    member[registry::CardNumber] = u"T-22"_s;
    member[registry::TaxCode] = u"BNCNNA80A41H199X"_s;
    member[registry::Phone] = u"333 1234567"_s;
    member[registry::Email] = u"anna@example.it"_s;
    writeMembers(m_fixture->file(u"Soci.pro"_s), {sampleMember(u"Rossi Mario"_s), member});
    openYear();
    QStringList before = movement(u"Quota"_s);
    for (const int field : {PayerContact, PayerTaxCode, PayerVatNumber, PayerCardNumber, PayerEmail,
             BeneficiaryContact, Notes})
        before[field] = u"x"_s;
    showMovement(before);

    QString shownMode;
    m_fixture->services.onNextDialog([&shownMode](QDialog &dialog) {
        auto &search = dynamic_cast<ui::MemberSearchDialog &>(dialog);
        search.show();
        shownMode = search.lblMemory()->text();
        control<QPushButton>(&dialog, "btnCerca")->click();
        waitForScan(&dialog);
        pickLine(control<QListView>(&dialog, "lstRecords"), 1, Pick::DoubleClick);
        return dialog.result();
    });
    button(importButton.toLatin1().constData())->click();
    QCOMPARE(shownMode, modeWord);

    const QMap<int, QString> memberField {{Payer, u"Bianchi Anna"_s},
        {PayerContact, u"333 1234567"_s}, {PayerTaxCode, u"BNCNNA80A41H199X"_s},
        {PayerCardNumber, u"T-22"_s}, {PayerEmail, u"anna@example.it"_s},
        {Beneficiary, u"Bianchi Anna"_s}, {BeneficiaryContact, u"333 1234567"_s}};
    QStringList expected = before;
    for (const int field : filled)
        expected[field] = memberField.value(field);
    QCOMPARE(screen()->values(), expected);
    QVERIFY(shownPosition().isEmpty());
    QCOMPARE(fileBytes(journalFile()).size(), 0);
    QVERIFY(messages().isEmpty());
}

void TestMovimenti::emailGoesToTheShell_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened");
    QTest::newRow("plain") << u" mario.rossi@example.it"_s << u"mailto:mario.rossi@example.it"_s;
    // Nothing in the address may add headers or a body to the message.
    QTest::newRow("question mark")
        << u"a?subject=x@example.it"_s << u"mailto:a%3Fsubject%3Dx@example.it"_s;
    QTest::newRow("ampersand and blank")
        << u"a&b c@example.it"_s << u"mailto:a%26b%20c@example.it"_s;
    QTest::newRow("accented letter") << u"città@example.it"_s << u"mailto:citt%C3%A0@example.it"_s;
}

void TestMovimenti::emailGoesToTheShell()
{
    QFETCH(QString, address);
    QFETCH(QString, opened);
    openYear();
    box(PayerEmail)->setText(address);
    button("sndEmail")->click();
    QCOMPARE(m_fixture->services.openedAddresses, QStringList {opened});
    QVERIFY(messages().isEmpty());
    QCOMPARE(QUrl(opened).scheme(), u"mailto"_s);
    QVERIFY(!QUrl(opened).hasQuery());
}

// No mail program took the address: the user is told rather than left waiting.
void TestMovimenti::emailProgramMissingIsTold()
{
    openYear();
    box(PayerEmail)->setText(u"mario.rossi@example.it"_s);
    m_fixture->services.failNextOpen();
    button("sndEmail")->click();
    QCOMPARE(m_fixture->services.openedAddresses, QStringList {u"mailto:mario.rossi@example.it"_s});
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Warning);
    QVERIFY(messages().first().text.startsWith(
        u"Attenzione: non è stato possibile avviare il programma di posta elettronica."_s));
}

void TestMovimenti::emailNeedsAnAddress()
{
    openYear();
    box(PayerEmail)->setText(u"   "_s);
    button("sndEmail")->click();
    QVERIFY(m_fixture->services.openedAddresses.isEmpty());
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Warning);
    QCOMPARE(m_fixture->services.lastMessage(),
        u"Attenzione: indicare l'indirizzo e-mail del tesserato."_s);
    QCOMPARE(QApplication::focusWidget(), box(PayerEmail));
}

void TestMovimenti::duePaymentsShowTheMovementChosen()
{
    QStringList due = movement(u"Affitto"_s);
    due[DueDate] = u"15/12/2026"_s;
    due[NoticeDays] = u"10"_s;
    QStringList settled = due;
    settled[Purpose] = u"Saldato"_s;
    settled[Settled] = flagText(true);
    openYear({movement(u"Scaduto da tempo"_s), settled, due});
    m_fixture->services.onNextDialog([](QDialog &dialog) -> int {
        dialog.show();
        auto *list = control<QListView>(&dialog, "lstRecords");
        const QModelIndexList lines = list->model()->match(
            list->model()->index(0, 0), Qt::DisplayRole, u"Affitto"_s, 1, Qt::MatchContains);
        if (list->model()->rowCount() != 2 || lines.size() != 1)
            return QDialog::Rejected;
        pickLine(list, lines.first().row(), Pick::Enter);
        return dialog.result();
    });
    button("cmdScadenze")->click();
    QCOMPARE(m_fixture->services.dialogsShown, QStringList {u"almavest::ui::DuePaymentsDialog"_s});
    QCOMPARE(shownPosition(), u"3"_s);
    QCOMPARE(box(Purpose)->text(), u"Affitto"_s);
    QVERIFY(messages().isEmpty());
}

void TestMovimenti::hintsGoToTheStatusLine_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("new") << u"cmdNuovo"_s
                         << u"Predispone la schermata per l'inserimento di una nuova scheda."_s;
    QTest::newRow("due payments")
        << u"cmdScadenze"_s
        << u"Visualizza il riepilogo dei pagamenti in scadenza o scaduti e non saldati."_s;
    QTest::newRow("expense") << u"optUscita"_s
                             << u"Spunta questa casella per registrare un importo in uscita."_s;
    QTest::newRow("due date") << u"txtDataSca"_s
                              << u"Fai clic su questo campo e premi un tasto qualsiasi per "
                                 "importare una data dal calendario."_s;
    QTest::newRow("clear date") << u"impData"_s << u"Cancella la data."_s;
    QTest::newRow("beneficiary import")
        << u"impBeneficiario"_s << u"Importa i dati dall'archivio anagrafico dei soci."_s;
    QTest::newRow("partita IVA check") << u"chkIva"_s << u"Controlla il numero di partita IVA."_s;
    QTest::newRow("paid") << u"chkSaldato"_s
                          << u"Spunta questa casella per indicare che il pagamento è stato "
                             "saldato."_s;
}

void TestMovimenti::hintsGoToTheStatusLine()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    openYear();
    auto *status = test::control<QLabel>(screen(), "panInfo");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(screen()->findChild<QWidget *>(control), &enter);
    QCOMPARE(status->text(), hint);
    for (const char *background : {"panTipo", "shpNote"}) {
        status->setText(hint);
        QWidget *surface = test::control<QWidget>(screen(), background);
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), surface->mapToGlobal(QPointF(2, 2)),
            Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &move);
        QVERIFY(status->text().isEmpty());
    }
}

void TestMovimenti::unusedControlsStayHidden()
{
    openYear();
    QVERIFY(control<QWidget>(screen(), "btnCents")->isHidden());
    for (const char *name :
        {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03", "lblFile"})
        QVERIFY2(control<QLabel>(screen(), name)->isHidden(), name);
}

// Twin movements give the same line: the one picked is the one shown.
void TestMovimenti::searchShowsTheMovementChosen()
{
    openYear({movement(u"Affitto"_s), movement(u"Luce"_s), movement(u"Affitto"_s)});
    m_fixture->services.onNextDialog([](QDialog &dialog) -> int {
        dialog.show();
        control<QLineEdit>(&dialog, "txtCausale")->setText(u"affitto"_s);
        control<QPushButton>(&dialog, "btnCerca")->click();
        waitForScan(&dialog);
        auto *list = control<QListView>(&dialog, "lstRecords");
        if (list->model()->rowCount() != 2)
            return QDialog::Rejected;
        pickLine(list, 1, Pick::DoubleClick);
        return dialog.result();
    });
    button("cmdTrova")->click();
    QCOMPARE(
        m_fixture->services.dialogsShown, QStringList {u"almavest::ui::MovementSearchDialog"_s});
    QCOMPARE(shownPosition(), u"3"_s);
    QCOMPARE(box(Purpose)->text(), u"Affitto"_s);
    QVERIFY(messages().isEmpty());
}

// An unsaved expense prints as the card shows it, and printing leaves the card as it was.
void TestMovimenti::printTakesTheCardAsShown()
{
    openYear();
    control<QRadioButton>(screen(), "optUscita")->setChecked(true);
    box(Purpose)->setText(u"Rossi & Figli <fattura> [DATE]"_s);
    box(Amount)->setText(u"12,5"_s);
    m_fixture->services.onNextDialog([](QDialog &dialog) {
        control<QPushButton>(&dialog, "btnStampa")->click();
        return dialog.result();
    });
    button("cmdStampa")->click();
    QCOMPARE(m_fixture->services.printed.size(), size_t(1));
    QStringList printed;
    for (const report::PlacedObject &placed :
        m_fixture->services.printed.front().pages.at(0).objects)
        printed += placed.object.lines;
    QVERIFY2(printed.contains(u"Rossi & Figli <fattura> [DATE]"_s), qPrintable(printed.join(u'|')));
    QVERIFY(printed.contains(u"Uscita"_s));
    QCOMPARE(shownPosition(), QString());
    QVERIFY(!QFile::exists(journalFile()) || storedMovements().isEmpty());
}

void TestMovimenti::codeButtonsOpenTheirCheck_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("code");
    const QString taxCode = u"almavest::ui::TaxCodeCheck"_s;
    const QString vat = u"almavest::ui::VatNumberCheck"_s;
    QTest::newRow("codice fiscale") << u"chkCodFisc"_s << int(PayerTaxCode) << u"RSSMRA85T10A562S"_s
                                    << taxCode << u"RSSMRA85T10A562S"_s;
    QTest::newRow("eleven digits in the tax code")
        << u"chkCodFisc"_s << int(PayerTaxCode) << u"00743110157"_s << vat << u"00743110157"_s;
    QTest::newRow("empty tax code")
        << u"chkCodFisc"_s << int(PayerTaxCode) << QString() << taxCode << QString();
    QTest::newRow("partita IVA") << u"chkIva"_s << int(PayerVatNumber) << u"00743110157"_s << vat
                                 << u"00743110157"_s;
    QTest::newRow("empty partita IVA")
        << u"chkIva"_s << int(PayerVatNumber) << QString() << vat << QString();
}

void TestMovimenti::codeButtonsOpenTheirCheck()
{
    QFETCH(QString, buttonName);
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, dialog);
    QFETCH(QString, code);
    openYear();
    box(field)->setText(typed);
    QString shown;
    m_fixture->services.onNextDialog([&](QDialog &opened) {
        shown = opened.findChild<QLineEdit *>()->text();
        return int(QDialog::Rejected);
    });
    button(buttonName.toLatin1().constData())->click();
    QCOMPARE(m_fixture->services.dialogsShown, QStringList {dialog});
    QCOMPARE(shown, code);
    QCOMPARE(box(field)->text(), typed);
}

QTEST_MAIN(TestMovimenti)
#include "tst_movimenti.moc"
