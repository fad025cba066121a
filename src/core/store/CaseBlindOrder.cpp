#include "store/CaseBlindOrder.h"

#include "store/Cp1252.h"
#include "store/FieldSearch.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace almavest::store {

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

// The first index from `from` on where the two texts' bytes differ, or `end`. Equal bytes have
// equal keys, so runs of them are skipped eight bytes at a time: list lines often share a long
// beginning and whole columns of labels.
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

uchar rankAt(QByteArrayView line, qsizetype place)
{
    return place < line.size() ? caseBlindRanks()[static_cast<uchar>(line[place])] : uchar(0);
}

// The ranks of every line at one place of a line where not every line ranks the same.
struct RankColumn
{
    qsizetype place;
    std::vector<uchar> ranks;
};

// The keys of every line: a column for each place where the lines' ranks differ. The first
// line is kept as the reference; a place gets its column at the first line that ranks otherwise
// there, and every line before it takes the reference's rank.
class KeyColumns final
{
public:
    explicit KeyColumns(size_t lines)
        : m_lines(lines)
    { }

    void add(qsizetype index, QByteArrayView line)
    {
        if (index == 0) {
            m_reference = line.toByteArray();
            m_columnOf.assign(size_t(line.size()), -1);
        }
        if (size_t(line.size()) > m_columnOf.size())
            m_columnOf.resize(size_t(line.size()), -1);
        const char *reference = m_reference.constData();
        const qsizetype common = std::min(line.size(), m_reference.size());
        for (qsizetype at = firstDifference(line.data(), reference, 0, common); at < common;
             at = firstDifference(line.data(), reference, at + 1, common)) {
            if (m_columnOf[size_t(at)] < 0 && rankAt(line, at) != rankAt(m_reference, at))
                addColumn(at, index);
        }
        // Past the end of the shorter of the two, the end of a line ranks below any character.
        const qsizetype longer = std::max(line.size(), m_reference.size());
        for (qsizetype at = common; at < longer; ++at) {
            if (m_columnOf[size_t(at)] < 0)
                addColumn(at, index);
        }
        for (RankColumn &column : m_columns)
            column.ranks[size_t(index)] = rankAt(line, column.place);
    }

    // The columns from the last place of a line to the first.
    std::vector<RankColumn> takeFromLast()
    {
        std::sort(m_columns.begin(), m_columns.end(),
            [](const RankColumn &a, const RankColumn &b) { return a.place > b.place; });
        return std::move(m_columns);
    }

private:
    void addColumn(qsizetype place, qsizetype index)
    {
        m_columnOf[size_t(place)] = int(m_columns.size());
        RankColumn column {place, std::vector<uchar>(m_lines)};
        std::fill_n(column.ranks.begin(), index, rankAt(m_reference, place));
        m_columns.push_back(std::move(column));
    }

    size_t m_lines;
    QByteArray m_reference;
    std::vector<int> m_columnOf; // by place: its column, or -1 while every line ranks the same
    std::vector<RankColumn> m_columns;
};

} // namespace

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

std::vector<quint32> caseBlindOrder(
    qsizetype count, const std::function<QByteArrayView(qsizetype)> &lineAt)
{
    const auto lines = static_cast<size_t>(std::max<qsizetype>(count, 0));
    std::vector<quint32> order(lines);
    std::iota(order.begin(), order.end(), quint32(0));
    if (lines < 2)
        return order;
    KeyColumns keys(lines);
    for (qsizetype i = 0; i < count; ++i)
        keys.add(i, lineAt(i));
    // One stable counting pass a column, from the last place to the first: lines that rank the
    // same at every place keep their order.
    std::vector<quint32> next(lines);
    for (const RankColumn &column : keys.takeFromLast()) {
        std::array<quint32, 257> starts {};
        for (const uchar rank : column.ranks)
            ++starts[size_t(rank) + 1];
        std::partial_sum(starts.begin(), starts.end(), starts.begin());
        for (const quint32 line : order)
            next[starts[column.ranks[line]]++] = line;
        order.swap(next);
    }
    return order;
}

} // namespace almavest::store
