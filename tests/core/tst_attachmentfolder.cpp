// The attachments folder on a real temporary program folder: copies, replacements, the folder's
// own copy, failures that keep what was there, and names that would lead out of the folder.
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "attachments/AttachmentFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace almavest;
using almavest::attachments::AttachmentFolder;
using almavest::attachments::StoreOutcome;
using almavest::test::fileBytes;
using almavest::test::writeBytes;

Q_DECLARE_METATYPE(StoreOutcome)

namespace {

// A program folder with a folder of the user's own files beside it.
struct Folders
{
    QTemporaryDir dir;
    app::ProgramFolder program {dir.filePath(QStringLiteral("programma"))};
    AttachmentFolder attachments {program};

    Folders()
    {
        QDir(dir.path()).mkpath(QStringLiteral("programma"));
        QDir(dir.path()).mkpath(QStringLiteral("documenti/altro"));
    }
    // A file of the user's at `name` under "documenti" holding `bytes`.
    QString userFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = dir.filePath(QStringLiteral("documenti/") + name);
        writeBytes(path, bytes);
        return path;
    }
    QString stored(const QString &name) const { return *attachments.fileOf(name); }
    QStringList storedNames() const
    {
        return QDir(attachments.path()).entryList(QDir::Files | QDir::Hidden);
    }
};

} // namespace

class TestAttachmentFolder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copiesUnderItsOwnName();
    void replacesAFileOfTheSameName();
    void theFoldersOwnCopyIsNotCopied_data();
    void theFoldersOwnCopyIsNotCopied();
    void failuresKeepWhatWasThere();
    void namesStayInsideTheFolder_data();
    void namesStayInsideTheFolder();
    void namesACardCanKeep_data();
    void namesACardCanKeep();
};

void TestAttachmentFolder::copiesUnderItsOwnName()
{
    Folders folders;
    const QByteArray bytes = QByteArray("%PDF-1.4 ") + QByteArray(3 << 20, 'r');
    const QString chosen = folders.userFile(QStringLiteral("altro/ricevuta.pdf"), bytes);

    QCOMPARE(AttachmentFolder::nameOf(chosen), QStringLiteral("ricevuta.pdf"));
    QVERIFY(!folders.attachments.holds(QStringLiteral("ricevuta.pdf")));
    // The folder does not exist yet: storing makes it.
    QCOMPARE(folders.attachments.store(chosen), StoreOutcome::Copied);
    QCOMPARE(folders.attachments.path(),
        QDir(folders.program.path()).filePath(QStringLiteral("Documenti_Allegati")));
    QCOMPARE(folders.storedNames(), QStringList {QStringLiteral("ricevuta.pdf")});
    QCOMPARE(fileBytes(folders.stored(QStringLiteral("ricevuta.pdf"))), bytes);
    QCOMPARE(fileBytes(chosen), bytes);
    QVERIFY(folders.attachments.holds(QStringLiteral("ricevuta.pdf")));
}

void TestAttachmentFolder::replacesAFileOfTheSameName()
{
    Folders folders;
    QVERIFY(folders.attachments.store(
                folders.userFile(QStringLiteral("ricevuta.pdf"), QByteArray(5000, 'o')))
        == StoreOutcome::Copied);
    const QString second = folders.userFile(QStringLiteral("altro/ricevuta.pdf"), "nuova");

    QCOMPARE(folders.attachments.store(second), StoreOutcome::Copied);
    QCOMPARE(fileBytes(folders.stored(QStringLiteral("ricevuta.pdf"))), QByteArray("nuova"));
    QCOMPARE(folders.storedNames(), QStringList {QStringLiteral("ricevuta.pdf")});
}

void TestAttachmentFolder::theFoldersOwnCopyIsNotCopied_data()
{
    QTest::addColumn<QString>("how"); // how the user reaches the stored file
    QTest::newRow("its own path") << QStringLiteral("direct");
    QTest::newRow("a path through ..") << QStringLiteral("dots");
    QTest::newRow("a symbolic link of the same name") << QStringLiteral("link");
}

void TestAttachmentFolder::theFoldersOwnCopyIsNotCopied()
{
    QFETCH(QString, how);
    Folders folders;
    QVERIFY(folders.attachments.store(folders.userFile(QStringLiteral("verbale.odt"), "unico"))
        == StoreOutcome::Copied);
    QFile::remove(folders.dir.filePath(QStringLiteral("documenti/verbale.odt")));
    const QString stored = folders.stored(QStringLiteral("verbale.odt"));

    QString chosen = stored;
    if (how == u"dots")
        chosen = folders.attachments.path() + QStringLiteral("/../Documenti_Allegati/verbale.odt");
    else if (how == u"link") {
        chosen = folders.dir.filePath(QStringLiteral("documenti/altro/verbale.odt"));
        QVERIFY(QFile::link(stored, chosen));
    }

    QVERIFY(folders.attachments.isStoredCopy(chosen));
    QCOMPARE(folders.attachments.store(chosen), StoreOutcome::AlreadyThere);
    QCOMPARE(fileBytes(stored), QByteArray("unico"));
    QCOMPARE(folders.storedNames(), QStringList {QStringLiteral("verbale.odt")});
    // Another file of the same name is not the stored copy.
    QVERIFY(
        !folders.attachments.isStoredCopy(folders.userFile(QStringLiteral("verbale.odt"), "x")));
}

