#include "ui/statement/StatementPrint.h"

#include "balance/Balance.h"
#include "journal/MovementRecord.h"

#include <QStringList>

#include <array>

namespace almavest::ui {

namespace {

using statement::RowKind;
using statement::StatementRow;

// The memos of the body, column by column: a plain one for the lines of the form and a bold one,
// in the same place, for headings, totals and results. Each gets a line for every row, blank
// where it shows nothing, so that they break across pages together.
enum Memo : std::size_t {
    Payments,
    PaymentsBold,
    PaymentsYear,
    PaymentsYearBold,
    PaymentsPrevious,
    PaymentsPreviousBold,
    Receipts,
    ReceiptsBold,
    ReceiptsYear,
    ReceiptsYearBold,
    ReceiptsPrevious,
    ReceiptsPreviousBold,
    Results, // the label of a result, across both halves
    kMemoCount
};

constexpr std::array<const char *, kMemoCount> kMemoNames = {"txtUscite", "txtUsciteGrassetto",
    "txtUsciteAnno", "txtUsciteAnnoGrassetto", "txtUsciteAnnoPrec", "txtUsciteAnnoPrecGrassetto",
    "txtEntrate", "txtEntrateGrassetto", "txtEntrateAnno", "txtEntrateAnnoGrassetto",
    "txtEntrateAnnoPrec", "txtEntrateAnnoPrecGrassetto", "txtRisultati"};

// The height of one row of the body, in units: the line height of its memos.
constexpr double kRowHeight = 10.5;

using Lines = std::array<QStringList, kMemoCount>;

// Writes `row` into the half that starts at memo `label`: label, year t, year t-1.
void writeHalf(Lines &lines, std::size_t row, const StatementRow &shown, std::size_t label)
{
    const bool bold = shown.kind != RowKind::Line;
    const std::size_t boldShift = bold ? 1 : 0;
    if (shown.column == statement::Column::Result && shown.kind != RowKind::Line)
        lines[Results][qsizetype(row)] = shown.label;
    else
        lines[label + boldShift][qsizetype(row)] = shown.label;
    lines[label + 2 + boldShift][qsizetype(row)] = statementAmount(shown.current);
    lines[label + 4 + boldShift][qsizetype(row)] = statementAmount(shown.previous);
}

} // namespace

QString statementAmount(const std::optional<qint64> &cents)
{
    return cents ? balance::formatCents(*cents) : QString();
}

std::optional<report::PreparedReport> prepareStatementReport(
    const statement::CashStatement &statement, QDate today)
{
    std::optional<report::ReportTemplate> form
        = report::ReportTemplate::load(QStringLiteral(":/templates/statement.json"));
    if (!form)
        return std::nullopt;
    const QString year = journal::journalYearText(statement.year);
    const QString previous = journal::journalYearText(statement.year - 1);
    form->setText(QStringLiteral("txtTitolo"),
        QStringLiteral("RENDICONTO PER CASSA - ESERCIZIO %1").arg(year));
    const std::pair<const char *, QString> headings[]
        = {{"titUscite", QStringLiteral("USCITE")}, {"titUsciteAnno", year},
            {"titUsciteAnnoPrec", previous}, {"titEntrate", QStringLiteral("ENTRATE")},
            {"titEntrateAnno", year}, {"titEntrateAnnoPrec", previous}};
    for (const auto &[name, text] : headings)
        form->setText(QLatin1String(name), text);

    const std::vector<statement::RowPair> pairs = statement::pairRows(statement);
    Lines lines;
    for (QStringList &memo : lines)
        memo.resize(qsizetype(pairs.size()));
    for (std::size_t row = 0; row < pairs.size(); ++row) {
        if (pairs[row].payments)
            writeHalf(lines, row, *pairs[row].payments, Payments);
        if (pairs[row].receipts)
            writeHalf(lines, row, *pairs[row].receipts, Receipts);
    }
    const double height = double(pairs.size()) * kRowHeight;
    for (std::size_t memo = 0; memo < kMemoCount; ++memo) {
        form->setLines(QLatin1String(kMemoNames[memo]), lines[memo]);
        form->setHeight(QLatin1String(kMemoNames[memo]), height);
    }
    form->setHeight(QStringLiteral("MasterData"), height + 10);
    return report::prepare(*form, today);
}

} // namespace almavest::ui
