#include "exporting/Workbook.h"

#include "text/TextRoutines.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace almavest::exporting {

namespace {

// Wider than this a column would push the others out of sight; its text still shows in full in
// the cell.
constexpr int kWidestColumn = 60;
constexpr int kNarrowestColumn = 6;

int digitAt(QStringView text, qsizetype at)
{
    const char16_t c = text[at].unicode();
    return c >= u'0' && c <= u'9' ? c - u'0' : -1;
}

// dd/mm/yyyy, nothing else: a list shows its dates whole.
std::optional<QDate> strictDate(QStringView text)
{
    if (text.size() != 10 || text[2] != u'/' || text[5] != u'/')
        return std::nullopt;
    int parts[3] = {0, 0, 0}; // day, month, year
    for (const qsizetype at : {0, 1, 3, 4, 6, 7, 8, 9}) {
        const int digit = digitAt(text, at);
        if (digit < 0)
            return std::nullopt;
        int &part = parts[at < 2 ? 0 : at < 5 ? 1 : 2];
        part = part * 10 + digit;
    }
    const QDate date(parts[2], parts[1], parts[0]);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// A number as the lists write it: a sign, digits and a decimal comma with digits on either side
// or both, no exponent and nothing else; too large to be held, it is no number.
std::optional<double> plainNumber(QStringView text)
{
    // Long enough for any number a list writes; a longer one takes the general way.
    constexpr qsizetype kShort = 64;
    if (text.size() >= kShort) {
        const bool numeric = std::all_of(text.begin(), text.end(), [](QChar c) {
            return (c >= u'0' && c <= u'9') || c == u',' || c == u'-' || c == u'+';
        });
        return numeric ? text::parseAmount(text) : std::nullopt;
    }
    char digits[kShort];
    char *out = digits;
    qsizetype at = 0;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        if (text.startsWith(u'-'))
            *out++ = '-';
        ++at;
    }
    bool comma = false;
    int count = 0;
    for (; at < text.size(); ++at) {
        const int digit = digitAt(text, at);
        if (digit >= 0) {
            *out++ = static_cast<char>('0' + digit);
            ++count;
        } else if (text[at] == u',' && !comma) {
            *out++ = '.';
            comma = true;
        } else {
            return std::nullopt;
        }
    }
    double value = 0;
    const std::from_chars_result read = std::from_chars(digits, out, value);
    if (count == 0 || read.ec != std::errc() || read.ptr != out || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// How many characters a cell takes once shown.
int shownWidth(const TypedCell &cell, CellKind kind)
{
    switch (cell.type) {
    case TypedCell::Type::Empty:
        return 0;
    case TypedCell::Type::Date:
        return 10;
    case TypedCell::Type::Number: {
        const int digits = static_cast<int>(std::log10(std::max(1.0, std::fabs(cell.number)))) + 1;
        // Sign, thousands points, two decimals and, for an amount, " €".
        return 1 + digits + digits / 3 + (kind == CellKind::Amount ? 5 : 3);
    }
    case TypedCell::Type::Text:
        break;
    }
    // The longest line of the text.
    qsizetype widest = 0;
    qsizetype start = 0;
    const QStringView text(cell.text);
    while (start <= text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        widest = std::max(widest, end - start);
        start = end + 1;
    }
    return static_cast<int>(widest);
}

} // namespace

void typeCell(CellKind kind, QStringView text, TypedCell &cell)
{
    const QStringView clean = text::trimmedView(text);
    if (clean.isEmpty()) {
        cell.type = TypedCell::Type::Empty;
        return;
    }
    if (kind == CellKind::Date) {
        if (const std::optional<QDate> date = strictDate(clean)) {
            cell.type = TypedCell::Type::Date;
            cell.date = *date;
            return;
        }
    } else if (kind == CellKind::Amount || kind == CellKind::Number) {
        if (const std::optional<double> number = plainNumber(clean)) {
            cell.type = TypedCell::Type::Number;
            cell.number = kind == CellKind::Amount ? text::roundDecimal(*number, 2) : *number;
            return;
        }
    }
    cell.type = TypedCell::Type::Text;
    cell.text.resize(0);
    cell.text.append(clean);
}

TypedCell typedCell(CellKind kind, const QString &text)
{
    TypedCell cell;
    typeCell(kind, text, cell);
    return cell;
}

QString sheetNameFor(const QString &listName)
{
    QString name;
    for (const QChar c : listName) {
        const bool refused = c == u':' || c == u'\\' || c == u'/' || c == u'?' || c == u'*'
            || c == u'[' || c == u']' || c < u' ';
        name += refused ? u'-' : c;
    }
    name = text::trimmed(name).left(31);
    while (name.startsWith(u'\''))
        name.remove(0, 1);
    while (name.endsWith(u'\''))
        name.chop(1);
    name = text::trimmed(name);
    return name.isEmpty() ? QStringLiteral("Foglio1") : name;
}

std::optional<WorkbookFormat> workbookFormatOf(const QString &path)
{
    if (path.endsWith(u".xlsx", Qt::CaseInsensitive))
        return WorkbookFormat::Xlsx;
    if (path.endsWith(u".ods", Qt::CaseInsensitive))
        return WorkbookFormat::Ods;
    return std::nullopt;
}

ColumnWidths::ColumnWidths(const QList<WorkbookColumn> &columns)
{
    for (const WorkbookColumn &column : columns) {
        m_kinds.append(column.kind);
        m_widths.append(static_cast<int>(column.heading.size()) + 2); // bold takes more room
    }
}

void ColumnWidths::see(int column, const TypedCell &cell)
{
    m_widths[column] = std::max(m_widths[column], shownWidth(cell, m_kinds[column]) + 1);
}

QList<int> ColumnWidths::widths() const
{
    QList<int> widths = m_widths;
    for (int &width : widths)
        width = std::clamp(width, kNarrowestColumn, kWidestColumn);
    return widths;
}

TypedCells::TypedCells(const WorkbookSheet &sheet)
    : m_sheet(sheet)
    , m_widths(sheet.columns)
{
    for (const WorkbookColumn &column : sheet.columns)
        m_kinds.append(column.kind);
}

const TypedCell &TypedCells::at(qsizetype row, int column)
{
    typeCell(m_kinds[column], m_sheet.rows.cellText(row, column, m_buffer), m_cell);
    m_widths.see(column, m_cell);
    return m_cell;
}

QList<int> fittingWidths(const WorkbookSheet &sheet)
{
    TypedCells cells(sheet);
    for (qsizetype row = 0; row < sheet.rows.rowCount(); ++row) {
        for (int column = 0; column < sheet.columns.size(); ++column)
            cells.at(row, column);
    }
    return cells.widths();
}

store::WriteFailure writeWorkbook(
    const QString &path, WorkbookFormat format, const WorkbookSheet &sheet, QString *error)
{
    // The place of the file is tried first, so that a folder that takes no file is told at once
    // and not after the whole workbook has been made.
    store::RebuiltFile file(path);
    const auto fail = [&](store::WriteFailure failure, const QString &reason) {
        if (error)
            *error = reason;
        return failure;
    };
    if (!file.open())
        return fail(store::WriteFailure::Create, file.errorString());
    QByteArray workbook;
    QString reason;
    const bool made = format == WorkbookFormat::Xlsx ? makeXlsx(sheet, workbook, reason)
                                                     : makeOds(sheet, workbook, reason);
    if (!made)
        return fail(store::WriteFailure::Write, reason);
    if (!file.write(workbook))
        return fail(store::WriteFailure::Write, file.errorString());
    const store::WriteFailure committed = file.commit();
    if (committed != store::WriteFailure::None)
        return fail(committed, file.errorString());
    return store::WriteFailure::None;
}

} // namespace almavest::exporting
