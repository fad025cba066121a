#include "statement/StatementSheet.h"

#include "balance/Balance.h"

namespace almavest::statement {

namespace {

QString sideName(const StatementRow &row)
{
    switch (row.column) {
    case Column::Payments:
        return QStringLiteral("Uscite");
    case Column::Receipts:
        return QStringLiteral("Entrate");
    case Column::Result:
        break;
    }
    return QStringLiteral("Risultato");
}

QString amountText(const std::optional<qint64> &cents)
{
    return cents ? balance::formatCents(*cents) : QString();
}

} // namespace

QList<exporting::WorkbookColumn> statementColumns(const CashStatement &statement)
{
    using exporting::CellKind;
    return {{QStringLiteral("Codice"), CellKind::Text}, {QStringLiteral("Sezione"), CellKind::Text},
        {QStringLiteral("Voce"), CellKind::Text},
        {QString::number(statement.year), CellKind::Amount},
        {QString::number(statement.year - 1), CellKind::Amount}};
}

exporting::WorkbookTable statementTable(const CashStatement &statement)
{
    exporting::WorkbookTable table;
    for (const StatementRow &row : statement.rows) {
        table.append({row.code, sideName(row), row.label, amountText(row.current),
            amountText(row.previous)});
    }
    return table;
}

} // namespace almavest::statement
