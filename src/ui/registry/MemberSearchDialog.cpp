#include "ui/registry/MemberSearchDialog.h"

#include "registry/MemberRecord.h"
#include "registry/MemberSelection.h"
#include "ui/app/AppContext.h"

namespace almavest::ui {

namespace {

// In the order of the Enter chain and of registry::SearchFilters.
constexpr SearchFilter kFilters[registry::kSearchFilterCount] = {
    {{"txtDipendente", 0, KeyFilter::None, Casing::None, "txtCittadinanza", "effCampo01"},
        "Cognome e nome:"},
    {{"txtCittadinanza", 0, KeyFilter::None, Casing::None, "txtLuogo", "effCampo02"}, "Tessera n."},
    {{"txtLuogo", 0, KeyFilter::None, Casing::None, "txtDataNasc", "effCampo09"},
        "Luogo di nascita:"},
    {{"txtDataNasc", 0, KeyFilter::None, Casing::None, "txtCodFisc", "effCampo10"},
        "Data di nascita (gg/mm/aaaa):"},
    {{"txtCodFisc", 0, KeyFilter::None, Casing::None, "txtPartitaIva", "effCampo05"},
        "Codice fiscale:"},
    {{"txtPartitaIva", 0, KeyFilter::None, Casing::None, "txtCitta", "effCampo06"},
        "Data iscrizione (gg/mm/aaaa):"},
    {{"txtCitta", 0, KeyFilter::None, Casing::None, "txtQualifiche", "effCampo07"},
        "Città di residenza:"},
    {{"txtQualifiche", 0, KeyFilter::None, Casing::None, "txtFamiliari", "effCampo08"},
        "Qualifiche:"},
    {{"txtFamiliari", 0, KeyFilter::None, Casing::None, "txtNote", "effCampo03"},
        "Incarico ricoperto:"},
    {{"txtNote", 0, KeyFilter::None, Casing::None, "txtDipendente", "effCampo04"}, "Note:"},
};

constexpr FilterSearchSetup kSetup
    = {"frmTrovaAnagrafica", " Trova soci in archivio", "Riepilogo soci in archivio", kFilters};

} // namespace

MemberSearchDialog::MemberSearchDialog(AppContext &context, QWidget *owner, MemberSearchMode mode)
    : FilterSearchDialog(context, owner, kSetup, modeWord(mode))
{
    offerWorkbook(exporting::memberSheet(),
        context.folder().file(QLatin1String(registry::kMemberArchiveName)));
}

FilterScanJob MemberSearchDialog::scanJob(std::span<const QString> texts) const
{
    const QString path = context().folder().file(QLatin1String(registry::kMemberArchiveName));
    return [path, rule = registry::MemberSearch(toFilters<registry::SearchFilters>(texts))](
               store::ScanControl &control) -> FilterScan {
        return {rule.filledCount(), registry::searchMembers(path, rule, &control)};
    };
}

std::optional<qint64> MemberSearchDialog::choose(
    AppContext &context, QWidget *owner, MemberSearchMode mode)
{
    MemberSearchDialog dialog(context, owner, mode);
    return dialog.runChoosing();
}

} // namespace almavest::ui
