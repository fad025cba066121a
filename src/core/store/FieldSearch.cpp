#include "store/FieldSearch.h"

#include "store/Cp1252.h"
#include "text/TextRoutines.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace almavest::store {

namespace {

QByteArray lowerBytes(QByteArray bytes)
{
    for (char &byte : bytes)
        byte = lowerAsciiByte(byte);
    return bytes;
}

// Whether the code page holds `text` exactly in `bytes`, so that a byte comparison says the
// same as a comparison of texts. Accents typed as separate marks are composed on the way in,
// as a stored field has them.
bool holdsExactly(const QString &text, const QByteArray &bytes)
{
    return fromCp1252(bytes) == text.normalized(QString::NormalizationForm_C);
}

// lowerAsciiByte() on eight bytes at once: a byte below 0x80 from 'A' to 'Z' gains 0x20. Each
// sum below stays within its byte, so no carry reaches the next.
quint64 lowerAsciiBytes(quint64 bytes)
{
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHigh = kOnes * 0x80;
    const quint64 seven = bytes & ~kHigh;
    const quint64 fromA = seven + kOnes * (0x80 - 'A');
    const quint64 pastZ = seven + kOnes * (0x80 - 'Z' - 1);
    const quint64 upper = fromA & ~pastZ & ~bytes & kHigh;
    return bytes | (upper >> 2);
}

} // namespace

bool containsLowered(QByteArrayView field, QByteArrayView needle)
{
    if (needle.size() > field.size())
        return false;
    // A field holds at most 255 bytes; they are lowered eight at a time.
    constexpr size_t kMost = 256;
    std::array<char, kMost + 8> lowered;
    const auto size = std::min(static_cast<size_t>(field.size()), kMost);
    for (size_t i = 0; i < size; i += 8) {
        quint64 bytes = 0;
        std::memcpy(&bytes, field.data() + i, std::min<size_t>(8, size - i));
        bytes = lowerAsciiBytes(bytes);
        std::memcpy(lowered.data() + i, &bytes, 8);
    }
    const std::string_view haystack(lowered.data(), size);
    return haystack.find(std::string_view(needle.data(), static_cast<size_t>(needle.size())))
        != std::string_view::npos;
}

FieldSearch::FieldSearch(
    const RecordLayout &layout, std::span<const int> fields, std::span<const QString> typed)
    : m_layout(&layout)
{
    const size_t count = std::min(fields.size(), typed.size());
    m_filters.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const QByteArray bytes = toCp1252(typed[i]);
        const bool filled = !text::trimmed(typed[i]).isEmpty();
        if (filled)
            ++m_filled;
        // A box holding only blanks is not counted as filled, so it must not count as a match
        // either: otherwise a stray blank in one box would let it stand in for another box's
        // text and list records that do not match what was typed.
        m_filters.push_back(
            {fields[i], lowerBytes(bytes), filled && holdsExactly(typed[i], bytes)});
    }
}

std::vector<int> FieldSearch::readAhead() const
{
    std::vector<int> fields;
    for (const Filter &filter : m_filters) {
        if (filter.usable)
            fields.push_back(filter.field);
    }
    return m_layout->readAhead(fields);
}

bool FieldSearch::matches(QByteArrayView record) const
{
    return matchesTexts([this, record](int field) { return m_layout->textBytes(record, field); });
}

} // namespace almavest::store
