#include "ui/journal/DuePaymentsDialog.h"

#include "journal/MovementSelection.h"
#include "ui/app/AppContext.h"
#include "ui/services/Services.h"

namespace almavest::ui {

// Movements whose due date or notice days cannot be read are left out; the rest still show.
DuePaymentsDialog::DuePaymentsDialog(
    AppContext &context, QWidget *owner, const QString &archivePath)
    : ListPickDialog(context, owner, QStringLiteral(" Riepilogo pagamenti in scadenza o scaduti"),
        QStringLiteral("Riepilogo pagamenti in scadenza o scaduti e non saldati"))
{
    setObjectName(QStringLiteral("frmSospesiMov"));
    list()->keepAmountsInSight();
    setLines(journal::dueMovements(archivePath, context.services().today()));
}

std::optional<qint64> DuePaymentsDialog::choose(
    AppContext &context, QWidget *owner, const QString &archivePath)
{
    DuePaymentsDialog dialog(context, owner, archivePath);
    return dialog.run();
}

} // namespace almavest::ui
