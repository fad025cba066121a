#pragma once

#include "exporting/Workbook.h"
#include "statement/CashStatement.h"

// The cash statement as the rows of a workbook: one row per row of the form, in its order, with
// the side it belongs to and the amounts of the year and of the year before as euro numbers.
namespace almavest::statement {

QList<exporting::WorkbookColumn> statementColumns(const CashStatement &statement);
exporting::WorkbookTable statementTable(const CashStatement &statement);

} // namespace almavest::statement
