#include "ui/checks/TaxCodeCheck.h"

#include "checks/CodeChecks.h"
#include "checks/TaxCodeRules.h"
#include "places/PlaceRegister.h"
#include "ui/app/AppContext.h"
#include "ui/services/Services.h"

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
    if (checks::taxCodeValid(upper)) {
        // What the code says of its holder, where it can be read.
        QString text = QStringLiteral("Il codice fiscale digitato è VALIDO.");
        const std::optional<checks::TaxCodeBirth> birth
            = checks::readTaxCode(upper, context().services().today());
        if (birth) {
            text += QStringLiteral("\r\n\r\n")
                + checks::birthDescription(*birth, places::PlaceRegister::builtIn());
        }
        return {MessageKind::Information, text, true};
    }
    return {MessageKind::Warning,
        QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."), true};
}

} // namespace almavest::ui
