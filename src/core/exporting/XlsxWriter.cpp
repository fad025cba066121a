// The XLSX workbook, written by libxlsxwriter.
#include "exporting/Workbook.h"

#include <QDir>
#include <QFileInfo>

#include <xlsxwriter.h>

#include <cerrno>

namespace almavest::exporting {

namespace {

// The number formats of the cells, as the file stores them; each reader shows them in its own
// language ("1.234,50 €" in Italian).
constexpr char kDateFormat[] = "dd/mm/yyyy";
constexpr char kAmountFormat[] = "#,##0.00 [$\xE2\x82\xAC-410];-#,##0.00 [$\xE2\x82\xAC-410]";
constexpr char kTextFormat[] = "@";

// Excel counts days from 1900 with a day that never was (29/02/1900): its dates start after it.
const QDate kFirstDate(1900, 3, 1);

QString reasonOf(lxw_error failure)
{
    return QString::fromUtf8(lxw_strerror(failure));
}

struct Formats
{
    lxw_format *heading;
    lxw_format *date;
    lxw_format *amount;
    lxw_format *text;
};

Formats makeFormats(lxw_workbook *book)
{
    Formats formats {};
    formats.heading = workbook_add_format(book);
    format_set_bold(formats.heading);
    format_set_num_format(formats.heading, kTextFormat);
    formats.date = workbook_add_format(book);
    format_set_num_format(formats.date, kDateFormat);
    formats.amount = workbook_add_format(book);
    format_set_num_format(formats.amount, kAmountFormat);
    formats.text = workbook_add_format(book);
    format_set_num_format(formats.text, kTextFormat);
    return formats;
}

lxw_error writeCell(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t column, const TypedCell &cell,
    CellKind kind, const Formats &formats)
{
    switch (cell.type) {
    case TypedCell::Type::Empty:
        return LXW_NO_ERROR;
    case TypedCell::Type::Number:
        return worksheet_write_number(
            sheet, row, column, cell.number, kind == CellKind::Amount ? formats.amount : nullptr);
    case TypedCell::Type::Date:
        if (cell.date >= kFirstDate) {
            lxw_datetime day {cell.date.year(), cell.date.month(), cell.date.day(), 0, 0, 0};
            return worksheet_write_datetime(sheet, row, column, &day, formats.date);
        }
        break;
    case TypedCell::Type::Text:
        break;
    }
    // A text is always written as a string: one starting with "=" stays a text, not a formula.
    const QByteArray text = cell.type == TypedCell::Type::Date
        ? cell.date.toString(u"dd/MM/yyyy").toUtf8()
        : cell.text.toUtf8();
    return worksheet_write_string(sheet, row, column, text.constData(), formats.text);
}

// Every row of `sheet` into `target`; the failure of the first cell that could not be written.
lxw_error writeRows(
    lxw_worksheet *target, const WorkbookSheet &sheet, const Formats &formats, ColumnWidths &widths)
{
    for (int column = 0; column < sheet.columns.size(); ++column) {
        const lxw_error failure = worksheet_write_string(target, 0, static_cast<lxw_col_t>(column),
            sheet.columns.at(column).heading.toUtf8().constData(), formats.heading);
        if (failure != LXW_NO_ERROR)
            return failure;
    }
    for (qsizetype row = 0; row < sheet.rows.rowCount(); ++row) {
        for (int column = 0; column < sheet.columns.size(); ++column) {
            const CellKind kind = sheet.columns.at(column).kind;
            const TypedCell cell = typedCell(kind, sheet.rows.cell(row, column));
            widths.see(column, cell);
            const lxw_error failure = writeCell(target, static_cast<lxw_row_t>(row + 1),
                static_cast<lxw_col_t>(column), cell, kind, formats);
            if (failure != LXW_NO_ERROR)
                return failure;
        }
    }
    return LXW_NO_ERROR;
}

} // namespace

bool writeXlsxFile(const QString &path, const WorkbookSheet &sheet, QString &error)
{
    // Rows go to a temporary file beside the workbook as they are written, so that memory stays
    // small whatever the size of the list.
    QByteArray folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath()).toLocal8Bit();
    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = folder.data();
    options.use_zip64 = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(path.toLocal8Bit().constData(), &options);
    if (!book) {
        error = QStringLiteral("cannot make %1").arg(path);
        return false;
    }
    const Formats formats = makeFormats(book);
    lxw_worksheet *target
        = workbook_add_worksheet(book, sheetNameFor(sheet.name).toUtf8().constData());
    ColumnWidths gauge(sheet.columns);
    lxw_error failure
        = target ? writeRows(target, sheet, formats, gauge) : LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED;
    if (failure == LXW_NO_ERROR) {
        worksheet_freeze_panes(target, 1, 0);
        const QList<int> widths = gauge.widths();
        for (int column = 0; column < widths.size(); ++column) {
            const auto at = static_cast<lxw_col_t>(column);
            const CellKind kind = sheet.columns.at(column).kind;
            // A code column is text for what is typed into it later, too.
            lxw_format *format = kind == CellKind::Code ? formats.text : nullptr;
            worksheet_set_column(target, at, at, widths.at(column), format);
        }
    }
    // Closing writes the file, and frees the workbook whatever happened before. The library
    // names only its own step that failed; the system's reason, as a full disk, is in errno.
    errno = 0;
    const lxw_error closed = workbook_close(book);
    const int systemError = errno;
    if (failure == LXW_NO_ERROR)
        failure = closed;
    if (failure != LXW_NO_ERROR) {
        error = reasonOf(failure);
        if (closed != LXW_NO_ERROR && systemError != 0)
            error = qt_error_string(systemError) + u" (" + error + u')';
    }
    return failure == LXW_NO_ERROR;
}

} // namespace almavest::exporting
