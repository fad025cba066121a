#include "ui/exporting/SheetGridModel.h"

namespace almavest::ui {

SheetGridModel::SheetGridModel(const exporting::SheetForm &form, QObject *parent)
    : QAbstractTableModel(parent)
    , m_form(form)
    , m_rows(static_cast<int>(form.columns.size()))
{ }

void SheetGridModel::setRows(exporting::SheetRows rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int SheetGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.rowCount();
}

int SheetGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_form.columns.size()) + 1;
}

QVariant SheetGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.column() == 0)
        return index.row() < m_rows.recordCount() ? QString::number(index.row() + 1) : QString();
    return m_rows.cell(index.row(), index.column() - 1);
}

QVariant SheetGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("N.") : m_form.heading(section - 1);
}

Qt::ItemFlags SheetGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() > 0 && m_form.columns[static_cast<size_t>(index.column() - 1)].editable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool SheetGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_rows.setCell(index.row(), index.column() - 1, value.toString());
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

} // namespace almavest::ui
