#include "exporting/ZipPackage.h"

#include "backup/ZipFormat.h"

#include <libdeflate.h>

#include <memory>

namespace almavest::exporting {

namespace {

// The zip records are those the backups write.
using namespace backup::zip;
// Past these a size, an offset or a count needs the zip64 extension, which this writer leaves
// out: no workbook of the program comes near them.
constexpr qint64 kLargest = 0xFFFFFFFE;
constexpr qsizetype kMostEntries = 0xFFFF;

// The fastest level: a long list makes a sheet of many MiB, and a faster level only makes the
// file a little smaller.
constexpr int kLevel = 1;

struct CompressorDeleter
{
    void operator()(libdeflate_compressor *compressor) const
    {
        libdeflate_free_compressor(compressor);
    }
};

} // namespace

ZipPackage::ZipPackage(const QDateTime &modified)
{
    // MS-DOS time, which starts in 1980.
    const QDate date = std::max(modified.date(), QDate(1980, 1, 1));
    const QTime time = modified.date() < QDate(1980, 1, 1) ? QTime(0, 0) : modified.time();
    m_date = static_cast<quint16>(((date.year() - 1980) << 9) | (date.month() << 5) | date.day());
    m_time = static_cast<quint16>((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
}

// What the entry's header and its record in the directory both tell, in the same order.
void ZipPackage::putEntryFields(QByteArray &bytes, const Entry &entry) const
{
    put16(bytes, kVersion);
    put16(bytes, 0); // no flags: the names are ASCII
    put16(bytes, entry.method == Method::Deflated ? kDeflated : 0);
    put16(bytes, m_time);
    put16(bytes, m_date);
    put32(bytes, entry.crc);
    put32(bytes, entry.packedSize);
    put32(bytes, entry.size);
    put16(bytes, static_cast<quint16>(entry.name.size()));
    put16(bytes, 0); // no extra field
}

bool ZipPackage::refuse()
{
    m_error = QStringLiteral("il foglio è troppo grande per un file zip");
    m_bytes.clear();
    return false;
}

bool ZipPackage::add(QByteArrayView name, QByteArrayView bytes, Method method)
{
    if (!m_error.isEmpty())
        return false;
    if (bytes.size() > kLargest || m_entries.size() >= kMostEntries)
        return refuse();
    Entry entry {name.toByteArray(), method,
        static_cast<quint32>(libdeflate_crc32(0, bytes.data(), static_cast<size_t>(bytes.size()))),
        0, static_cast<quint32>(bytes.size()), static_cast<quint32>(m_bytes.size())};
    const qsizetype header = m_bytes.size();
    m_bytes.resize(header + kLocalSize); // filled in once the packed size is known
    m_bytes.append(entry.name);
    const qsizetype data = m_bytes.size();
    qsizetype packed = 0;
    if (method == Method::Deflated) {
        const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
            libdeflate_alloc_compressor(kLevel));
        if (!compressor)
            throw std::bad_alloc();
        const size_t bound = libdeflate_deflate_compress_bound(
            compressor.get(), static_cast<size_t>(bytes.size()));
        m_bytes.resize(data + static_cast<qsizetype>(bound));
        packed = static_cast<qsizetype>(libdeflate_deflate_compress(compressor.get(), bytes.data(),
            static_cast<size_t>(bytes.size()), m_bytes.data() + data, bound));
        // Nothing smaller came of it: kept as it is.
        if (packed == 0 || packed >= bytes.size())
            entry.method = Method::Stored;
    }
    if (entry.method == Method::Stored) {
        m_bytes.resize(data);
        m_bytes.append(bytes);
        packed = bytes.size();
    } else {
        m_bytes.resize(data + packed);
    }
    if (m_bytes.size() > kLargest)
        return refuse();
    entry.packedSize = static_cast<quint32>(packed);

    QByteArray fields;
    put32(fields, kLocalSignature);
    putEntryFields(fields, entry);
    std::memcpy(m_bytes.data() + header, fields.constData(), kLocalSize);
    m_entries.append(std::move(entry));
    return true;
}

QByteArray ZipPackage::finish()
{
    if (!m_error.isEmpty())
        return {};
    const qsizetype directory = m_bytes.size();
    qsizetype names = 0;
    for (const Entry &entry : std::as_const(m_entries))
        names += entry.name.size();
    m_bytes.reserve(directory + m_entries.size() * kCentralSize + names + kEndSize);
    for (const Entry &entry : std::as_const(m_entries)) {
        put32(m_bytes, kCentralSignature);
        put16(m_bytes, kVersion); // made by: MS-DOS attributes
        putEntryFields(m_bytes, entry);
        put16(m_bytes, 0); // comment
        put16(m_bytes, 0); // disk
        put16(m_bytes, 0); // internal attributes
        put32(m_bytes, 0); // external attributes
        put32(m_bytes, entry.offset);
        m_bytes.append(entry.name);
    }
    const qsizetype directorySize = m_bytes.size() - directory;
    if (m_bytes.size() > kLargest) {
        refuse();
        return {};
    }
    put32(m_bytes, kEndSignature);
    put16(m_bytes, 0); // this disk
    put16(m_bytes, 0); // the directory's disk
    put16(m_bytes, static_cast<quint16>(m_entries.size()));
    put16(m_bytes, static_cast<quint16>(m_entries.size()));
    put32(m_bytes, static_cast<quint32>(directorySize));
    put32(m_bytes, static_cast<quint32>(directory));
    put16(m_bytes, 0); // no comment
    Q_ASSERT(m_bytes.size() - directory - directorySize == kEndSize);
    return std::move(m_bytes);
}

} // namespace almavest::exporting
