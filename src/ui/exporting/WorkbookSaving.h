#pragma once

#include "exporting/SheetExport.h"
#include "exporting/Workbook.h"

#include <functional>

class QWidget;

// Saving a list as a workbook: the file dialog offers .xlsx and .ods (and the older .xls where the
// list has it), the workbook is written behind the wait notice so the window never freezes, and
// the outcome is told in Italian: a failure names its cause and keeps the earlier file, a success
// offers to open the file.
namespace almavest::ui {

class AppContext;

struct WorkbookRequest
{
    QString listName; // names the sheet and the file proposed
    QList<exporting::WorkbookColumn> columns;
    const exporting::WorkbookRows &rows;
    // Writes the older .xls when the user picks it; empty where the list has none.
    std::function<store::WriteFailure(const QString &path, QString *error)> writeXls = {};
};

// Asks where to save and saves; false when nothing was saved (cancelled or failed).
bool saveWorkbook(AppContext &context, QWidget *owner, const WorkbookRequest &request);

// The records behind a list's lines, to be saved as a workbook.
struct ListRecords
{
    const exporting::SheetForm &form;
    QString archivePath;
    QList<qint64> positions; // 1-based, in the list's order
    QString listName;
    QList<std::pair<QString, QString>> totals = {}; // caption and amount, after the records
};

// Reads the records behind the wait notice, then asks where to save them with the columns the
// user chose for their form; an empty list is told and saves nothing.
void saveListRecords(AppContext &context, QWidget *owner, const ListRecords &list);

// Reads the member rows of the book's pages at `positions` behind the wait notice and asks
// where to save them; an empty list is told and saves nothing.
void saveBookMembers(AppContext &context, QWidget *owner, const QString &bookPath,
    const QList<qint64> &positions, const QString &listName);

// Offers to open the file just written at `path` with the spreadsheet program, and says so when
// no program takes it.
void offerToOpen(AppContext &context, QWidget *owner, const QString &path, const QString &question);

} // namespace almavest::ui
