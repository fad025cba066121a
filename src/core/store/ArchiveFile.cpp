#include "store/ArchiveFile.h"

#include "store/FieldIndex.h"
#include "store/FileLock.h"
#include "store/MappedReadGuard.h"
#include "store/ScanControl.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <utility>

namespace almavest::store {

namespace {

constexpr qint64 kScanBlockBytes = qint64(1) << 20;

// How many records ahead of the one visited a mapped scan brings in the bytes visits read: enough
// to cover the wait for memory while the records between are visited.
constexpr qint64 kReadAheadRecords = 8;

// Has the system map every page of a window at once, where it can: cheaper than stopping at
// each page on the first read of it, and a read ahead is never lost on a page not yet mapped.
void mapPagesNow(const uchar *window, qint64 size)
{
#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_READ)
    static const auto page = qint64(sysconf(_SC_PAGESIZE));
    // The window rounded down to its page, by an offset rather than by turning the address into
    // a number and back.
    const auto offset = qint64(quintptr(window) % quintptr(page));
    // Older systems refuse the request; the pages are then mapped as they are read.
    madvise(const_cast<uchar *>(window - offset), size_t(size + offset), MADV_POPULATE_READ);
#else
    Q_UNUSED(window);
    Q_UNUSED(size);
#endif
}

inline void prefetch(const char *address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    Q_UNUSED(address);
#endif
}

} // namespace

QString archiveAccessMessage()
{
    return QStringLiteral(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
        "programma.");
}

ArchiveFile::ArchiveFile(const QString &path, int recordSize)
    : m_file(path)
    , m_recordSize(recordSize)
{
    Q_ASSERT(recordSize > 0);
}

ArchiveFile::~ArchiveFile()
{
    close();
}

bool ArchiveFile::openForReading()
{
    return open(QIODevice::ReadOnly);
}

bool ArchiveFile::openForWriting()
{
    return open(QIODevice::ReadWrite);
}

bool ArchiveFile::open(QIODevice::OpenMode mode)
{
    close();
    m_position = 0;
    m_error.clear();
    // Unbuffered: records are read in blocks of our own and every write must reach the file.
    mode |= QIODevice::Unbuffered;
    if (m_file.open(mode | QIODevice::ExistingOnly))
        return true;
    // An existing file that cannot be opened is never created anew: that would empty it. Another
    // copy of the program may create the file at any moment between these steps, so a file found
    // here is opened as it stands, and the error is that of the last try.
    const auto openExisting = [this, mode] {
        return m_file.open(mode | QIODevice::ExistingOnly) || fail(m_file.errorString());
    };
    const QFileInfo info(m_file.fileName());
    if (info.exists() || info.isSymLink())
        return openExisting();
    const bool created = m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    if (created)
        m_file.close();
    if (created || QFileInfo::exists(m_file.fileName()))
        return openExisting();
    const QString reason = m_file.errorString();
    // Reading in a program folder the user may not write, such as a locked stick or a disc:
    // the archive has never been saved there, so there is nothing in it.
    if (!mode.testFlag(QIODevice::WriteOnly) && info.dir().exists()) {
        m_missingReadsEmpty = true;
        return true;
    }
    return fail(reason);
}

void ArchiveFile::close()
{
    m_missingReadsEmpty = false;
    if (m_file.isOpen())
        m_file.close();
}

bool ArchiveFile::isOpen() const
{
    return m_file.isOpen() || m_missingReadsEmpty;
}

qint64 ArchiveFile::count() const
{
    return m_file.isOpen() ? m_file.size() / m_recordSize : 0;
}

bool ArchiveFile::read(qint64 position, QByteArray &record)
{
    if (!isOpen())
        return fail(QStringLiteral("The archive is not open"));
    if (position < 1 || position > count())
        return fail(QStringLiteral("No record at position %1").arg(position));
    if (!m_file.seek((position - 1) * m_recordSize))
        return fail(m_file.errorString());
    QByteArray bytes(m_recordSize, Qt::Uninitialized);
    if (m_file.read(bytes.data(), m_recordSize) != m_recordSize)
        return fail(QStringLiteral("Short read at position %1").arg(position));
    record = bytes;
    m_position = position;
    return true;
}

std::optional<qint64> ArchiveFile::append(const QByteArray &record)
{
    if (!canWrite(record))
        return std::nullopt;
    const FileLock lock(m_file);
    if (!lock.held()) {
        fail(lock.errorString());
        return std::nullopt;
    }
    // Counted under the lock: another copy of the program may have appended since opening.
    const qint64 position = count() + 1;
    if (!writeLocked(position, record)) {
        // A record cut short by a full disk would otherwise be the tail the next append fills.
        m_file.resize((position - 1) * m_recordSize);
        return std::nullopt;
    }
    return position;
}

bool ArchiveFile::overwrite(qint64 position, const QByteArray &record)
{
    if (!canWrite(record))
        return false;
    const FileLock lock(m_file);
    if (!lock.held())
        return fail(lock.errorString());
    if (position < 1 || position > count())
        return fail(QStringLiteral("No record at position %1").arg(position));
    return writeLocked(position, record);
}

bool ArchiveFile::canWrite(const QByteArray &record)
{
    if (!m_file.isOpen() || !m_file.isWritable())
        return fail(QStringLiteral("The archive is not open for writing"));
    if (record.size() != m_recordSize)
        return fail(QStringLiteral("A record must be %1 bytes").arg(m_recordSize));
    return true;
}

bool ArchiveFile::writeLocked(qint64 position, const QByteArray &record)
{
    // The compact copy of the archive would no longer say what it holds.
    FieldIndex::drop(m_file.fileName());
    if (!m_file.seek((position - 1) * m_recordSize))
        return fail(m_file.errorString());
    if (m_file.write(record) != m_recordSize || !m_file.flush())
        return fail(m_file.errorString());
    m_position = position;
    return true;
}

bool ArchiveFile::scan(const std::function<bool(qint64, QByteArrayView)> &visit)
{
    if (!isOpen())
        return fail(QStringLiteral("The archive is not open"));
    const qint64 total = count();
    if (total == 0)
        return true;
    qint64 position = 0;
    if (m_readMode == ReadMode::Mapped) {
        const std::optional<bool> done = scanMapped(total, position, visit);
        if (done)
            return *done;
    }
    return scanBlocks(total, position, visit);
}

std::optional<bool> ArchiveFile::scanMapped(
    qint64 total, qint64 &position, const std::function<bool(qint64, QByteArrayView)> &visit)
{
    const qint64 windowRecords = std::max<qint64>(1, m_mapWindowBytes / m_recordSize);
    while (position < total) {
        // A file cut short under the scan fails as a short block read does, and is never
        // mapped past its end: the system would end the program on the first byte read there.
        if (m_file.size() < total * m_recordSize)
            return fail(QStringLiteral("Short read after position %1").arg(position));
        const qint64 records = std::min(windowRecords, total - position);
        uchar *window = m_file.map(position * m_recordSize, records * m_recordSize);
        if (window == nullptr)
            return std::nullopt; // the rest is read in blocks
        const char *bytes = reinterpret_cast<const char *>(window);
        bool more = true;
        bool faulted = false;
        {
            // A page that can no longer be read (the file cut short after the check above, the
            // stick pulled out, an I/O error) reads as zeros instead of ending the program; the
            // record being visited then is the last, and the scan fails.
            const MappedReadGuard guard(window, records * m_recordSize);
            mapPagesNow(window, records * m_recordSize);
            for (qint64 i = 0; i < records && more && !faulted; ++i) {
                if (i + kReadAheadRecords < records) {
                    const char *ahead = bytes + (i + kReadAheadRecords) * m_recordSize;
                    for (const int offset : m_readAhead)
                        prefetch(ahead + offset);
                }
                ++position;
                m_position = position;
                more = visit(position, QByteArrayView(bytes + i * m_recordSize, m_recordSize));
                faulted = guard.faulted();
            }
        }
        m_file.unmap(window);
        if (faulted)
            return fail(QStringLiteral("Unreadable page at position %1").arg(position));
        if (!more)
            return true;
    }
    return true;
}

bool ArchiveFile::scanBlocks(
    qint64 total, qint64 position, const std::function<bool(qint64, QByteArrayView)> &visit)
{
    if (!m_file.seek(position * m_recordSize))
        return fail(m_file.errorString());
    const qint64 blockRecords = std::max<qint64>(1, kScanBlockBytes / m_recordSize);
    QByteArray block(std::min(blockRecords, total - position) * m_recordSize, Qt::Uninitialized);
    while (position < total) {
        const qint64 records = std::min(blockRecords, total - position);
        const qint64 bytes = records * m_recordSize;
        if (m_file.read(block.data(), bytes) != bytes)
            return fail(QStringLiteral("Short read after position %1").arg(position));
        for (qint64 i = 0; i < records; ++i) {
            ++position;
            m_position = position;
            const QByteArrayView record(block.constData() + i * m_recordSize, m_recordSize);
            if (!visit(position, record))
                return true;
        }
    }
    return true;
}

bool ArchiveFile::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

bool readRecordsAt(const QString &path, int recordSize, const QList<qint64> &positions,
    const std::function<void(const QByteArray &)> &take, QString *error, ScanControl *control)
{
    ArchiveFile archive(path, recordSize);
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        archive.close();
        return false;
    };
    if (!archive.openForReading())
        return fail(archive.errorString());
    const qint64 count = positions.size();
    QByteArray record;
    for (qint64 done = 0; done < count; ++done) {
        if (control && ScanControl::dueForReport(done) && !control->report(done, count))
            return fail(QString());
        const qint64 position = positions.at(done);
        if (position < 1 || position > archive.count())
            return fail(QStringLiteral("record %1 is no longer in %2").arg(position).arg(path));
        if (!archive.read(position, record))
            return fail(archive.errorString());
        take(record);
    }
    archive.close();
    return true;
}

} // namespace almavest::store
