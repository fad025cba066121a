#include "backup/ZipFormat.h"
#include "backup/ZipWriter.h"

#include "app/SystemCause.h"

#include <QFile>
#include <QFileInfo>

#include <libdeflate.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace almavest::backup {

namespace {

using namespace zip;

struct DecompressorFree
{
    void operator()(libdeflate_decompressor *decompressor) const
    {
        libdeflate_free_decompressor(decompressor);
    }
};

// One piece to unpack: its entry and its place in the entry.
struct PieceCheck
{
    const ZipEntryRecord *entry = nullptr;
    const ZipPieceRecord *piece = nullptr;
    bool last = false;
};

// One thread's unpacking: a piece's packed bytes are read back from the zip and unpacked on
// their own, a non-last piece closed by an empty last block; it must unpack to exactly its
// size with its checksum, using up every packed byte.
class Unpacker
{
public:
    // 0 when the piece is sound, the system's error when it cannot be read, -1 when damaged.
    int check(int handle, const PieceCheck &check)
    {
        if (!m_decompressor) {
            m_decompressor.reset(libdeflate_alloc_decompressor());
            if (!m_decompressor)
                return ENOMEM;
        }
        const ZipPieceRecord &piece = *check.piece;
        const auto packedSize = size_t(piece.packedSize);
        m_input.resize(packedSize + sizeof kLastEmptyBlock);
        m_output.resize(size_t(std::max<qint64>(piece.size, 1)));
        const qint64 at = check.entry->dataOffset + piece.packedOffset;
        const qint64 read = readAt(handle, m_input.data(), piece.packedSize, at);
        if (read < 0)
            return errno;
        if (read < piece.packedSize)
            return -1;
        size_t inputSize = packedSize;
        if (!check.last) {
            std::memcpy(m_input.data() + packedSize, kLastEmptyBlock, sizeof kLastEmptyBlock);
            inputSize += sizeof kLastEmptyBlock;
        }
        size_t used = 0;
        size_t unpacked = 0;
        const libdeflate_result result = libdeflate_deflate_decompress_ex(m_decompressor.get(),
            m_input.data(), inputSize, m_output.data(), size_t(piece.size), &used, &unpacked);
        const bool sound = result == LIBDEFLATE_SUCCESS && used == inputSize
            && unpacked == size_t(piece.size)
            && libdeflate_crc32(0, m_output.data(), unpacked) == piece.crc;
        return sound ? 0 : -1;
    }

private:
    std::unique_ptr<libdeflate_decompressor, DecompressorFree> m_decompressor;
    std::vector<char> m_input;
    std::vector<char> m_output;
};

// Reads back the zip just written and compares it, record by record, with what was written.
class ZipCheck
{
public:
    ZipCheck(const QString &path, const ZipLayout &layout, QString *error)
        : m_layout(layout)
        , m_error(error)
        , m_damaged(QStringLiteral("Il file %1 non è una copia di sicurezza integra: ")
                        .arg(QFileInfo(path).fileName()))
        , m_handle(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC))
    { }
    ZipCheck(const ZipCheck &) = delete;
    ZipCheck &operator=(const ZipCheck &) = delete;
    ~ZipCheck()
    {
        if (m_handle >= 0)
            ::close(m_handle);
    }

    bool run(const ZipProgress &progress)
    {
        if (m_handle < 0)
            return unreadable(errno);
        if (!checkEnd() || !checkIndex())
            return false;
        for (const ZipEntryRecord &entry : m_layout.entries) {
            if (!checkLocalHeader(entry))
                return false;
        }
        return checkPieces(progress);
    }

private:
    bool unreadable(int code)
    {
        *m_error = app::withSystemCause(m_damaged + QStringLiteral("non si riesce a leggerlo."),
            QString::fromLocal8Bit(std::strerror(code)));
        return false;
    }
    bool broken(const QString &what)
    {
        *m_error = m_damaged + what;
        return false;
    }
    bool brokenIndex() { return broken(QStringLiteral("il suo indice è alterato.")); }

