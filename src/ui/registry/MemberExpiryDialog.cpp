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

std::optional<qint64> ExpiredMembersDialog::choose(AppContext &context, QWidget *owner)
{
    ExpiredMembersDialog dialog(context, owner);
    return dialog.run();
}

std::optional<qint64> ExpiringMembersDialog::choose(AppContext &context, QWidget *owner)
{
    ExpiringMembersDialog dialog(context, owner);
    return dialog.run();
}

ExpiredMembersDialog::ExpiredMembersDialog(AppContext &context, QWidget *owner)
    : MemberExpiryDialog(context, owner, registry::ExpiryRule::Expired,
        QStringLiteral(" Riepilogo soci con iscrizione scaduta"),
        QStringLiteral("Riepilogo soci con iscrizione scaduta"))
{
    setObjectName(QStringLiteral("frmScadute"));
}

ExpiringMembersDialog::ExpiringMembersDialog(AppContext &context, QWidget *owner)
    : MemberExpiryDialog(context, owner, registry::ExpiryRule::ExpiringOrExpired,
        QStringLiteral(" Riepilogo soci con iscrizione in scadenza o scaduta"),
        QStringLiteral("Riepilogo soci con iscrizione in scadenza o scaduta"))
{
    setObjectName(QStringLiteral("frmSospesi"));
}

} // namespace almavest::ui
