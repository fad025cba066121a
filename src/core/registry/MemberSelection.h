#pragma once

#include "store/FieldSearch.h"
#include "store/ListLines.h"
#include "store/RecordLayout.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// What the member lists show and select: the one-line form of a card, the ten-filter search and
// the expiry rules. Each scan opens the member archive, reads it once from the first record to
// the last and closes it.
namespace almavest::registry {

// The member list line: name (30), "  C.F. ", tax code (16), "  Scad. ", expiry (10),
// "  Tel. ", telephone (15), " Note: ", the notes whole.
QString memberListLine(QByteArrayView record);
QString memberListLine(const QStringList &values);

// The ten search filters, in the order of the search screen's boxes: name, card number, place
// of birth, date of birth, tax code, date of enrolment, town, qualifications, role, notes.
inline constexpr int kSearchFilterCount = 10;
using SearchFilters = std::array<QString, kSearchFilterCount>;

// The ten-filter search of the member cards, with the matching rule of store::FieldSearch.
class MemberSearch final
{
public:
    explicit MemberSearch(const SearchFilters &filters);

    int filledCount() const { return m_search.filledCount(); }
    bool matches(QByteArrayView record) const { return m_search.matches(record); }
    // The same on a card's field texts by field (store::FieldSearch::matchesTexts).
    template <typename TextOf> bool matchesTexts(const TextOf &textOf) const
    {
        return m_search.matchesTexts(textOf);
    }
    std::vector<int> readAhead() const { return m_search.readAhead(); }

private:
    store::FieldSearch m_search;
};

enum class ExpiryRule {
    Expired, // expiry before today
    ExpiringOrExpired, // expiry minus notice days today or before
};

// Whether a card with this expiry date and these notice days is listed on `today`; nullopt when
// the date or the number of days cannot be read. Expired does not look at the days.
std::optional<bool> expiryListed(
    ExpiryRule rule, QStringView expiry, QStringView noticeDays, QDate today);
// The same on an expiry date already read, nothing when it could not be.
std::optional<bool> expiryListed(
    ExpiryRule rule, std::optional<QDate> expiry, QStringView noticeDays, QDate today);

// The date a record field holds, as the date routine reads it from the field's text: the form
// every saved record has, "dd/mm/yyyy", is read straight from the bytes. Nothing when the
// field holds no date.
std::optional<QDate> recordDate(QByteArrayView bytes, QDate today);

// The lines of a member list, each with the position of its card.
using MemberLines = store::ListLines;

// Each scan takes an optional control that follows it and can stop it (store::scanLines).
MemberLines searchMembers(
    const QString &archivePath, const MemberSearch &search, store::ScanControl *control = nullptr);
// Every card whose name is not empty, as the import of a member into a book page lists them.
MemberLines namedMembers(const QString &archivePath, store::ScanControl *control = nullptr);
// A card whose expiry or notice days cannot be read is left out; the scan goes on after it.
MemberLines expiringMembers(const QString &archivePath, ExpiryRule rule, QDate today,
    store::ScanControl *control = nullptr);

} // namespace almavest::registry
