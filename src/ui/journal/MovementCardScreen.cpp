#include "ui/journal/MovementCardScreen.h"

#include "journal/MovementParty.h"
#include "journal/MovementPrint.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "text/MailAddress.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/checks/VatNumberCheck.h"
#include "ui/conventions/CardForm.h"
#include "ui/dialogs/CardAttachments.h"
#include "ui/exporting/MovementExportDialog.h"
#include "ui/help/HelpWindow.h"
#include "ui/journal/DuePaymentsDialog.h"
#include "ui/journal/MovementSearchDialog.h"
#include "ui/print/MovementPrintDialog.h"
#include "ui/registry/MemberSearchDialog.h"
#include "ui/services/Services.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QUrl>

namespace almavest::ui {

MovementCardScreen::MovementCardScreen(AppContext &context)
    : CardScreen(context, journal::movementTable())
{
    setObjectName(QStringLiteral("frmMovimenti"));
    setWindowTitle(QStringLiteral(" Almavest - Registrazione movimenti"));
}

MovementCardScreen::~MovementCardScreen() = default;

QLabel *MovementCardScreen::lblFile() const
{
    ensureBuilt();
    return m_lblFile;
}

void MovementCardScreen::openYear(QWidget *from, const QString &path, const QString &year)
{
    ensureBuilt();
    m_yearPath = text::trimmed(path);
    m_year = text::trimmed(year).toInt();
    m_lblFile->setText(m_yearPath);
    // A year is written with its four digits, 0024 as 0024.
    setWindowTitle(QStringLiteral(" Almavest - Registrazione movimenti anno %1")
                       .arg(m_year, 4, 10, QChar(u'0')));
    context().navigator().go(Screen::MovementCard, from);
}

void MovementCardScreen::finishCard()
{
    dressBoxes();
    AppContext &context = this->context();
    onClick("cmdTrova", [this] { findMovement(); });
    onClick("cmdStampa", [this] { printMovement(); });
    onClick("cmdFile", [this, &context] {
        editCardAttachments(context, this, form(), AttachmentsMode::MovementCard);
    });
    onClick("cmdScadenze", [this] { showDuePayments(); });
    onClick(
        "cmdEsporta", [this, &context] { MovementExportDialog::open(context, this, m_yearPath); });
    onClick("cmdRicevuta", [this] { giveReceipt(); });
    onClick("cmdGuida", [this, &context] { showHelpTopic(context, this, HelpTopic::Movements); });
    onClick("impData", [this] { box(journal::OperationDate)->clear(); });
    onClick("impDataSca", [this] { box(journal::DueDate)->clear(); });
    onClick("impPagatore", [this] { importParty(journal::Party::Payer); });
    onClick("impBeneficiario", [this] { importParty(journal::Party::Beneficiary); });
    onClick("sndEmail", [this] { sendEmail(); });
    onClick("btnCents", [this] { settleAmounts(); });
    onClick("chkCodFisc",
        [this, &context] { openTaxCodeCheck(context, this, box(journal::PayerTaxCode)->text()); });
    onClick("chkIva", [this, &context] {
        VatNumberCheck::check(context, this, text::trimmed(box(journal::PayerVatNumber)->text()));
    });
    connect(m_optEntrata, &QRadioButton::toggled, this, [this](bool income) { showType(income); });
}

// ---- the movement's own part of new, read and save -----------------------------------------

QStringList MovementCardScreen::newValues() const
{
    return journal::blankMovement(context().services().today());
}

int MovementCardScreen::firstField() const
{
    return journal::Purpose;
}

std::optional<store::SaveRefusal> MovementCardScreen::saveRefusal(const QStringList &values) const
{
    return journal::movementSaveRefusal(values, context().services().today());
}

// The signed amount follows the type and the amount shown.
QStringList MovementCardScreen::completed(QStringList values) const
{
    values[journal::SignedAmount] = journal::signedAmount(values);
    return values;
}

// The caption follows the income flag shown; a flag that is neither "Sì" nor "No" leaves the
// options and the caption as they were.
void MovementCardScreen::cardChanged(Change change, const QStringList &values)
{
    if (const std::optional<bool> income = store::flagValue(values.value(journal::Income)))
        showType(*income);
    CardScreen::cardChanged(change, values);
}

// The caption of the amount: black for income, pure red for an expense.
void MovementCardScreen::showType(bool income)
{
    m_lblImporto->setText(journal::amountCaption(income));
    if (m_lblImporto->property("expense").toBool() == !income)
        return;
    m_lblImporto->setProperty("expense", !income);
    m_lblImporto->style()->unpolish(m_lblImporto);
    m_lblImporto->style()->polish(m_lblImporto);
}

// ---- the dialogs ---------------------------------------------------------------------------

// The member search hands back the member chosen; only the fields that member fills change,
// and nothing reaches the archive before Save.
void MovementCardScreen::importParty(journal::Party party)
{
    const std::optional<qint64> chosen
        = MemberSearchDialog::choose(context(), this, memberSearchMode(party));
    if (!chosen)
        return;
    const std::optional<QStringList> member = registry::readMember(
        context().folder().file(QLatin1String(registry::kMemberArchiveName)), *chosen);
    if (!member) {
        archiveFailed();
        return;
    }
    const QMap<int, QString> fields = journal::partyFields(party, *member);
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        form().setText(it.key(), it.value());
}

// The address goes to the shell as a mailto: address of its own, percent-encoded, so that no
// character of it can add a subject, a body or another recipient.
void MovementCardScreen::sendEmail()
{
    const QString address = text::trimmed(box(journal::PayerEmail)->text());
    if (address.isEmpty()) {
        context().services().message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: indicare l'indirizzo e-mail del tesserato."));
        box(journal::PayerEmail)->setFocus();
        return;
    }
    openAddressOrTell(
        context().services(), this, QUrl::fromEncoded(text::mailtoAddress(address).toLatin1()));
}

void MovementCardScreen::showDuePayments()
{
    if (const std::optional<qint64> chosen = DuePaymentsDialog::choose(context(), this, m_yearPath))
        loadCard(*chosen);
}

void MovementCardScreen::findMovement()
{
    if (const std::optional<qint64> chosen
        = MovementSearchDialog::choose(context(), this, m_yearPath))
        loadCard(*chosen);
}

// The print takes the movement as the card shows it, saved or not.
void MovementCardScreen::printMovement()
{
    MovementPrintOut::print(context(), this, journal::MovementPrintValues::fromCard(values()));
}

} // namespace almavest::ui
