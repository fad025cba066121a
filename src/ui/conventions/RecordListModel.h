#pragma once

#include "store/ListLines.h"

#include <QAbstractListModel>
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

    // Replaces the list. A line is decoded when it is shown.
    void setLines(store::ListLines lines);
    void clear() { setLines({}); }

    // Every line, decoded (printing the list).
    QStringList lines() const { return m_lines.lines(); }
    qint64 position(int row) const { return m_lines.positions.value(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    store::ListLines m_lines;
};

} // namespace almavest::ui
