// The fixed-record archive file: hand-written member archives, positions, writes, scans, the
// ways opening can fail, reading without write permission and two processes appending at once.
#include "GoldenRecords.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "WritesFail.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <memory>

using namespace almavest;
using namespace almavest::store;
using namespace Qt::StringLiterals;
using almavest::test::fileBytes;
using almavest::test::ReadOnlyAccess;
using almavest::test::writeBytes;
using almavest::test::WritesFail;

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
    void scanReadsWholeRecordsEitherWay_data();
    void scanReadsWholeRecordsEitherWay();
    void scanStopsAtAnyRecordEitherWay_data();
    void scanStopsAtAnyRecordEitherWay();
    void scanFollowsAFileThatShrankAfterOpening_data();
    void scanFollowsAFileThatShrankAfterOpening();
    void mappedScanFailsOnAFileCutShortUnderIt();
    void mappedScanFailsOnPagesGoneInsideAWindow_data();
    void mappedScanFailsOnPagesGoneInsideAWindow();
    void aPageGoneOutsideAScanStillEndsTheProgram();
    void missingFileIsCreatedEmpty_data();
    void missingFileIsCreatedEmpty();
    void openFailures_data();
    void openFailures();
    void readingNeedsNoWritePermission();
    void missingFileInAReadOnlyFolderReadsEmpty();
    void failedAppendLeavesNoPartialRecord();
    void twoProcessesAppendingLoseNoRecord();

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
    // Some tests open archives for writing, so they all work on copies.
    QString target = m_dir->filePath(name);
    QFile::copy(QStringLiteral(ALMAVEST_TEST_DATA "/") + name, target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
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
    QVERIFY(archive.openForReading());
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
    QVERIFY(archive.openForReading());
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
    QVERIFY(archive.openForReading());
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
    QVERIFY(archive.openForWriting());
    const QByteArray replacement(kSize, 'R');
    QVERIFY(archive.overwrite(2, replacement));
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
    QVERIFY(archive.openForWriting());
    QByteArray record = registry::memberLayout().blankRecord();
    registry::memberLayout().setFields(record, registry::blankMember());
    registry::memberLayout().setField(record, registry::Name, u"Verdi Luca"_s);
    QCOMPARE(archive.append(record), std::optional<qint64>(3));
    QCOMPARE(archive.position(), 3);
    QCOMPARE(archive.count(), 3);

    // Visible to the next action, which opens the file again.
    archive.close();
    ArchiveFile again(path, registry::kMemberRecordSize);
    QVERIFY(again.openForReading());
    QByteArray read;
    QVERIFY(again.read(3, read));
    QCOMPARE(registry::memberLayout().field(read, registry::Name), u"Verdi Luca"_s);
    QCOMPARE(fileBytes(path), before + record);
}

void TestArchiveFile::refusedWrites_data()
{
    QTest::addColumn<bool>("reading");
    QTest::addColumn<qint64>("position"); // 0 appends
    QTest::addColumn<int>("size");
    QTest::newRow("overwrite after the last") << false << qint64(3) << 16;
    QTest::newRow("overwrite far beyond") << false << qint64(4) << 16;
    QTest::newRow("overwrite position zero") << false << qint64(0) << 16;
    QTest::newRow("overwrite with a short record") << false << qint64(1) << 15;
    QTest::newRow("append a long record") << false << qint64(-1) << 17;
    QTest::newRow("overwrite opened for reading") << true << qint64(1) << 16;
    QTest::newRow("append opened for reading") << true << qint64(-1) << 16;
}

