#include "store/ListLines.h"

#include "store/ArchiveFile.h"
#include "store/CaseBlindOrder.h"
#include "store/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace almavest::store {

void LineBuilder::append(QByteArrayView text)
{
    // A line never comes near the buffer's end; should a table ever grow, the line is cut rather
    // than written past it.
    const qsizetype used = std::min<qsizetype>(text.size(), qsizetype(m_buffer.size()) - m_size);
    if (used <= 0)
        return; // an empty view may have no data at all, which memcpy must not be given
    std::memcpy(m_buffer.data() + m_size, text.data(), static_cast<size_t>(used));
    m_size += used;
}

void LineBuilder::appendColumn(QByteArrayView text, int width)
{
    const qsizetype used = std::min<qsizetype>(text.size(), width);
    append(text.first(used));
    const qsizetype blanks = std::min<qsizetype>(width - used, qsizetype(m_buffer.size()) - m_size);
    std::memset(m_buffer.data() + m_size, ' ', static_cast<size_t>(blanks));
    m_size += blanks;
}

QString LineBuilder::line() const
{
    return fromCp1252(bytes());
}

ListLines::ListLines(std::shared_ptr<const LineSource> source)
    : m_source(std::move(source))
{ }

QString ListLines::line(qsizetype index) const
{
    if (index < 0 || index >= size())
        return {};
    LineBuilder scratch;
    return fromCp1252(bytesOf(index, scratch));
}

QStringList ListLines::lines() const
{
    QStringList decoded;
    decoded.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        decoded.append(line(i));
    return decoded;
}

qsizetype ListLines::heldBytes() const
{
    return m_bytes.capacity()
        + (m_starts.capacity() + m_ends.capacity()) * qsizetype(sizeof(qsizetype))
        + positions.capacity() * qsizetype(sizeof(qint64));
}

qsizetype ListLines::textBytes() const
{
    if (!m_source)
        return m_bytes.size();
    qsizetype bytes = 0;
    LineBuilder scratch;
    for (qsizetype i = 0; i < size(); ++i)
        bytes += bytesOf(i, scratch).size();
    return bytes;
}

void ListLines::append(QByteArrayView bytes, qint64 position)
{
    m_starts.append(m_bytes.size());
    m_bytes.append(bytes);
    m_ends.append(m_bytes.size());
    positions.append(position);
}

void ListLines::reserve(qsizetype count, qsizetype bytesEach)
{
    positions.reserve(count);
    if (m_source)
        return;
    m_bytes.reserve(count * bytesEach);
    m_starts.reserve(count);
    m_ends.reserve(count);
}

QByteArrayView ListLines::bytesOf(qsizetype index, LineBuilder &scratch) const
{
    if (m_source) {
        scratch.clear();
        m_source->build(positions.at(index), scratch);
        return scratch.bytes();
    }
    return QByteArrayView(m_bytes).sliced(
        m_starts.at(index), m_ends.at(index) - m_starts.at(index));
}

void ListLines::sortCaseBlind()
{
    LineBuilder scratch;
    const std::vector<quint32> order
        = caseBlindOrder(size(), [this, &scratch](qsizetype i) { return bytesOf(i, scratch); });
    QList<qint64> sortedPositions;
    sortedPositions.reserve(size());
    for (const quint32 index : order)
        sortedPositions.append(positions.at(index));
    positions = std::move(sortedPositions);
    if (m_source)
        return;
    QList<qsizetype> starts;
    QList<qsizetype> ends;
    starts.reserve(size());
    ends.reserve(size());
    for (const quint32 index : order) {
        starts.append(m_starts.at(index));
        ends.append(m_ends.at(index));
    }
    m_starts = std::move(starts);
    m_ends = std::move(ends);
}

ListLines scanLines(const QString &path, int recordSize, const LineOf &lineOf, ScanControl *control)
{
    return scanLines(path, recordSize, lineOf, {}, control);
}

ListLines scanLines(const QString &path, int recordSize, const LineOf &lineOf,
    std::vector<int> readAhead, ScanControl *control)
{
    ListLines result;
    ArchiveFile archive(path, recordSize);
    archive.setReadAhead(std::move(readAhead));
    if (!archive.openForReading()) {
        result.archiveOk = false;
        return result;
    }
    // Lines of one list differ only in their last column: the first one, with some slack, tells
    // the room they all take.
    constexpr qsizetype kSlack = 16;
    const qint64 count = archive.count();
    if (control && !control->report(0, count)) {
        archive.close();
        return result;
    }
    LineBuilder builder;
    result.archiveOk = archive.scan([&](qint64 position, QByteArrayView record) {
        if (control && ScanControl::dueForReport(position) && !control->report(position, count))
            return false;
        builder.clear();
        if (!lineOf(record, builder))
            return true;
        if (result.isEmpty())
            result.reserve(count - position + 1, builder.bytes().size() + kSlack);
        result.append(builder.bytes(), position);
        return true;
    });
    archive.close();
    return result;
}

} // namespace almavest::store
