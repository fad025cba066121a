#include "ui/registry/MemberExpiryDialog.h"

#include "registry/MemberRecord.h"
#include "ui/app/AppContext.h"
#include "ui/services/Services.h"

namespace almavest::ui {

// Cards whose dates cannot be read are left out.
MemberExpiryDialog::MemberExpiryDialog(AppContext &context, QWidget *owner, store::ListLines lines,
    const QString &caption, const QString &printTitle)
    : ListPickDialog(context, owner, caption, printTitle)
{
    setLines(std::move(lines));
    offerWorkbook(exporting::memberSheet(),
        context.folder().file(QLatin1String(registry::kMemberArchiveName)));
}

std::optional<store::ListLines> MemberExpiryDialog::scan(
    AppContext &context, QWidget *owner, registry::ExpiryRule rule)
{
    return scanOver(context, owner,
        [path = context.folder().file(QLatin1String(registry::kMemberArchiveName)), rule,
            today = context.services().today()](store::ScanControl &control) {
            return registry::expiringMembers(path, rule, today, &control);
        });
}

std::optional<qint64> ExpiredMembersDialog::choose(AppContext &context, QWidget *owner)
{
    std::optional<store::ListLines> lines = scan(context, owner, registry::ExpiryRule::Expired);
    if (!lines)
        return std::nullopt;
    ExpiredMembersDialog dialog(context, owner, std::move(*lines));
    return dialog.run();
}

std::optional<qint64> ExpiringMembersDialog::choose(AppContext &context, QWidget *owner)
{
    std::optional<store::ListLines> lines
        = scan(context, owner, registry::ExpiryRule::ExpiringOrExpired);
    if (!lines)
        return std::nullopt;
    ExpiringMembersDialog dialog(context, owner, std::move(*lines));
    return dialog.run();
}

ExpiredMembersDialog::ExpiredMembersDialog(
    AppContext &context, QWidget *owner, store::ListLines lines)
    : MemberExpiryDialog(context, owner, std::move(lines),
        QStringLiteral(" Riepilogo soci con iscrizione scaduta"),
        QStringLiteral("Riepilogo soci con iscrizione scaduta"))
{
    setObjectName(QStringLiteral("frmScadute"));
}

ExpiringMembersDialog::ExpiringMembersDialog(
    AppContext &context, QWidget *owner, store::ListLines lines)
    : MemberExpiryDialog(context, owner, std::move(lines),
        QStringLiteral(" Riepilogo soci con iscrizione in scadenza o scaduta"),
        QStringLiteral("Riepilogo soci con iscrizione in scadenza o scaduta"))
{
    setObjectName(QStringLiteral("frmSospesi"));
}

} // namespace almavest::ui
