// The backups as the user meets them: one made at exit when the data changed, with its progress
// and a way to stop it, a failure told; the window of the backups, which lists them, shows what
// each holds, makes one on request, restores one and keeps the number of backups chosen.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"

#include "app/FolderPresence.h"
#include "backup/Backup.h"
#include "ui/app/Application.h"
#include "ui/app/Launcher.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <optional>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

const QString kExitNotice = u"Copia di sicurezza dei dati in corso. Attendere..."_s;
constexpr int kHoldPercent = 40;

QStringList rows(QTreeWidget *table, int column = 0)
{
    QStringList texts;
    for (int i = 0; i < table->topLevelItemCount(); ++i)
        texts.append(table->topLevelItem(i)->text(column));
    return texts;
}

} // namespace

class TestBackups final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void exitBacksUpOnlyWhatChanged();
    void exitBackupShowsProgressAndStops();
    void exitBackupFailureIsTold();
    void readOnlyFolderIsLeftAlone();
    void windowListsAndMakesBackups();
    void restoreFromTheWindow_data();
    void restoreFromTheWindow();
    void keptNumberIsSaved();

private:
    QStringList backupNames() const
    {
        return QDir(m_fixture->file(u"Backup"_s)).entryList(QDir::Files | QDir::Hidden);
    }
    ui::Launcher *launcher() { return m_fixture->app().launcher(); }
    // Opens the window of the backups from the launcher and hands it to `drive`.
    void withWindow(const std::function<void(QDialog &)> &drive);

    std::unique_ptr<AppFixture> m_fixture;
};

void TestBackups::init()
{
    m_fixture = std::make_unique<AppFixture>();
    writeMembers(m_fixture->file(u"Soci.pro"_s), {sampleMember(u"Rossi Mario"_s)});
}

void TestBackups::withWindow(const std::function<void(QDialog &)> &drive)
{
    m_fixture->services.onNextDialog([&drive](QDialog &dialog) {
        drive(dialog);
        return 0;
    });
    control<QPushButton>(launcher(), "btnCopie")->click();
    QVERIFY(m_fixture->services.dialogsShown.contains(u"almavest::ui::BackupWindow"_s));
}

// Leaving the program backs the data up, named after the moment; leaving again with nothing
// changed makes no second backup, and after a change it does.
void TestBackups::exitBacksUpOnlyWhatChanged()
{
    launcher()->show();
    launcher()->close();
    QVERIFY(m_fixture->quitRequested);
    QCOMPARE(backupNames(), QStringList {u"Copia_2026-12-10_10-30-15.zip"_s});
    QVERIFY(m_fixture->services.messages.isEmpty());

    m_fixture->services.setNow(QDateTime(QDate(2026, 12, 10), QTime(18, 0, 0)));
    m_fixture->quitRequested = false;
    launcher()->show();
    launcher()->close();
    QVERIFY(m_fixture->quitRequested);
    QCOMPARE(backupNames().size(), 1);

    writeMembers(m_fixture->file(u"Soci.pro"_s), {sampleMember(u"Verdi Anna"_s)});
    launcher()->show();
    launcher()->close();
    QCOMPARE(backupNames(),
        (QStringList {u"Copia_2026-12-10_10-30-15.zip"_s, u"Copia_2026-12-10_18-00-00.zip"_s}));
    QVERIFY(m_fixture->services.messages.isEmpty());
}

