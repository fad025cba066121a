#include "store/ListLines.h"

#include "store/ArchiveFile.h"
#include "store/Cp1252.h"
#include "store/FieldSearch.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <vector>

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

namespace {

// The sort key of every Windows-1252 byte: its character's code, with A-Z lower-cased.
const std::array<char16_t, 256> &caseBlindKeys()
{
    static const std::array<char16_t, 256> keys = [] {
        std::array<char16_t, 256> table {};
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = lowerAsciiByte(static_cast<char>(byte));
            const QString decoded = fromCp1252(QByteArrayView(&raw, 1));
            table[static_cast<size_t>(byte)]
                = decoded.isEmpty() ? char16_t(byte) : decoded[0].unicode();
        }
        return table;
    }();
    return keys;
}

// The first index from `from` on where the two texts' bytes differ, or `end`. Equal bytes have
// equal keys, so runs of them are skipped eight bytes at a time: list lines sorted together
// often share a long beginning.
qsizetype firstDifference(const char *left, const char *right, qsizetype from, qsizetype end)
{
    qsizetype i = from;
    for (; i + 8 <= end; i += 8) {
        quint64 a = 0;
        quint64 b = 0;
        std::memcpy(&a, left + i, 8);
        std::memcpy(&b, right + i, 8);
        if (a != b)
            break;
    }
    while (i < end && left[i] == right[i])
        ++i;
    return i;
}

bool caseBlindLess(QByteArrayView left, QByteArrayView right)
{
    const auto &keys = caseBlindKeys();
    const qsizetype common = std::min(left.size(), right.size());
    for (qsizetype i = firstDifference(left.data(), right.data(), 0, common); i < common;
         i = firstDifference(left.data(), right.data(), i + 1, common)) {
        const char16_t a = keys[static_cast<unsigned char>(left[i])];
        const char16_t b = keys[static_cast<unsigned char>(right[i])];
        if (a != b)
            return a < b;
    }
    return left.size() < right.size();
}

} // namespace

void ListLines::sortCaseBlind()
{
    const auto bytesOf = [this](qsizetype index) {
        const qsizetype begin = index == 0 ? 0 : m_ends.at(index - 1);
        return QByteArrayView(m_bytes).sliced(begin, m_ends.at(index) - begin);
    };
    std::vector<qsizetype> order(static_cast<size_t>(size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
        [&](qsizetype a, qsizetype b) { return caseBlindLess(bytesOf(a), bytesOf(b)); });
    ListLines sorted;
    sorted.reserve(size(), size() == 0 ? 0 : m_bytes.size() / size() + 1);
    for (const qsizetype index : order)
        sorted.append(bytesOf(index), positions.at(index));
    sorted.archiveOk = archiveOk;
    *this = std::move(sorted);
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