void TestAttachmentFolder::failuresKeepWhatWasThere()
{
    Folders folders;
    QVERIFY(folders.attachments.store(folders.userFile(QStringLiteral("quota.pdf"), "vecchia"))
        == StoreOutcome::Copied);
    const QString replacement = folders.userFile(QStringLiteral("altro/quota.pdf"), "nuova");

    // A source that cannot be read.
    QCOMPARE(folders.attachments.store(folders.dir.filePath(QStringLiteral("documenti/manca.pdf"))),
        StoreOutcome::CopyFailed);
    {
        // A folder that may not be written; the temporary folder above is made enterable too.
        test::ReadOnlyAccess readOnly({folders.dir.path(), folders.attachments.path()});
        if (!readOnly.effective())
            QSKIP("writing cannot be refused to this process");
        QCOMPARE(folders.attachments.store(replacement), StoreOutcome::CopyFailed);
    }
    QCOMPARE(fileBytes(folders.stored(QStringLiteral("quota.pdf"))), QByteArray("vecchia"));
    QCOMPARE(folders.storedNames(), QStringList {QStringLiteral("quota.pdf")});

    // A program folder in which the attachments folder cannot be made.
    QVERIFY(QDir(folders.attachments.path()).removeRecursively());
    {
        test::ReadOnlyAccess readOnly({folders.dir.path(), folders.program.path()});
        QCOMPARE(folders.attachments.store(replacement), StoreOutcome::FolderFailed);
    }
    QVERIFY(!QFileInfo::exists(folders.attachments.path()));
}

void TestAttachmentFolder::namesStayInsideTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("inside");
    QTest::newRow("plain") << QStringLiteral("ricevuta.pdf") << true;
    QTest::newRow("dots inside a name") << QStringLiteral("..ricevuta..pdf") << true;
    QTest::newRow("blank inside") << QStringLiteral("verbale assemblea.odt") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("dot") << QStringLiteral(".") << false;
    QTest::newRow("parent") << QStringLiteral("..") << false;
    QTest::newRow("up and out") << QStringLiteral("../unins000.dll") << false;
    QTest::newRow("backslash up") << QStringLiteral("..\\..\\soci.pro") << false;
    QTest::newRow("absolute") << QStringLiteral("/etc/passwd") << false;
    QTest::newRow("drive letter") << QStringLiteral("C:\\Windows\\win.ini") << false;
    QTest::newRow("drive relative") << QStringLiteral("C:win.ini") << false;
    QTest::newRow("network share") << QStringLiteral("\\\\server\\share\\f.pdf") << false;
    QTest::newRow("subfolder") << QStringLiteral("sotto/f.pdf") << false;
}

void TestAttachmentFolder::namesStayInsideTheFolder()
{
    QFETCH(QString, name);
    QFETCH(bool, inside);
    Folders folders;
    const std::optional<QString> file = folders.attachments.fileOf(name);
    QCOMPARE(file.has_value(), inside);
    if (inside) {
        QCOMPARE(QFileInfo(*file).absolutePath(),
            QFileInfo(folders.attachments.path()).absoluteFilePath());
        QCOMPARE(QFileInfo(*file).fileName(), name);
    }
}

void TestAttachmentFolder::namesACardCanKeep_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fits");
    QTest::newRow("plain") << QStringLiteral("ricevuta.pdf") << true;
    QTest::newRow("accents and euro") << QStringLiteral("quota è 5 €.pdf") << true;
    QTest::newRow("250 characters") << QString(246, u'a') + QStringLiteral(".pdf") << true;
    QTest::newRow("251 characters") << QString(247, u'a') + QStringLiteral(".pdf") << false;
    QTest::newRow("outside the code page") << QStringLiteral("ricevuta \u4e2d.pdf") << false;
    QTest::newRow("leading blank") << QStringLiteral(" ricevuta.pdf") << false;
    QTest::newRow("trailing blank") << QStringLiteral("ricevuta.pdf ") << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b.pdf") << false;
}

void TestAttachmentFolder::namesACardCanKeep()
{
    QFETCH(QString, name);
    QFETCH(bool, fits);
    QCOMPARE(attachments::fitsCard(name), fits);
    if (fits)
        return;
    // A name the card could not keep is never copied.
    Folders folders;
    QCOMPARE(folders.attachments.store(folders.userFile(name, "x")), StoreOutcome::UnfitName);
    QVERIFY(!QFileInfo::exists(folders.attachments.path()));
}

QTEST_GUILESS_MAIN(TestAttachmentFolder)
#include "tst_attachmentfolder.moc"
