// The reminder board after the password, with today fixed at 10/12/2026: what it lists, where
// its counts and lines lead, the one Bcc e-mail and the letters, and switching it off.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "PageModel.h"
#include "PdfText.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"

#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "reminders/ReminderLetter.h"
#include "reminders/ReminderSettings.h"
#include "store/ArchiveFile.h"
#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/app/ReminderBoard.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/registry/ListPickDialog.h"
#include "ui/registry/MemberCardScreen.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTreeView>
#include <QUrlQuery>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

QStringList member(
    const QString &name, const QString &expiry, const QString &notice, const QString &email = {})
{
    QStringList values = sampleMember(name, expiry);
    values[registry::NoticeDays] = notice;
    values[registry::Email] = email;
    return values;
}

QStringList duePayment(const QString &purpose)
{
    QStringList values = journal::blankMovement(QDate(2026, 12, 1));
    values[journal::Purpose] = purpose;
    values[journal::DueDate] = u"01/12/2026"_s;
    return values;
}

// The names listed on the board with what their line says of the membership.
QStringList listed(QTreeView *list)
{
    QStringList rows;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        rows.append(list->model()->index(row, 0).data().toString() + u" - "_s
            + list->model()->index(row, 2).data().toString());
    }
    return rows;
}

void doubleClickRow(QAbstractItemView *list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->setCurrentIndex(index);
    const QPoint centre = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

// The addresses a mailto: URL carries in Bcc, decoded.
QStringList bccOf(const QString &address)
{
    const QUrlQuery query(QUrl::fromEncoded(address.toLatin1()));
    QStringList addresses;
    for (const QString &one : query.queryItemValue(u"bcc"_s, QUrl::PrettyDecoded).split(u','))
        addresses.append(QUrl::fromPercentEncoding(one.toLatin1()));
    return addresses;
}

} // namespace

class TestReminderBoard final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void listsTheEdgesOfTheNoticeWindow_data();
    void listsTheEdgesOfTheNoticeWindow();
    void leadsToListsAndCards_data();
    void leadsToListsAndCards();
    void leavingBeforeTheScanEndsShowsNoBoard();
    void cancellingTheReadShowsNoBoard();
    void unreadableArchiveIsSaid();
    void writeToAllSendsOneBccMail();
    void lettersForMembersWithoutEmail();
    void longLetterIsCutAndSaid();
    void lettersThatCannotBeSavedAreSaid();
    void manyAddresses_data();
    void manyAddresses();
    void switchedOffAndReopened();
    void choiceThatCannotBeStoredIsTakenBack();
    void letterOpensForEditing();
    void helpOpensItsTopic();

private:
    QString memberArchive() const { return m_fixture->file(u"Soci.pro"_s); }
    void logIn();
    // Logs in with `drive` scripted for the board that opens at start-up, and waits for it.
    void logInToBoard(const std::function<void(ui::ReminderBoard &)> &drive);
    // Logs in and checks that no board opens.
    void logInWithoutBoard();
    // Opens the board from the launcher's button; `drive` acts on it while it is open.
    void openFromLauncher(const std::function<void(ui::ReminderBoard &)> &drive);

    std::unique_ptr<AppFixture> m_fixture;
};

void TestReminderBoard::init()
{
    m_fixture = std::make_unique<AppFixture>();
}

void TestReminderBoard::logIn()
{
    auto *password = m_fixture->app().passwordScreen();
    control<QLineEdit>(password, "txtPassword")->setText(u"segreto"_s);
    control<QPushButton>(password, "cmdOK")->click();
}

void TestReminderBoard::logInToBoard(const std::function<void(ui::ReminderBoard &)> &drive)
{
    bool ran = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        // The launcher is there first; the board comes over it.
        [&] { QVERIFY(m_fixture->app().launcher()->isVisible()); }();
        drive(dynamic_cast<ui::ReminderBoard &>(dialog));
        ran = true;
        return dialog.result();
    });
    logIn();
    QTRY_VERIFY(ran);
}

void TestReminderBoard::logInWithoutBoard()
{
    logIn();
    ui::Launcher *launcher = m_fixture->app().launcher();
    QVERIFY(launcher->isVisible());
    waitForScan(launcher);
    QCoreApplication::processEvents(); // the board would be opened from here
    QCOMPARE(m_fixture->services.dialogsShown, QStringList());
}