    // `size` bytes at `at` into `into`; false, with the reason told, when they cannot be read.
    bool readBack(qint64 at, qint64 size, QByteArray &into)
    {
        into.resize(size);
        const qint64 read = readAt(m_handle, into.data(), size, at);
        if (read < 0)
            return unreadable(errno);
        return read == size || brokenIndex();
    }

    // The end record, and the large-file one when the end record sends there, tell where the
    // index is and how many entries it has.
    bool checkEnd()
    {
        struct stat status
        {
        };
        if (::fstat(m_handle, &status) != 0)
            return unreadable(errno);
        QByteArray end;
        if (status.st_size != m_layout.fileSize || status.st_size < kEndSize
            || !readBack(status.st_size - kEndSize, kEndSize, end))
            return m_error->isEmpty() ? brokenIndex() : false;
        const char *at = end.constData();
        quint64 count = get16(at + 10);
        quint64 indexSize = get32(at + 12);
        quint64 indexOffset = get32(at + 16);
        if (get32(at) != kEndSignature || get16(at + 20) != 0)
            return brokenIndex();
        if (count == kMax16 || indexSize == kMax32 || indexOffset == kMax32) {
            QByteArray locator;
            QByteArray end64;
            const qint64 locatorAt = status.st_size - kEndSize - kLocator64Size;
            if (locatorAt < 0 || !readBack(locatorAt, kLocator64Size, locator))
                return m_error->isEmpty() ? brokenIndex() : false;
            const quint64 end64At = get64(locator.constData() + 8);
            if (get32(locator.constData()) != kLocator64Signature || end64At > quint64(locatorAt)
                || !readBack(qint64(end64At), kEnd64Size, end64))
                return m_error->isEmpty() ? brokenIndex() : false;
            at = end64.constData();
            if (get32(at) != kEnd64Signature)
                return brokenIndex();
            count = get64(at + 32);
            indexSize = get64(at + 40);
            indexOffset = get64(at + 48);
        }
        if (count != m_layout.entries.size() || indexSize != quint64(m_layout.indexSize)
            || indexOffset != quint64(m_layout.indexOffset))
            return brokenIndex();
        return true;
    }

    // Reads the large-file fields of `extra` that their short fields send there, in order.
    static bool readZip64(QByteArrayView extra, std::initializer_list<quint64 *> fields)
    {
        const auto wanted = std::count_if(
            fields.begin(), fields.end(), [](const quint64 *field) { return *field == kMax32; });
        if (wanted == 0)
            return true;
        for (qsizetype at = 0; at + 4 <= extra.size();) {
            const quint16 tag = get16(extra.data() + at);
            const quint16 length = get16(extra.data() + at + 2);
            if (at + 4 + length > extra.size())
                return false;
            if (tag == kZip64ExtraTag) {
                if (length < wanted * 8)
                    return false;
                const char *value = extra.data() + at + 4;
                for (quint64 *field : fields) {
                    if (*field == kMax32) {
                        *field = get64(value);
                        value += 8;
                    }
                }
                return true;
            }
            at += 4 + length;
        }
        return false;
    }

