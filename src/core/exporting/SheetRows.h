#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <unordered_map>
#include <vector>

// The cells of an export sheet, row by row: the texts read from the archive kept together in one
// buffer as the archive's own Windows-1252 bytes, decoded only when a cell is shown, and the
// cells typed over kept apart, so that a sheet of a hundred thousand rows costs a few
// allocations and not one per cell.
namespace almavest::exporting {

class SheetRows final
{
public:
    explicit SheetRows(int columnCount = 0);

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    // The rows that hold a record, the first ones; the empty rows added after them are not.
    int recordCount() const { return m_records; }
    // The text of a cell; column 0 is the first exported column.
    QString cell(int row, int column) const;
    // The text typed over a cell, or nullptr when it holds what the archive gave.
    const QString *editedCell(int row, int column) const
    {
        return m_edited.empty() ? nullptr : findEdited(row, column);
    }
    // The Windows-1252 bytes the archive gave a cell.
    QByteArrayView storedBytes(int row, int column) const
    {
        return storedSpan(key(row, column), 1);
    }
    // The bytes the archive gave all the cells of a row, one after the other.
    QByteArrayView storedRow(int row) const { return storedSpan(key(row, 0), m_columns); }
    // Replaces the text of one cell.
    void setCell(int row, int column, const QString &text);
    // Adds a row; its cells follow with appendCell(), exactly columnCount() of them.
    void beginRow();
    void appendCell(QByteArrayView bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        m_ends.push_back(static_cast<qsizetype>(m_bytes.size()));
    }
    // Adds `count` rows of empty cells.
    void appendEmptyRows(int count);
    void reserve(qsizetype rows, qsizetype bytes);
    void clear();

private:
    const QString *findEdited(int row, int column) const;
    qint64 key(int row, int column) const { return static_cast<qint64>(row) * m_columns + column; }
    // The bytes of `cells` cells from the cell at `first`.
    QByteArrayView storedSpan(qint64 first, qint64 cells) const
    {
        const qsizetype begin = first == 0 ? 0 : m_ends[static_cast<size_t>(first - 1)];
        const qsizetype end = cells == 0 ? begin : m_ends[static_cast<size_t>(first + cells - 1)];
        return QByteArrayView(m_bytes.data() + begin, end - begin);
    }

    int m_columns;
    int m_rows = 0;
    int m_records = 0;
    std::vector<char> m_bytes;
    std::vector<qsizetype> m_ends; // where each cell ends in m_bytes, row after row
    std::unordered_map<qint64, QString> m_edited;
};

} // namespace almavest::exporting