// A backup that takes long shows its progress over the launcher; Annulla stops it, leaves no
// file behind and the program ends all the same, without a word.
void TestBackups::exitBackupShowsProgressAndStops()
{
    launcher()->show();
    m_fixture->services.holdScansFrom(kHoldPercent);
    // The launcher's close waits for the backup with the window free: what the user sees then
    // is looked at, and Annulla clicked, from a timer that runs meanwhile.
    QString seen;
    bool quitWhileShown = true;
    QTimer look;
    connect(&look, &QTimer::timeout, this, [&] {
        auto *notice = launcher()->findChild<QLabel *>(u"lblAttesa"_s);
        if (m_fixture->services.heldScans() != 1 || !notice || !notice->isVisible())
            return;
        look.stop();
        seen = notice->text();
        quitWhileShown = m_fixture->quitRequested;
        control<QPushButton>(launcher(), "btnAnnullaAttesa")->click();
    });
    look.start(10);
    launcher()->close();
    QVERIFY2(seen.startsWith(kExitNotice), qPrintable(seen));
    QVERIFY(!quitWhileShown);
    QVERIFY(m_fixture->quitRequested);
    QCOMPARE(backupNames(), QStringList());
    QVERIFY(m_fixture->services.messages.isEmpty());
    QCOMPARE(control<QLabel>(launcher(), "lblAttesa")->text(),
        u"Lettura dell'archivio in corso. Attendere..."_s);
}

// A backup folder that takes no writes: the user is told why, the program still ends, the data
// are as they were.
void TestBackups::exitBackupFailureIsTold()
{
    const QByteArray members = fileBytes(m_fixture->file(u"Soci.pro"_s));
    QVERIFY(QDir().mkpath(m_fixture->file(u"Backup"_s)));
    QFile::setPermissions(m_fixture->folder(), QFileDevice::Permissions(0x7777));
    {
        const ReadOnlyAccess locked({m_fixture->file(u"Backup"_s)});
        launcher()->show();
        launcher()->close();
    }
    QVERIFY(m_fixture->quitRequested);
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QVERIFY2(m_fixture->services.lastMessage().contains(u"Accesso negato"_s),
        qPrintable(m_fixture->services.lastMessage()));
    QCOMPARE(fileBytes(m_fixture->file(u"Soci.pro"_s)), members);
    QCOMPARE(backupNames(), QStringList());
}

// A program folder that may not be written (a locked stick) is neither backed up nor scolded.
void TestBackups::readOnlyFolderIsLeftAlone()
{
    QFile::setPermissions(m_fixture->folder(), QFileDevice::Permissions(0x7777));
    {
        const ReadOnlyAccess locked({m_fixture->folder()});
        launcher()->show();
        launcher()->close();
    }
    QVERIFY(m_fixture->quitRequested);
    QVERIFY(m_fixture->services.messages.isEmpty());
    QVERIFY(!QFileInfo::exists(m_fixture->file(u"Backup"_s)));
}

// The window lists the backups newest first with what the chosen one holds; "Fai una copia
// adesso" makes one even when nothing changed and says so.
void TestBackups::windowListsAndMakesBackups()
{
    const QDateTime morning(QDate(2026, 12, 9), QTime(8, 15, 0));
    QCOMPARE(
        backup::makeBackup(m_fixture->folder(), morning, 10).outcome, backup::BackupOutcome::Made);
    QVERIFY(writeBytes(m_fixture->file(u"2026.eur"_s), "movimenti"));
    withWindow([&](QDialog &window) {
        auto *backups = control<QTreeWidget>(&window, "lstCopie");
        auto *contents = control<QTreeWidget>(&window, "lstContenuto");
        QCOMPARE(rows(backups), QStringList {u"09/12/2026, ore 08:15:00"_s});
        QCOMPARE(rows(contents), (QStringList {u"Soci.pro"_s, u"unins000.dll"_s}));

        control<QPushButton>(&window, "btnCopia")->click();
        waitForScan(&window);
        QCOMPARE(m_fixture->services.lastMessage(),
            u"Copia di sicurezza fatta: Copia_2026-12-10_10-30-15.zip."_s);
        QCOMPARE(rows(backups),
            (QStringList {u"10/12/2026, ore 10:30:15"_s, u"09/12/2026, ore 08:15:00"_s}));
        QCOMPARE(rows(backups, 1), (QStringList {u"3"_s, u"2"_s}));
        QCOMPARE(rows(contents), (QStringList {u"2026.eur"_s, u"Soci.pro"_s, u"unins000.dll"_s}));
        backups->setCurrentItem(backups->topLevelItem(1));
        QCOMPARE(rows(contents), (QStringList {u"Soci.pro"_s, u"unins000.dll"_s}));
    });
}

