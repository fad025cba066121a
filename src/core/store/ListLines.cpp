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

ListLines scanLines(const QString &path, int recordSize, const LineOf &lineOf, bool reserveAll)
{
    ListLines result;
    ArchiveFile archive(path, recordSize);
    if (!archive.openForReading()) {
        result.archiveOk = false;
        return result;
    }
    if (reserveAll) {
        result.lines.reserve(archive.count());
        result.positions.reserve(archive.count());
    }
    LineBuilder builder;
    result.archiveOk = archive.scan([&](qint64 position, QByteArrayView record) {
        builder.clear();
        if (lineOf(record, builder)) {
            result.lines.append(builder.line());
            result.positions.append(position);
        }
        return true;
    });
    archive.close();
    return result;
}

} // namespace almavest::store
