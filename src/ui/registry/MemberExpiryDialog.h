#pragma once

#include "registry/MemberSelection.h"
#include "ui/registry/ListPickDialog.h"

#include <optional>

// The two membership expiry summaries, twins that differ only in their rule and their titles:
// the members whose membership has expired, and those inside their notice period or expired.
namespace almavest::ui {

class AppContext;

class MemberExpiryDialog : public ListPickDialog
{
    Q_OBJECT
protected:
    MemberExpiryDialog(AppContext &context, QWidget *owner, store::ListLines lines,
        const QString &caption, const QString &printTitle);
    // Scans the member archive for the cards `rule` lists, with `owner` kept free meanwhile:
    // the lines, or nothing when the scan was cancelled.
    static std::optional<store::ListLines> scan(
        AppContext &context, QWidget *owner, registry::ExpiryRule rule);
};

// " Riepilogo soci con iscrizione scaduta".
class ExpiredMembersDialog final : public MemberExpiryDialog
{
    Q_OBJECT
public:
    ExpiredMembersDialog(AppContext &context, QWidget *owner, store::ListLines lines);

    // Scans, then opens the summary over `owner` and waits until it closes: the record position of
    // the card chosen, or nothing.
    static std::optional<qint64> choose(AppContext &context, QWidget *owner);
};

// " Riepilogo soci con iscrizione in scadenza o scaduta".
class ExpiringMembersDialog final : public MemberExpiryDialog
{
    Q_OBJECT
public:
    ExpiringMembersDialog(AppContext &context, QWidget *owner, store::ListLines lines);

    // As ExpiredMembersDialog::choose().
    static std::optional<qint64> choose(AppContext &context, QWidget *owner);
};

} // namespace almavest::ui
