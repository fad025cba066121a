#include "backup/ZipWriter.h"

#include "backup/ZipFormat.h"

#include <QFile>

#include <libdeflate.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace almavest::backup {

namespace {

using namespace zip;

QString systemText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// The moment as a zip keeps it: local time in two-second steps, from 1980 on.
void setDosMoment(ZipEntryRecord &entry, const QDateTime &moment)
{
    const QDateTime local = moment.toLocalTime();
    const QDate date = local.date();
    const QTime time = local.time();
    if (!local.isValid() || date.year() < 1980) {
        entry.dosDate = (1 << 5) | 1;
        entry.dosTime = 0;
        return;
    }
    entry.dosDate
        = quint16(((std::min(date.year(), 2107) - 1980) << 9) | (date.month() << 5) | date.day());
    entry.dosTime = quint16((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
}

QByteArray localHeader(const ZipEntryRecord &entry)
{
    QByteArray header;
    put32(header, kLocalSignature);
    put16(header, entry.zip64 ? kVersion64 : kVersion);
    put16(header, kUtf8Names);
    put16(header, kDeflated);
    put16(header, entry.dosTime);
    put16(header, entry.dosDate);
    put32(header, entry.crc);
    put32(header, entry.zip64 ? kMax32 : quint32(entry.packedSize));
    put32(header, entry.zip64 ? kMax32 : quint32(entry.size));
    put16(header, quint16(entry.name.size()));
    put16(header, entry.zip64 ? quint16(kLocalExtra64Size) : 0);
    header.append(entry.name);
    if (entry.zip64) {
        put16(header, kZip64ExtraTag);
        put16(header, quint16(kLocalExtra64Size - 4));
        put64(header, quint64(entry.size));
        put64(header, quint64(entry.packedSize));
    }
    return header;
}

void putCentralEntry(QByteArray &index, const ZipEntryRecord &entry)
{
    const bool bigSize = entry.zip64 || entry.size >= kMax32;
    const bool bigPacked = entry.zip64 || entry.packedSize >= kMax32;
    const bool bigOffset = entry.zip64 || entry.headerOffset >= kMax32;
    QByteArray extra;
    if (bigSize)
        put64(extra, quint64(entry.size));
    if (bigPacked)
        put64(extra, quint64(entry.packedSize));
    if (bigOffset)
        put64(extra, quint64(entry.headerOffset));
    if (!extra.isEmpty()) {
        QByteArray tagged;
        put16(tagged, kZip64ExtraTag);
        put16(tagged, quint16(extra.size()));
        extra.prepend(tagged);
    }
    const quint16 version = extra.isEmpty() ? kVersion : kVersion64;
    put32(index, kCentralSignature);
    put16(index, kMadeByUnix | kVersion64);
    put16(index, version);
    put16(index, kUtf8Names);
    put16(index, kDeflated);
    put16(index, entry.dosTime);
    put16(index, entry.dosDate);
    put32(index, entry.crc);
    put32(index, bigPacked ? kMax32 : quint32(entry.packedSize));
    put32(index, bigSize ? kMax32 : quint32(entry.size));
    put16(index, quint16(entry.name.size()));
    put16(index, quint16(extra.size()));
    put16(index, 0); // comment
    put16(index, 0); // disk
    put16(index, 0); // internal attributes
    put32(index, kRegularFileMode << 16);
    put32(index, bigOffset ? kMax32 : quint32(entry.headerOffset));
    index.append(entry.name);
    index.append(extra);
}

void putEnd(QByteArray &out, const ZipLayout &layout)
{
    const auto count = quint64(layout.entries.size());
    if (layout.zip64) {
        const auto end64 = quint64(layout.indexOffset + layout.indexSize);
        put32(out, kEnd64Signature);
        put64(out, quint64(kEnd64Size - 12));
        put16(out, kMadeByUnix | kVersion64);
        put16(out, kVersion64);
        put32(out, 0);
        put32(out, 0);
        put64(out, count);
        put64(out, count);
        put64(out, quint64(layout.indexSize));
        put64(out, quint64(layout.indexOffset));
        put32(out, kLocator64Signature);
        put32(out, 0);
        put64(out, end64);
        put32(out, 1);
    }
    put32(out, kEndSignature);
    put16(out, 0);
    put16(out, 0);
    put16(out, layout.zip64 ? kMax16 : quint16(count));
    put16(out, layout.zip64 ? kMax16 : quint16(count));
    put32(out, layout.zip64 ? kMax32 : quint32(layout.indexSize));
    put32(out, layout.zip64 ? kMax32 : quint32(layout.indexOffset));
    put16(out, 0); // comment
}

// The zip being written: bytes go out in order through a buffer; the local headers, written
// before their sizes are known, are rewritten in place at the end.
class Output
{
public:
    Output() = default;
    Output(const Output &) = delete;
    Output &operator=(const Output &) = delete;
    ~Output()
    {
        if (m_handle >= 0)
            ::close(m_handle);
    }

    bool open(const QString &path)
    {
        m_handle = ::open(
            QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        return keep(m_handle >= 0);
    }
    qint64 offset() const { return m_offset; }
    bool append(const char *bytes, qint64 size)
    {
        m_buffer.append(bytes, size);
        m_offset += size;
        return m_buffer.size() < kBuffer || flush();
    }
    bool append(const QByteArray &bytes) { return append(bytes.constData(), bytes.size()); }
    bool flush()
    {
        const char *at = m_buffer.constData();
        qint64 left = m_buffer.size();
        while (left > 0) {
            const ssize_t written = ::write(m_handle, at, size_t(left));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return keep(false);
            at += written;
            left -= written;
        }
        m_buffer.clear();
        return true;
    }
    bool rewrite(qint64 at, const QByteArray &bytes)
    {
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t written = ::pwrite(
                m_handle, bytes.constData() + done, size_t(bytes.size() - done), at + done);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return keep(false);
            done += written;
        }
        return true;
    }
    // Flushes the zip to the disk and closes it.
    bool finish()
    {
        const bool synced = keep(::fsync(m_handle) == 0);
        const int handle = std::exchange(m_handle, -1);
        return keep(::close(handle) == 0) && synced;
    }
    int error() const { return m_error; }

private:
    static constexpr qsizetype kBuffer = qsizetype(4) << 20;
    bool keep(bool done)
    {
        if (!done && m_error == 0)
            m_error = errno == 0 ? EIO : errno;
        return done;
    }

    int m_handle = -1;
    qint64 m_offset = 0;
    int m_error = 0;
    QByteArray m_buffer;
};

// A piece of one source: `size` bytes from `offset`.
struct PieceJob
{
    qsizetype source = 0;
    qint64 offset = 0;
    qint64 size = 0;
    bool last = false;
};

struct PackedPiece
{
    std::vector<unsigned char> bytes;
    qint64 size = 0;
    quint32 crc = 0;
    int readError = 0;
    bool changed = false; // the file is not as long as it was when listed
    bool packed = false;
};

// One thread's packing: its own stream state and input buffer. Each piece is a stream of its
// own, so that it unpacks on its own too, ended by a flush to a byte boundary so that the
// next one follows it straight; the last piece of a file ends the stream.
class Packer
{
public:
    // The fastest level with a hash table a quarter of the usual: sliding it along the input
    // costs less, and records full of blanks find their matches all the same (a percent more
    // bytes, a fifth less time).
    Packer()
        : m_ready(deflateInit2(&m_stream, 1, Z_DEFLATED, -15, 5, Z_DEFAULT_STRATEGY) == Z_OK)
    { }
    Packer(const Packer &) = delete;
    Packer &operator=(const Packer &) = delete;
    ~Packer()
    {
        if (m_ready)
            deflateEnd(&m_stream);
    }

    void pack(const PieceJob &job, const ZipSource &source, int handle, PackedPiece &out)
    {
        out.size = 0;
        out.crc = 0;
        out.readError = 0;
        out.changed = false;
        out.packed = false;
        const char *data = source.bytes.constData() + job.offset;
        if (handle >= 0) {
            m_input.resize(size_t(job.size));
            const qint64 read = readAt(handle, m_input.data(), job.size, job.offset);
            // One byte more at the end of the last piece tells a file that has grown.
            char probe = 0;
            const qint64 beyond = read == job.size && job.last
                ? readAt(handle, &probe, 1, job.offset + job.size)
                : 0;
            if (read < 0 || beyond < 0) {
                out.readError = errno;
                return;
            }
            out.changed = read < job.size || beyond > 0;
            if (out.changed)
                return;
            data = m_input.data();
        }
        out.crc = quint32(libdeflate_crc32(0, data, size_t(job.size)));
        out.packed = m_ready && deflatePiece(data, job.size, job.last, out);
    }

private:
    bool deflatePiece(const char *data, qint64 size, bool last, PackedPiece &out)
    {
        if (deflateReset(&m_stream) != Z_OK)
            return false;
        // A flush to a byte boundary adds at most a few bytes to what the bound allows.
        const size_t room = deflateBound(&m_stream, uLong(size)) + 64;
        if (out.bytes.size() < room)
            out.bytes.resize(room);
        m_stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
        m_stream.avail_in = uInt(size);
        m_stream.next_out = out.bytes.data();
        m_stream.avail_out = uInt(out.bytes.size());
        const int result = deflate(&m_stream, last ? Z_FINISH : Z_SYNC_FLUSH);
        const bool done = last ? result == Z_STREAM_END
                               : result == Z_OK && m_stream.avail_in == 0 && m_stream.avail_out > 0;
        out.size = qint64(out.bytes.size() - m_stream.avail_out);
        return done;
    }

    z_stream m_stream {};
    bool m_ready;
    std::vector<char> m_input;
};

qint64 sizeOf(const ZipSource &source)
{
    return source.path.isEmpty() ? source.bytes.size() : source.size;
}

std::vector<PieceJob> piecesOf(const std::vector<ZipSource> &sources)
{
    std::vector<PieceJob> jobs;
    for (qsizetype i = 0; i < qsizetype(sources.size()); ++i) {
        const qint64 size = sizeOf(sources[size_t(i)]);
        for (qint64 offset = 0;; offset += kZipPiece) {
            const qint64 piece = std::min(kZipPiece, size - offset);
            jobs.push_back({i, offset, piece, offset + piece >= size});
            if (jobs.back().last)
                break;
        }
    }
    return jobs;
}

// Writes the zip; the outcome tells what went wrong.
class ZipWriting
{
public:
    ZipWriting(const std::vector<ZipSource> &sources, const ZipProgress &progress, bool force)
        : m_sources(sources)
        , m_progress(progress)
        , m_force(force)
        , m_handles(sources.size(), -1)
    { }
    ZipWriting(const ZipWriting &) = delete;
    ZipWriting &operator=(const ZipWriting &) = delete;
    ~ZipWriting()
    {
        for (const int handle : m_handles) {
            if (handle >= 0)
                ::close(handle);
        }
    }

    ZipOutcome run(const QString &path)
    {
        if (!m_output.open(path))
            return failed();
        const std::vector<PieceJob> jobs = piecesOf(m_sources);
        qint64 total = 0;
        for (const PieceJob &job : jobs)
            total += job.size;
        const int threads = pieceThreads();
        std::vector<std::unique_ptr<Packer>> packers;
        packers.reserve(size_t(threads));
        for (int i = 0; i < threads; ++i)
            packers.push_back(std::make_unique<Packer>());
        // A window of pieces is packed side by side, then written in order.
        std::vector<PackedPiece> packed(size_t(threads) * 8);
        qint64 done = 0;
        for (size_t first = 0; first < jobs.size(); first += packed.size()) {
            if (m_progress && !m_progress(done, total)) {
                m_outcome.cancelled = true;
                return std::move(m_outcome);
            }
            const size_t count = std::min(packed.size(), jobs.size() - first);
            for (size_t i = first; i < first + count; ++i) {
                if (!openSource(jobs[i].source))
                    return std::move(m_outcome);
            }
            forEachInParallel(threads, qsizetype(count), [&](qsizetype i, int worker) {
                const PieceJob &job = jobs[first + size_t(i)];
                packers[size_t(worker)]->pack(
                    job, m_sources[size_t(job.source)], m_handles[size_t(job.source)], packed[i]);
            });
            for (size_t i = 0; i < count; ++i) {
                if (!writePiece(jobs[first + i], packed[i]))
                    return std::move(m_outcome);
                done += jobs[first + i].size;
            }
        }
        if (!finish())
            return failed();
        if (m_progress)
            m_progress(total, total);
        m_outcome.written = true;
        return std::move(m_outcome);
    }

private:
    void fail(const QString &message = {}, int code = 0)
    {
        m_outcome.message = message;
        const int error = code != 0 ? code : m_output.error();
        if (error != 0)
            m_outcome.systemError = systemText(error);
    }
    ZipOutcome failed()
    {
        fail();
        return std::move(m_outcome);
    }

    bool openSource(qsizetype index)
    {
        const ZipSource &source = m_sources[size_t(index)];
        if (source.path.isEmpty() || m_handles[size_t(index)] >= 0)
            return true;
        m_handles[size_t(index)]
            = ::open(QFile::encodeName(source.path).constData(), O_RDONLY | O_CLOEXEC);
        if (m_handles[size_t(index)] >= 0)
            return true;
        fail(unreadable(source), errno);
        return false;
    }
    static QString unreadable(const ZipSource &source)
    {
        return QStringLiteral("Non è stato possibile leggere «%1».")
            .arg(QString::fromUtf8(source.name));
    }

    // Writes a packed piece after the ones before it, its entry's local header first.
    bool writePiece(const PieceJob &job, const PackedPiece &piece)
    {
        const ZipSource &source = m_sources[size_t(job.source)];
        if (piece.readError != 0) {
            fail(unreadable(source), piece.readError);
            return false;
        }
        if (piece.changed) {
            fail(QStringLiteral("Il file «%1» è cambiato mentre veniva copiato.")
                     .arg(QString::fromUtf8(source.name)));
            return false;
        }
        if (!piece.packed) {
            fail(QStringLiteral("Non è stato possibile comprimere «%1».")
                     .arg(QString::fromUtf8(source.name)));
            return false;
        }
        std::vector<ZipEntryRecord> &entries = m_outcome.layout.entries;
        if (job.offset == 0) {
            ZipEntryRecord entry;
            entry.name = source.name;
            entry.size = sizeOf(source);
            entry.zip64 = m_force || entry.size >= kLocal64From;
            setDosMoment(entry, source.modified);
            entry.headerOffset = m_output.offset();
            if (!m_output.append(localHeader(entry))) {
                fail();
                return false;
            }
            entry.dataOffset = m_output.offset();
            entries.push_back(entry);
        }
        ZipEntryRecord &entry = entries.back();
        entry.pieces.push_back(
            {m_output.offset() - entry.dataOffset, piece.size, job.size, piece.crc});
        entry.crc = quint32(crc32_combine(entry.crc, piece.crc, z_off_t(job.size)));
        if (!m_output.append(reinterpret_cast<const char *>(piece.bytes.data()), piece.size)) {
            fail();
            return false;
        }
        if (job.last) {
            entry.packedSize = m_output.offset() - entry.dataOffset;
            if (!entry.zip64 && entry.packedSize >= kMax32) {
                fail(QStringLiteral("Il file «%1» è troppo grande per la copia.")
                         .arg(QString::fromUtf8(source.name)));
                return false;
            }
            if (m_handles[size_t(job.source)] >= 0)
                ::close(std::exchange(m_handles[size_t(job.source)], -1));
        }
        return true;
    }

    // The index and the end records, the local headers with their sizes, and the flush.
    bool finish()
    {
        ZipLayout &layout = m_outcome.layout;
        QByteArray index;
        for (const ZipEntryRecord &entry : layout.entries)
            putCentralEntry(index, entry);
        layout.indexOffset = m_output.offset();
        layout.indexSize = index.size();
        layout.zip64 = m_force || layout.entries.size() >= kMax16 || layout.indexOffset >= kMax32
            || layout.indexSize >= kMax32;
        putEnd(index, layout);
        if (!m_output.append(index) || !m_output.flush())
            return false;
        layout.fileSize = m_output.offset();
        for (const ZipEntryRecord &entry : layout.entries) {
            if (!m_output.rewrite(entry.headerOffset, localHeader(entry)))
                return false;
        }
        return m_output.finish();
    }

    const std::vector<ZipSource> &m_sources;
    const ZipProgress &m_progress;
    bool m_force;
    std::vector<int> m_handles;
    Output m_output;
    ZipOutcome m_outcome;
};

} // namespace

ZipOutcome writeZip(const QString &path, const std::vector<ZipSource> &sources,
    const ZipProgress &progress, bool forceZip64)
{
    ZipWriting writing(sources, progress, forceZip64);
    return writing.run(path);
}

} // namespace almavest::backup
