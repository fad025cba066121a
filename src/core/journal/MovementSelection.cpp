#include "journal/MovementSelection.h"

#include "journal/MovementRecord.h"
#include "registry/MemberSelection.h"
#include "store/Cp1252.h"
#include "store/IndexedLines.h"

namespace almavest::journal {

namespace {

constexpr int kPurposeWidth = 40;
constexpr int kDueDateWidth = 10;
constexpr int kPartyWidth = 30;
constexpr QByteArrayView kDueLabel = "  Scad. ";
constexpr QByteArrayView kPayerLabel = "  Da: ";
constexpr QByteArrayView kBeneficiaryLabel = "  A: ";
constexpr QByteArrayView kNotSettled = "No";

// The movement field each filter is compared with, in the order of MovementFilters.
constexpr std::array<int, kMovementFilterCount> kFilterFields = {OperationDate, DueDate, Purpose,
    Reminder, Payer, PayerCardNumber, Beneficiary, Receipt, Tariff, Notes};

// The fields a list line shows.
constexpr std::array<int, 5> kLineFields = {Purpose, DueDate, Payer, Beneficiary, SignedAmount};

// Every field the lists show or select on: the compact copy of the year holds these.
constexpr std::array<int, 13> kIndexedFields = {OperationDate, DueDate, Purpose, Reminder, Payer,
    PayerCardNumber, Beneficiary, Receipt, Tariff, Notes, SignedAmount, NoticeDays, Settled};

// Writes the summary line of the movement whose fields `textOf` gives into `line`.
template <typename TextOf> void buildLine(const TextOf &textOf, store::LineBuilder &line)
{
    line.appendColumn(textOf(Purpose), kPurposeWidth);
    line.append(kDueLabel);
    line.appendColumn(textOf(DueDate), kDueDateWidth);
    line.append(kPayerLabel);
    line.appendColumn(textOf(Payer), kPartyWidth);
    line.append(kBeneficiaryLabel);
    line.appendColumn(textOf(Beneficiary), kPartyWidth);
    line.append(kAmountLabel);
    line.append(textOf(SignedAmount));
}

// One pass over the year, or over its compact copy where there is one, adding the line of every
// movement `wanted` accepts, then the sort; `wanted` is given the texts of a movement's fields by
// field and, on the archive, reads the bytes at `readAhead` of every record.
template <typename Wanted>
MovementLines collectLines(const QString &archivePath, const Wanted &wanted,
    std::vector<int> readAhead, store::ScanControl *control)
{
    MovementLines lines = store::linesOf(
        archivePath, movementLayout(), kIndexedFields, kLineFields, wanted,
        [](const auto &textOf, store::LineBuilder &line) { buildLine(textOf, line); },
        std::move(readAhead), control, [] {});
    if (control && control->cancelled())
        return lines; // nobody will show them
    lines.sortCaseBlind();
    return lines;
}

// movementDue() on a movement's field texts, decoding the notice days into a buffer that the
// caller keeps from one record of a scan to the next.
template <typename TextOf>
std::optional<bool> movementDue(const TextOf &textOf, QDate today, QString &notice)
{
    const std::optional<bool> begun = registry::expiryListed(
        registry::ExpiryRule::ExpiringOrExpired, registry::recordDate(textOf(DueDate), today),
        store::decodeCp1252(textOf(NoticeDays), notice), today);
    if (!begun)
        return std::nullopt;
    return *begun && textOf(Settled) == kNotSettled;
}

QByteArrayView fieldBytes(QByteArrayView record, int field)
{
    return movementLayout().textBytes(record, field);
}

} // namespace

QString movementSummaryLine(QByteArrayView record)
{
    store::LineBuilder line;
    buildLine([record](int field) { return fieldBytes(record, field); }, line);
    return line.line();
}

std::span<const int> movementIndexedFields()
{
    return kIndexedFields;
}

MovementSearch::MovementSearch(const MovementFilters &filters)
    : m_search(movementLayout(), kFilterFields, filters)
{ }

std::optional<bool> movementDue(QByteArrayView record, QDate today)
{
    QString notice;
    return movementDue([record](int field) { return fieldBytes(record, field); }, today, notice);
}

MovementLines searchMovements(
    const QString &archivePath, const MovementSearch &search, store::ScanControl *control)
{
    if (search.filledCount() == 0)
        return collectLines(
            archivePath, [](const auto &) { return true; }, movementLayout().readAhead(kLineFields),
            control);
    return collectLines(
        archivePath, [&search](const auto &textOf) { return search.matchesTexts(textOf); },
        search.readAhead(), control);
}

MovementLines dueMovements(const QString &archivePath, QDate today, store::ScanControl *control)
{
    // A movement that cannot be read is left out rather than ending the list: stopping there
    // would hide every payment after it.
    QString notice;
    constexpr std::array<int, 3> kDueFields = {DueDate, NoticeDays, Settled};
    return collectLines(
        archivePath,
        [&](const auto &textOf) {
            // A settled movement is never due: its dates are not read.
            return textOf(Settled) == kNotSettled
                && movementDue(textOf, today, notice).value_or(false);
        },
        movementLayout().readAhead(kDueFields), control);
}

} // namespace almavest::journal
