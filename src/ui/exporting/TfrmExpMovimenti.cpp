#include "ui/exporting/TfrmExpMovimenti.h"

namespace almavest::ui {

namespace {

const SheetDialogForm kForm = {"frmExpMovimenti", " Esporta archivio movimenti in Microsoft Excel",
    exporting::movementSheet(), HelpTopic::MovementExport};

} // namespace

TfrmExpMovimenti::TfrmExpMovimenti(AppContext &context, QWidget *owner)
    : SheetExportDialog(context, owner, kForm)
{ }

void TfrmExpMovimenti::open(AppContext &context, QWidget *owner, const QString &archivePath)
{
    TfrmExpMovimenti dialog(context, owner);
    dialog.run(archivePath);
}

} // namespace almavest::ui
