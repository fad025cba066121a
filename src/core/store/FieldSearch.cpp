#include "store/FieldSearch.h"

#include "store/Cp1252.h"
#include "text/TextRoutines.h"

#include <algorithm>
#include <array>
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

} // namespace

bool containsLowered(QByteArrayView field, QByteArrayView needle)
{
    if (needle.size() > field.size())
        return false;
    std::array<char, 256> lowered; // a field holds at most 255 bytes
    const qsizetype size = std::min<qsizetype>(field.size(), lowered.size());
    for (qsizetype i = 0; i < size; ++i)
        lowered[static_cast<size_t>(i)] = lowerAsciiByte(field[i]);
    const std::string_view haystack(lowered.data(), static_cast<size_t>(size));
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
