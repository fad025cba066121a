#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

// The zip files of the backups, written by the program itself: each file is cut in pieces that
// are packed at once on every core and joined into one deflate stream, and the written zip is
// then read back and every piece unpacked and checked, again on every core.
namespace almavest::backup {

// The size of a piece: each is packed on its own, so that pieces pack and unpack side by side.
inline constexpr qint64 kZipPiece = qint64(1) << 20;

// What goes into the zip under `name` (UTF-8): the file at `path`, which must hold `size` bytes
// from start to end, or, when `path` is empty, `bytes`.
struct ZipSource
{
    QByteArray name;
    QString path;
    QByteArray bytes;
    qint64 size = 0;
    QDateTime modified;
};

// One piece of an entry as written: where its packed bytes lie within the entry's packed data,
// how many bytes it unpacks to and their checksum.
struct ZipPieceRecord
{
    qint64 packedOffset = 0;
    qint64 packedSize = 0;
    qint64 size = 0;
    quint32 crc = 0;
};

// One entry as written.
struct ZipEntryRecord
{
    QByteArray name;
    qint64 size = 0;
    qint64 packedSize = 0;
    quint32 crc = 0;
    quint16 dosTime = 0;
    quint16 dosDate = 0;
    qint64 headerOffset = 0;
    qint64 dataOffset = 0;
    bool zip64 = false; // its sizes are in the large-file fields
    std::vector<ZipPieceRecord> pieces;
};

// A whole zip as written: its entries and where its index lies.
struct ZipLayout
{
    std::vector<ZipEntryRecord> entries;
    qint64 indexOffset = 0;
    qint64 indexSize = 0;
    qint64 fileSize = 0;
    bool zip64 = false; // the index is found through the large-file end records
};

// Reports `done` of `total` bytes; false when the work must stop.
using ZipProgress = std::function<bool(qint64 done, qint64 total)>;

struct ZipOutcome
{
    bool written = false;
    bool cancelled = false;
    QString message; // in Italian, when a file to pack was the trouble
    QString systemError; // the system's reason, when there was one
    ZipLayout layout;
};

// Writes a new zip at `path` holding `sources` in their order, packed at the fastest level, and
// flushes it to the disk. `forceZip64` writes the large-file fields even where they are not
// needed, which lets small zips show that readers follow them. On a failure or a stop the
// caller removes what was written.
ZipOutcome writeZip(const QString &path, const std::vector<ZipSource> &sources,
    const ZipProgress &progress = {}, bool forceZip64 = false);

// Reads the zip at `path` back whole and checks it against `layout`: its end records, its
// index, every local header, and every piece unpacked against its checksum. The reason of a
// failure goes to `error` in Italian; a stop leaves `error` empty.
bool checkZip(
    const QString &path, const ZipLayout &layout, QString *error, const ZipProgress &progress = {});

} // namespace almavest::backup