    bool checkIndex()
    {
        QByteArray index;
        if (!readBack(m_layout.indexOffset, m_layout.indexSize, index))
            return false;
        qsizetype at = 0;
        for (const ZipEntryRecord &entry : m_layout.entries) {
            if (at + kCentralSize > index.size())
                return brokenIndex();
            const char *record = index.constData() + at;
            const qsizetype nameSize = get16(record + 28);
            const qsizetype extraSize = get16(record + 30);
            const qsizetype next = at + kCentralSize + nameSize + extraSize + get16(record + 32);
            if (next > index.size())
                return brokenIndex();
            quint64 packedSize = get32(record + 20);
            quint64 size = get32(record + 24);
            quint64 headerOffset = get32(record + 42);
            const QByteArrayView extra(record + kCentralSize + nameSize, extraSize);
            if (get32(record) != kCentralSignature || get16(record + 10) != kDeflated
                || get32(record + 16) != entry.crc
                || QByteArrayView(record + kCentralSize, nameSize) != entry.name
                || !readZip64(extra, {&size, &packedSize, &headerOffset})
                || size != quint64(entry.size) || packedSize != quint64(entry.packedSize)
                || headerOffset != quint64(entry.headerOffset))
                return brokenIndex();
            at = next;
        }
        return at == index.size() || brokenIndex();
    }

    bool checkLocalHeader(const ZipEntryRecord &entry)
    {
        QByteArray header;
        const qint64 size = entry.dataOffset - entry.headerOffset;
        if (size < kLocalSize || !readBack(entry.headerOffset, size, header))
            return m_error->isEmpty() ? brokenIndex() : false;
        const char *record = header.constData();
        const qsizetype nameSize = get16(record + 26);
        const qsizetype extraSize = get16(record + 28);
        quint64 packedSize = get32(record + 18);
        quint64 sizeUnpacked = get32(record + 22);
        quint64 none = 0;
        const bool sound = get32(record) == kLocalSignature && get16(record + 8) == kDeflated
            && get32(record + 14) == entry.crc && kLocalSize + nameSize + extraSize == size
            && QByteArrayView(record + kLocalSize, nameSize) == entry.name
            && readZip64(QByteArrayView(record + kLocalSize + nameSize, extraSize),
                {&sizeUnpacked, &packedSize, &none})
            && sizeUnpacked == quint64(entry.size) && packedSize == quint64(entry.packedSize);
        return sound
            || broken(QStringLiteral("l'intestazione del file «%1» è alterata.")
                          .arg(QString::fromUtf8(entry.name)));
    }

    bool checkPieces(const ZipProgress &progress)
    {
        std::vector<PieceCheck> pieces;
        qint64 total = 0;
        for (const ZipEntryRecord &entry : m_layout.entries) {
            for (const ZipPieceRecord &piece : entry.pieces) {
                pieces.push_back({&entry, &piece, &piece == &entry.pieces.back()});
                total += piece.size;
            }
        }
        const int threads = pieceThreads();
        std::vector<Unpacker> unpackers(static_cast<size_t>(threads));
        std::vector<int> outcomes(size_t(threads) * 16);
        qint64 done = 0;
        for (size_t first = 0; first < pieces.size(); first += outcomes.size()) {
            if (progress && !progress(done, total)) {
                m_error->clear();
                return false;
            }
            const size_t count = std::min(outcomes.size(), pieces.size() - first);
            forEachInParallel(threads, qsizetype(count), [&](qsizetype i, int worker) {
                outcomes[size_t(i)]
                    = unpackers[size_t(worker)].check(m_handle, pieces[first + size_t(i)]);
            });
            for (size_t i = 0; i < count; ++i) {
                if (outcomes[i] > 0)
                    return unreadable(outcomes[i]);
                if (outcomes[i] < 0) {
                    return broken(QStringLiteral("il file «%1» è danneggiato.")
                                      .arg(QString::fromUtf8(pieces[first + i].entry->name)));
                }
                done += pieces[first + i].piece->size;
            }
        }
        if (progress)
            progress(total, total);
        return true;
    }

    const ZipLayout &m_layout;
    QString *m_error;
    QString m_damaged;
    int m_handle;
};

} // namespace

bool checkZip(
    const QString &path, const ZipLayout &layout, QString *error, const ZipProgress &progress)
{
    QString reason;
    ZipCheck check(path, layout, &reason);
    const bool sound = check.run(progress);
    if (error)
        *error = reason;
    return sound;
}

} // namespace almavest::backup
