#include "ui/conventions/RecordListModel.h"

namespace almavest::ui {

void RecordListModel::setLines(store::ListLines lines)
{
    // A line without its record could only open the wrong one.
    if (lines.size() != lines.positions.size())
        qFatal("RecordListModel: %lld lines but %lld positions", qlonglong(lines.size()),
            qlonglong(lines.positions.size()));
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_lines.line(index.row());
    case PositionRole:
        return m_lines.positions.at(index.row());
    default:
        return {};
    }
}

} // namespace almavest::ui
