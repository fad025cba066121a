#include "ui/checks/VatNumberCheck.h"

#include "checks/CodeChecks.h"

namespace almavest::ui {

namespace {

const CodeCheckForm kForm = {"frmPartitaIva", " Controllo partita IVA", "banner-partitaiva.svg",
    QSize(421, 73), "Immettere il numero di partita IVA e premere il pulsante di controllo.",
    {"txtPartitaIva", checks::kVatNumberLength, KeyFilter::Digits, Casing::None, "btnControlla"}};

} // namespace

VatNumberCheck::VatNumberCheck(AppContext &context, QWidget *owner, const QString &code)
    : CodeCheckDialog(context, owner, kForm, code)
{ }

void VatNumberCheck::check(AppContext &context, QWidget *owner, const QString &code)
{
    VatNumberCheck dialog(context, owner, code);
    run(context, dialog);
}

CheckVerdict VatNumberCheck::verdict(const QString &code) const
{
    const QString number = code.toUpper();
    if (number.size() != checks::kVatNumberLength)
        return {MessageKind::Warning,
            QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri "
                           "numerici."),
            false};
    if (!checks::vatNumberValid(number))
        return {MessageKind::Warning,
            QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                           "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                           "che lo ha rilasciato."),
            true};
    return {MessageKind::Information,
        QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                       "E' stato rilasciato dall'Ufficio IVA del Comune di %1.")
            .arg(checks::vatOfficeName(number)),
        true};
}

} // namespace almavest::ui
