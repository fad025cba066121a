#include "ui/exporting/MemberExportDialog.h"

#include "registry/MemberRecord.h"
#include "ui/app/AppContext.h"

namespace almavest::ui {

namespace {

const SheetDialogForm kForm = {"frmExpAnagrafica", " Esporta archivio soci in Microsoft Excel",
    exporting::memberSheet(), HelpTopic::MemberExport};

} // namespace

MemberExportDialog::MemberExportDialog(AppContext &context, QWidget *owner)
    : SheetExportDialog(context, owner, kForm)
{ }

void MemberExportDialog::open(AppContext &context, QWidget *owner)
{
    MemberExportDialog dialog(context, owner);
    dialog.run(context.folder().file(QLatin1String(registry::kMemberArchiveName)));
}

} // namespace almavest::ui
