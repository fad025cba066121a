#include "store/CaseBlindOrder.h"

#include "store/Cp1252.h"
#include "store/FieldSearch.h"

#include <QString>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
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
// equal keys, so runs of them are skipped eight bytes at a time: list lines compared together
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

// The ranks of every line at one place of a line where not every line ranks the same; every
// line's rank is written before the column is read.
struct RankColumn
{
    qsizetype place;
    std::unique_ptr<uchar[]> ranks;
};

// Several neighbouring places of a line taken as one: each line's ranks there as one number, in
// the order of the ranks from the first place to the last, and how many numbers there may be.
struct Digit
{
    std::unique_ptr<uchar[]> values;
    quint32 count = 1;
};

// The most numbers a digit takes: one byte a line.
constexpr quint32 kMaxDigitValues = 256;

// The ranks that occur in a column numbered from 0 in their order, so that only they take room
// in a digit.
struct Numbering
{
    std::array<uchar, 256> numbers {};
    quint32 distinct = 0;
};

Numbering numberingOf(const uchar *ranks, size_t lines)
{
    Numbering numbering;
    for (size_t line = 0; line < lines; ++line)
        numbering.numbers[ranks[line]] = 1;
    for (uchar &number : numbering.numbers)
        number = number != 0 ? uchar(numbering.distinct++) : uchar(0);
    return numbering;
}

// The keys of every line: a column for each place where the lines' ranks differ. The first
// line is kept as the reference; a place gets its column at the first line that ranks otherwise
// there, and every line before it takes the reference's rank.
class KeyColumns final
{
public:
    explicit KeyColumns(size_t lines)
        : m_ranks(caseBlindRanks())
        , m_lines(lines)
    { }

    void add(qsizetype index, QByteArrayView line)
    {
        if (index == 0)
            m_reference = line.toByteArray();
        if (size_t(line.size()) > m_known.size())
            m_known.resize(size_t(line.size()), 0);
        const qsizetype common = std::min(line.size(), m_reference.size());
        for (qsizetype at = nextNewDifference(line.data(), 0, common); at < common;
             at = nextNewDifference(line.data(), at + 1, common)) {
            if (rankAt(line, at) != rankAt(m_reference, at))
                addColumn(at, index);
        }
        // Past the end of the shorter of the two, the end of a line ranks below any character.
        const qsizetype longer = std::max(line.size(), m_reference.size());
        for (qsizetype at = common; at < longer; ++at) {
            if (m_known[size_t(at)] == 0)
                addColumn(at, index);
        }
        for (RankColumn &column : m_columns)
            column.ranks[size_t(index)] = rankAt(line, column.place);
    }

    // The columns folded into digits, from the first place of a line to the last: neighbouring
    // places make one digit while its numbers stay within kMaxDigitValues. A digit is written
    // over the first column of its places, so that no more room is taken.
    std::vector<Digit> takeDigits()
    {
        std::sort(m_columns.begin(), m_columns.end(),
            [](const RankColumn &a, const RankColumn &b) { return a.place < b.place; });
        std::vector<Numbering> numberings;
        numberings.reserve(m_columns.size());
        for (const RankColumn &column : m_columns)
            numberings.push_back(numberingOf(column.ranks.get(), m_lines));
        std::vector<Digit> digits;
        for (size_t c = 0; c < m_columns.size();) {
            Digit digit {std::move(m_columns[c].ranks), numberings[c].distinct};
            uchar *values = digit.values.get();
            for (size_t line = 0; line < m_lines; ++line)
                values[line] = numberings[c].numbers[values[line]];
            for (++c; c < m_columns.size(); ++c) {
                const Numbering &numbering = numberings[c];
                if (digit.count * numbering.distinct > kMaxDigitValues)
                    break;
                const uchar *ranks = m_columns[c].ranks.get();
                for (size_t line = 0; line < m_lines; ++line)
                    values[line]
                        = uchar(values[line] * numbering.distinct + numbering.numbers[ranks[line]]);
                digit.count *= numbering.distinct;
                m_columns[c].ranks.reset();
            }
            digits.push_back(std::move(digit));
        }
        m_columns.clear();
        return digits;
    }

private:
    // The first place from `from` on, before `end`, where the line's byte and the reference's
    // differ and that has no column yet, or `end`: eight places at a time, past the columns
    // already known.
    qsizetype nextNewDifference(const char *line, qsizetype from, qsizetype end) const
    {
        const char *reference = m_reference.constData();
        const uchar *known = m_known.data();
        qsizetype at = from;
        for (; at + 8 <= end; at += 8) {
            const quint64 differ = (qFromLittleEndian<quint64>(line + at)
                                       ^ qFromLittleEndian<quint64>(reference + at))
                & ~qFromLittleEndian<quint64>(known + at);
            if (differ != 0)
                return at + std::countr_zero(differ) / 8;
        }
        for (; at < end; ++at) {
            if (known[at] == 0 && line[at] != reference[at])
                return at;
        }
        return end;
    }

    uchar rankAt(QByteArrayView line, qsizetype place) const
    {
        return place < line.size() ? m_ranks[static_cast<uchar>(line[place])] : uchar(0);
    }

    void addColumn(qsizetype place, qsizetype index)
    {
        m_known[size_t(place)] = 0xff;
        RankColumn column {place, std::make_unique_for_overwrite<uchar[]>(m_lines)};
        std::fill_n(column.ranks.get(), index, rankAt(m_reference, place));
        m_columns.push_back(std::move(column));
    }

    const std::array<uchar, 256> &m_ranks;
    size_t m_lines;
    QByteArray m_reference;
    std::vector<uchar>
        m_known; // by place: 0xff where it has its column, 0 while every line ranks the same
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
    // One stable counting pass a digit, from the last to the first: lines that rank the same at
    // every place keep their order.
    const std::vector<Digit> digits = keys.takeDigits();
    std::vector<quint32> next(lines);
    std::array<quint32, kMaxDigitValues + 1> starts {};
    for (size_t d = digits.size(); d-- > 0;) {
        const Digit &digit = digits[d];
        const uchar *values = digit.values.get();
        std::fill_n(starts.begin(), digit.count + 1, quint32(0));
        for (size_t line = 0; line < lines; ++line)
            ++starts[size_t(values[line]) + 1];
        std::partial_sum(starts.begin(), starts.begin() + digit.count + 1, starts.begin());
        for (const quint32 line : order)
            next[starts[values[line]]++] = line;
        order.swap(next);
    }
    return order;
}

} // namespace almavest::store
