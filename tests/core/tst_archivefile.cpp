// The fixed-record archive file: hand-written member archives, positions, writes, scans and
// the ways opening can fail.
#include "GoldenRecords.h"
#include "TestFiles.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace almavest;
using namespace almavest::store;
using namespace Qt::StringLiterals;
using almavest::test::fileBytes;
using almavest::test::writeBytes;

namespace {

// A record of `size` bytes that says which position it belongs to.
QByteArray numberedRecord(qint64 position, int size)
{
    QByteArray record = QByteArray::number(position).leftJustified(size, '.');
    record[size - 1] = '\n';
    return record;
}

} // namespace

class TestArchiveFile final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void accessMessage();
    void readsHandWrittenMembers_data();
    void readsHandWrittenMembers();
    void incompleteTailIsNeitherCountedNorRead();
    void readOutsideTheFileFails_data();
    void readOutsideTheFileFails();
    void writeRewritesExactlyOneRecord();
    void appendAtCountPlusOne();
    void refusedWrites_data();
    void refusedWrites();
    void scanVisitsEveryWholeRecordAcrossBlocks();
    void scanStopsWhenAsked();
    void missingFileIsCreatedEmpty();
    void openFailures_data();
    void openFailures();

private:
    QString copyFixture(const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestArchiveFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestArchiveFile::copyFixture(const QString &name)
{
    // Archives are opened for writing, so the tests work on copies.
    QString target = m_dir->filePath(name);
    QFile::copy(QStringLiteral(ALMAVEST_TEST_DATA "/") + name, target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

void TestArchiveFile::accessMessage()
{
    QCOMPARE(archiveAccessMessage(),
        u"Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
        u"possedere i privilegi di scrittura nella cartella di installazione del programma."_s);
}

void TestArchiveFile::readsHandWrittenMembers_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("complete card") << qint64(1) << test::goldenMember1();
    QTest::newRow("careless writer") << qint64(2) << test::goldenMember2();
}

void TestArchiveFile::readsHandWrittenMembers()
{
    QFETCH(qint64, position);
    QFETCH(QStringList, fields);
    ArchiveFile archive(copyFixture(u"members.pro"_s), registry::kMemberRecordSize);
    QVERIFY(archive.openOrCreate());
    QCOMPARE(archive.count(), 2);
    QByteArray record;
    QVERIFY(archive.read(position, record));
    QCOMPARE(archive.position(), position);
    QCOMPARE(record.size(), registry::kMemberRecordSize);
    const QStringList actual = registry::memberLayout().fields(record);
    QCOMPARE(actual.size(), fields.size());
    for (int i = 0; i < fields.size(); ++i) {
        const QByteArray what = QByteArray("field ") + QByteArray::number(i + 1) + ' '
            + registry::memberTable().field(i).control.toLatin1();
        QVERIFY2(actual.at(i) == fields.at(i), what.constData());
    }
}

void TestArchiveFile::incompleteTailIsNeitherCountedNorRead()
{
    ArchiveFile archive(copyFixture(u"members_tail.pro"_s), registry::kMemberRecordSize);
    QVERIFY(archive.openOrCreate());
    QCOMPARE(archive.count(), 1);
    QByteArray record("untouched");
    QVERIFY(!archive.read(2, record));
    QCOMPARE(record, QByteArray("untouched"));
    QVERIFY(!archive.errorString().isEmpty());

    QList<qint64> visited;
    QVERIFY(archive.scan([&](qint64 position, QByteArrayView bytes) {
        visited.append(position);
        return bytes.size() == registry::kMemberRecordSize;
    }));
    QCOMPARE(visited, QList<qint64> {1});
}

void TestArchiveFile::readOutsideTheFileFails_data()
{
    QTest::addColumn<qint64>("position");
    QTest::newRow("zero") << qint64(0);
    QTest::newRow("negative") << qint64(-1);
    QTest::newRow("after the last") << qint64(3);
}

void TestArchiveFile::readOutsideTheFileFails()
{
    QFETCH(qint64, position);
    ArchiveFile archive(copyFixture(u"members.pro"_s), registry::kMemberRecordSize);
    QVERIFY(archive.openOrCreate());
    QByteArray record;
    QVERIFY(archive.read(1, record));
    QVERIFY(!archive.read(position, record));
    QCOMPARE(archive.position(), 1);
}

void TestArchiveFile::writeRewritesExactlyOneRecord()
{
    constexpr int kSize = 16;
    const QString path = m_dir->filePath(u"three.dat"_s);
    QByteArray before;
    for (int p = 1; p <= 3; ++p)
        before += numberedRecord(p, kSize);
    before += "tail"; // an incomplete record stays where it is
    QVERIFY(writeBytes(path, before));

    ArchiveFile archive(path, kSize);
    QVERIFY(archive.openOrCreate());
    const QByteArray replacement(kSize, 'R');
    QVERIFY(archive.write(2, replacement));
    QCOMPARE(archive.position(), 2);
    archive.close();

    QByteArray expected = before;
    expected.replace(kSize, kSize, replacement);
    QCOMPARE(fileBytes(path), expected);
}

void TestArchiveFile::appendAtCountPlusOne()
{
    const QString path = copyFixture(u"members.pro"_s);
    const QByteArray before = fileBytes(path);
    ArchiveFile archive(path, registry::kMemberRecordSize);
    QVERIFY(archive.openOrCreate());
    QByteArray record = registry::memberLayout().blankRecord();
    registry::memberLayout().setFields(record, registry::blankMember());
    registry::memberLayout().setField(record, registry::Name, u"Verdi Luca"_s);
    QVERIFY(archive.write(archive.count() + 1, record));
    QCOMPARE(archive.position(), 3);
    QCOMPARE(archive.count(), 3);

    // Visible to the next action, which opens the file again.
    archive.close();
    ArchiveFile again(path, registry::kMemberRecordSize);
    QVERIFY(again.openOrCreate());
    QByteArray read;
    QVERIFY(again.read(3, read));
    QCOMPARE(registry::memberLayout().field(read, registry::Name), u"Verdi Luca"_s);
    QCOMPARE(fileBytes(path), before + record);
}

void TestArchiveFile::refusedWrites_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<int>("size");
    QTest::newRow("beyond count + 1") << qint64(4) << 16;
    QTest::newRow("position zero") << qint64(0) << 16;
    QTest::newRow("record too short") << qint64(1) << 15;
    QTest::newRow("record too long") << qint64(3) << 17;
}

void TestArchiveFile::refusedWrites()
{
    QFETCH(qint64, position);
    QFETCH(int, size);
    const QString path = m_dir->filePath(u"two.dat"_s);
    const QByteArray before = numberedRecord(1, 16) + numberedRecord(2, 16);
    QVERIFY(writeBytes(path, before));
    ArchiveFile archive(path, 16);
    QVERIFY(archive.openOrCreate());
    QVERIFY(!archive.write(position, QByteArray(size, 'x')));
    QVERIFY(!archive.errorString().isEmpty());
    QCOMPARE(archive.position(), 0);
    archive.close();
    QCOMPARE(fileBytes(path), before);
}

void TestArchiveFile::scanVisitsEveryWholeRecordAcrossBlocks()
{
    // 3000 records of 1000 bytes span three reading blocks, and a tail follows.
    constexpr int kSize = 1000;
    constexpr qint64 kCount = 3000;
    const QString path = m_dir->filePath(u"big.dat"_s);
    QByteArray bytes;
    bytes.reserve(kCount * kSize + 10);
    for (qint64 p = 1; p <= kCount; ++p)
        bytes += numberedRecord(p, kSize);
    bytes += "incomplete";
    QVERIFY(writeBytes(path, bytes));

    ArchiveFile archive(path, kSize);
    QVERIFY(archive.openOrCreate());
    qint64 expected = 0;
    bool allMatch = true;
    QVERIFY(archive.scan([&](qint64 position, QByteArrayView record) {
        ++expected;
        allMatch = allMatch && position == expected && record == numberedRecord(position, kSize);
        return true;
    }));
    QVERIFY(allMatch);
    QCOMPARE(expected, kCount);
    QCOMPARE(archive.position(), kCount);
}

void TestArchiveFile::scanStopsWhenAsked()
{
    const QString path = m_dir->filePath(u"five.dat"_s);
    QByteArray bytes;
    for (int p = 1; p <= 5; ++p)
        bytes += numberedRecord(p, 8);
    QVERIFY(writeBytes(path, bytes));
    ArchiveFile archive(path, 8);
    QVERIFY(archive.openOrCreate());
    int visits = 0;
    QVERIFY(archive.scan([&](qint64 position, QByteArrayView) {
        ++visits;
        return position < 2;
    }));
    QCOMPARE(visits, 2);
}

void TestArchiveFile::missingFileIsCreatedEmpty()
{
    const QString path = m_dir->filePath(u"Soci.pro"_s);
    ArchiveFile archive(path, registry::kMemberRecordSize);
    QVERIFY(archive.openOrCreate());
    QVERIFY(archive.isOpen());
    QCOMPARE(archive.count(), 0);
    QVERIFY(archive.scan([](qint64, QByteArrayView) { return true; }));
    QByteArray record;
    QVERIFY(!archive.read(1, record));
    archive.close();
    QVERIFY(!archive.isOpen());
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestArchiveFile::openFailures_data()
{
    QTest::addColumn<QString>("kind");
    // Tests may run as root, for whom permission bits stop nothing: these paths fail for all.
    QTest::newRow("folder is a plain file") << u"parentIsFile"_s;
    QTest::newRow("missing folder") << u"missingFolder"_s;
    QTest::newRow("archive name taken by a folder") << u"pathIsFolder"_s;
}

void TestArchiveFile::openFailures()
{
    QFETCH(QString, kind);
    QString path;
    if (kind == u"parentIsFile") {
        QVERIFY(writeBytes(m_dir->filePath(u"program"_s), "not a folder"));
        path = m_dir->filePath(u"program/Soci.pro"_s);
    } else if (kind == u"missingFolder") {
        path = m_dir->filePath(u"gone/Soci.pro"_s);
    } else {
        QVERIFY(QDir(m_dir->path()).mkdir(u"Soci.pro"_s));
        path = m_dir->filePath(u"Soci.pro"_s);
    }
    ArchiveFile archive(path, registry::kMemberRecordSize);
    QVERIFY(!archive.openOrCreate());
    QVERIFY(!archive.isOpen());
    QVERIFY(!archive.errorString().isEmpty());
    QCOMPARE(archive.count(), 0);
    QByteArray record;
    QVERIFY(!archive.read(1, record));
    QVERIFY(!archive.write(1, QByteArray(registry::kMemberRecordSize, ' ')));
    QVERIFY(!archive.scan([](qint64, QByteArrayView) { return true; }));
}

QTEST_APPLESS_MAIN(TestArchiveFile)
#include "tst_archivefile.moc"
