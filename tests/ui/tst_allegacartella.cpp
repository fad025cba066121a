// The attachments dialog on a real program folder: what a card hands in and takes back, the
// copy into the attachments folder, the overwrite question, failures that keep the slot's
// name, and opening only files inside the folder.
#include "AppFixture.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"

#include "book/PageRecord.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "ui/app/PasswordScreen.h"
#include "ui/book/BookPageScreen.h"
#include "ui/dialogs/AttachmentsDialog.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/registry/MemberCardScreen.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <functional>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;
using ui::AttachmentsDialog;
using ui::MessageKind;

namespace {

const QString kOverwrite
    = u"Attenzione: nella cartella dei documenti allegati è presente un file "
      u"con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?"_s;
const char *const kSixLabels[]
    = {"lblFile01", "lblDesc01", "lblFile02", "lblDesc02", "lblFile03", "lblDesc03"};

// One card screen opened on a stored record of its archive.
struct Card
{
    QWidget *screen = nullptr;
    const char *saveButton = nullptr;
    QString archive;
    const store::RecordTable *table = nullptr;
    int recordSize = 0;
    qint64 position = 0;
};

using Steps = std::function<void(AttachmentsDialog &)>;

} // namespace

class TestAllegaCartella final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void cardsTakeTheAppliedTextsAtTheNextSave_data();
    void cardsTakeTheAppliedTextsAtTheNextSave();
    void annullaWritesNothingBack();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void theStoredCopyIsNotCopiedAgain();
    void cancelledChoiceChangesNothing();
    void failedCopyKeepsTheSlot_data();
    void failedCopyKeepsTheSlot();
    void unfitNameIsRefused();
    void opensOnlyFilesInsideTheFolder_data();
    void opensOnlyFilesInsideTheFolder();
    void openingThatCannotBeDoneIsTold_data();
    void openingThatCannotBeDoneIsTold();
    void tabRunsSlotBySlot();

private:
    Card openMemberCard();
    Card openCard(const QString &which);
    // Opens the member card's attachments with slot 1 naming `name`, runs `steps` on the
    // dialog and leaves it with `finish`.
    void onMemberCard(const QString &name, const Steps &steps, const char *finish = "btnApplica");
    void runDialog(
        QWidget *card, const char *button, const Steps &steps, const char *finish = "btnApplica");
    QString userFile(const QString &name, const QByteArray &bytes) const;
    QString attachmentsFolder() const { return m_fixture->file(u"Documenti_Allegati"_s); }
    QString stored(const QString &name) const { return attachmentsFolder() + u'/' + name; }
    QStringList storedRecord(const Card &card) const;
    QString label(QWidget *card, const char *name) const
    {
        return control<QLabel>(card, name)->text();
    }
    const QList<ShownMessage> &messages() const { return m_fixture->services.messages; }

    std::unique_ptr<AppFixture> m_fixture;
};

void TestAllegaCartella::init()
{
    m_fixture = std::make_unique<AppFixture>();
    QVERIFY(QDir(m_fixture->folder()).mkpath(u"documenti/altri"_s));
}

