#include "ui/registry/MemberExpiryDialog.h"

#include "registry/MemberRecord.h"
#include "ui/app/AppContext.h"
#include "ui/services/Services.h"

namespace almavest::ui {

// Cards whose dates cannot be read are left out.
MemberExpiryDialog::MemberExpiryDialog(AppContext &context, QWidget *owner,
    registry::ExpiryRule rule, const QString &caption, const QString &printTitle)
    : ListPickDialog(context, owner, caption, printTitle)
{
    setLines(registry::expiringMembers(
        context.folder().file(QLatin1String(registry::kMemberArchiveName)), rule,
        context.services().today()));
}

std::optional<qint64> TfrmScadute::choose(AppContext &context, QWidget *owner)
{
    TfrmScadute dialog(context, owner);
    return dialog.run();
}

std::optional<qint64> TfrmSospesi::choose(AppContext &context, QWidget *owner)
{
    TfrmSospesi dialog(context, owner);
    return dialog.run();
}

TfrmScadute::TfrmScadute(AppContext &context, QWidget *owner)
    : MemberExpiryDialog(context, owner, registry::ExpiryRule::Expired,
        QStringLiteral(" Riepilogo soci con iscrizione scaduta"),
        QStringLiteral("Riepilogo soci con iscrizione scaduta"))
{
    setObjectName(QStringLiteral("frmScadute"));
}

TfrmSospesi::TfrmSospesi(AppContext &context, QWidget *owner)
    : MemberExpiryDialog(context, owner, registry::ExpiryRule::ExpiringOrExpired,
        QStringLiteral(" Riepilogo soci con iscrizione in scadenza o scaduta"),
        QStringLiteral("Riepilogo soci con iscrizione in scadenza o scaduta"))
{
    setObjectName(QStringLiteral("frmSospesi"));
}

} // namespace almavest::ui