void TestBackups::restoreFromTheWindow_data()
{
    QTest::addColumn<QString>("backup");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("restored");
    QTest::addColumn<bool>("otherCopy");
    QTest::newRow("restored") << u"sound"_s << true << true << false;
    QTest::newRow("not confirmed") << u"sound"_s << false << false << false;
    QTest::newRow("damaged") << u"damaged"_s << true << false << false;
    QTest::newRow("another copy open") << u"sound"_s << true << false << true;
}

// Ripristina asks first, then brings the data back and names the copy that holds the data as
// they were; a damaged backup is refused with nothing touched, and so is any while another copy of
// the program works on the folder.
void TestBackups::restoreFromTheWindow()
{
    QFETCH(QString, backup);
    QFETCH(bool, answer);
    QFETCH(bool, restored);
    QFETCH(bool, otherCopy);
    const QByteArray before = fileBytes(m_fixture->file(u"Soci.pro"_s));
    const QString path = backup::makeBackup(
        m_fixture->folder(), QDateTime(QDate(2026, 12, 9), QTime(8, 15, 0)), 10)
                             .path;
    if (backup == u"damaged") {
        QByteArray bytes = fileBytes(path);
        const qsizetype at = bytes.indexOf("Soci.pro") + 12;
        bytes[at] = char(bytes.at(at) ^ 0x55);
        QVERIFY(writeBytes(path, bytes));
    }
    writeMembers(m_fixture->file(u"Soci.pro"_s), {sampleMember(u"Verdi Anna"_s)});
    const QByteArray changed = fileBytes(m_fixture->file(u"Soci.pro"_s));
    m_fixture->services.answerNextQuestion(answer);
    std::optional<app::FolderPresence> other;
    if (otherCopy)
        other.emplace(m_fixture->folder());
    withWindow([&](QDialog &window) {
        control<QPushButton>(&window, "btnRipristina")->click();
        waitForScan(&window);
        QVERIFY(m_fixture->services.messages.first().text.startsWith(
            u"Ripristinare i dati della copia di sicurezza scelta (09/12/2026, ore 08:15:00)?"_s));
        QCOMPARE(rows(control<QTreeWidget>(&window, "lstCopie")).size(), restored ? 2 : 1);
    });
    QCOMPARE(fileBytes(m_fixture->file(u"Soci.pro"_s)), restored ? before : changed);
    const auto &messages = m_fixture->services.messages;
    if (!answer) {
        QCOMPARE(messages.size(), 1);
    } else if (restored) {
        QCOMPARE(messages.last().kind, ui::MessageKind::Information);
        QCOMPARE(messages.last().text,
            u"Ripristino completato: i dati sono tornati com'erano nella copia scelta (09/12/2026, "
            "ore 08:15:00).\r\n\r\nI dati di prima del ripristino sono nella copia "
            "Copia_2026-12-10_10-30-15.zip."_s);
    } else {
        QCOMPARE(messages.last().kind, ui::MessageKind::Error);
        QVERIFY(messages.last().text.endsWith(u"Nessun dato è stato modificato."_s));
        QCOMPARE(messages.last().text.startsWith(u"Almavest è aperto anche in un'altra finestra"_s),
            otherCopy);
    }
}

// The number of backups kept is saved in the settings as it is changed, and the window opens on it.
void TestBackups::keptNumberIsSaved()
{
    withWindow([](QDialog &window) {
        auto *kept = control<QSpinBox>(&window, "txtConservate");
        QCOMPARE(kept->value(), 10);
        kept->setValue(3);
    });
    QCOMPARE(backup::keptBackups(m_fixture->folder()), 3);
    QVERIFY(fileBytes(m_fixture->file(u"Impostazioni.ini"_s)).contains("Conservate=3"));
    withWindow(
        [](QDialog &window) { QCOMPARE(control<QSpinBox>(&window, "txtConservate")->value(), 3); });
    QVERIFY(m_fixture->services.messages.isEmpty());
}

QTEST_MAIN(TestBackups)
#include "tst_backups.moc"
