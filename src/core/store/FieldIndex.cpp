#include "store/FieldIndex.h"

#include "store/ArchiveFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <cstring>
#include <limits>

namespace almavest::store {

namespace {

constexpr QByteArrayView kMagic = "ALMVIDX1";
// An archive changed less than this long ago is not copied: a change in the same tick of its
// modification time, two seconds on a FAT stick, would leave the copy's times unchanged.
constexpr qint64 kSettleNs = qint64(3) * 1000 * 1000 * 1000;

// What tells one state of an archive from another.
struct Stamp
{
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    qint64 fileNumber = 0;
};

std::optional<Stamp> stampOf(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    const auto ns = [](const timespec &time) {
        return qint64(time.tv_sec) * 1000000000 + qint64(time.tv_nsec);
    };
    return Stamp {qint64(info.st_size), ns(info.st_mtim), ns(info.st_ctim), qint64(info.st_ino)};
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return Stamp {info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000,
        info.metadataChangeTime().toMSecsSinceEpoch() * 1000000, 0};
#endif
}

void put32(QByteArray &out, quint32 value)
{
    out.append(reinterpret_cast<const char *>(&value), sizeof value);
}

void put64(QByteArray &out, quint64 value)
{
    out.append(reinterpret_cast<const char *>(&value), sizeof value);
}

quint64 get64(const uchar *at)
{
    quint64 value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

quint32 get32(const uchar *at)
{
    quint32 value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// FNV-1a over the header, so that a header changed by hand or by a disk fault is not trusted.
quint64 checksum(QByteArrayView bytes)
{
    quint64 hash = 14695981039346656037ULL;
    for (const char byte : bytes) {
        hash ^= uchar(byte);
        hash *= 1099511628211ULL;
    }
    return hash;
}

// The part of the header that must be the same, byte for byte, for the copy to fit the archive.
QByteArray identity(
    const RecordLayout &layout, std::span<const int> fields, const Stamp &stamp, qint64 count)
{
    QByteArray out(kMagic.data(), kMagic.size());
    put32(out, quint32(layout.recordSize()));
    put32(out, quint32(fields.size()));
    put64(out, quint64(count));
    put64(out, quint64(stamp.size));
    put64(out, quint64(stamp.modifiedNs));
    put64(out, quint64(stamp.changedNs));
    put64(out, quint64(stamp.fileNumber));
    for (const int field : fields) {
        put32(out, quint32(layout.offset(field)));
        put32(out, quint32(layout.capacity(field)));
    }
    return out;
}

constexpr qint64 kDirectoryEntryBytes
    = qint64(3) * 8; // where the ends are, where the texts, how many

qint64 alignedTo8(qint64 size)
{
    return (size + 7) / 8 * 8;
}

// Every field's texts and ends, read from the archive in one scan.
struct Columns
{
    std::vector<QByteArray> texts;
    std::vector<std::vector<quint32>> ends;
};

std::optional<Columns> readColumns(const QString &archivePath, const RecordLayout &layout,
    std::span<const int> fields, qint64 count, ScanControl *control)
{
    ArchiveFile archive(archivePath, layout.recordSize());
    archive.setReadAhead(layout.readAhead(fields));
    if (!archive.openForReading() || archive.count() != count)
        return std::nullopt;
    Columns columns;
    columns.texts.resize(fields.size());
    columns.ends.resize(fields.size());
    for (auto &ends : columns.ends)
        ends.reserve(size_t(count));
    if (control && !control->report(0, 2 * count))
        return std::nullopt;
    bool tooLarge = false;
    const bool read = archive.scan([&](qint64 position, QByteArrayView record) {
        if (control && ScanControl::dueForReport(position) && !control->report(position, 2 * count))
            return false;
        for (size_t c = 0; c < fields.size(); ++c) {
            columns.texts[c].append(layout.textBytes(record, fields[c]));
            tooLarge = tooLarge || columns.texts[c].size() > std::numeric_limits<quint32>::max();
            columns.ends[c].push_back(quint32(columns.texts[c].size()));
        }
        return !tooLarge;
    });
    if (!read || tooLarge || (control && control->cancelled()) || archive.position() != count)
        return std::nullopt;
    return columns;
}

bool writeIndex(const QString &path, const QByteArray &head, const Columns &columns, qint64 count)
{
    const auto columnCount = qint64(columns.texts.size());
    QByteArray header = head;
    qint64 at = alignedTo8(head.size() + columnCount * kDirectoryEntryBytes + 8);
    for (qint64 c = 0; c < columnCount; ++c) {
        const qint64 textsAt = at + count * 4;
        put64(header, quint64(at));
        put64(header, quint64(textsAt));
        put64(header, quint64(columns.texts[size_t(c)].size()));
        at = alignedTo8(textsAt + columns.texts[size_t(c)].size());
    }
    put64(header, checksum(header));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const auto pad = [&out] {
        const qint64 gap = alignedTo8(out.pos()) - out.pos();
        return gap == 0 || out.write(QByteArray(gap, '\0')) == gap;
    };
    bool written = out.write(header) == header.size() && pad();
    for (size_t c = 0; written && c < columns.texts.size(); ++c) {
        const qint64 endBytes = count * 4;
        written = out.write(reinterpret_cast<const char *>(columns.ends[c].data()), endBytes)
                == endBytes
            && out.write(columns.texts[c]) == columns.texts[c].size() && pad();
    }
    return written && out.commit();
}

} // namespace

FieldIndex::~FieldIndex() = default;

QString FieldIndex::pathFor(const QString &archivePath)
{
    const QFileInfo info(archivePath);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + QLatin1String(".indice"));
}

void FieldIndex::drop(const QString &archivePath)
{
    QFile::remove(pathFor(archivePath));
}

std::unique_ptr<FieldIndex> FieldIndex::open(const QString &archivePath, const RecordLayout &layout,
    std::span<const int> fields, ScanControl *control)
{
    const std::optional<Stamp> stamp = stampOf(archivePath);
    if (!stamp || stamp->size < layout.recordSize())
        return nullptr;
    const qint64 count = stamp->size / layout.recordSize();
    const QByteArray head = identity(layout, fields, *stamp, count);
    const QString path = pathFor(archivePath);
    std::unique_ptr<FieldIndex> index = map(path, head);
    if (index == nullptr) {
        const qint64 now = QDateTime::currentMSecsSinceEpoch() * 1000000;
        if (now - stamp->modifiedNs < kSettleNs || !QFileInfo(QFileInfo(path).path()).isWritable())
            return nullptr;
        const std::optional<Columns> columns
            = readColumns(archivePath, layout, fields, count, control);
        // The archive must still be the one the copy was made from.
        const std::optional<Stamp> after = stampOf(archivePath);
        if (!columns || !after || identity(layout, fields, *after, count) != head
            || !writeIndex(path, head, *columns, count))
            return nullptr;
        index = map(path, head);
        if (index == nullptr)
            return nullptr;
        index->m_wasMade = true;
    }
    index->m_columnOfField.assign(size_t(layout.fieldCount()), -1);
    for (size_t c = 0; c < fields.size(); ++c)
        index->m_columnOfField[size_t(fields[c])] = int(c);
    return index;
}

std::unique_ptr<FieldIndex> FieldIndex::map(const QString &path, const QByteArray &expectedHeader)
{
    std::unique_ptr<FieldIndex> index(new FieldIndex);
    index->m_file = std::make_unique<QFile>(path);
    QFile &file = *index->m_file;
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const qint64 size = file.size();
    const qint64 headBytes = expectedHeader.size();
    const auto columnCount = qint64(
        get32(reinterpret_cast<const uchar *>(expectedHeader.constData() + kMagic.size() + 4)));
    const qint64 directoryEnd = headBytes + columnCount * kDirectoryEntryBytes;
    if (size < directoryEnd + 8)
        return nullptr;
    // The header is read, not mapped, so that a file cut short under us cannot fault here.
    const QByteArray header = file.read(directoryEnd + 8);
    if (header.size() != directoryEnd + 8 || !header.startsWith(expectedHeader)
        || get64(reinterpret_cast<const uchar *>(header.constData() + directoryEnd))
            != checksum(QByteArrayView(header).first(directoryEnd)))
        return nullptr;
    const uchar *bytes = file.map(0, size);
    if (bytes == nullptr)
        return nullptr;
    index->m_bytes = bytes;
    index->m_size = size;
    index->m_count = qint64(
        get64(reinterpret_cast<const uchar *>(expectedHeader.constData()) + kMagic.size() + 8));
    const auto *directory = reinterpret_cast<const uchar *>(header.constData() + headBytes);
    for (qint64 c = 0; c < columnCount; ++c) {
        const uchar *entry = directory + c * kDirectoryEntryBytes;
        const quint64 endsAt = get64(entry);
        const quint64 textsAt = get64(entry + 8);
        const quint64 textBytes = get64(entry + 16);
        const bool inside = endsAt % 4 == 0 && endsAt >= quint64(directoryEnd + 8)
            && textsAt == endsAt + quint64(index->m_count) * 4 && textsAt <= quint64(size)
            && textBytes <= quint64(size) - textsAt;
        if (!inside)
            return nullptr;
        index->m_columns.push_back(
            {bytes + endsAt, reinterpret_cast<const char *>(bytes + textsAt), textBytes});
    }
    return index;
}

QByteArrayView FieldIndex::text(int field, qint64 position) const
{
    const Column &column = m_columns[size_t(m_columnOfField[size_t(field)])];
    const quint32 end = get32(column.ends + (position - 1) * 4);
    const quint32 begin = position == 1 ? 0 : get32(column.ends + (position - 2) * 4);
    if (begin > end || end > column.textBytes) {
        m_damaged = true;
        return {};
    }
    return QByteArrayView(column.texts + begin, end - begin);
}

bool FieldIndex::checkTexts(std::span<const int> fields) const
{
    for (const int field : fields) {
        const Column &column = m_columns[size_t(m_columnOfField[size_t(field)])];
        // Ends that never go back and the last within the texts keep every text inside them.
        quint32 previous = 0;
        qint64 backwards = 0;
        for (qint64 i = 0; i < m_count; ++i) {
            const quint32 end = get32(column.ends + i * 4);
            backwards += end < previous ? 1 : 0;
            previous = end;
        }
        if (backwards > 0 || previous > column.textBytes)
            m_damaged = true;
    }
    return !m_damaged;
}

} // namespace almavest::store
