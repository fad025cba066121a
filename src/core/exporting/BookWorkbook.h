#pragma once

#include "exporting/Workbook.h"
#include "store/ScanControl.h"

// The members written in pages of a members' book, as the rows of a workbook: one row for each
// member row that holds anything, page after page, top to bottom.
namespace almavest::exporting {

// The columns of a book's member row: order number, name, birth, codes, dates and fee.
QList<WorkbookColumn> bookMemberColumns();

// Fills `rows` with the member rows of the pages at `positions` (1-based, in that order) of the
// book at `bookPath`. On a read failure, or a page the book no longer holds, returns false with
// the reason in `error`; a cancelled `control` stops the reading with no reason.
[[nodiscard]] bool readBookMembers(const QString &bookPath, const QList<qint64> &positions,
    WorkbookTable &rows, QString *error = nullptr, store::ScanControl *control = nullptr);

} // namespace almavest::exporting
