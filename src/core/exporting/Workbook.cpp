#include "exporting/Workbook.h"

#include "text/TextRoutines.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace almavest::exporting {

namespace {

// Wider than this a column would push the others out of sight; its text still shows in full in
// the cell.
constexpr int kWidestColumn = 60;
constexpr int kNarrowestColumn = 6;

// dd/mm/yyyy, nothing else: a list shows its dates whole.
std::optional<QDate> strictDate(QStringView text)
{
    if (text.size() != 10 || text[2] != u'/' || text[5] != u'/')
        return std::nullopt;
    for (const int at : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (!text[at].isDigit())
            return std::nullopt;
    }
    const QDate date(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.mid(0, 2).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// A number as the lists write it: sign, digits and a decimal comma, no exponent.
std::optional<double> plainNumber(QStringView text)
{
    const bool numeric = std::all_of(text.begin(), text.end(),
        [](QChar c) { return c.isDigit() || c == u',' || c == u'-' || c == u'+'; });
    return numeric ? text::parseAmount(text) : std::nullopt;
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
    int widest = 0;
    for (const QStringView line : QStringView(cell.text).split(u'\n'))
        widest = std::max(widest, static_cast<int>(line.size()));
    return widest;
}

} // namespace

TypedCell typedCell(CellKind kind, const QString &text)
{
    TypedCell cell;
    const QString clean = text::trimmed(text);
    if (clean.isEmpty())
        return cell;
    if (kind == CellKind::Date) {
        if (const std::optional<QDate> date = strictDate(clean)) {
            cell.type = TypedCell::Type::Date;
            cell.date = *date;
            return cell;
        }
    } else if (kind == CellKind::Amount || kind == CellKind::Number) {
        if (const std::optional<double> number = plainNumber(clean)) {
            cell.type = TypedCell::Type::Number;
            cell.number = kind == CellKind::Amount ? text::roundDecimal(*number, 2) : *number;
            return cell;
        }
    }
    cell.type = TypedCell::Type::Text;
    cell.text = clean;
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

QList<int> fittingWidths(const WorkbookSheet &sheet)
{
    ColumnWidths widths(sheet.columns);
    for (qsizetype row = 0; row < sheet.rows.rowCount(); ++row) {
        for (int column = 0; column < sheet.columns.size(); ++column)
            widths.see(
                column, typedCell(sheet.columns.at(column).kind, sheet.rows.cell(row, column)));
    }
    return widths.widths();
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
    // The libraries write to a file name of their own; the workbook is made there, apart, and
    // then copied into place.
    QTemporaryDir staging;
    if (!staging.isValid())
        return fail(store::WriteFailure::Write, staging.errorString());
    const QString made = staging.filePath(QStringLiteral("workbook"));
    QString reason;
    const bool written = format == WorkbookFormat::Xlsx ? writeXlsxFile(made, sheet, reason)
                                                        : writeOdsFile(made, sheet, reason);
    if (!written)
        return fail(store::WriteFailure::Write, reason);
    QFile workbook(made);
    if (!workbook.open(QIODevice::ReadOnly))
        return fail(store::WriteFailure::Write, workbook.errorString());
    QByteArray block;
    while (!(block = workbook.read(qint64(4) << 20)).isEmpty()) {
        if (!file.write(block))
            return fail(store::WriteFailure::Write, file.errorString());
    }
    if (workbook.error() != QFileDevice::NoError)
        return fail(store::WriteFailure::Write, workbook.errorString());
    const store::WriteFailure committed = file.commit();
    if (committed != store::WriteFailure::None)
        return fail(committed, file.errorString());
    return store::WriteFailure::None;
}

} // namespace almavest::exporting
