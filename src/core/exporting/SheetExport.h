#pragma once

#include "exporting/SheetRows.h"
#include "store/RecordTable.h"
#include "store/ScanControl.h"
#include "store/WholeFile.h"

#include <QByteArray>
#include <QString>

#include <span>

// The spreadsheet export of the member archive and of a year's movements: an HTML table in the
// spreadsheet program's namespaces, on one line, in Windows-1252, that Excel and LibreOffice open
// as a worksheet.
namespace almavest::exporting {

// How a column's text comes from its record field.
enum class CellRule {
    Field, // the field's text
    MovementType, // "Entrata" or "Uscita" from the income flag, empty when it is neither
};

// One exported column; its heading is the record field's heading.
struct SheetColumn
{
    int field;
    int gridWidth;
    int fileWidth;
    bool editable; // typing in the grid changes the exported file, never the archive
    CellRule rule = CellRule::Field;
};

// What tells the two exports apart.
struct SheetForm
{
    const char *worksheetName;
    const char *fileName; // in the program folder
    const store::RecordTable &table;
    std::span<const SheetColumn> columns;

    QString heading(int column) const;
};

const SheetForm &memberSheet();
const SheetForm &movementSheet();

// The rows an archive with no record shows: empty, ready to be typed into.
inline constexpr int kEmptySheetRows = 10;

// Fills `rows` with the records of the archive at `archivePath`, one row each, or with
// kEmptySheetRows empty rows when it holds none; a missing archive is created empty where the
// folder allows. On a read failure returns false with the reason in `error`; the rows read so
// far stay. With a `control`, the reading reports its progress to it and, once it is cancelled,
// stops and returns false with no reason.
[[nodiscard]] bool readSheetRows(const SheetForm &form, const QString &archivePath, SheetRows &rows,
    QString *error = nullptr, store::ScanControl *control = nullptr);

// The whole document for `rows`. Cells are written trimmed, with "&", "<", ">" and '"' escaped
// so that no text can break the table.
QByteArray sheetDocument(const SheetForm &form, const SheetRows &rows);

// Writes the document for `rows` to `path`, a few MiB at a time, through a temporary file, so
// that a failure leaves an earlier export whole.
[[nodiscard]] store::WriteFailure writeSheet(
    const QString &path, const SheetForm &form, const SheetRows &rows, QString *error = nullptr);

// The export file of `form` in the program folder.
QString sheetPath(const QString &programFolder, const SheetForm &form);

} // namespace almavest::exporting