void TestArchiveFile::refusedWrites()
{
    QFETCH(bool, reading);
    QFETCH(qint64, position);
    QFETCH(int, size);
    const QString path = m_dir->filePath(u"two.dat"_s);
    const QByteArray before = numberedRecord(1, 16) + numberedRecord(2, 16);
    QVERIFY(writeBytes(path, before));
    ArchiveFile archive(path, 16);
    QVERIFY(reading ? archive.openForReading() : archive.openForWriting());
    const QByteArray record(size, 'x');
    if (position < 0)
        QCOMPARE(archive.append(record), std::nullopt);
    else
        QVERIFY(!archive.overwrite(position, record));
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
    QVERIFY(archive.openForReading());
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
    QVERIFY(archive.openForReading());
    int visits = 0;
    QVERIFY(archive.scan([&](qint64 position, QByteArrayView) {
        ++visits;
        return position < 2;
    }));
    QCOMPARE(visits, 2);
}

namespace {

constexpr int kSmallRecord = 8;
// Three small records to a mapped window, so that a few records cross several windows.
constexpr qint64 kSmallWindow = 3 * kSmallRecord + 5;

void addReadModeColumn()
{
    QTest::addColumn<ArchiveFile::ReadMode>("mode");
}

const std::pair<ArchiveFile::ReadMode, const char *> kReadModes[]
    = {{ArchiveFile::ReadMode::Mapped, "mapped"}, {ArchiveFile::ReadMode::Blocks, "blocks"}};

QByteArray numberedRecords(int count)
{
    QByteArray bytes;
    for (int p = 1; p <= count; ++p)
        bytes += numberedRecord(p, kSmallRecord);
    return bytes;
}

} // namespace

void TestArchiveFile::scanReadsWholeRecordsEitherWay_data()
{
    addReadModeColumn();
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("tailBytes");
    for (const auto &[mode, name] : kReadModes) {
        QTest::addRow("%s, empty file", name) << mode << 0 << 0;
        QTest::addRow("%s, a tail shorter than one record", name) << mode << 0 << 5;
        QTest::addRow("%s, one record", name) << mode << 1 << 0;
        QTest::addRow("%s, one record and a tail", name) << mode << 1 << kSmallRecord - 1;
        QTest::addRow("%s, windows filled exactly", name) << mode << 9 << 0;
        QTest::addRow("%s, a last window of one record and a tail", name) << mode << 10 << 3;
    }
}

void TestArchiveFile::scanReadsWholeRecordsEitherWay()
{
    QFETCH(ArchiveFile::ReadMode, mode);
    QFETCH(int, records);
    QFETCH(int, tailBytes);
    const QString path = m_dir->filePath(u"small.dat"_s);
    QVERIFY(writeBytes(path, numberedRecords(records) + QByteArray(tailBytes, 'x')));
    ArchiveFile archive(path, kSmallRecord);
    archive.setReadMode(mode, kSmallWindow);
    QVERIFY(archive.openForReading());
    QList<qint64> visited;
    bool bytesMatch = true;
    QVERIFY(archive.scan([&](qint64 position, QByteArrayView record) {
        visited.append(position);
        bytesMatch = bytesMatch && record == numberedRecord(position, kSmallRecord);
        return true;
    }));
    QVERIFY(bytesMatch);
    QList<qint64> expected;
    for (qint64 p = 1; p <= records; ++p)
        expected.append(p);
    QCOMPARE(visited, expected);
    QCOMPARE(archive.position(), records);
}

void TestArchiveFile::scanStopsAtAnyRecordEitherWay_data()
{
    addReadModeColumn();
    QTest::addColumn<int>("stopAt");
    for (const auto &[mode, name] : kReadModes) {
        QTest::addRow("%s, first record", name) << mode << 1;
        QTest::addRow("%s, last record of a window", name) << mode << 3;
        QTest::addRow("%s, first record of the next window", name) << mode << 4;
        QTest::addRow("%s, last record", name) << mode << 7;
    }
}

void TestArchiveFile::scanStopsAtAnyRecordEitherWay()
{
    QFETCH(ArchiveFile::ReadMode, mode);
    QFETCH(int, stopAt);
    const QString path = m_dir->filePath(u"seven.dat"_s);
    QVERIFY(writeBytes(path, numberedRecords(7)));
    ArchiveFile archive(path, kSmallRecord);
    archive.setReadMode(mode, kSmallWindow);
    QVERIFY(archive.openForReading());
    qint64 last = 0;
    QVERIFY(archive.scan([&](qint64 position, QByteArrayView) {
        last = position;
        return position < stopAt;
    }));
    QCOMPARE(last, stopAt);
    QCOMPARE(archive.position(), stopAt);
}

