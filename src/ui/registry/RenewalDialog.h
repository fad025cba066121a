#pragma once

#include "membership/Renewal.h"

#include <QDate>
#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QLineEdit;

// Asks how a member's membership is renewed: the fee paid (the card's, which may be changed)
// and the new expiry (proposed by the association's rule, which may be changed), saying what
// the renewal will write. It writes nothing itself.
namespace almavest::ui {

class AppContext;

class RenewalDialog final : public QDialog
{
    Q_OBJECT
public:
    // What the dialog shows before anything is changed.
    struct Proposal
    {
        QString member; // name
        QString currentExpiry; // as the card holds it, maybe empty
        QString fee; // the card's fee
        membership::RenewalPeriod period;
        bool calendarYear = false;
        int journalYear = 0;
        QString nextReceipt; // "3/2026"; empty when not known
        bool nameless = false; // the title page gives no name of the association
    };
    // What the user confirmed.
    struct Choice
    {
        QString fee; // as the journal writes it, "40,00"
        QDate expiry;
        QString covered; // the membership year the receipt names
    };

    // Opens the dialog over `owner`; nullopt when the user cancels.
    static std::optional<Choice> ask(AppContext &context, QWidget *owner, const Proposal &proposal);

    RenewalDialog(AppContext &context, QWidget *owner, const Proposal &proposal);

    std::optional<Choice> choice() const { return m_choice; }

private:
    void build();
    void describe();
    void confirm();
    // The fee typed, as the journal writes it; nullopt when it is no amount.
    std::optional<QString> typedFee() const;
    std::optional<QDate> typedExpiry() const;

    AppContext &m_context;
    Proposal m_proposal;
    QLineEdit *m_fee = nullptr;
    QLineEdit *m_expiry = nullptr;
    QLabel *m_effects = nullptr;
    std::optional<Choice> m_choice;
};

} // namespace almavest::ui
