#pragma once

#include "registry/MemberSelection.h"

#include <QDialog>

#include <optional>

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
    // The record position of the card chosen in the list, once one has been.
    std::optional<qint64> chosenPosition() const { return m_chosen; }

protected:
    MemberExpiryDialog(AppContext &context, QWidget *owner, registry::ExpiryRule rule,
        const QString &caption, const QString &printTitle);
    void done(int result) override;
    // Runs the summary over its owner: the position of the card chosen, or nothing.
    std::optional<qint64> run();

private:
    void fill();
    void openChosen(qint64 position);

    AppContext &m_context;
    registry::ExpiryRule m_rule;
    MemberListPanel *m_list = nullptr;
    std::optional<qint64> m_chosen;
    bool m_archiveRead = false;
};

// " Riepilogo soci con iscrizione scaduta".
class TfrmScadute final : public MemberExpiryDialog
{
    Q_OBJECT
public:
    TfrmScadute(AppContext &context, QWidget *owner);

    // Opens the summary over `owner` and waits until it closes: the record position of the
    // card chosen, or nothing.
    static std::optional<qint64> choose(AppContext &context, QWidget *owner);
};

// " Riepilogo soci con iscrizione in scadenza o scaduta".
class TfrmSospesi final : public MemberExpiryDialog
{
    Q_OBJECT
public:
    TfrmSospesi(AppContext &context, QWidget *owner);

    // As TfrmScadute::choose().
    static std::optional<qint64> choose(AppContext &context, QWidget *owner);
};

} // namespace almavest::ui