QString TestAllegaCartella::userFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = m_fixture->file(u"documenti/"_s + name);
    if (!writeBytes(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

Card TestAllegaCartella::openMemberCard()
{
    const QString archive = m_fixture->file(u"Soci.pro"_s);
    writeBytes(archive, fileBytes(QStringLiteral(ALMAVEST_TEST_DATA "/members.pro")));
    m_fixture->openMemberCard();
    ui::MemberCardScreen *card = m_fixture->app().memberCardScreen();
    if (!card->loadCard(1))
        qFatal("cannot load the first member");
    return {card, "btnSalva", archive, &registry::memberTable(), registry::kMemberRecordSize, 1};
}

Card TestAllegaCartella::openCard(const QString &which)
{
    if (which == u"anagrafica")
        return openMemberCard();
    if (which == u"registro") {
        const QString archive = m_fixture->file(u"Soci 2026.lib"_s);
        writeBytes(archive, fileBytes(QStringLiteral(ALMAVEST_TEST_DATA "/pages.lib")));
        ui::BookPageScreen *page = m_fixture->app().bookPageScreen();
        page->openBook(m_fixture->app().passwordScreen(), archive, u"Soci 2026"_s);
        return {page, "cmdSalva", archive, &book::pageTable(), book::kPageRecordSize,
            page->lblPosizione()->text().toLongLong()};
    }
    const QString archive = m_fixture->file(u"2024.eur"_s);
    writeBytes(archive, fileBytes(QStringLiteral(ALMAVEST_TEST_DATA "/movements.eur")));
    ui::MovementCardScreen *movement = m_fixture->app().movementCardScreen();
    movement->openYear(m_fixture->app().passwordScreen(), archive, u"2024"_s);
    // Movement 2 is a settled expense as the card writes it.
    control<QAbstractButton>(movement, "cmdPrimo")->click();
    control<QAbstractButton>(movement, "cmdAvanti")->click();
    return {
        movement, "cmdSalva", archive, &journal::movementTable(), journal::kMovementRecordSize, 2};
}

QStringList TestAllegaCartella::storedRecord(const Card &card) const
{
    store::ArchiveFile archive(card.archive, card.recordSize);
    QByteArray bytes;
    if (!archive.openForReading() || !archive.read(card.position, bytes))
        return {};
    return card.table->layout().fields(bytes);
}

void TestAllegaCartella::runDialog(
    QWidget *card, const char *button, const Steps &steps, const char *finish)
{
    m_fixture->services.onNextDialog([&](QDialog &dialog) {
        auto &attach = dynamic_cast<AttachmentsDialog &>(dialog);
        steps(attach);
        control<QPushButton>(&attach, finish)->click();
        return attach.result();
    });
    control<QAbstractButton>(card, button)->click();
    QCOMPARE(m_fixture->services.dialogsShown, QStringList {u"almavest::ui::AttachmentsDialog"_s});
}

void TestAllegaCartella::onMemberCard(const QString &name, const Steps &steps, const char *finish)
{
    QWidget *card = openMemberCard().screen;
    control<QLabel>(card, "lblFile01")->setText(name);
    runDialog(card, "btnAllegati", steps, finish);
}

// Each card hands its six labels in, takes the six texts back on apply, and stores them only
// when it is saved.
void TestAllegaCartella::cardsTakeTheAppliedTextsAtTheNextSave_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QByteArray>("button");
    QTest::newRow("member card") << u"anagrafica"_s << QByteArray("btnAllegati");
    QTest::newRow("book page") << u"registro"_s << QByteArray("cmdFile");
    QTest::newRow("movement card") << u"movimenti"_s << QByteArray("cmdFile");
}

void TestAllegaCartella::cardsTakeTheAppliedTextsAtTheNextSave()
{
    QFETCH(QString, which);
    QFETCH(QByteArray, button);
    const Card card = openCard(which);
    QVERIFY(card.screen->isVisible());
    // The record's own attachments give way to labels with blanks around them.
    const QStringList shown
        = {u"  ricevuta.pdf "_s, QString(), QString(), QString(), QString(), u" Nota in fondo  "_s};
    for (int i = 0; i < 6; ++i)
        control<QLabel>(card.screen, kSixLabels[i])->setText(shown[i]);
    const QStringList before = storedRecord(card);
    QVERIFY(!before.isEmpty());
    const QString chosen = userFile(u"altri/verbale assemblea.odt"_s, "verbale");

    runDialog(card.screen, button.constData(), [&](AttachmentsDialog &dialog) {
        QCOMPARE(dialog.lblMemory()->text(), which);
        QCOMPARE(control<QLineEdit>(&dialog, "txtFile01")->text(), u"ricevuta.pdf"_s);
        QCOMPARE(control<QLineEdit>(&dialog, "txtDesc03")->text(), u"Nota in fondo"_s);
        QVERIFY(control<QPushButton>(&dialog, "btnApri01")->isEnabled());
        QVERIFY(!control<QPushButton>(&dialog, "btnApri02")->isEnabled());
        QVERIFY(control<QLineEdit>(&dialog, "txtFile02")->isReadOnly());

        m_fixture->services.answerNextOpenFile(chosen);
        control<QPushButton>(&dialog, "btnSfoglia02")->click();
        QCOMPARE(control<QLineEdit>(&dialog, "txtFile02")->text(), u"verbale assemblea.odt"_s);
        QVERIFY(control<QPushButton>(&dialog, "btnApri02")->isEnabled());
        control<QLineEdit>(&dialog, "txtDesc02")->setText(u"  Verbale dell'assemblea "_s);
        control<QToolButton>(&dialog, "imgCancella01")->click();
        QVERIFY(control<QLineEdit>(&dialog, "txtFile01")->text().isEmpty());
        QVERIFY(!control<QPushButton>(&dialog, "btnApri01")->isEnabled());
    });
    QCOMPARE(
        m_fixture->services.fileDialogTitles, QStringList {u"Selezionare il file da allegare:"_s});
    QCOMPARE(fileBytes(stored(u"verbale assemblea.odt"_s)), QByteArray("verbale"));

    const QStringList expected = {QString(), QString(), u"verbale assemblea.odt"_s,
        u"Verbale dell'assemblea"_s, QString(), u"Nota in fondo"_s};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(label(card.screen, kSixLabels[i]), expected[i]);
    QCOMPARE(storedRecord(card), before);

    control<QAbstractButton>(card.screen, card.saveButton)->click();
    QStringList after = before;
    for (int i = 0; i < 6; ++i)
        after[card.table->indexOf(QLatin1String(kSixLabels[i]))] = expected[i];
    QCOMPARE(storedRecord(card), after);
    QVERIFY(!messages().isEmpty());
    QCOMPARE(messages().last().kind, MessageKind::Information);
}

void TestAllegaCartella::annullaWritesNothingBack()
{
    const QString chosen = userFile(u"quota.pdf"_s, "quota");
    onMemberCard(
        u"ricevuta.pdf"_s,
        [&](AttachmentsDialog &dialog) {
            m_fixture->services.answerNextOpenFile(chosen);
            control<QPushButton>(&dialog, "btnSfoglia01")->click();
            QCOMPARE(control<QLineEdit>(&dialog, "txtFile01")->text(), u"quota.pdf"_s);
        },
        "btnAnnulla");
    QCOMPARE(label(m_fixture->app().memberCardScreen(), "lblFile01"), u"ricevuta.pdf"_s);
    QCOMPARE(fileBytes(stored(u"quota.pdf"_s)), QByteArray("quota"));
}

// Yes replaces the stored file for every card naming it; No keeps both the stored file and the
// slot's previous name.
void TestAllegaCartella::overwriteQuestion_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestAllegaCartella::overwriteQuestion()
{
    QFETCH(bool, yes);
    QVERIFY(QDir().mkpath(attachmentsFolder()));
    QVERIFY(writeBytes(stored(u"ricevuta.pdf"_s), "di un altro socio"));
    const QString chosen = userFile(u"altri/ricevuta.pdf"_s, "nuova");
    onMemberCard(u"vecchio.pdf"_s, [&](AttachmentsDialog &dialog) {
        m_fixture->services.answerNextOpenFile(chosen);
        m_fixture->services.answerNextQuestion(yes);
        control<QPushButton>(&dialog, "btnSfoglia01")->click();
    });
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Question);
    QCOMPARE(messages().first().text, kOverwrite);
    QCOMPARE(label(m_fixture->app().memberCardScreen(), "lblFile01"),
        yes ? u"ricevuta.pdf"_s : u"vecchio.pdf"_s);
    QCOMPARE(fileBytes(stored(u"ricevuta.pdf"_s)),
        yes ? QByteArray("nuova") : QByteArray("di un altro socio"));
}

