#pragma once

#include "exporting/SheetExport.h"

#include <QAbstractTableModel>

// The export grid's cells: column 0 numbers the records, the others are the exported columns.
// Typing into an editable column changes only what is exported, never the archive.
namespace almavest::ui {

class SheetGridModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit SheetGridModel(const exporting::SheetForm &form, QObject *parent = nullptr);

    // Shows `rows`; column 0 numbers the rows that hold a record.
    void setRows(exporting::SheetRows rows);
    const exporting::SheetRows &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    const exporting::SheetForm &m_form;
    exporting::SheetRows m_rows;
};

} // namespace almavest::ui
