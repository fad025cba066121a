// Each copy of the program marks its data folder; a restore holds it alone only when no other
// copy marks it, and a copy that starts meanwhile waits for the restore to end.
#include "ReadOnlyAccess.h"

#include "app/FolderPresence.h"

#include <QAtomicInt>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

class TestFolderPresence final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aloneOnlyWithoutOtherCopies();
    void copyStartingDuringARestoreWaits();
    void folderThatTakesNoFile();
};

// Two marks on one folder, as two copies of the program make them: neither may hold it alone
// while the other is there, and each may once the other has gone.
void TestFolderPresence::aloneOnlyWithoutOtherCopies()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    app::FolderPresence first(folder.path());
    QVERIFY(first.beginAlone());
    first.endAlone();
    {
        app::FolderPresence second(folder.path());
        QVERIFY(!first.beginAlone());
        QVERIFY(!second.beginAlone());
        // A refusal leaves the mark as it was: the other copy is still kept out.
        QVERIFY(!first.beginAlone());
    }
    {
        const app::AloneInFolder alone(first);
        QVERIFY(alone.alone());
    }
    // Back to an ordinary mark: a new copy marks the folder next to it.
    app::FolderPresence third(folder.path());
    QVERIFY(!first.beginAlone());
}

void TestFolderPresence::copyStartingDuringARestoreWaits()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    app::FolderPresence restoring(folder.path());
    QVERIFY(restoring.beginAlone());
    QAtomicInt started = 0;
    std::unique_ptr<app::FolderPresence> late;
    std::unique_ptr<QThread> starting(QThread::create([&] {
        late = std::make_unique<app::FolderPresence>(folder.path());
        started.storeRelease(1);
    }));
    starting->start();
    QVERIFY(!starting->wait(300));
    QCOMPARE(started.loadAcquire(), 0);
    restoring.endAlone();
    QVERIFY(starting->wait(10000));
    QCOMPARE(started.loadAcquire(), 1);
    QVERIFY(!restoring.beginAlone());
}

void TestFolderPresence::folderThatTakesNoFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const ReadOnlyAccess readOnly({folder.path()});
    if (!readOnly.effective())
        QSKIP("root could not become an ordinary user");
    app::FolderPresence presence(folder.path());
    QVERIFY(presence.beginAlone());
    presence.endAlone();
    QVERIFY(!QFile::exists(QDir(folder.path()).filePath(QLatin1String(app::kPresenceFileName))));
}

QTEST_GUILESS_MAIN(TestFolderPresence)
#include "tst_folderpresence.moc"
