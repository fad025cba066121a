#include "ui/journal/MovementCardScreen.h"

#include "journal/MovementParty.h"
#include "journal/MovementPrint.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/CardRules.h"
#include "text/MailAddress.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/app/Launcher.h"
#include "ui/checks/VatNumberCheck.h"
#include "ui/conventions/CardBrowsing.h"
#include "ui/conventions/CardForm.h"
#include "ui/conventions/CardFrame.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/Window.h"
#include "ui/dialogs/CardAttachments.h"
#include "ui/dialogs/DatePicker.h"
#include "ui/exporting/MovementExportDialog.h"
#include "ui/help/HelpWindow.h"
#include "ui/journal/DuePaymentsDialog.h"
#include "ui/journal/MovementSearchDialog.h"
#include "ui/print/MovementPrintDialog.h"
#include "ui/registry/MemberSearchDialog.h"
#include "ui/services/Services.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QUrl>

namespace almavest::ui {

namespace {

using store::ArchiveFile;
using store::Arrow;

constexpr int kAmountDecimals = 2;

} // namespace

MovementCardScreen::MovementCardScreen(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("frmMovimenti"));
    setWindowTitle(QStringLiteral(" Almavest - Registrazione movimenti"));
    setWindowState(Qt::WindowMaximized);
    // A new card is prepared each time the screen is shown.
}

// The window closes only after the card is gone: the amount box losing the focus then must
// find no card to normalise.
MovementCardScreen::~MovementCardScreen()
{
    m_form.reset();
}

// Built when the card is first shown or used, so that it costs nothing at start.
void MovementCardScreen::build()
{
    buildScreen();
    m_form = std::make_unique<CardForm>(
        this, journal::movementTable(), [this](int field) { openDatePicker(field); });
    dressBoxes();
    connectActions();
    applyHandCursor(this);
}

QLabel *MovementCardScreen::lblFile() const
{
    ensureBuilt();
    return m_lblFile;
}

QLabel *MovementCardScreen::lblPosizione() const
{
    ensureBuilt();
    return m_lblPosizione;
}

QString MovementCardScreen::position() const
{
    ensureBuilt();
    return text::trimmed(m_lblPosizione->text());
}

QLineEdit *MovementCardScreen::box(int field) const
{
    ensureBuilt();
    return m_form->edit(field);
}

QAbstractButton *MovementCardScreen::button(const char *name) const
{
    return requireControl<QAbstractButton>(this, QLatin1String(name));
}

QStringList MovementCardScreen::movementValues() const
{
    ensureBuilt();
    QStringList values = m_form->values();
    values[journal::SignedAmount] = journal::signedAmount(values);
    return values;
}

void MovementCardScreen::openYear(QWidget *from, const QString &path, const QString &year)
{
    ensureBuilt();
    m_lblFile->setText(path);
    setWindowTitle(QStringLiteral(" Almavest - Registrazione movimenti anno ") + year);
    AppContext::switchScreen(from, this);
}

void MovementCardScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        newCard();
    QWidget::showEvent(event);
}

void MovementCardScreen::closeEvent(QCloseEvent *event)
{
    AppContext::switchScreen(nullptr, m_context.screens().launcher);
    event->accept();
}

