#include "ui/journal/DuePaymentsDialog.h"

#include "journal/MovementSelection.h"
#include "ui/app/AppContext.h"
#include "ui/services/Services.h"

namespace almavest::ui {

// Movements whose due date or notice days cannot be read are left out; the rest still show.
DuePaymentsDialog::DuePaymentsDialog(AppContext &context, QWidget *owner, store::ListLines lines)
    : ListPickDialog(context, owner, QStringLiteral(" Riepilogo pagamenti in scadenza o scaduti"),
        QStringLiteral("Riepilogo pagamenti in scadenza o scaduti e non saldati"))
{
    setObjectName(QStringLiteral("frmSospesiMov"));
    list()->keepAmountsInSight();
    setLines(std::move(lines));
}

std::optional<qint64> DuePaymentsDialog::choose(
    AppContext &context, QWidget *owner, const QString &archivePath)
{
    std::optional<store::ListLines> lines = scanOver(context, owner,
        [archivePath, today = context.services().today()](store::ScanControl &control) {
            return journal::dueMovements(archivePath, today, &control);
        });
    if (!lines)
        return std::nullopt;
    DuePaymentsDialog dialog(context, owner, std::move(*lines));
    dialog.offerWorkbook(exporting::movementSheet(), archivePath);
    return dialog.run();
}

} // namespace almavest::ui
