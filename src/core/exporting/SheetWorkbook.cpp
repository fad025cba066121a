// The member and movement sheets as workbooks: the records behind a list, the columns the user
// chose, and where that choice is kept.
#include "exporting/SheetExport.h"

#include "app/IniFile.h"
#include "store/ArchiveFile.h"
#include "store/Cp1252.h"

#include <QDir>

namespace almavest::exporting {

namespace {

// The file in the program folder that keeps the columns chosen for each sheet.
constexpr char kChoiceFile[] = "Esporta.ini";
constexpr char kColumnsKey[] = "Colonne";

// The section of `form` in the choice file: its export file's name without the suffix.
QString choiceSection(const SheetForm &form)
{
    return QFileInfo(QString::fromUtf8(form.fileName)).completeBaseName();
}

bool rowHoldsText(const SheetRows &rows, int row)
{
    for (int column = 0; column < rows.columnCount(); ++column) {
        if (!rows.cell(row, column).trimmed().isEmpty())
            return true;
    }
    return false;
}

} // namespace

bool readSheetRowsAt(const SheetForm &form, const QString &archivePath,
    const QList<qint64> &positions, SheetRows &rows, QString *error, store::ScanControl *control)
{
    rows = SheetRows(static_cast<int>(form.columns.size()));
    QString flag;
    return store::readRecordsAt(
        archivePath, form.table.recordSize(), positions,
        [&](const QByteArray &record) {
            rows.beginRow();
            for (const SheetColumn &column : form.columns)
                rows.appendCell(cellOf(column, form.table.layout(), record, flag));
        },
        error, control);
}

QList<int> validColumns(const SheetForm &form, const QList<int> &chosen)
{
    const int count = static_cast<int>(form.columns.size());
    QList<int> valid;
    for (const int column : chosen) {
        if (column >= 0 && column < count && !valid.contains(column))
            valid.append(column);
    }
    if (valid.isEmpty()) {
        for (int column = 0; column < count; ++column)
            valid.append(column);
    }
    return valid;
}

ChosenSheetRows::ChosenSheetRows(const SheetForm &form, const SheetRows &rows, QList<int> chosen)
    : m_form(form)
    , m_rows(rows)
    , m_chosen(std::move(chosen))
    , m_rowCount(rows.rowCount())
{
    while (m_rowCount > rows.recordCount() && !rowHoldsText(rows, static_cast<int>(m_rowCount - 1)))
        --m_rowCount;
}

void ChosenSheetRows::addTotal(const QString &caption, const QString &amount)
{
    const auto isAmount = [this](int column) {
        return m_form.columns[static_cast<size_t>(column)].kind == CellKind::Amount;
    };
    const auto amountAt = std::find_if(m_chosen.cbegin(), m_chosen.cend(), isAmount);
    if (amountAt == m_chosen.cend())
        return;
    QStringList row(m_chosen.size());
    row[0] = caption;
    row[amountAt - m_chosen.cbegin()] = amount; // over the caption when it is the first column
    m_totals.append(row);
}

QStringView ChosenSheetRows::cellText(qsizetype row, int column, QString &buffer) const
{
    if (row >= m_rowCount) {
        const QStringList &total = m_totals.at(row - m_rowCount);
        return column < total.size() ? QStringView(total.at(column)) : QStringView();
    }
    const int stored = m_chosen.at(column);
    if (const QString *edited = m_rows.editedCell(static_cast<int>(row), stored))
        return *edited;
    return store::decodeCp1252(m_rows.storedBytes(static_cast<int>(row), stored), buffer);
}

QList<WorkbookColumn> workbookColumns(const SheetForm &form, const QList<int> &chosen)
{
    QList<WorkbookColumn> columns;
    for (const int column : chosen)
        columns.append({form.heading(column), form.columns[static_cast<size_t>(column)].kind});
    return columns;
}

QList<int> loadChosenColumns(const QString &programFolder, const SheetForm &form)
{
    app::IniFile file(QDir(programFolder).filePath(QLatin1String(kChoiceFile)));
    QList<int> chosen;
    if (file.load()) {
        const QString value = file.value(choiceSection(form), QLatin1String(kColumnsKey));
        for (const QStringView part : QStringView(value).split(u',', Qt::SkipEmptyParts)) {
            bool number = false;
            const int column = part.trimmed().toInt(&number);
            if (number)
                chosen.append(column - 1);
        }
    }
    return validColumns(form, chosen);
}

bool saveChosenColumns(
    const QString &programFolder, const SheetForm &form, const QList<int> &chosen, QString *error)
{
    app::IniFile file(QDir(programFolder).filePath(QLatin1String(kChoiceFile)));
    // A file that cannot be read is not overwritten: what else it holds would be lost.
    bool saved = file.load();
    if (saved) {
        QStringList numbers;
        for (const int column : validColumns(form, chosen))
            numbers.append(QString::number(column + 1));
        file.setValue(choiceSection(form), QLatin1String(kColumnsKey), numbers.join(u','));
        saved = file.save();
    }
    if (!saved && error)
        *error = file.errorString();
    return saved;
}

} // namespace almavest::exporting