void TestReminderBoard::openFromLauncher(const std::function<void(ui::ReminderBoard &)> &drive)
{
    bool ran = false;
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        drive(dynamic_cast<ui::ReminderBoard &>(dialog));
        ran = true;
        return dialog.result();
    });
    control<QPushButton>(m_fixture->app().launcher(), "btnPromemoria")->click();
    QVERIFY(ran);
}

void TestReminderBoard::listsTheEdgesOfTheNoticeWindow_data()
{
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("shown"); // what the member's line says; empty: no board at all
    QTest::newRow("lapsed yesterday") << u"09/12/2026"_s << u"0"_s << u"Scaduta"_s;
    QTest::newRow("lapses today") << u"10/12/2026"_s << u"0"_s << u"In scadenza"_s;
    QTest::newRow("notice begins today") << u"20/12/2026"_s << u"10"_s << u"In scadenza"_s;
    QTest::newRow("notice begins tomorrow") << u"20/12/2026"_s << u"9"_s << QString();
    QTest::newRow("no expiry") << QString() << u"10"_s << QString();
}

// One member on one edge of the notice window, between two members needing nothing: the board
// lists that member alone, or does not open.
void TestReminderBoard::listsTheEdgesOfTheNoticeWindow()
{
    QFETCH(QString, expiry);
    QFETCH(QString, notice);
    QFETCH(QString, shown);
    writeMembers(memberArchive(),
        {member(u"Prima"_s, u"31/12/2027"_s, u"30"_s), member(u"Sul bordo"_s, expiry, notice),
            member(u"Dopo"_s, u"31/12/2027"_s, u"30"_s)});
    if (shown.isEmpty()) {
        logInWithoutBoard();
        return;
    }
    logInToBoard([&](ui::ReminderBoard &board) {
        QCOMPARE(board.objectName(), u"frmPromemoria"_s);
        QCOMPARE(board.windowTitle(), u" Promemoria"_s);
        QCOMPARE(
            listed(control<QTreeView>(&board, "lstSoci")), QStringList {u"Sul bordo - "_s + shown});
        const bool lapsed = shown == u"Scaduta"_s;
        auto *expired = control<QPushButton>(&board, "cmdScaduti");
        auto *expiring = control<QPushButton>(&board, "cmdInScadenza");
        QCOMPARE(expired->text(),
            u"Soci con l'iscrizione scaduta: "_s + (lapsed ? u"1"_s : u"nessuno"_s));
        QCOMPARE(expiring->text(),
            u"Soci con l'iscrizione in scadenza nei giorni di preavviso: "_s
                + (lapsed ? u"nessuno"_s : u"1"_s));
        QCOMPARE(expired->isEnabled(), lapsed);
        QCOMPARE(expiring->isEnabled(), !lapsed);
        QCOMPARE(control<QPushButton>(&board, "cmdPagamenti")->text(),
            u"Pagamenti in scadenza o scaduti e non saldati nella primanota 2026: nessuno"_s);
        QVERIFY(control<QCheckBox>(&board, "chkAvvio")->isChecked());
    });
}

void TestReminderBoard::leadsToListsAndCards_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("list"); // the summary the control opens; empty: none
    QTest::addColumn<bool>("movement");
    QTest::addColumn<qint64>("position");
    QTest::newRow("lapsed") << u"cmdScaduti"_s << u"frmScadute"_s << false << qint64(3);
    QTest::newRow("lapsing") << u"cmdInScadenza"_s << u"frmSospesi"_s << false << qint64(2);
    QTest::newRow("payments") << u"cmdPagamenti"_s << u"frmSospesiMov"_s << true << qint64(2);
    QTest::newRow("a member's line") << u"lstSoci"_s << QString() << false << qint64(2);
}

