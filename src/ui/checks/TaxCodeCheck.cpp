#include "ui/checks/TaxCodeCheck.h"

#include "checks/CodeChecks.h"

namespace almavest::ui {

namespace {

const CodeCheckForm kForm = {"frmCodFisc", " Controllo codice fiscale", "banner-codfisc.svg",
    QSize(421, 73), "Immettere il codice fiscale e premere il pulsante di controllo.",
    {"txtCodFisc", checks::kTaxCodeLength, KeyFilter::None, Casing::Upper, "btnControlla"}};

} // namespace

TaxCodeCheck::TaxCodeCheck(AppContext &context, QWidget *owner, const QString &code)
    : CodeCheckDialog(context, owner, kForm, code)
{ }

void TaxCodeCheck::check(AppContext &context, QWidget *owner, const QString &code)
{
    TaxCodeCheck dialog(context, owner, code);
    run(context, dialog);
}

CheckVerdict TaxCodeCheck::verdict(const QString &code) const
{
    const QString upper = code.toUpper();
    if (upper.size() != checks::kTaxCodeLength)
        return {MessageKind::Warning,
            QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri "
                           "alfanumerici."),
            false};
    if (checks::taxCodeValid(upper))
        return {
            MessageKind::Information, QStringLiteral("Il codice fiscale digitato è VALIDO."), true};
    return {MessageKind::Warning,
        QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."), true};
}

} // namespace almavest::ui
