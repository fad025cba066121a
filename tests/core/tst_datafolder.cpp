// Which folder the program keeps its data in: the folder it was started from when that may be
// written or already holds archives, else the folder "Almavest" in the user's home, made with
// the initial password file; a home that takes no folder is refused with a reason.
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "app/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace almavest;
using almavest::test::fileBytes;
using almavest::test::ReadOnlyAccess;
using almavest::test::writeBytes;

namespace {

const QByteArray kInitialPassword = "[Accesso]\r\nValore=6F0B4C2A\r\n";

// Rights for everybody, so that a root run acting as an ordinary user can still reach and,
// where meant, write the folders.
constexpr QFile::Permissions kOpenToAll = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
    | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser | QFile::ReadGroup | QFile::WriteGroup
    | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

} // namespace

class TestDataFolder final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void writableFolderIsKept();
    void folderWithArchivesIsKept_data();
    void folderWithArchivesIsKept();
    void readOnlyFolderWorksInHome();
    void passwordAlreadyInHomeIsKept();
    void homeThatTakesNoFolderIsRefused_data();
    void homeThatTakesNoFolderIsRefused();

private:
    QString program() const { return m_root->filePath(QStringLiteral("program")); }
    QString home() const { return m_root->filePath(QStringLiteral("home")); }
    QString inHome() const { return QDir(home()).filePath(QStringLiteral("Almavest")); }
    QString passwordIn(const QString &folder) const
    {
        return QDir(folder).filePath(QStringLiteral("unins000.dll"));
    }

    std::unique_ptr<QTemporaryDir> m_root;
};

void TestDataFolder::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QVERIFY(QDir(m_root->path()).mkdir(QStringLiteral("program")));
    QVERIFY(QDir(m_root->path()).mkdir(QStringLiteral("home")));
    for (const QString &path : {m_root->path(), program(), home()})
        QVERIFY(QFile::setPermissions(path, kOpenToAll));
    QVERIFY(writeBytes(passwordIn(program()), kInitialPassword));
}

void TestDataFolder::writableFolderIsKept()
{
    QVERIFY(app::folderTakesWrites(program()));
    const app::DataFolderChoice choice = app::chooseDataFolder(program(), home());
    QCOMPARE(choice.folder, program());
    QVERIFY(!choice.inHome);
    QVERIFY(!choice.refused());
    QVERIFY(!QFileInfo::exists(inHome()));
}

// A locked stick or a disc holding the association's archives is read where it is, as before.
void TestDataFolder::folderWithArchivesIsKept_data()
{
    QTest::addColumn<QString>("archive");
    QTest::newRow("member archive") << QStringLiteral("Soci.pro");
    QTest::newRow("a book") << QStringLiteral("Libro 2026.lib");
    QTest::newRow("a journal") << QStringLiteral("2026.eur");
}

void TestDataFolder::folderWithArchivesIsKept()
{
    QFETCH(QString, archive);
    QVERIFY(writeBytes(QDir(program()).filePath(archive), QByteArray(10, 'x')));
    const ReadOnlyAccess readOnly({program()});
    if (!readOnly.effective())
        QSKIP("writing cannot be refused to this process");
    QVERIFY(!app::folderTakesWrites(program()));
    const app::DataFolderChoice choice = app::chooseDataFolder(program(), home());
    QCOMPARE(choice.folder, program());
    QVERIFY(!choice.inHome);
    QVERIFY(!QFileInfo::exists(inHome()));
}

void TestDataFolder::readOnlyFolderWorksInHome()
{
    app::DataFolderChoice choice;
    {
        const ReadOnlyAccess readOnly({program()});
        if (!readOnly.effective())
            QSKIP("writing cannot be refused to this process");
        choice = app::chooseDataFolder(program(), home());
    }
    QCOMPARE(choice.folder, inHome());
    QVERIFY(choice.inHome);
    QVERIFY(choice.refusal.isEmpty());
    QVERIFY(QFileInfo(inHome()).isDir());
    QCOMPARE(fileBytes(passwordIn(inHome())), kInitialPassword);
    // Nothing was written beside the program.
    QCOMPARE(QDir(program()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList {QStringLiteral("unins000.dll")});
}

// A password the user changed is theirs: a later start never puts the initial one back.
void TestDataFolder::passwordAlreadyInHomeIsKept()
{
    const QByteArray changed = "[Accesso]\r\nValore=11223344\r\n";
    QVERIFY(QDir(home()).mkdir(QStringLiteral("Almavest")));
    QVERIFY(QFile::setPermissions(inHome(), kOpenToAll));
    QVERIFY(writeBytes(passwordIn(inHome()), changed));
    const ReadOnlyAccess readOnly({program()});
    if (!readOnly.effective())
        QSKIP("writing cannot be refused to this process");
    const app::DataFolderChoice choice = app::chooseDataFolder(program(), home());
    QCOMPARE(choice.folder, inHome());
    QCOMPARE(fileBytes(passwordIn(inHome())), changed);
}

void TestDataFolder::homeThatTakesNoFolderIsRefused_data()
{
    QTest::addColumn<bool>("homeReadOnly");
    QTest::addColumn<bool>("fileInTheWay");
    QTest::newRow("read-only home") << true << false;
    QTest::newRow("a file named Almavest") << false << true;
}

void TestDataFolder::homeThatTakesNoFolderIsRefused()
{
    QFETCH(bool, homeReadOnly);
    QFETCH(bool, fileInTheWay);
    if (fileInTheWay)
        QVERIFY(writeBytes(inHome(), "not a folder"));
    QStringList locked {program()};
    if (homeReadOnly)
        locked.append(home());
    app::DataFolderChoice choice;
    {
        const ReadOnlyAccess readOnly(locked);
        if (!readOnly.effective())
            QSKIP("writing cannot be refused to this process");
        choice = app::chooseDataFolder(program(), home());
    }
    QVERIFY(choice.refused());
    QVERIFY(!choice.inHome);
    QVERIFY2(choice.refusal.startsWith(QStringLiteral(
                 "Attenzione: non è stato possibile creare la cartella dei dati del programma:")),
        qPrintable(choice.refusal));
    QVERIFY(choice.refusal.contains(QDir::toNativeSeparators(inHome())));
    QCOMPARE(QFileInfo(inHome()).isDir(), false);
}

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
