// Writing a whole file safely: the old file survives every failure and nothing is left behind.
#include "TestFiles.h"
#include "WritesFail.h"
#include "store/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>

using namespace almavest;
using namespace Qt::StringLiterals;
using almavest::store::WriteFailure;
using almavest::test::fileBytes;
using almavest::test::writeBytes;

Q_DECLARE_METATYPE(WriteFailure)

class TestWholeFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesOrReplaces_data();
    void writesOrReplaces();
    void failuresKeepTheOldFile_data();
    void failuresKeepTheOldFile();
    void rebuiltFileKeepsItsMode_data();
    void rebuiltFileKeepsItsMode();
};

void TestWholeFile::writesOrReplaces_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::newRow("new file") << QByteArray();
    QTest::newRow("longer old file") << QByteArray(5000, 'o');
}

void TestWholeFile::writesOrReplaces()
{
    QFETCH(QByteArray, old);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Socio_1.jpg"_s);
    if (!old.isEmpty())
        QVERIFY(writeBytes(path, old));
    QString error;
    QCOMPARE(store::writeWholeFile(path, "new bytes", &error), WriteFailure::None);
    QVERIFY(error.isEmpty());
    QCOMPARE(fileBytes(path), QByteArray("new bytes"));
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {u"Socio_1.jpg"_s});
}

void TestWholeFile::failuresKeepTheOldFile_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addColumn<WriteFailure>("failure");
    // Root is not stopped by permissions: a folder that is a plain file and a file size limit
    // refuse everyone.
    QTest::newRow("folder is a plain file") << u"folderIsFile"_s << WriteFailure::Create;
    QTest::newRow("missing folder") << u"missingFolder"_s << WriteFailure::Create;
    QTest::newRow("disk full after some bytes") << u"diskFull"_s << WriteFailure::Write;
    QTest::newRow("disk full from the start") << u"diskFullAtOnce"_s << WriteFailure::Write;
}

void TestWholeFile::failuresKeepTheOldFile()
{
    QFETCH(QString, cause);
    QFETCH(WriteFailure, failure);
    QTemporaryDir dir;
    QString path = dir.filePath(u"Socio_1.jpg"_s);
    const QByteArray old(3000, 'o');
    QVERIFY(writeBytes(path, old));
    if (cause == u"folderIsFile")
        path = dir.filePath(u"Socio_1.jpg/foto.jpg"_s);
    else if (cause == u"missingFolder")
        path = dir.filePath(u"Schedario/Socio_1.jpg"_s);
    std::optional<test::WritesFail> diskFull;
    if (cause.startsWith(u"diskFull"))
        diskFull.emplace(cause == u"diskFull" ? 1000 : 0);
    QString error;
    const WriteFailure result = store::writeWholeFile(path, QByteArray(4000, 'n'), &error);
    diskFull.reset();
    QCOMPARE(result, failure);
    QVERIFY(!error.isEmpty());
    QCOMPARE(fileBytes(dir.filePath(u"Socio_1.jpg"_s)), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList {u"Socio_1.jpg"_s});
}

namespace {

enum class Writer { Whole, Rebuilt };

mode_t fileMode(const QString &path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    return status.st_mode & 07777;
}

} // namespace

Q_DECLARE_METATYPE(Writer)

void TestWholeFile::rebuiltFileKeepsItsMode_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<int>("mode");
    // 0666 is wider than a new file gets under the usual umask: the old file's mode is kept, not
    // a new file's.
    for (const int mode : {0640, 0600, 0666}) {
        QTest::addRow("whole, %o", mode) << Writer::Whole << mode;
        QTest::addRow("rebuilt, %o", mode) << Writer::Rebuilt << mode;
    }
}

void TestWholeFile::rebuiltFileKeepsItsMode()
{
    QFETCH(Writer, writer);
    QFETCH(int, mode);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Soci.xls"_s);
    QVERIFY(writeBytes(path, "old bytes"));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
    if (writer == Writer::Whole) {
        QCOMPARE(store::writeWholeFile(path, "new bytes"), WriteFailure::None);
    } else {
        store::RebuiltFile file(path);
        QVERIFY(file.open());
        QVERIFY(file.write("new bytes"));
        QCOMPARE(file.commit(), WriteFailure::None);
    }
    QCOMPARE(fileBytes(path), QByteArray("new bytes"));
    QCOMPARE(int(fileMode(path)), mode);
}

QTEST_APPLESS_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
