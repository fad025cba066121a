#include "ui/journal/MovementSearchDialog.h"

#include "journal/MovementSelection.h"

namespace almavest::ui {

namespace {

// In the order of the Enter chain and of journal::MovementFilters.
constexpr SearchFilter kFilters[journal::kMovementFilterCount] = {
    {{"txtData", 0, KeyFilter::None, Casing::None, "txtDataSca"}, "Data operazione (gg/mm/aaaa):"},
    {{"txtDataSca", 0, KeyFilter::None, Casing::None, "txtCausale"}, "Data scadenza (gg/mm/aaaa):"},
    {{"txtCausale", 0, KeyFilter::None, Casing::None, "txtPromemoria"}, "Causale:"},
    {{"txtPromemoria", 0, KeyFilter::None, Casing::None, "txtPagatore"}, "Promemoria:"},
    {{"txtPagatore", 0, KeyFilter::None, Casing::None, "txtCategoria"}, "Pagatore:"},
    {{"txtCategoria", 0, KeyFilter::None, Casing::None, "txtBeneficiario"}, "Tessera n."},
    {{"txtBeneficiario", 0, KeyFilter::None, Casing::None, "txtRicevuta"}, "Beneficiario:"},
    {{"txtRicevuta", 0, KeyFilter::None, Casing::None, "txtTariffa"}, "CRO / Ricevuta n."},
    {{"txtTariffa", 0, KeyFilter::None, Casing::None, "txtNote"}, "Tariffa applicata:"},
    {{"txtNote", 0, KeyFilter::None, Casing::None, "txtData"}, "Note:"},
};

constexpr FilterSearchSetup kSetup = {"frmTrovaMovimenti", " Trova movimenti in archivio",
    "Riepilogo movimenti in archivio", kFilters};

} // namespace

MovementSearchDialog::MovementSearchDialog(
    AppContext &context, QWidget *owner, const QString &archivePath)
    : FilterSearchDialog(context, owner, kSetup, QStringLiteral("movimenti"))
    , m_archivePath(archivePath)
{
    results()->keepAmountsInSight();
    offerWorkbook(exporting::movementSheet(), archivePath);
}

// A year whose archive does not exist yet is created empty and lists nothing.
FilterScanJob MovementSearchDialog::scanJob(std::span<const QString> texts) const
{
    return [path = m_archivePath,
               rule = journal::MovementSearch(toFilters<journal::MovementFilters>(texts))](
               store::ScanControl &control) -> FilterScan {
        return {rule.filledCount(), journal::searchMovements(path, rule, &control)};
    };
}

std::optional<qint64> MovementSearchDialog::choose(
    AppContext &context, QWidget *owner, const QString &archivePath)
{
    MovementSearchDialog dialog(context, owner, archivePath);
    return dialog.runChoosing();
}

} // namespace almavest::ui
