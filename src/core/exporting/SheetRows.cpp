#include "exporting/SheetRows.h"

#include "store/Cp1252.h"

namespace almavest::exporting {

SheetRows::SheetRows(int columnCount)
    : m_columns(columnCount)
{ }

QString SheetRows::cell(int row, int column) const
{
    if (const QString *edited = editedCell(row, column))
        return *edited;
    return store::fromCp1252(storedBytes(row, column));
}

const QString *SheetRows::findEdited(int row, int column) const
{
    const auto edited = m_edited.find(key(row, column));
    return edited == m_edited.end() ? nullptr : &edited->second;
}

void SheetRows::setCell(int row, int column, const QString &text)
{
    m_edited[key(row, column)] = text;
}

void SheetRows::beginRow()
{
    ++m_rows;
    ++m_records;
}

void SheetRows::appendEmptyRows(int count)
{
    m_rows += count;
    m_ends.insert(m_ends.end(), static_cast<size_t>(count) * static_cast<size_t>(m_columns),
        static_cast<qsizetype>(m_bytes.size()));
}

void SheetRows::reserve(qsizetype rows, qsizetype bytes)
{
    m_ends.reserve(static_cast<size_t>(rows) * static_cast<size_t>(m_columns));
    m_bytes.reserve(static_cast<size_t>(bytes));
}

void SheetRows::clear()
{
    m_rows = 0;
    m_records = 0;
    m_bytes.clear();
    m_ends.clear();
    m_edited.clear();
}

} // namespace almavest::exporting
