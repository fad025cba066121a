#pragma once

#include "store/FieldSearch.h"
#include "store/ListLines.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <span>

// What the movement lists show and select: the one-line summary of a movement, the ten-filter
// search and the payments due. Each scan reads the year's archive once, from the first record
// to the last, and hands back its lines sorted, each with the position of its movement.
namespace almavest::journal {

// The summary line: causale (40), "  Scad. ", due date (10), "  Da: ", payer (30), "  A: ",
// beneficiary (30), "  Importo: ", the signed amount whole.
QString movementSummaryLine(QByteArrayView record);

// The ten search filters, in the order of the search screen's boxes: operation date, due date,
// causale, reminder, payer, payer card number, beneficiary, receipt, tariff, notes.
inline constexpr int kMovementFilterCount = 10;
using MovementFilters = std::array<QString, kMovementFilterCount>;

// The search of the movements, with the matching rule of store::FieldSearch.
class MovementSearch final
{
public:
    explicit MovementSearch(const MovementFilters &filters);

    int filledCount() const { return m_search.filledCount(); }
    bool matches(QByteArrayView record) const { return m_search.matches(record); }
    // The same on a movement's field texts by field (store::FieldSearch::matchesTexts).
    template <typename TextOf> bool matchesTexts(const TextOf &textOf) const
    {
        return m_search.matchesTexts(textOf);
    }
    std::vector<int> readAhead() const { return m_search.readAhead(); }

private:
    store::FieldSearch m_search;
};

// Whether a movement is due on `today`: its notice period has begun (due date minus notice days
// is today or earlier) and its settled flag is "No". nullopt when the due date or the notice
// days cannot be read.
std::optional<bool> movementDue(QByteArrayView record, QDate today);

// The fields of a year's compact copy, which every list and summary of the year reads.
std::span<const int> movementIndexedFields();

// The lines of a movement list, sorted, each with the position of its movement.
using MovementLines = store::ListLines;

// Each scan takes an optional control that follows it and can stop it (store::scanLines).
MovementLines searchMovements(const QString &archivePath, const MovementSearch &search,
    store::ScanControl *control = nullptr);
// A movement whose due date or notice days cannot be read is left out; the scan goes on.
MovementLines dueMovements(
    const QString &archivePath, QDate today, store::ScanControl *control = nullptr);

} // namespace almavest::journal
