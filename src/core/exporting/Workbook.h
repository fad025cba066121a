#pragma once

#include "store/WholeFile.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Real workbooks of a list, as XLSX (Excel) or ODS (LibreOffice): one sheet named after the list,
// a bold header row that stays in view, column widths that fit their texts, and typed cells:
// dates as dates, amounts as euro numbers with two decimals, codes and postal codes as text.
namespace almavest::exporting {

enum class WorkbookFormat {
    Xlsx,
    Ods,
};

// How the texts of a column become cells. Texts come in the program's own forms (dd/mm/yyyy,
// a decimal comma); a text that does not read as its column's kind is kept as text, never lost.
enum class CellKind {
    Text,
    Code, // digits that are no number: codes, card numbers, postal codes, telephone numbers
    Amount, // a number with two decimals in euro
    Date, // a date shown dd/mm/yyyy
    Number, // a plain number, such as a count of days
};

struct WorkbookColumn
{
    QString heading;
    CellKind kind = CellKind::Text;
};

// The cells of a sheet, read one row after the other by the writers.
class WorkbookRows
{
public:
    virtual ~WorkbookRows() = default;
    virtual qsizetype rowCount() const = 0;
    virtual QString cell(qsizetype row, int column) const = 0;
    // The text of a cell as a view that holds until the next call, in `buffer` or in the rows'
    // own storage: the writers' way through a long sheet without a string for each cell.
    virtual QStringView cellText(qsizetype row, int column, QString &buffer) const
    {
        buffer = cell(row, column);
        return buffer;
    }
};

// Rows held as texts, for the lists and the statements that are built before they are saved.
class WorkbookTable final : public WorkbookRows
{
public:
    void append(QStringList row) { m_rows.append(std::move(row)); }
    qsizetype rowCount() const override { return m_rows.size(); }
    QString cell(qsizetype row, int column) const override { return m_rows.at(row).value(column); }
    QStringView cellText(qsizetype row, int column, QString &) const override
    {
        const QStringList &cells = m_rows.at(row);
        return column < cells.size() ? QStringView(cells.at(column)) : QStringView();
    }

private:
    QList<QStringList> m_rows;
};

// One sheet: its list's name, its columns and its rows.
struct WorkbookSheet
{
    QString name;
    QList<WorkbookColumn> columns;
    const WorkbookRows &rows;
};

// A cell as the writers put it down.
struct TypedCell
{
    enum class Type { Empty, Text, Number, Date };
    Type type = Type::Empty;
    QString text; // for Text
    double number = 0; // for Number, rounded to the cent for an amount
    QDate date; // for Date
};

// What a column of `kind` makes of `text`.
TypedCell typedCell(CellKind kind, const QString &text);
// The same into `cell`, whose text keeps its room from one cell to the next.
void typeCell(CellKind kind, QStringView text, TypedCell &cell);

// `listName` as a sheet may be named: at most 31 characters, none of : \ / ? * [ ], no
// apostrophe at either end, never empty.
QString sheetNameFor(const QString &listName);

// The format a file name asks for by its suffix (.xlsx, .ods), whatever its case.
std::optional<WorkbookFormat> workbookFormatOf(const QString &path);

// The widths of the columns, in characters, that fit their headings and their widest cells,
// gathered while the cells are written.
class ColumnWidths final
{
public:
    explicit ColumnWidths(const QList<WorkbookColumn> &columns);
    void see(int column, const TypedCell &cell);
    // Within reasonable bounds: a very long text does not push the other columns out of sight.
    QList<int> widths() const;

private:
    QList<CellKind> m_kinds;
    QList<int> m_widths;
};

// The widths of every column of `sheet`, read from all its rows.
QList<int> fittingWidths(const WorkbookSheet &sheet);

// The cells of a sheet typed one after the other, with the widths of the columns gathered on
// the way; a cell holds until the next one is asked for.
class TypedCells final
{
public:
    explicit TypedCells(const WorkbookSheet &sheet);
    const TypedCell &at(qsizetype row, int column);
    CellKind kind(int column) const { return m_kinds[column]; }
    QList<int> widths() const { return m_widths.widths(); }

private:
    const WorkbookSheet &m_sheet;
    QList<CellKind> m_kinds;
    ColumnWidths m_widths;
    QString m_buffer;
    TypedCell m_cell;
};

// Writes `sheet` to `path` as `format`. The workbook is made apart and only then put in place of
// the old file, so a failure leaves the old file whole; `error` then receives the reason.
[[nodiscard]] store::WriteFailure writeWorkbook(const QString &path, WorkbookFormat format,
    const WorkbookSheet &sheet, QString *error = nullptr);

// The bytes of the workbook of `sheet` in each format, made in memory; false with the reason in
// `error` when the sheet is too large for the format.
[[nodiscard]] bool makeXlsx(const WorkbookSheet &sheet, QByteArray &workbook, QString &error);
[[nodiscard]] bool makeOds(const WorkbookSheet &sheet, QByteArray &workbook, QString &error);

} // namespace almavest::exporting
