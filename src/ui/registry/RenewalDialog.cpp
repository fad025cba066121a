#include "ui/registry/RenewalDialog.h"

#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/DialogButtons.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/Window.h"
#include "ui/help/HelpWindow.h"
#include "ui/services/Services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

constexpr FieldSettings kFields[] = {
    {"txtQuota", 15, KeyFilter::Amount, Casing::None, "txtNuovaScadenza"},
    {"txtNuovaScadenza", 10, KeyFilter::None, Casing::None, "btnRinnova"},
};

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString());
    return label;
}

} // namespace

std::optional<RenewalDialog::Choice> RenewalDialog::ask(
    AppContext &context, QWidget *owner, const Proposal &proposal)
{
    RenewalDialog dialog(context, owner, proposal);
    runPerUseDialog(context.services(), dialog);
    return dialog.choice();
}

RenewalDialog::RenewalDialog(AppContext &context, QWidget *owner, const Proposal &proposal)
    : QDialog(owner)
    , m_context(context)
    , m_proposal(proposal)
{
    setObjectName(QStringLiteral("frmRinnovo"));
    setWindowTitle(QStringLiteral(" Rinnovo dell'iscrizione"));
    build();
    describe();
    applyHandCursor(this);
    adjustSize();
    makeDialogWindow(this);
    m_fee->setFocus();
    m_fee->selectAll();
}

void RenewalDialog::build()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    auto *member = namedLabel("lblSocio", m_proposal.member, this);
    QFont bold = member->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    member->setFont(bold);
    member->setTextFormat(Qt::PlainText);
    layout->addWidget(member);

    const QDate today = m_context.services().today();
    const std::optional<QDate> current
        = text::parseDate(text::trimmed(m_proposal.currentExpiry), today);
    QString expiryText = QStringLiteral("non indicata");
    if (current)
        expiryText = text::formatDate(*current)
            + (*current < today ? QStringLiteral(" (scaduta)") : QStringLiteral(" (in corso)"));

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(caption(QStringLiteral("Scadenza attuale:"), this), 0, 0);
    grid->addWidget(namedLabel("lblScadenzaAttuale", expiryText, this), 0, 1);
    grid->addWidget(caption(QStringLiteral("Data del rinnovo:"), this), 1, 0);
    grid->addWidget(namedLabel("lblDataRinnovo", text::formatDate(today), this), 1, 1);
    m_fee = new QLineEdit(text::trimmed(m_proposal.fee), this);
    m_fee->setObjectName(QStringLiteral("txtQuota"));
    m_fee->setMaximumWidth(160);
    grid->addWidget(caption(QStringLiteral("Quota versata: €"), this), 2, 0);
    grid->addWidget(m_fee, 2, 1);
    m_expiry = new QLineEdit(text::formatDate(m_proposal.period.expiry), this);
    m_expiry->setObjectName(QStringLiteral("txtNuovaScadenza"));
    m_expiry->setMaximumWidth(160);
    m_expiry->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    grid->addWidget(caption(QStringLiteral("Nuova scadenza:"), this), 3, 0);
    grid->addWidget(m_expiry, 3, 1);
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);

    m_effects = namedLabel("lblEffetti", QString(), this);
    m_effects->setWordWrap(true);
    m_effects->setTextFormat(Qt::PlainText);
    m_effects->setMinimumWidth(520);
    layout->addWidget(m_effects);

    const DialogButtons buttons = makeDialogButtons(this, "btnRinnova", QStringLiteral("Rinnova"));
    layout->addLayout(buttons.row);

    applyFieldTable(this, kFields);
    connect(m_fee, &QLineEdit::textChanged, this, &RenewalDialog::describe);
    connect(m_expiry, &QLineEdit::textChanged, this, &RenewalDialog::describe);
    connect(buttons.confirm, &QPushButton::clicked, this, &RenewalDialog::confirm);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttons.help, &QPushButton::clicked, this,
        [this] { showHelpTopic(m_context, this, HelpTopic::Renewal); });
}

std::optional<QString> RenewalDialog::typedFee() const
{
    return text::amountFromInput(m_fee->text(), 2);
}

std::optional<QDate> RenewalDialog::typedExpiry() const
{
    const QString typed = text::trimmed(m_expiry->text());
    // Only a whole date: a short one would take a year the user did not see.
    if (typed.size() != 10)
        return std::nullopt;
    return text::parseDate(typed, m_context.services().today());
}

// What confirming will do, kept up to date as the fee and the expiry are typed.
void RenewalDialog::describe()
{
    const std::optional<QString> fee = typedFee();
    const std::optional<QDate> expiry = typedExpiry();
    const QString year = QString::number(m_proposal.journalYear);
    QString text = QStringLiteral("Premendo Rinnova:\n");
    text += QStringLiteral("• nella primanota ") + year
        + QStringLiteral(" sarà registrata un'entrata saldata di € ")
        + fee.value_or(QStringLiteral("?")) + QStringLiteral(" da ") + m_proposal.member
        + QStringLiteral(" con causale \"") + QLatin1String(membership::kMembershipFeePurpose)
        + QStringLiteral("\";\n");
    text += QStringLiteral("• la scheda del socio sarà salvata con la scadenza ")
        + (expiry ? text::formatDate(*expiry) : QStringLiteral("?"))
        + (fee ? QStringLiteral(" e la quota di € ") + *fee : QString()) + QStringLiteral(";\n");
    text += QStringLiteral("• sarà emessa la ricevuta")
        + (m_proposal.nextReceipt.isEmpty() ? QString()
                                            : QStringLiteral(" n. ") + m_proposal.nextReceipt)
        + QStringLiteral(", salvata in PDF nella cartella Ricevute/") + year
        + QStringLiteral(" e mostrata in anteprima per la stampa.");
    if (m_proposal.nameless) {
        text += QStringLiteral("\n\nAttenzione: la denominazione dell'associazione non è "
                               "indicata nel frontespizio del Libro Soci, quindi non comparirà "
                               "sulla ricevuta.");
    }
    m_effects->setText(text);
}

void RenewalDialog::confirm()
{
    Services &services = m_context.services();
    const std::optional<QString> fee = typedFee();
    const std::optional<qint64> cents = fee ? membership::amountCents(*fee) : std::nullopt;
    if (!cents || *cents == 0) {
        services.message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: indicare la quota versata in cifre, con la virgola prima "
                           "dei decimali (per esempio 25,50)."));
        m_fee->setFocus();
        return;
    }
    const std::optional<QDate> expiry = typedExpiry();
    if (!expiry || *expiry <= services.today()) {
        services.message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: indicare la nuova scadenza come data successiva a oggi, "
                           "nella forma gg/mm/aaaa."));
        m_expiry->setFocus();
        return;
    }
    membership::RenewalPeriod period = m_proposal.period;
    period.expiry = *expiry;
    m_choice
        = Choice {*fee, *expiry, membership::coveredPeriodText(period, m_proposal.calendarYear)};
    accept();
}

} // namespace almavest::ui
