#include "ui/checks/IbanCheck.h"

#include "checks/CodeChecks.h"
#include "text/TextRoutines.h"

namespace almavest::ui {

namespace {

const CodeCheckForm kForm = {"frmIban", " Controllo IBAN", "banner-iban.svg", QSize(545, 85),
    "Immettere l'IBAN e premere il pulsante di controllo.",
    {"txtIban", checks::kIbanLength, KeyFilter::None, Casing::Upper, "btnControlla"}};

} // namespace

IbanCheck::IbanCheck(AppContext &context, QWidget *owner, const QString &code)
    : CodeCheckDialog(context, owner, kForm, code)
{ }

void IbanCheck::check(AppContext &context, QWidget *owner, const QString &code)
{
    IbanCheck dialog(context, owner, code);
    run(context, dialog);
}

CheckVerdict IbanCheck::verdict(const QString &code) const
{
    // Blanks inside the IBAN count towards its length.
    const QString iban = text::trimmed(code);
    if (iban.size() != checks::kIbanLength)
        return {MessageKind::Warning,
            QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri "
                           "alfanumerici."),
            false};
    if (checks::ibanValid(iban))
        return {MessageKind::Information, QStringLiteral("L'IBAN digitato è VALIDO."), true};
    return {MessageKind::Warning, QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!"), true};
}

} // namespace almavest::ui