// Picking the folder's own file names it without a question and without touching the only copy.
void TestAllegaCartella::theStoredCopyIsNotCopiedAgain()
{
    QVERIFY(QDir().mkpath(attachmentsFolder()));
    QVERIFY(writeBytes(stored(u"statuto.pdf"_s), "unica copia"));
    onMemberCard(QString(), [&](AttachmentsDialog &dialog) {
        m_fixture->services.answerNextOpenFile(stored(u"statuto.pdf"_s));
        control<QPushButton>(&dialog, "btnSfoglia03")->click();
    });
    QVERIFY(messages().isEmpty());
    QCOMPARE(label(m_fixture->app().memberCardScreen(), "lblFile03"), u"statuto.pdf"_s);
    QCOMPARE(fileBytes(stored(u"statuto.pdf"_s)), QByteArray("unica copia"));
}

void TestAllegaCartella::cancelledChoiceChangesNothing()
{
    onMemberCard(u"ricevuta.pdf"_s, [&](AttachmentsDialog &dialog) {
        m_fixture->services.answerNextOpenFile(QString());
        control<QPushButton>(&dialog, "btnSfoglia01")->click();
    });
    QVERIFY(messages().isEmpty());
    QCOMPARE(label(m_fixture->app().memberCardScreen(), "lblFile01"), u"ricevuta.pdf"_s);
    QVERIFY(!QFileInfo::exists(attachmentsFolder()));
}

