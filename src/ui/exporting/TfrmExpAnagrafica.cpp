#include "ui/exporting/TfrmExpAnagrafica.h"

#include "registry/MemberRecord.h"
#include "ui/app/AppContext.h"

namespace almavest::ui {

namespace {

const SheetDialogForm kForm = {"frmExpAnagrafica", " Esporta archivio soci in Microsoft Excel",
    exporting::memberSheet(), HelpTopic::MemberExport};

} // namespace

TfrmExpAnagrafica::TfrmExpAnagrafica(AppContext &context, QWidget *owner)
    : SheetExportDialog(context, owner, kForm)
{ }

void TfrmExpAnagrafica::open(AppContext &context, QWidget *owner)
{
    TfrmExpAnagrafica dialog(context, owner);
    dialog.run(context.folder().file(QLatin1String(registry::kMemberArchiveName)));
}

} // namespace almavest::ui