// Each count opens its summary, the line chosen there its card; a line of the board opens the
// card straight away. The board closes on the way.
void TestReminderBoard::leadsToListsAndCards()
{
    QFETCH(QString, control);
    QFETCH(QString, list);
    QFETCH(bool, movement);
    QFETCH(qint64, position);
    writeMembers(memberArchive(),
        {member(u"Nessun avviso"_s, u"31/12/2027"_s, u"0"_s),
            member(u"In scadenza"_s, u"15/12/2026"_s, u"10"_s),
            member(u"Scaduto"_s, u"01/12/2026"_s, u"0"_s)});
    QStringList settled = duePayment(u"Saldato"_s);
    settled[journal::Settled] = journal::flagText(true);
    writeMovements(journal::journalPath(m_fixture->folder(), u"2026"_s),
        {settled, duePayment(u"Affitto palestra"_s)});

    logInToBoard([&](ui::ReminderBoard &board) {
        if (list.isEmpty()) {
            board.show(); // laid out, as the person sees it
            doubleClickRow(test::control<QTreeView>(&board, "lstSoci"), 0);
            return;
        }
        m_fixture->services.onNextDialog([&](QDialog &summary) {
            [&] { QCOMPARE(summary.objectName(), list); }();
            pickLine(test::control<QListView>(&summary, "lstRecords"), 0, Pick::DoubleClick);
            return summary.result();
        });
        test::control<QPushButton>(&board, control.toLatin1().constData())->click();
    });
    ui::Launcher *launcher = m_fixture->app().launcher();
    QVERIFY(!launcher->isVisible());
    if (movement) {
        ui::MovementCardScreen *card = m_fixture->app().movementCardScreen();
        QVERIFY(card->isVisible());
        QCOMPARE(card->year(), 2026);
        QCOMPARE(card->position(), std::optional(position));
        QCOMPARE(card->box(journal::Purpose)->text(), u"Affitto palestra"_s);
    } else {
        ui::MemberCardScreen *card = m_fixture->app().memberCardScreen();
        QVERIFY(card->isVisible());
        QCOMPARE(card->position(), std::optional(position));
    }
}

// Whoever goes on to an environment before the archives are read never finds the board over
// it; the launcher's button still has it.
void TestReminderBoard::leavingBeforeTheScanEndsShowsNoBoard()
{
    writeMembers(memberArchive(), {member(u"Scaduto"_s, u"01/12/2026"_s, u"0"_s)});
    m_fixture->services.holdScansFrom(0);
    logIn();
    QTRY_COMPARE(m_fixture->services.heldScans(), 1);
    m_fixture->app().launcher()->openMemberRegistry();
    m_fixture->services.releaseScans();
    QTRY_COMPARE(m_fixture->services.heldScans(), 0);
    QTest::qWait(50);
    QCOMPARE(m_fixture->services.dialogsShown, QStringList());
    QVERIFY(m_fixture->app().memberCardScreen()->isVisible());
}

// The launcher's wait notice stops the read at start-up; the launcher is as before.
void TestReminderBoard::cancellingTheReadShowsNoBoard()
{
    writeMembers(memberArchive(), {member(u"Scaduto"_s, u"01/12/2026"_s, u"0"_s)});
    m_fixture->services.holdScansFrom(0);
    logIn();
    QTRY_COMPARE(m_fixture->services.heldScans(), 1);
    ui::Launcher *launcher = m_fixture->app().launcher();
    auto *cancel = control<QPushButton>(launcher, "btnAnnullaAttesa");
    QTRY_VERIFY(cancel->isVisible());
    cancel->click();
    m_fixture->services.releaseScans();
    QTRY_COMPARE(m_fixture->services.heldScans(), 0);
    QTest::qWait(50);
    QCOMPARE(m_fixture->services.dialogsShown, QStringList());
    QVERIFY(launcher->isVisible());
    QVERIFY(!cancel->isVisible());
}

