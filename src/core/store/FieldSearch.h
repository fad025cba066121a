#pragma once

#include "store/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <span>
#include <vector>

// The search of the list screens: several filters, each compared with one field of a record.
namespace almavest::store {

// A filter matches when its text as typed, A-Z lower-cased, occurs in its field lower-cased the
// same way; an empty filter never matches. A record is found when at least as many filters match
// as there are filters whose trimmed text is not empty. A filter of blanks only is not counted
// and never matches, so the filled filters always combine as AND.
class FieldSearch final
{
public:
    // `typed[i]` is compared with field `fields[i]` of `layout`, which must outlive the search.
    FieldSearch(
        const RecordLayout &layout, std::span<const int> fields, std::span<const QString> typed);

    int filledCount() const { return m_filled; }
    bool matches(QByteArrayView record) const;
    // The same on texts already cut from a record: `textOf(field)` gives the trimmed text bytes
    // of `field`, as RecordLayout::textBytes does.
    template <typename TextOf> bool matchesTexts(const TextOf &textOf) const;
    // The offsets in a record of the bytes matches() reads, for a scan to read ahead.
    std::vector<int> readAhead() const;

private:
    struct Filter
    {
        int field;
        QByteArray lowered; // Windows-1252, A-Z lower-cased
        bool usable; // false when blank, or with a character no field can hold
    };
    const RecordLayout *m_layout;
    std::vector<Filter> m_filters;
    int m_filled = 0;
};

// `byte` with A-Z lower-cased and every other byte left as it is.
inline char lowerAsciiByte(char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Whether `needle` (already lower-cased) occurs in `field` lower-cased on A-Z.
bool containsLowered(QByteArrayView field, QByteArrayView needle);

template <typename TextOf> bool FieldSearch::matchesTexts(const TextOf &textOf) const
{
    int matched = 0;
    for (const Filter &filter : m_filters) {
        if (filter.usable && containsLowered(textOf(filter.field), filter.lowered))
            ++matched;
    }
    return matched >= m_filled;
}

} // namespace almavest::store
