#pragma once

#include "report/PreparedReport.h"
#include "statement/CashStatement.h"

#include <QDate>
#include <QString>

#include <optional>

// The cash statement on paper: the payments on the left and the receipts on the right, each with
// year t and year t-1, the results under them, in the landscape template "statement.json".
namespace almavest::ui {

// The figure as the screen and the print show it: "1250,00", "-90,00", or nothing when blank.
QString statementAmount(const std::optional<qint64> &cents);

// Lays the statement out; nullopt when the template cannot be read.
std::optional<report::PreparedReport> prepareStatementReport(
    const statement::CashStatement &statement, QDate today);

} // namespace almavest::ui
