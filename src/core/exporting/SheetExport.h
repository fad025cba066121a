#pragma once

#include "exporting/SheetRows.h"
#include "exporting/Workbook.h"
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
    CellKind kind = CellKind::Text; // what the column's cells are in a workbook
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

// The bytes of one column of a record: the field as stored, or the word its rule makes of it.
// `flag` is a buffer kept from one record to the next.
QByteArrayView cellOf(const SheetColumn &column, const store::RecordLayout &layout,
    QByteArrayView record, QString &flag);

// Fills `rows` with the records at `positions` (1-based, in that order) of the archive at
// `archivePath`, one row each: the records behind a list's lines. On a read failure, or a
// position the archive no longer holds, returns false with the reason in `error`; a cancelled
// `control` stops the reading with no reason.
[[nodiscard]] bool readSheetRowsAt(const SheetForm &form, const QString &archivePath,
    const QList<qint64> &positions, SheetRows &rows, QString *error = nullptr,
    store::ScanControl *control = nullptr);

// The columns of `form` a workbook shows, in the order the user chose: `chosen` holds positions
// in form.columns. A position out of range or named twice is passed over; nothing left means
// every column, in the form's order.
QList<int> validColumns(const SheetForm &form, const QList<int> &chosen);

// The rows of a sheet with the columns `chosen` (valid positions in form.columns) in that order.
// The empty rows after the last one holding anything are left out. Totals follow the rows.
class ChosenSheetRows final : public WorkbookRows
{
public:
    ChosenSheetRows(const SheetForm &form, const SheetRows &rows, QList<int> chosen);
    // Adds a row after the others with `amount` under the first amount column chosen and
    // `caption` in the first column; nothing when no amount column was chosen.
    void addTotal(const QString &caption, const QString &amount);
    qsizetype rowCount() const override { return m_rowCount + m_totals.size(); }
    QString cell(qsizetype row, int column) const override
    {
        if (row >= m_rowCount)
            return m_totals.at(row - m_rowCount).value(column);
        return m_rows.cell(static_cast<int>(row), m_chosen.at(column));
    }
    QStringView cellText(qsizetype row, int column, QString &buffer) const override;

private:
    const SheetForm &m_form;
    const SheetRows &m_rows;
    QList<int> m_chosen;
    qsizetype m_rowCount = 0;
    QList<QStringList> m_totals;
};

// The workbook columns of `form` for the positions `chosen`.
QList<WorkbookColumn> workbookColumns(const SheetForm &form, const QList<int> &chosen);

// The columns the user chose for the workbooks of `form`, kept in the program folder; every
// column when no choice was made or the file cannot be read.
QList<int> loadChosenColumns(const QString &programFolder, const SheetForm &form);
// Keeps `chosen` for the workbooks of `form`; false with the reason in `error` when the file
// cannot be written.
[[nodiscard]] bool saveChosenColumns(const QString &programFolder, const SheetForm &form,
    const QList<int> &chosen, QString *error = nullptr);

} // namespace almavest::exporting
