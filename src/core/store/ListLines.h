#pragma once

#include "store/ScanControl.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

// The lines of a list screen built straight from an archive's records: each line remembers the
// position of the record it came from, and a whole archive is read once, in large blocks.
namespace almavest::store {

// Builds one fixed-width list line on a record's Windows-1252 bytes, in a buffer reused from one
// record to the next, and decodes it once at the end.
class LineBuilder final
{
public:
    void clear() { m_size = 0; }
    void append(QByteArrayView text);
    // The fixed-width column on a field's bytes, already trimmed: cut to `width`, or padded with
    // blanks up to it.
    void appendColumn(QByteArrayView text, int width);

    QByteArrayView bytes() const { return QByteArrayView(m_buffer.data(), m_size); }
    QString line() const;

private:
    // Columns and labels of a line take a few hundred bytes at most, a whole field 255.
    std::array<char, 1024> m_buffer;
    qsizetype m_size = 0;
};

// Makes the line of a record from the record's position, when a list shows the line.
class LineSource
{
public:
    virtual ~LineSource() = default;
    // Writes the line of the record at `position` into `line`, a cleared builder.
    virtual void build(qint64 position, LineBuilder &line) const = 0;
};

// The outcome of a scan: the lines in file order, the record position behind each line (two
// records may well give the same line), and whether the archive could be used. A list either
// keeps its lines as their Windows-1252 bytes, one after the other, or has a source make each
// line from its record position when it is asked for and keeps the positions alone; either way
// a line is decoded when it is asked for: a list of 100,000 cards shows a screenful of them.
class ListLines final
{
public:
    ListLines() = default;
    // An empty list whose lines `source` makes: it holds their record positions only.
    explicit ListLines(std::shared_ptr<const LineSource> source);

    qsizetype size() const { return m_source ? positions.size() : m_ends.size(); }
    bool isEmpty() const { return size() == 0; }
    // Line `index` (0 to size() - 1), decoded.
    QString line(qsizetype index) const;
    // Every line, decoded.
    QStringList lines() const;
    // The memory the list holds, in bytes, and the bytes of its lines' characters (which a list
    // with a source makes every line to count).
    qsizetype heldBytes() const;
    qsizetype textBytes() const;

    // Adds the line made of `bytes` for the record at `position`, to a list without a source.
    void append(QByteArrayView bytes, qint64 position);
    // Adds the line of the record at `position`, to a list with a source.
    void appendPosition(qint64 position) { positions.append(position); }
    // Makes room for `count` lines of about `bytesEach` bytes.
    void reserve(qsizetype count, qsizetype bytesEach);
    // Orders the lines by their text with A-Z compared without case and every other character
    // by its code (caseBlindOrder); equal lines keep their order, and each keeps its record
    // position. Only the order changes: no line's bytes are copied.
    void sortCaseBlind();

    QList<qint64> positions; // the record position behind each line
    bool archiveOk = true;

private:
    // The bytes of line `index`: those held, or those the source makes into `scratch`.
    QByteArrayView bytesOf(qsizetype index, LineBuilder &scratch) const;

    std::shared_ptr<const LineSource> m_source;
    QByteArray m_bytes; // every line's bytes, in the order they were added
    QList<qsizetype> m_starts; // where each line's bytes start in m_bytes, in list order
    QList<qsizetype> m_ends; // and where they end
};

// Called for every record with a cleared builder: writes the record's line into it and returns
// true, or returns false to leave the record out of the list.
using LineOf = std::function<bool(QByteArrayView record, LineBuilder &line)>;

// Opens the archive at `path` for reading, scans it from the first record to the last and closes
// it. The first line sizes the lists for a line of every record, so that they are never moved
// while they grow; the room no line takes is never touched. With a `control`, the scan reports
// its progress to it and stops early once it is cancelled: the lines then are only part of the
// archive's and are not for showing.
ListLines scanLines(
    const QString &path, int recordSize, const LineOf &lineOf, ScanControl *control = nullptr);
// The same, where `lineOf` reads the bytes at `readAhead` (offsets in a record) of every record:
// they are brought in a few records ahead.
ListLines scanLines(const QString &path, int recordSize, const LineOf &lineOf,
    std::vector<int> readAhead, ScanControl *control = nullptr);

} // namespace almavest::store