void TestAllegaCartella::failedCopyKeepsTheSlot_data()
{
    QTest::addColumn<bool>("folderExists");
    QTest::newRow("read-only attachments folder") << true;
    QTest::newRow("the folder cannot be made") << false;
}

void TestAllegaCartella::failedCopyKeepsTheSlot()
{
    QFETCH(bool, folderExists);
    {
        const ReadOnlyAccess probe({});
        if (!probe.effective())
            QSKIP("root cannot become an ordinary user here");
    }
    // The program's words, then the system's own reason.
    const QString text
        = (folderExists
                  ? u"Attenzione: non è stato possibile copiare il file \"quota.pdf\" nella "
                    u"cartella "
                    u"dei documenti allegati.\r\n\r\nIl file non è stato allegato."_s
                  : u"Attenzione: non è stato possibile creare la cartella dei documenti allegati:\r\n"_s
                      + QDir::toNativeSeparators(attachmentsFolder())
                      + u"\r\n\r\nIl file non è stato allegato."_s)
        + u"\n\r\n\rAccesso negato: la cartella o il file non consente la scrittura."_s;
    if (folderExists)
        QVERIFY(QDir().mkpath(attachmentsFolder()));
    const QString chosen = userFile(u"quota.pdf"_s, "quota");
    onMemberCard(u"ricevuta.pdf"_s, [&](AttachmentsDialog &dialog) {
        const ReadOnlyAccess locked(
            {m_fixture->folder(), folderExists ? attachmentsFolder() : m_fixture->folder()});
        m_fixture->services.answerNextOpenFile(chosen);
        control<QPushButton>(&dialog, "btnSfoglia01")->click();
        QCOMPARE(control<QLineEdit>(&dialog, "txtFile01")->text(), u"ricevuta.pdf"_s);
    });
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Error);
    QCOMPARE(messages().first().text, text);
    QCOMPARE(label(m_fixture->app().memberCardScreen(), "lblFile01"), u"ricevuta.pdf"_s);
    QVERIFY(!QFileInfo::exists(stored(u"quota.pdf"_s)));
}

void TestAllegaCartella::unfitNameIsRefused()
{
    const QString chosen = userFile(u"ricevuta \u4e2d.pdf"_s, "x");
    onMemberCard(u"ricevuta.pdf"_s, [&](AttachmentsDialog &dialog) {
        m_fixture->services.answerNextOpenFile(chosen);
        control<QPushButton>(&dialog, "btnSfoglia01")->click();
    });
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Warning);
    QVERIFY(messages().first().text.contains(u"\"ricevuta \u4e2d.pdf\""_s));
    QCOMPARE(label(m_fixture->app().memberCardScreen(), "lblFile01"), u"ricevuta.pdf"_s);
    QVERIFY(!QFileInfo::exists(attachmentsFolder()));
}

// A stored name opens only a file inside the attachments folder, in double quotes; anything
// else, including a name read from a tampered archive, is refused with a reason.
void TestAllegaCartella::opensOnlyFilesInsideTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("opens");
    QTest::newRow("an attached file") << u"ricevuta.pdf"_s << true;
    QTest::newRow("a missing file") << u"persa.pdf"_s << false;
    QTest::newRow("the password file above") << u"../unins000.dll"_s << false;
    QTest::newRow("an absolute path") << u"/etc/passwd"_s << false;
    QTest::newRow("a drive letter") << u"C:\\Windows\\win.ini"_s << false;
}

