#pragma once

#include "registry/MemberSelection.h"

#include <QDialog>

// The two membership expiry summaries, twins that differ only in their rule and their titles:
// the members whose membership has expired, and those inside their notice period or expired.
namespace almavest::ui {

class AppContext;
class MemberListPanel;

class MemberExpiryDialog : public QDialog
{
    Q_OBJECT
public:
    MemberListPanel *list() const { return m_list; }
    // Shows the summary over its owner and waits until it closes; when the member archive
    // cannot be read, shows the archive access message instead, so that no empty list passes
    // for "nobody".
    void run();

protected:
    MemberExpiryDialog(AppContext &context, QWidget *owner, registry::ExpiryRule rule,
        const QString &caption, const QString &printTitle);
    void done(int result) override;

private:
    void fill();
    void openChosen(const QString &line);

    AppContext &m_context;
    registry::ExpiryRule m_rule;
    MemberListPanel *m_list = nullptr;
    bool m_archiveRead = false;
};

// " Riepilogo soci con iscrizione scaduta".
class TfrmScadute final : public MemberExpiryDialog
{
    Q_OBJECT
public:
    TfrmScadute(AppContext &context, QWidget *owner);
};

// " Riepilogo soci con iscrizione in scadenza o scaduta".
class TfrmSospesi final : public MemberExpiryDialog
{
    Q_OBJECT
public:
    TfrmSospesi(AppContext &context, QWidget *owner);
};

} // namespace almavest::ui