void MovementCardScreen::connectActions()
{
    connectArrows(this, [this](Arrow arrow) { browse(arrow); });
    onClick(this, "cmdNuovo", [this] { newCard(); });
    onClick(this, "cmdDuplica", [this] { duplicate(); });
    onClick(this, "cmdSalva", [this] { save(); });
    onClick(this, "cmdTrova", [this] { findMovement(); });
    onClick(this, "cmdStampa", [this] { printMovement(); });
    onClick(
        this, "cmdFile", [this] { editCardAttachments(m_context, this, *m_form, "movimenti"); });
    onClick(this, "cmdScadenze", [this] { showDuePayments(); });
    onClick(this, "cmdEsporta",
        [this] { MovementExportDialog::open(m_context, this, text::trimmed(m_lblFile->text())); });
    onClick(this, "cmdEsci", [this] { close(); });
    onClick(this, "cmdGuida", [this] { showHelpTopic(m_context, this, HelpTopic::Movements); });
    onClick(this, "impData", [this] { box(journal::OperationDate)->clear(); });
    onClick(this, "impDataSca", [this] { box(journal::DueDate)->clear(); });
    onClick(this, "impPagatore", [this] { importParty(journal::Party::Payer); });
    onClick(this, "impBeneficiario", [this] { importParty(journal::Party::Beneficiary); });
    onClick(this, "sndEmail", [this] { sendEmail(); });
    onClick(this, "chkCodFisc",
        [this] { openTaxCodeCheck(m_context, this, box(journal::PayerTaxCode)->text()); });
    onClick(this, "chkIva", [this] {
        VatNumberCheck::check(m_context, this, text::trimmed(box(journal::PayerVatNumber)->text()));
    });
    onClick(this, "btnCents", [this] { normaliseAmount(); });
    connect(m_optEntrata, &QRadioButton::toggled, this, [this](bool income) { showType(income); });
    onFocusLeave(box(journal::Amount), [this] { normaliseAmount(); });
}

// ---- the card ------------------------------------------------------------------------------

