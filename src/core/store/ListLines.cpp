#include "store/ListLines.h"

#include "store/ArchiveFile.h"
#include "store/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace almavest::store {

void LineBuilder::append(QByteArrayView text)
{
    // A line never comes near the buffer's end; should a table ever grow, the line is cut rather
    // than written past it.
    const qsizetype used = std::min<qsizetype>(text.size(), qsizetype(m_buffer.size()) - m_size);
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

QString ListLines::line(qsizetype index) const
{
    if (index < 0 || index >= size())
        return {};
    const qsizetype begin = index == 0 ? 0 : m_ends.at(index - 1);
    return fromCp1252(QByteArrayView(m_bytes).sliced(begin, m_ends.at(index) - begin));
}

QStringList ListLines::lines() const
{
    QStringList decoded;
    decoded.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        decoded.append(line(i));
    return decoded;
}

void ListLines::append(QByteArrayView bytes, qint64 position)
{
    m_bytes.append(bytes);
    m_ends.append(m_bytes.size());
    positions.append(position);
}

void ListLines::reserve(qsizetype count, qsizetype bytesEach)
{
    m_bytes.reserve(count * bytesEach);
    m_ends.reserve(count);
    positions.reserve(count);
}

ListLines scanLines(const QString &path, int recordSize, const LineOf &lineOf, bool reserveAll)
{
    ListLines result;
    ArchiveFile archive(path, recordSize);
    if (!archive.openForReading()) {
        result.archiveOk = false;
        return result;
    }
    // A list line is about a hundred bytes: a room that most lists never outgrow.
    constexpr qsizetype kLineBytes = 128;
    if (reserveAll)
        result.reserve(archive.count(), kLineBytes);
    LineBuilder builder;
    result.archiveOk = archive.scan([&](qint64 position, QByteArrayView record) {
        builder.clear();
        if (lineOf(record, builder))
            result.append(builder.bytes(), position);
        return true;
    });
    archive.close();
    return result;
}

} // namespace almavest::store