void TestArchiveFile::scanFollowsAFileThatShrankAfterOpening_data()
{
    addReadModeColumn();
    for (const auto &[mode, name] : kReadModes)
        QTest::addRow("%s", name) << mode;
}

// Another copy of the program may leave the file shorter between opening and scanning.
void TestArchiveFile::scanFollowsAFileThatShrankAfterOpening()
{
    QFETCH(ArchiveFile::ReadMode, mode);
    const QString path = m_dir->filePath(u"shrinks.dat"_s);
    QVERIFY(writeBytes(path, numberedRecords(7)));
    ArchiveFile archive(path, kSmallRecord);
    archive.setReadMode(mode, kSmallWindow);
    QVERIFY(archive.openForReading());
    QCOMPARE(archive.count(), 7);
    QVERIFY(QFile::resize(path, 4 * kSmallRecord + 2));
    qint64 last = 0;
    QVERIFY(archive.scan([&](qint64 position, QByteArrayView record) {
        last = record == numberedRecord(position, kSmallRecord) ? position : -1;
        return true;
    }));
    QCOMPARE(last, 4);
}

// Mapping past the end of a file would end the program on the first byte read there: a file
// cut short while its records are visited fails the scan instead, as a short read does.
void TestArchiveFile::mappedScanFailsOnAFileCutShortUnderIt()
{
    const QString path = m_dir->filePath(u"cut.dat"_s);
    QVERIFY(writeBytes(path, numberedRecords(7)));
    ArchiveFile archive(path, kSmallRecord);
    archive.setReadMode(ArchiveFile::ReadMode::Mapped, kSmallWindow);
    QVERIFY(archive.openForReading());
    qint64 last = 0;
    const bool read = archive.scan([&](qint64 position, QByteArrayView) {
        if (position == 3)
            QFile::resize(path, 2 * kSmallRecord);
        last = position;
        return true;
    });
    QVERIFY(!read);
    QCOMPARE(last, 3);
    QVERIFY(!archive.errorString().isEmpty());
}

void TestArchiveFile::mappedScanFailsOnPagesGoneInsideAWindow_data()
{
    QTest::addColumn<int>("pagesLeft");
    QTest::addRow("every page") << 0;
    QTest::addRow("all but the first page") << 1;
    QTest::addRow("the last page of the window") << 3;
}

// The pages of a window already mapped can still go: the file cut short by another process, the
// stick pulled out, an I/O error. The system then raises SIGBUS on the first byte read there,
// which must fail the scan as a short read does instead of ending the program.
void TestArchiveFile::mappedScanFailsOnPagesGoneInsideAWindow()
{
    QFETCH(int, pagesLeft);
    const auto page = int(sysconf(_SC_PAGESIZE));
    const int recordSize = page / 4;
    const int records = 16; // four pages, all in one window
    QByteArray bytes;
    for (int p = 1; p <= records; ++p)
        bytes += numberedRecord(p, recordSize);
    const QString path = m_dir->filePath(u"gone.dat"_s);
    QVERIFY(writeBytes(path, bytes));
    ArchiveFile archive(path, recordSize);
    archive.setReadMode(ArchiveFile::ReadMode::Mapped, qint64(records) * recordSize);
    QVERIFY(archive.openForReading());
    qint64 last = 0;
    bool bytesMatch = true;
    const bool read = archive.scan([&](qint64 position, QByteArrayView record) {
        if (position == 1)
            QFile::resize(path, qint64(pagesLeft) * page);
        last = position;
        bytesMatch = bytesMatch && record == numberedRecord(position, recordSize);
        return true;
    });
    QVERIFY(!read);
    QVERIFY(!archive.errorString().isEmpty());
    // The first record past the pages left is the last visited, and the one record that reads
    // wrong; those before it read as they were written.
    const qint64 firstGone = qint64(pagesLeft) * 4 + 1;
    QCOMPARE(last, firstGone);
    QVERIFY(!bytesMatch);
    // The next scan reads what is left, as a file shorter from the start is read.
    qint64 after = 0;
    QVERIFY(archive.scan([&](qint64 position, QByteArrayView record) {
        after = record == numberedRecord(position, recordSize) ? position : -1;
        return true;
    }));
    QCOMPARE(after, firstGone - 1);
}

