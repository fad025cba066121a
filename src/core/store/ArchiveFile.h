#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// A file of fixed-size records with no header, addressed by 1-based position. Opened, used and
// closed within one user action; every failing call leaves a reason in errorString() and the
// caller shows the archive access message.
namespace almavest::store {

class ScanControl;

// The one message for any failure to use an archive.
QString archiveAccessMessage();

class ArchiveFile final
{
public:
    ArchiveFile(const QString &path, int recordSize);
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile &) = delete;
    ArchiveFile &operator=(const ArchiveFile &) = delete;

    // Opens for reading only, so a folder or file the user may not write is still read. A
    // missing file is created empty where the folder allows it, and otherwise reads as an empty
    // archive; an existing file that cannot be read is a failure.
    [[nodiscard]] bool openForReading();
    // Opens for reading and writing; a missing file is created empty. An existing file that
    // cannot be opened is a failure and is never created anew, which would empty it.
    [[nodiscard]] bool openForWriting();
    void close();
    bool isOpen() const;

    // Whole records only: an incomplete tail is neither counted nor read.
    qint64 count() const;

    // Reads the record at `position` (1 to count) into `record`, resized to the record size.
    [[nodiscard]] bool read(qint64 position, QByteArray &record);
    // Writes `record` (exactly recordSize bytes) after the last whole record and returns the
    // position it took. The archive is locked while the position is taken and the record
    // written, so two copies of the program appending at once never write the same position;
    // a write that fails leaves no partial record behind.
    [[nodiscard]] std::optional<qint64> append(const QByteArray &record);
    // Replaces the record at `position` (1 to count) with `record`, under the same lock.
    [[nodiscard]] bool overwrite(qint64 position, const QByteArray &record);
    // Position of the last record read or written, 0 before any.
    qint64 position() const { return m_position; }

    // Hands every whole record, in order, to `visit` (position, bytes), straight from the
    // file's pages where the system maps the file, and otherwise from large blocks read into a
    // buffer: a visit that looks at a few fields then touches only their bytes. The bytes are
    // valid during the visit only. `visit` returns false to stop early. Returns false on a read
    // failure, as when the file is cut short under the scan.
    [[nodiscard]] bool scan(const std::function<bool(qint64, QByteArrayView)> &visit);

    enum class ReadMode {
        Mapped, // the file's pages, falling back to blocks where they cannot be mapped
        Blocks, // blocks read into a buffer
    };
    // A scan maps this much of the file at a time, so that a large archive never takes a large
    // share of the address space.
    static constexpr qint64 kMapWindowBytes = qint64(64) << 20;
    // How the scans read; `mapWindowBytes` is rounded down to whole records, at least one.
    // Where in a record the visits of a scan read: a mapped scan has those bytes of the records a
    // few ahead brought in while it visits the present one, instead of waiting for each in turn.
    void setReadAhead(std::vector<int> offsets) { m_readAhead = std::move(offsets); }
    void setReadMode(ReadMode mode, qint64 mapWindowBytes = kMapWindowBytes)
    {
        m_readMode = mode;
        m_mapWindowBytes = mapWindowBytes;
    }

    QString path() const { return m_file.fileName(); }
    int recordSize() const { return m_recordSize; }
    QString errorString() const { return m_error; }

private:
    [[nodiscard]] bool open(QIODevice::OpenMode mode);
    bool canWrite(const QByteArray &record);
    [[nodiscard]] bool writeLocked(qint64 position, const QByteArray &record);
    bool fail(const QString &reason);
    // Scans from `position` on; nothing when the file cannot be mapped there, `position` then
    // telling how far the scan came.
    std::optional<bool> scanMapped(
        qint64 total, qint64 &position, const std::function<bool(qint64, QByteArrayView)> &visit);
    [[nodiscard]] bool scanBlocks(
        qint64 total, qint64 position, const std::function<bool(qint64, QByteArrayView)> &visit);

    QFile m_file;
    int m_recordSize;
    qint64 m_position = 0;
    ReadMode m_readMode = ReadMode::Mapped;
    qint64 m_mapWindowBytes = kMapWindowBytes;
    std::vector<int> m_readAhead;
    bool m_missingReadsEmpty = false; // open for reading on a file that could not be created
    QString m_error;
};

// Reads the records of the archive at `path` at `positions` (1-based, in that order), handing
// each to `take`, as the workbooks of a list do with the records behind its lines. False, with
// the reason in `error`, when the archive cannot be read or a position is no longer in it; false
// with an empty reason when `control` stops it.
[[nodiscard]] bool readRecordsAt(const QString &path, int recordSize,
    const QList<qint64> &positions, const std::function<void(const QByteArray &)> &take,
    QString *error = nullptr, ScanControl *control = nullptr);

} // namespace almavest::store
