#pragma once

#include "exporting/SheetExport.h"

#include <QDialog>

#include <optional>

class QListWidget;
class QPushButton;

// The columns of a workbook, chosen and put in order: a list with a tick for each column of the
// sheet, the chosen ones first in their order, and buttons that move the current column up and
// down. At least one column must stay ticked.
namespace almavest::ui {

class AppContext;

class ColumnChoiceDialog final : public QDialog
{
    Q_OBJECT
public:
    ColumnChoiceDialog(AppContext &context, QWidget *owner, const exporting::SheetForm &form,
        const QList<int> &chosen);

    // Runs the dialog: the columns ticked, in their order, or nothing when it was cancelled.
    static std::optional<QList<int>> choose(AppContext &context, QWidget *owner,
        const exporting::SheetForm &form, const QList<int> &chosen);

    // The columns ticked, as positions in the sheet's form, top to bottom.
    QList<int> ticked() const;
    void done(int result) override;

private:
    void moveCurrent(int step);

    AppContext &m_context;
    QListWidget *m_lstColonne = nullptr;
    QPushButton *m_cmdSu = nullptr;
    QPushButton *m_cmdGiu = nullptr;
};

} // namespace almavest::ui