void MovementCardScreen::newCard()
{
    m_form->show(journal::blankMovement(m_context.services().today()));
    m_lblPosizione->clear();
    showType(true);
    box(journal::Purpose)->setFocus();
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

void MovementCardScreen::normaliseAmount()
{
    if (!m_form)
        return;
    QLineEdit *amount = box(journal::Amount);
    const QString normalised = text::normaliseAmount(amount->text(), kAmountDecimals);
    if (amount->text() != normalised)
        amount->setText(normalised);
}

// ---- reading the archive -------------------------------------------------------------------

ArchiveFile MovementCardScreen::movementArchive() const
{
    return ArchiveFile(text::trimmed(m_lblFile->text()), journal::kMovementRecordSize);
}

void MovementCardScreen::archiveFailed()
{
    m_context.services().message(this, MessageKind::Error, store::archiveAccessMessage());
}

bool MovementCardScreen::loadMovement(qint64 position)
{
    ensureBuilt();
    ArchiveFile archive = movementArchive();
    if (!archive.openForReading()) {
        archiveFailed();
        return false;
    }
    return readMovement(archive, position);
}

// The caption follows the income flag as stored; a flag that is neither "Sì" nor "No" leaves
// the options and the caption as they were.
bool MovementCardScreen::readMovement(ArchiveFile &archive, qint64 position)
{
    QByteArray record;
    if (!archive.read(position, record)) {
        archiveFailed();
        return false;
    }
    archive.close();
    const QStringList values = journal::movementLayout().fields(record);
    m_form->show(values);
    // A long text shows from its beginning, not from its end.
    for (const auto &field : journal::movementTable().fields()) {
        if (field.kind == store::ControlKind::Edit || field.kind == store::ControlKind::Date)
            box(field.index)->setCursorPosition(0);
    }
    if (const std::optional<bool> income = store::flagValue(values.at(journal::Income)))
        showType(*income);
    m_lblPosizione->setText(QString::number(position));
    return true;
}

void MovementCardScreen::browse(Arrow arrow)
{
    ArchiveFile archive = movementArchive();
    browseCard(m_context.services(), this, archive, arrow, m_lblPosizione,
        [this](ArchiveFile &open, qint64 position) { readMovement(open, position); });
}

// ---- save and duplicate --------------------------------------------------------------------

// The save checks in their order; false when the movement may be saved.
bool MovementCardScreen::refuseSave(const QStringList &values)
{
    const std::optional<store::SaveRefusal> refusal
        = journal::movementSaveRefusal(values, m_context.services().today());
    if (!refusal)
        return false;
    showRefusal(m_context.services(), this, *refusal, box(refusal->field));
    return true;
}

void MovementCardScreen::save()
{
    button("btnCents")->click(); // the box may not have had the focus to lose
    const QStringList values = movementValues();
    if (refuseSave(values))
        return;
    const bool appending = position().isEmpty();
    ArchiveFile archive = movementArchive();
    const std::optional<qint64> written
        = store::storeCard(archive, journal::movementLayout(), values, position());
    if (!written) {
        archiveFailed();
        return;
    }
    m_lblPosizione->setText(QString::number(*written));
    m_context.services().message(this, MessageKind::Information, store::savedMessage(appending));
}

// The copy keeps the movement's type, texts and amount; it is dated today, has no due date,
// is not settled and carries no attachments until it is saved as a new movement.
void MovementCardScreen::duplicate()
{
    Services &services = m_context.services();
    if (position().isEmpty()) {
        services.message(this, MessageKind::Warning, store::duplicateNeedsSavedCardMessage());
        return;
    }
    m_form->flag(journal::Settled)->setChecked(false);
    box(journal::OperationDate)->setText(text::formatDate(services.today()));
    box(journal::DueDate)->clear();
    for (int i = journal::File1; i <= journal::Desc3; ++i)
        m_form->hiddenLabel(i)->clear();
    m_lblPosizione->clear();
    box(journal::Purpose)->setFocus();
    ArchiveFile archive = movementArchive();
    if (!archive.openForReading()) {
        services.message(this, MessageKind::Warning, store::archiveAccessMessage());
        return;
    }
    archive.close();
    services.message(this, MessageKind::Information, store::duplicateReadyMessage());
}

// ---- the dialogs ---------------------------------------------------------------------------

void MovementCardScreen::openDatePicker(int field)
{
    if (const std::optional<QDate> date
        = DatePicker::pick(m_context, this, journal::movementTable().field(field).modeWord))
        box(field)->setText(text::formatDate(*date));
}

// The member search hands back the member chosen; only the fields that member fills change,
// and nothing reaches the archive before Save.
void MovementCardScreen::importParty(journal::Party party)
{
    const std::optional<qint64> chosen
        = MemberSearchDialog::choose(m_context, this, journal::partyModeWord(party));
    if (!chosen)
        return;
    const std::optional<QStringList> member = registry::readMember(
        m_context.folder().file(QLatin1String(registry::kMemberArchiveName)), *chosen);
    if (!member) {
        archiveFailed();
        return;
    }
    const QMap<int, QString> fields = journal::partyFields(party, *member);
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        box(it.key())->setText(it.value());
}

// The address goes to the shell as a mailto: address of its own, percent-encoded, so that no
// character of it can add a subject, a body or another recipient.
void MovementCardScreen::sendEmail()
{
    const QString address = text::trimmed(box(journal::PayerEmail)->text());
    if (address.isEmpty()) {
        m_context.services().message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: indicare l'indirizzo e-mail del tesserato."));
        box(journal::PayerEmail)->setFocus();
        return;
    }
    openAddressOrTell(
        m_context.services(), this, QUrl::fromEncoded(text::mailtoAddress(address).toLatin1()));
}

void MovementCardScreen::showDuePayments()
{
    if (const std::optional<qint64> chosen
        = DuePaymentsDialog::choose(m_context, this, text::trimmed(m_lblFile->text())))
        loadMovement(*chosen);
}

void MovementCardScreen::findMovement()
{
    if (const std::optional<qint64> chosen
        = MovementSearchDialog::choose(m_context, this, text::trimmed(m_lblFile->text())))
        loadMovement(*chosen);
}

// The print takes the movement as the card shows it, saved or not.
void MovementCardScreen::printMovement()
{
    MovementPrintOut::print(
        m_context, this, journal::MovementPrintValues::fromCard(movementValues()));
}

} // namespace almavest::ui
