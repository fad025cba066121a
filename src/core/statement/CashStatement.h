#pragma once

#include "statement/StatementForm.h"
#include "statement/StatementSettings.h"
#include "statement/YearTotals.h"

#include <QString>

#include <map>
#include <optional>
#include <vector>

// The cash statement of a year in the layout of the ministry's form: payments and receipts of
// each section with their totals, the surpluses, the taxes, the investments and
// disinvestments, cash and bank at the end of the year; the year and the one before side by
// side. Every figure is whole cents added up, never a floating-point sum.
namespace almavest::statement {

enum class RowKind {
    Heading, // the title of a block: no amount
    Line, // a line of the form
    Total, // the total of a block
    Result, // a surplus or deficit, the overall one, cash and bank
};

// Where a row prints: the payments' half, the receipts' half, or under both.
enum class Column { Payments, Receipts, Result };

// One row of the statement: what a screen, a print or a workbook shows.
struct StatementRow
{
    QString code; // the line's code ("U.A.1"), or ours for a computed row ("A.AVANZO")
    QString label;
    RowKind kind = RowKind::Line;
    Column column = Column::Result;
    std::optional<qint64> current; // cents in year t; nullopt: blank
    std::optional<qint64> previous; // cents in year t-1; nullopt: blank
};

// Cash and bank at one moment.
struct Balances
{
    qint64 cashCents = 0;
    qint64 bankCents = 0;

    bool operator==(const Balances &) const = default;
};

// A causale of the journal that has no line of the form yet.
struct UnassignedCausale
{
    Side side = Side::Receipts;
    QString causale;
};

// What the statement of a year is made from.
struct StatementInput
{
    int year = 0;
    YearTotals current;
    std::optional<YearTotals> previous; // nullopt: no journal for year t-1
    std::optional<Balances> currentOpening; // cash and bank at the start of t; nullopt: unknown
    std::optional<Balances> previousOpening; // at the start of t-1
};

struct CashStatement
{
    int year = 0;
    bool hasPrevious = false;
    // Refused while a causale of year t or t-1 has no line: then there are no rows, since a
    // statement without that money would be wrong.
    std::vector<UnassignedCausale> unassigned;
    std::vector<StatementRow> rows;

    bool refused() const { return !unassigned.empty(); }
    // The row of `code`, nullptr when there is none.
    const StatementRow *row(const QString &code) const;
};

// Makes the statement of `input` with the lines of `form` and the assignments of `settings`.
CashStatement buildStatement(
    const StatementForm &form, const StatementSettings &settings, const StatementInput &input);

// The causali of `totals` that have no line in `settings`, receipts first, each side in the
// order of its keys.
std::vector<UnassignedCausale> unassignedCausali(
    const StatementSettings &settings, const YearTotals &totals);

// The rows side by side as the form sets them: a block of payments beside the block of receipts
// that follows it (the shorter one padded with nullptr), a result row alone on the right.
struct RowPair
{
    const StatementRow *payments = nullptr;
    const StatementRow *receipts = nullptr;
};
std::vector<RowPair> pairRows(const CashStatement &statement);

// Cash and bank at the start of `year`: those of `opening` for its year, and for a later year
// those of the year before with its movements added (`movements` holds the cash and bank moved
// in each year that has a journal; a year without one moved nothing). nullopt before the
// opening's year.
std::optional<Balances> openingOf(
    int year, const OpeningBalances &opening, const std::map<int, Balances> &movements);

// The opening the statement starts from: the one set, or else nothing in cash and bank at the
// start of the first year with a journal (`years` in increasing order).
OpeningBalances effectiveOpening(const OpeningBalances &set, const std::vector<int> &years);

// The journals read for the statement of a year: year t, year t-1 and every year from the
// opening's on for cash and bank.
struct StatementScan
{
    StatementInput input;
    bool yearMissing = false; // year t has no journal
    int failedYear = -1; // the year whose journal could not be read, -1 when none
    int unreadable = 0; // movements left out of the totals because they cannot be read
};

// Reads what the statement of `year` needs from the journals in `folder`, none of which it makes
// when missing. With a `control`, each scan reports its progress and stops once cancelled.
StatementScan scanForStatement(const QString &folder, int year, const OpeningBalances &opening,
    store::ScanControl *control = nullptr);

} // namespace almavest::statement
