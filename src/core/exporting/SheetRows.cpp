#include "exporting/SheetRows.h"

namespace almavest::exporting {

SheetRows::SheetRows(int columnCount)
    : m_columns(columnCount)
{ }

QStringView SheetRows::cell(int row, int column) const
{
    const qint64 at = key(row, column);
    if (!m_edited.empty()) {
        const auto edited = m_edited.find(at);
        if (edited != m_edited.end())
            return edited->second;
    }
    const qsizetype begin = at == 0 ? 0 : m_ends[static_cast<size_t>(at - 1)];
    return QStringView(m_text).sliced(begin, m_ends[static_cast<size_t>(at)] - begin);
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

void SheetRows::appendCell(QStringView text)
{
    m_text.append(text);
    m_ends.push_back(m_text.size());
}

void SheetRows::appendEmptyRows(int count)
{
    m_rows += count;
    m_ends.insert(
        m_ends.end(), static_cast<size_t>(count) * static_cast<size_t>(m_columns), m_text.size());
}

void SheetRows::reserve(qsizetype rows, qsizetype characters)
{
    m_ends.reserve(static_cast<size_t>(rows) * static_cast<size_t>(m_columns));
    m_text.reserve(characters);
}

void SheetRows::clear()
{
    m_rows = 0;
    m_records = 0;
    m_text.clear();
    m_ends.clear();
    m_edited.clear();
}

} // namespace almavest::exporting
