#include "ui/exporting/MovementExportDialog.h"

namespace almavest::ui {

namespace {

const SheetDialogForm kForm = {"frmExpMovimenti", " Esporta archivio movimenti in Microsoft Excel",
    exporting::movementSheet(), HelpTopic::MovementExport};

} // namespace

MovementExportDialog::MovementExportDialog(AppContext &context, QWidget *owner)
    : SheetExportDialog(context, owner, kForm)
{ }

void MovementExportDialog::open(AppContext &context, QWidget *owner, const QString &archivePath)
{
    MovementExportDialog dialog(context, owner);
    dialog.run(archivePath);
}

} // namespace almavest::ui
