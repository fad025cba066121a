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

QString ListLines::line(qsizetype index) const
{
    if (index < 0 || index >= size())
        return {};
    return fromCp1252(bytesOf(index));
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

void ListLines::append(QByteArrayView bytes, qint64 position)
{
    m_starts.append(m_bytes.size());
    m_bytes.append(bytes);
    m_ends.append(m_bytes.size());
    positions.append(position);
}

void ListLines::reserve(qsizetype count, qsizetype bytesEach)
{
    m_bytes.reserve(count * bytesEach);
    m_starts.reserve(count);
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

// The rank of every byte in the order of caseBlindKeys(), from 1 up: 0 is left for the end of a
// line, which comes before any character. A-Z share the rank of a-z, so fewer than 256 ranks
// are ever given.
const std::array<uchar, 256> &caseBlindRanks()
{
    static const std::array<uchar, 256> ranks = [] {
        const auto &keys = caseBlindKeys();
        std::vector<char16_t> distinct(keys.begin(), keys.end());
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        std::array<uchar, 256> table {};
        for (size_t byte = 0; byte < table.size(); ++byte) {
            const auto at = std::lower_bound(distinct.begin(), distinct.end(), keys[byte]);
            table[byte] = static_cast<uchar>(1 + (at - distinct.begin()));
        }
        return table;
    }();
    return ranks;
}

// The sort key of one line: the ranks of its first bytes, enough for the lines of a list to
// differ in most, and the line's place before the sort. Keys of one size sit side by side and
// compare as plain bytes; only lines whose beginnings rank the same are compared whole.
struct SortKey
{
    static constexpr size_t kRanks = 56;
    std::array<uchar, kRanks> ranks;
    quint32 index;
};

} // namespace

QByteArrayView ListLines::bytesOf(qsizetype index) const
{
    return QByteArrayView(m_bytes).sliced(
        m_starts.at(index), m_ends.at(index) - m_starts.at(index));
}

void ListLines::sortCaseBlind()
{
    const auto &ranks = caseBlindRanks();
    std::vector<SortKey> keys(static_cast<size_t>(size()));
    for (qsizetype i = 0; i < size(); ++i) {
        SortKey &key = keys[static_cast<size_t>(i)];
        const QByteArrayView bytes = bytesOf(i);
        const size_t used = std::min(SortKey::kRanks, static_cast<size_t>(bytes.size()));
        for (size_t at = 0; at < used; ++at)
            key.ranks[at] = ranks[static_cast<uchar>(bytes[qsizetype(at)])];
        std::fill(key.ranks.begin() + qsizetype(used), key.ranks.end(), uchar(0));
        key.index = static_cast<quint32>(i);
    }
    std::stable_sort(keys.begin(), keys.end(), [this](const SortKey &a, const SortKey &b) {
        const int order = std::memcmp(a.ranks.data(), b.ranks.data(), SortKey::kRanks);
        if (order != 0)
            return order < 0;
        return caseBlindLess(bytesOf(a.index), bytesOf(b.index));
    });
    std::vector<qsizetype> order;
    order.reserve(keys.size());
    for (const SortKey &key : keys)
        order.push_back(key.index);
    QList<qsizetype> starts;
    QList<qsizetype> ends;
    QList<qint64> sortedPositions;
    starts.reserve(size());
    ends.reserve(size());
    sortedPositions.reserve(size());
    for (const qsizetype index : order) {
        starts.append(m_starts.at(index));
        ends.append(m_ends.at(index));
        sortedPositions.append(positions.at(index));
    }
    m_starts = std::move(starts);
    m_ends = std::move(ends);
    positions = std::move(sortedPositions);
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