// Only the scans' own reads are guarded: any other fault is a fault of the program, and ends it.
void TestArchiveFile::aPageGoneOutsideAScanStillEndsTheProgram()
{
    const QString path = m_dir->filePath(u"outside.dat"_s);
    QVERIFY(writeBytes(path, numberedRecords(7)));
    QProcess helper;
    helper.start(
        QStringLiteral(ALMAVEST_BUS_ERROR_OUTSIDE_SCAN), {path, QString::number(kSmallRecord)});
    QVERIFY(helper.waitForFinished(60000));
    QCOMPARE(helper.exitStatus(), QProcess::CrashExit);
}

void TestArchiveFile::missingFileIsCreatedEmpty_data()
{
    QTest::addColumn<bool>("reading");
    QTest::newRow("reading") << true;
    QTest::newRow("writing") << false;
}

void TestArchiveFile::missingFileIsCreatedEmpty()
{
    QFETCH(bool, reading);
    const QString path = m_dir->filePath(u"Soci.pro"_s);
    ArchiveFile archive(path, registry::kMemberRecordSize);
    QVERIFY(reading ? archive.openForReading() : archive.openForWriting());
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
    QTest::addColumn<bool>("reading");
    // Tests may run as root, for whom permission bits stop nothing: these paths fail for all.
    for (const bool reading : {true, false}) {
        const char *mode = reading ? "reading, " : "writing, ";
        QTest::addRow("%sfolder is a plain file", mode) << u"parentIsFile"_s << reading;
        QTest::addRow("%smissing folder", mode) << u"missingFolder"_s << reading;
        QTest::addRow("%sarchive name taken by a folder", mode) << u"pathIsFolder"_s << reading;
    }
}

void TestArchiveFile::openFailures()
{
    QFETCH(QString, kind);
    QFETCH(bool, reading);
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
    QVERIFY(!(reading ? archive.openForReading() : archive.openForWriting()));
    QVERIFY(!archive.isOpen());
    QVERIFY(!archive.errorString().isEmpty());
    QCOMPARE(archive.count(), 0);
    QByteArray record;
    QVERIFY(!archive.read(1, record));
    QVERIFY(!archive.append(QByteArray(registry::kMemberRecordSize, ' ')));
    QVERIFY(!archive.scan([](qint64, QByteArrayView) { return true; }));
}

// A program folder on a locked stick: the cards are read, and writing is refused, not faked.
void TestArchiveFile::readingNeedsNoWritePermission()
{
    const QString path = copyFixture(u"members.pro"_s);
    const QByteArray before = fileBytes(path);
    ReadOnlyAccess readOnly({path, m_dir->path()});
    QVERIFY(readOnly.effective());

    ArchiveFile archive(path, registry::kMemberRecordSize);
    QVERIFY2(archive.openForReading(), qPrintable(archive.errorString()));
    QCOMPARE(archive.count(), 2);
    QByteArray record;
    QVERIFY(archive.read(2, record));
    QCOMPARE(registry::memberLayout().field(record, registry::Name), u"Bianchi Anna"_s);
    qint64 scanned = 0;
    QVERIFY(archive.scan([&](qint64 position, QByteArrayView) {
        scanned = position;
        return true;
    }));
    QCOMPARE(scanned, 2);
    QVERIFY(!archive.append(record));
    archive.close();

    QVERIFY(!archive.openForWriting());
    QVERIFY(!archive.isOpen());
    QCOMPARE(fileBytes(path), before);
}

