#include "ui/conventions/RecordListModel.h"

namespace almavest::ui {

void RecordListModel::setLines(QStringList lines, QList<qint64> positions)
{
    // A line without its record could only open the wrong one.
    if (lines.size() != positions.size())
        qFatal("RecordListModel: %lld lines but %lld positions", qlonglong(lines.size()),
            qlonglong(positions.size()));
    beginResetModel();
    m_lines = std::move(lines);
    m_positions = std::move(positions);
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
        return m_lines.at(index.row());
    case PositionRole:
        return m_positions.at(index.row());
    default:
        return {};
    }
}

} // namespace almavest::ui
