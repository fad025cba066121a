#include "journal/MovementSelection.h"

#include "journal/MovementRecord.h"
#include "registry/MemberSelection.h"
#include "store/Cp1252.h"

#include <functional>

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

QByteArrayView fieldBytes(QByteArrayView record, int field)
{
    return movementLayout().textBytes(record, field);
}

// The fields a list line shows.
constexpr std::array<int, 5> kLineFields = {Purpose, DueDate, Payer, Beneficiary, SignedAmount};

void buildLine(QByteArrayView record, store::LineBuilder &line)
{
    line.appendColumn(fieldBytes(record, Purpose), kPurposeWidth);
    line.append(kDueLabel);
    line.appendColumn(fieldBytes(record, DueDate), kDueDateWidth);
    line.append(kPayerLabel);
    line.appendColumn(fieldBytes(record, Payer), kPartyWidth);
    line.append(kBeneficiaryLabel);
    line.appendColumn(fieldBytes(record, Beneficiary), kPartyWidth);
    line.append(kAmountLabel);
    line.append(fieldBytes(record, SignedAmount));
}

// One pass over the archive adding the line of every movement `wanted` accepts, then the sort;
// `wanted` reads the bytes at `readAhead` of every record.
MovementLines collectLines(const QString &archivePath,
    const std::function<bool(QByteArrayView)> &wanted, std::vector<int> readAhead,
    store::ScanControl *control)
{
    MovementLines lines = store::scanLines(
        archivePath, kMovementRecordSize,
        [&wanted](QByteArrayView record, store::LineBuilder &line) {
            if (!wanted(record))
                return false;
            buildLine(record, line);
            return true;
        },
        std::move(readAhead), control);
    if (control && control->cancelled())
        return lines; // nobody will show them
    lines.sortCaseBlind();
    return lines;
}

// movementDue() decoding the notice days into a buffer that the caller keeps from one record of a
// scan to the next.
std::optional<bool> movementDue(QByteArrayView record, QDate today, QString &notice)
{
    const std::optional<bool> begun
        = registry::expiryListed(registry::ExpiryRule::ExpiringOrExpired,
            registry::recordDate(fieldBytes(record, DueDate), today),
            store::decodeCp1252(fieldBytes(record, NoticeDays), notice), today);
    if (!begun)
        return std::nullopt;
    return *begun && fieldBytes(record, Settled) == kNotSettled;
}

} // namespace

QString movementSummaryLine(QByteArrayView record)
{
    store::LineBuilder line;
    buildLine(record, line);
    return line.line();
}

MovementSearch::MovementSearch(const MovementFilters &filters)
    : m_search(movementLayout(), kFilterFields, filters)
{ }

std::optional<bool> movementDue(QByteArrayView record, QDate today)
{
    QString notice;
    return movementDue(record, today, notice);
}

MovementLines searchMovements(
    const QString &archivePath, const MovementSearch &search, store::ScanControl *control)
{
    if (search.filledCount() == 0)
        return collectLines(
            archivePath, [](QByteArrayView) { return true; },
            movementLayout().readAhead(kLineFields), control);
    return collectLines(
        archivePath, [&search](QByteArrayView record) { return search.matches(record); },
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
        [&](QByteArrayView record) { return movementDue(record, today, notice).value_or(false); },
        movementLayout().readAhead(kDueFields), control);
}

} // namespace almavest::journal