void TestArchiveFile::missingFileInAReadOnlyFolderReadsEmpty()
{
    const QString path = m_dir->filePath(u"Soci.pro"_s);
    ReadOnlyAccess readOnly({m_dir->path()});
    QVERIFY(readOnly.effective());
    ArchiveFile archive(path, registry::kMemberRecordSize);
    QVERIFY(archive.openForReading());
    QVERIFY(archive.isOpen());
    QCOMPARE(archive.count(), 0);
    QVERIFY(archive.scan([](qint64, QByteArrayView) { return false; }));
    QByteArray record;
    QVERIFY(!archive.read(1, record));
    archive.close();
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!archive.openForWriting());
}

// A disk with room for half a record: the append fails and the file keeps its whole records
// only, so the next append takes the same position.
void TestArchiveFile::failedAppendLeavesNoPartialRecord()
{
    constexpr int kSize = 1000;
    const QString path = m_dir->filePath(u"two.dat"_s);
    const QByteArray before = numberedRecord(1, kSize) + numberedRecord(2, kSize);
    QVERIFY(writeBytes(path, before));
    ArchiveFile archive(path, kSize);
    QVERIFY(archive.openForWriting());
    {
        const WritesFail diskFull(before.size() + kSize / 2);
        QCOMPARE(archive.append(numberedRecord(3, kSize)), std::nullopt);
    }
    QVERIFY(!archive.errorString().isEmpty());
    QCOMPARE(archive.position(), 0);
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(archive.append(numberedRecord(3, kSize)), std::optional<qint64>(3));
}

// Two copies of the program saving new cards into one archive at the same time: every card is
// stored whole, once, at the position its copy was told.
void TestArchiveFile::twoProcessesAppendingLoseNoRecord()
{
    constexpr int kSize = registry::kMemberRecordSize;
    constexpr int kEach = 1000;
    const QString path = m_dir->filePath(u"Soci.pro"_s);
    const QStringList tags = {u"primo"_s, u"secondo"_s};
    std::vector<std::unique_ptr<QProcess>> copies;
    for (const QString &tag : tags) {
        auto &copy = copies.emplace_back(std::make_unique<QProcess>());
        copy->start(QStringLiteral(ALMAVEST_ARCHIVE_APPENDER),
            {path, QString::number(kSize), tag, QString::number(kEach)});
        QVERIFY(copy->waitForStarted());
    }
    for (auto &copy : copies)
        copy->write("go\n");
    for (auto &copy : copies)
        QVERIFY(copy->waitForBytesWritten());
    QHash<qint64, QByteArray> told; // position -> the record its copy wrote there
    for (size_t i = 0; i < copies.size(); ++i) {
        QProcess &copy = *copies[i];
        QVERIFY(copy.waitForFinished(120000));
        QCOMPARE(copy.exitStatus(), QProcess::NormalExit);
        QVERIFY2(copy.exitCode() == 0, copy.readAllStandardError().constData());
        const QList<QByteArray> positions = copy.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(positions.size(), kEach);
        for (qsizetype n = 0; n < positions.size(); ++n) {
            const qint64 position = positions.at(n).toLongLong();
            QVERIFY2(
                !told.contains(position), qPrintable(u"position %1 told twice"_s.arg(position)));
            const QByteArray record
                = tags.at(int(i)).toLatin1() + ' ' + QByteArray::number(n + 1) + ' ';
            told.insert(position, record.leftJustified(kSize - 1, '.') + '\n');
        }
    }
    const QByteArray bytes = fileBytes(path);
    QCOMPARE(bytes.size(), qsizetype(2) * kEach * kSize);
    for (qint64 position = 1; position <= 2 * kEach; ++position) {
        QVERIFY2(bytes.mid((position - 1) * kSize, kSize) == told.value(position),
            qPrintable(u"record %1"_s.arg(position)));
    }
}

QTEST_APPLESS_MAIN(TestArchiveFile)
#include "tst_archivefile.moc"
