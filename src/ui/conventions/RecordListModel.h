#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

// The lines of a list screen with the record position behind each of them: a line shows its
// text, and picking it gives back the record it came from, even when two lines read the same.
namespace almavest::ui {

class RecordListModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    // The role under which a line gives its record position (a qint64).
    static constexpr int PositionRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    // Replaces the list; `positions` holds one record position for each of `lines`.
    void setLines(QStringList lines, QList<qint64> positions);
    void clear() { setLines({}, {}); }

    const QStringList &lines() const { return m_lines; }
    qint64 position(int row) const { return m_positions.value(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_lines;
    QList<qint64> m_positions;
};

} // namespace almavest::ui