// A member archive the program may not read: the archive access message, and no board when
// nothing else is there to show.
void TestReminderBoard::unreadableArchiveIsSaid()
{
    writeMembers(memberArchive(), {member(u"Scaduto"_s, u"01/12/2026"_s, u"0"_s)});
    QVERIFY(QFile::setPermissions(memberArchive(), QFileDevice::Permissions()));
    {
        ReadOnlyAccess userOnly({m_fixture->folder()});
        logInWithoutBoard();
    }
    QVERIFY(
        QFile::setPermissions(memberArchive(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
}

// The one message: no visible recipient, every address once whatever its case, an address
// holding "?" or "&" kept whole; the members not ticked are left out.
void TestReminderBoard::writeToAllSendsOneBccMail()
{
    writeMembers(memberArchive(),
        {member(u"Anna"_s, u"01/12/2026"_s, u"0"_s, u"anna@example.it"_s),
            member(u"Anna di nuovo"_s, u"02/12/2026"_s, u"0"_s, u" ANNA@Example.IT "_s),
            member(u"Due indirizzi"_s, u"12/12/2026"_s, u"5"_s,
                u"bruno@example.it; carla?cc=x&y@example.it"_s),
            member(u"Non scelto"_s, u"03/12/2026"_s, u"0"_s, u"nonscelto@example.it"_s)});
    logInToBoard([&](ui::ReminderBoard &board) {
        // The last member is left out from the keyboard.
        auto *list = control<QTreeView>(&board, "lstSoci");
        list->setCurrentIndex(list->model()->index(3, 0));
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->model()->index(3, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        control<QPushButton>(&board, "btnScrivi")->click();
    });
    QCOMPARE(m_fixture->services.openedAddresses.size(), 1);
    const QString address = m_fixture->services.openedAddresses.first();
    QVERIFY(address.startsWith(u"mailto:?bcc="_s));
    QCOMPARE(QUrl::fromEncoded(address.toLatin1()).path(), QString());
    QCOMPARE(bccOf(address),
        QStringList({u"anna@example.it"_s, u"bruno@example.it"_s, u"carla?cc=x&y@example.it"_s}));
    QVERIFY(m_fixture->services.previewed.empty()); // everyone has an address: no letters
    QCOMPARE(m_fixture->services.messages.size(), 0);
}

// One page for each member without e-mail, in the list's order, the address where an envelope's
// window shows it; texts print as typed, "[DATE]" and "&" included.
void TestReminderBoard::lettersForMembersWithoutEmail()
{
    if (!popplerPresent())
        QSKIP("pdftotext and pdfinfo are not installed");
    QStringList odd = member(u"Rossi & <Figli> [DATE] [NOME]"_s, u"01/12/2026"_s, u"0"_s);
    odd[registry::Address] = u"Via Po [2] & C."_s;
    odd[registry::PostCode] = u"10100"_s;
    odd[registry::Town] = u"Torino"_s;
    odd[registry::Province] = u"TO"_s;
    odd[registry::Fee] = u"30,0000"_s;
    QStringList plain = member(u"Bianchi Luca"_s, u"15/12/2026"_s, u"10"_s);
    plain[registry::Town] = u"Forlì"_s;
    writeMembers(memberArchive(),
        {odd, member(u"Con posta"_s, u"01/12/2026"_s, u"0"_s, u"posta@example.it"_s), plain});
    logInToBoard(
        [&](ui::ReminderBoard &board) { control<QPushButton>(&board, "btnScrivi")->click(); });

    QCOMPARE(m_fixture->services.openedAddresses.size(), 1);
    QCOMPARE(m_fixture->services.previewed.size(), size_t(1));
    const report::PreparedReport &letters = m_fixture->services.previewed.front();
    QCOMPARE(letters.pages.size(), size_t(2));
    QCOMPARE(placedOn(letters, 0, u"txtDestinatario"_s).lines,
        QStringList(
            {u"Rossi & <Figli> [DATE] [NOME]"_s, u"Via Po [2] & C."_s, u"10100 Torino (TO)"_s}));
    QCOMPARE(placedOn(letters, 1, u"txtDestinatario"_s).lines,
        QStringList({u"Bianchi Luca"_s, u"Forlì"_s}));
    const QStringList body = placedOn(letters, 0, u"txtTesto"_s).lines;
    QCOMPARE(body.mid(0, 3),
        QStringList({u"10/12/2026"_s, QString(), u"Gentile Rossi & <Figli> [DATE] [NOME],"_s}));
    QVERIFY(body.join(u' ').contains(u"il 01/12/2026."_s));
    QVERIFY(body.join(u' ').contains(u"di 30,00 € in segreteria"_s));

    const QString pdf = m_fixture->file(u"Lettere_promemoria.pdf"_s);
    QCOMPARE(pdfPageCount(pdf), 2);
    const QString first = pdfPageText(pdf, 1);
    QVERIFY2(first.contains(u"Rossi & <Figli> [DATE] [NOME]"_s), qPrintable(first));
    QVERIFY(first.contains(u"Via Po [2] & C."_s));
    QVERIFY(first.contains(u"10100 Torino (TO)"_s));
    QVERIFY(pdfPageText(pdf, 2).contains(u"Gentile Bianchi Luca,"_s));
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Information);
    QVERIFY(m_fixture->services.lastMessage().contains(u"2 lettere"_s));
    QVERIFY(QFileInfo::exists(m_fixture->file(QLatin1String(reminders::kLetterTemplateName))));
}

// A letter longer than its page keeps to its page, and the person learns that its end is lost.
void TestReminderBoard::longLetterIsCutAndSaid()
{
    writeMembers(memberArchive(), {member(u"Senza posta"_s, u"01/12/2026"_s, u"0"_s)});
    QByteArray longText = "Gentile [NOME],\r\n";
    for (int line = 1; line <= 80; ++line)
        longText += "riga " + QByteArray::number(line) + "\r\n";
    QVERIFY(writeBytes(m_fixture->file(QLatin1String(reminders::kLetterTemplateName)), longText));
    logInToBoard(
        [&](ui::ReminderBoard &board) { control<QPushButton>(&board, "btnScrivi")->click(); });
    QCOMPARE(m_fixture->services.previewed.size(), size_t(1));
    const report::PreparedReport &letters = m_fixture->services.previewed.front();
    QCOMPARE(letters.pages.size(), size_t(1));
    QCOMPARE(placedOn(letters, 0, u"txtTesto"_s).lines.size(), 81);
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QVERIFY(m_fixture->services.lastMessage().contains(u"le ultime righe non sono stampate"_s));
}

// A folder that takes no file: an error names the file, no success follows, nothing is left
// behind, and the letters can still be printed from the preview.
void TestReminderBoard::lettersThatCannotBeSavedAreSaid()
{
    writeMembers(memberArchive(), {member(u"Senza posta"_s, u"01/12/2026"_s, u"0"_s)});
    QVERIFY(writeBytes(
        m_fixture->file(QLatin1String(reminders::kLetterTemplateName)), "Gentile [NOME],\r\n"));
    const QStringList before = QDir(m_fixture->folder()).entryList(QDir::Files);
    logInToBoard([&](ui::ReminderBoard &board) {
        ReadOnlyAccess locked({m_fixture->folder()});
        control<QPushButton>(&board, "btnScrivi")->click();
    });
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QVERIFY(m_fixture->services.lastMessage().contains(u"Lettere_promemoria.pdf"_s));
    QCOMPARE(m_fixture->services.previewed.size(), size_t(1));
    QCOMPARE(QDir(m_fixture->folder()).entryList(QDir::Files), before);
}

void TestReminderBoard::manyAddresses_data()
{
    QTest::addColumn<int>("members");
    QTest::addColumn<int>("answer"); // -1: no question asked
    QTest::addColumn<int>("opened");
    QTest::newRow("one message") << 50 << -1 << 1;
    QTest::newRow("several messages, yes") << 120 << 1 << 2;
    QTest::newRow("several messages, no") << 120 << 0 << 0;
    QTest::newRow("too many") << 1200 << -1 << 0;
}

void TestReminderBoard::manyAddresses()
{
    QFETCH(int, members);
    QFETCH(int, answer);
    QFETCH(int, opened);
    QList<QStringList> cards;
    for (int i = 0; i < members; ++i) {
        cards.append(member(u"Socio %1"_s.arg(i), u"01/12/2026"_s, u"0"_s,
            u"socio.numero%1@associazione.it"_s.arg(i)));
    }
    writeMembers(memberArchive(), cards);
    if (answer >= 0)
        m_fixture->services.answerNextQuestion(answer == 1);
    logInToBoard(
        [&](ui::ReminderBoard &board) { control<QPushButton>(&board, "btnScrivi")->click(); });
    QCOMPARE(m_fixture->services.openedAddresses.size(), opened);
    QStringList reached;
    for (const QString &address : std::as_const(m_fixture->services.openedAddresses)) {
        QVERIFY(address.size() <= 2000);
        reached += bccOf(address);
    }
    if (opened > 0)
        QCOMPARE(reached.size(), members);
    if (members == 1200) {
        QCOMPARE(m_fixture->services.messages.size(), 1);
        QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Warning);
    }
}

void TestReminderBoard::switchedOffAndReopened()
{
    writeMembers(memberArchive(), {member(u"Scaduto"_s, u"01/12/2026"_s, u"0"_s)});
    const QString settings = m_fixture->file(QLatin1String(reminders::kSettingsFileName));
    logInToBoard([&](ui::ReminderBoard &board) {
        control<QCheckBox>(&board, "chkAvvio")->click();
        QVERIFY(!control<QCheckBox>(&board, "chkAvvio")->isChecked());
    });
    QCOMPARE(fileBytes(settings), QByteArray("[Promemoria]\r\nMostraAllAvvio=0\r\n"));

    // The next start shows no board; the launcher's button does, and turns it back on.
    m_fixture = std::make_unique<AppFixture>();
    writeMembers(memberArchive(), {member(u"Scaduto"_s, u"01/12/2026"_s, u"0"_s)});
    QVERIFY(writeBytes(m_fixture->file(QLatin1String(reminders::kSettingsFileName)),
        "[Promemoria]\r\nMostraAllAvvio=0\r\n"));
    logInWithoutBoard();
    openFromLauncher([&](ui::ReminderBoard &board) {
        QCOMPARE(
            listed(control<QTreeView>(&board, "lstSoci")), QStringList {u"Scaduto - Scaduta"_s});
        auto *box = control<QCheckBox>(&board, "chkAvvio");
        QVERIFY(!box->isChecked());
        box->click();
    });
    QVERIFY(reminders::showAtStart(m_fixture->folder()));
}

// A folder that cannot be written: the person is told, and the box shows what is stored.
void TestReminderBoard::choiceThatCannotBeStoredIsTakenBack()
{
    writeMembers(memberArchive(), {member(u"Scaduto"_s, u"01/12/2026"_s, u"0"_s)});
    logInToBoard([&](ui::ReminderBoard &board) {
        ReadOnlyAccess locked({m_fixture->folder()});
        auto *box = control<QCheckBox>(&board, "chkAvvio");
        box->click();
        QVERIFY(box->isChecked());
    });
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QVERIFY(m_fixture->services.lastMessage().contains(u"Impostazioni.ini"_s));
    QVERIFY(reminders::showAtStart(m_fixture->folder()));
    QVERIFY(!QFileInfo::exists(m_fixture->file(QLatin1String(reminders::kSettingsFileName))));
}

// Nothing to remind: the button still opens the board, with nothing to click.
void TestReminderBoard::letterOpensForEditing()
{
    logInWithoutBoard();
    openFromLauncher([&](ui::ReminderBoard &board) {
        for (const char *name : {"cmdScaduti", "cmdInScadenza", "cmdPagamenti", "btnScrivi"})
            QVERIFY(!control<QPushButton>(&board, name)->isEnabled());
        control<QPushButton>(&board, "btnLettera")->click();
    });
    const QString letter = m_fixture->file(QLatin1String(reminders::kLetterTemplateName));
    QCOMPARE(m_fixture->services.openedFiles, QStringList {letter});
    QVERIFY(fileBytes(letter).startsWith("[DATA]\r\n\r\nGentile [NOME],\r\n"));
}

void TestReminderBoard::helpOpensItsTopic()
{
    logInWithoutBoard();
    QString title;
    openFromLauncher([&](ui::ReminderBoard &board) {
        m_fixture->services.onNextDialog([&](QDialog &help) {
            title = control<QLabel>(&help, "lblTitolo")->text();
            return QDialog::Rejected;
        });
        control<QPushButton>(&board, "btnGuida")->click();
    });
    QCOMPARE(title, u"Il promemoria all'avvio."_s);
}

QTEST_MAIN(TestReminderBoard)
#include "tst_promemoria.moc"
