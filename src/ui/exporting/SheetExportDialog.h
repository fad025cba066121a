#pragma once

#include "exporting/SheetExport.h"

#include "ui/help/HelpTopics.h"

#include <QDialog>
#include <QTableView>

#include <optional>

class QLabel;

// The two spreadsheet exports share one dialog: the archive's records in a grid, a button that
// writes the grid to the export file in the program folder and offers to open it, the help and
// the exit. The grid is filled before the dialog opens; an archive that cannot be read is
// reported and the dialog does not open, so no partial grid is ever exported.
namespace almavest::ui {

class AppContext;
class SheetGridModel;

// The export grid, which hands over a cell being typed into before the grid is written.
class SheetGrid final : public QTableView
{
    Q_OBJECT
public:
    explicit SheetGrid(QWidget *parent = nullptr);
    // Ends the typing in the current cell, keeping what was typed.
    void commitTyping();
};

// What tells one export dialog from the other.
struct SheetDialogForm
{
    const char *objectName;
    const char *title;
    const exporting::SheetForm &sheet;
    HelpTopic help;
};

class SheetExportDialog : public QDialog
{
    Q_OBJECT
public:
    SheetGrid *grid() const { return m_grid; }
    SheetGridModel *model() const { return m_model; }

protected:
    SheetExportDialog(AppContext &context, QWidget *owner, const SheetDialogForm &form);
    // Fills the grid from `archivePath` and runs the dialog until it closes; a read failure
    // gives the archive access message instead.
    void run(const QString &archivePath);

private:
    QWidget *buildPanel();
    void exportSheet();
    void saveWorkbook();
    void chooseColumns();
    // The columns chosen for the workbook: those of this session, else those kept.
    QList<int> currentColumns() const;

    AppContext &m_context;
    const SheetDialogForm &m_form;
    SheetGridModel *m_model = nullptr;
    SheetGrid *m_grid = nullptr;
    QLabel *m_panInfo = nullptr;
    QWidget *m_shpSfondo1 = nullptr; // the background of the banner and the grid
    QWidget *m_shpSfondo2 = nullptr; // the background of the buttons
    // The columns chosen while the dialog is open, which hold even when they could not be kept.
    std::optional<QList<int>> m_sessionColumns;
};

} // namespace almavest::ui