void TestAllegaCartella::opensOnlyFilesInsideTheFolder()
{
    QFETCH(QString, name);
    QFETCH(bool, opens);
    QVERIFY(QDir().mkpath(attachmentsFolder()));
    QVERIFY(writeBytes(stored(u"ricevuta.pdf"_s), "ricevuta"));
    onMemberCard(name,
        [&](AttachmentsDialog &dialog) { control<QPushButton>(&dialog, "btnApri01")->click(); });
    if (opens) {
        QVERIFY(messages().isEmpty());
        QCOMPARE(m_fixture->services.openedFiles, QStringList {stored(name)});
        return;
    }
    QVERIFY(m_fixture->services.openedFiles.isEmpty());
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Warning);
    QCOMPARE(messages().first().text,
        u"Attenzione: il file allegato \"%1\" non è presente nella cartella dei documenti "
        u"allegati."_s.arg(name));
}

// A link out of the program folder is never opened, and a file no program opens is not
// passed over in silence.
void TestAllegaCartella::openingThatCannotBeDoneIsTold_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("handedOver");
    QTest::addColumn<QString>("text");
    const QString link = u"Attenzione: il file allegato \"ricevuta.pdf\" (o la cartella dei "
                         u"documenti allegati) è un collegamento a un file o a una cartella che "
                         u"si trova fuori dalla cartella del programma."_s;
    QTest::newRow("file linked outside") << u"fileLink"_s << false << link;
    QTest::newRow("folder linked outside") << u"folderLink"_s << false << link;
    QTest::newRow("no program opens it")
        << u"noProgram"_s << true
        << u"Attenzione: non è stato possibile aprire il file allegato \"ricevuta.pdf\"."_s;
}

void TestAllegaCartella::openingThatCannotBeDoneIsTold()
{
    QFETCH(QString, fault);
    QFETCH(bool, handedOver);
    QFETCH(QString, text);
    QTemporaryDir elsewhere;
    QVERIFY(writeBytes(elsewhere.filePath(u"ricevuta.pdf"_s), "altrui"));
    if (fault == u"folderLink") {
        QVERIFY(QFile::link(elsewhere.path(), attachmentsFolder()));
    } else {
        QVERIFY(QDir().mkpath(attachmentsFolder()));
        if (fault == u"fileLink")
            QVERIFY(QFile::link(elsewhere.filePath(u"ricevuta.pdf"_s), stored(u"ricevuta.pdf"_s)));
        else
            QVERIFY(writeBytes(stored(u"ricevuta.pdf"_s), "ricevuta"));
    }
    m_fixture->services.failNextOpen();
    onMemberCard(u"ricevuta.pdf"_s,
        [&](AttachmentsDialog &dialog) { control<QPushButton>(&dialog, "btnApri01")->click(); });
    QCOMPARE(m_fixture->services.openedFiles.size(), handedOver ? 1 : 0);
    QCOMPARE(messages().size(), 1);
    QVERIFY2(messages().first().text.startsWith(text), qPrintable(messages().first().text));
}

void TestAllegaCartella::tabRunsSlotBySlot()
{
    QStringList order;
    onMemberCard(u"ricevuta.pdf"_s, [&](AttachmentsDialog &dialog) {
        QWidget *widget = control<QWidget>(&dialog, "txtFile01");
        do {
            if (widget->focusPolicy() & Qt::TabFocus)
                order.append(widget->objectName());
            widget = widget->nextInFocusChain();
        } while (widget != control<QWidget>(&dialog, "txtFile01"));
    });
    QStringList expected;
    for (const char *slot : {"01", "02", "03"}) {
        for (const char *control : {"txtFile", "btnSfoglia", "btnApri", "txtDesc"})
            expected.append(QLatin1String(control) + QLatin1String(slot));
    }
    expected << u"btnApplica"_s << u"btnAnnulla"_s;
    QCOMPARE(order, expected);
}

QTEST_MAIN(TestAllegaCartella)
#include "tst_allegacartella.moc"
