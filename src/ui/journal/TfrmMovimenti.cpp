#include "ui/journal/TfrmMovimenti.h"

#include "journal/MovementParty.h"
#include "journal/MovementPrint.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/CardRules.h"
#include "text/MailAddress.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/app/TfrmAvvio.h"
#include "ui/checks/TfrmPartitaIva.h"
#include "ui/conventions/CardBrowsing.h"
#include "ui/conventions/CardForm.h"
#include "ui/conventions/CardFrame.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/Window.h"
#include "ui/dialogs/CardAttachments.h"
#include "ui/dialogs/TfrmCalendario.h"
#include "ui/exporting/TfrmExpMovimenti.h"
#include "ui/help/TfrmGuida.h"
#include "ui/journal/TfrmSospesiMov.h"
#include "ui/journal/TfrmTrovaMovimenti.h"
#include "ui/print/MovementPrintDialog.h"
#include "ui/registry/TfrmTrovaAnagrafica.h"
#include "ui/services/Services.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>

namespace almavest::ui {

namespace {

using store::ArchiveFile;
using store::Arrow;

constexpr int kAmountDecimals = 2;

} // namespace

TfrmMovimenti::TfrmMovimenti(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("frmMovimenti"));
    setWindowTitle(QStringLiteral(" Almavest - Registrazione movimenti"));
    setWindowState(Qt::WindowMaximized);
    // A new card is prepared each time the screen is shown.
}

// The window closes only after the card is gone: the amount box losing the focus then must
// find no card to normalise.
TfrmMovimenti::~TfrmMovimenti()
{
    m_form.reset();
}

// Built when the card is first shown or used, so that it costs nothing at start.
void TfrmMovimenti::build()
{
    buildScreen();
    m_form = std::make_unique<CardForm>(
        this, journal::movementTable(), [this](int field) { openDatePicker(field); });
    dressBoxes();
    connectActions();
    applyHandCursor(this);
}

QLabel *TfrmMovimenti::lblFile() const
{
    ensureBuilt();
    return m_lblFile;
}

QLabel *TfrmMovimenti::lblPosizione() const
{
    ensureBuilt();
    return m_lblPosizione;
}

QString TfrmMovimenti::position() const
{
    ensureBuilt();
    return text::trimmed(m_lblPosizione->text());
}

QLineEdit *TfrmMovimenti::box(int field) const
{
    ensureBuilt();
    return m_form->edit(field);
}

QAbstractButton *TfrmMovimenti::button(const char *name) const
{
    return requireControl<QAbstractButton>(this, QLatin1String(name));
}

QStringList TfrmMovimenti::movementValues() const
{
    ensureBuilt();
    QStringList values = m_form->values();
    values[journal::SignedAmount] = journal::signedAmount(values);
    return values;
}

void TfrmMovimenti::openYear(QWidget *from, const QString &path, const QString &year)
{
    ensureBuilt();
    m_lblFile->setText(path);
    setWindowTitle(QStringLiteral(" Almavest - Registrazione movimenti anno ") + year);
    AppContext::switchScreen(from, this);
}

void TfrmMovimenti::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        newCard();
    QWidget::showEvent(event);
}

void TfrmMovimenti::closeEvent(QCloseEvent *event)
{
    AppContext::switchScreen(nullptr, m_context.screens().launcher);
    event->accept();
}

void TfrmMovimenti::connectActions()
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
        [this] { TfrmExpMovimenti::open(m_context, this, text::trimmed(m_lblFile->text())); });
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
        TfrmPartitaIva::check(m_context, this, text::trimmed(box(journal::PayerVatNumber)->text()));
    });
    onClick(this, "btnCents", [this] { normaliseAmount(); });
    connect(m_optEntrata, &QRadioButton::toggled, this, [this](bool income) { showType(income); });
    onFocusLeave(box(journal::Amount), [this] { normaliseAmount(); });
}

// ---- the card ------------------------------------------------------------------------------

void TfrmMovimenti::newCard()
{
    m_form->show(journal::blankMovement(m_context.services().today()));
    m_lblPosizione->clear();
    showType(true);
    box(journal::Purpose)->setFocus();
}

// The caption of the amount: black for income, pure red for an expense.
void TfrmMovimenti::showType(bool income)
{
    m_lblImporto->setText(journal::amountCaption(income));
    if (m_lblImporto->property("expense").toBool() == !income)
        return;
    m_lblImporto->setProperty("expense", !income);
    m_lblImporto->style()->unpolish(m_lblImporto);
    m_lblImporto->style()->polish(m_lblImporto);
}

void TfrmMovimenti::normaliseAmount()
{
    if (!m_form)
        return;
    QLineEdit *amount = box(journal::Amount);
    const QString normalised = text::normaliseAmount(amount->text(), kAmountDecimals);
    if (amount->text() != normalised)
        amount->setText(normalised);
}

// ---- reading the archive -------------------------------------------------------------------

ArchiveFile TfrmMovimenti::movementArchive() const
{
    return ArchiveFile(text::trimmed(m_lblFile->text()), journal::kMovementRecordSize);
}

void TfrmMovimenti::archiveFailed()
{
    m_context.services().message(this, MessageKind::Error, store::archiveAccessMessage());
}

bool TfrmMovimenti::loadMovement(qint64 position)
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
bool TfrmMovimenti::readMovement(ArchiveFile &archive, qint64 position)
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

void TfrmMovimenti::browse(Arrow arrow)
{
    ArchiveFile archive = movementArchive();
    browseCard(m_context.services(), this, archive, arrow, m_lblPosizione,
        [this](ArchiveFile &open, qint64 position) { readMovement(open, position); });
}

// ---- save and duplicate --------------------------------------------------------------------

// The save checks in their order; false when the movement may be saved.
bool TfrmMovimenti::refuseSave(const QStringList &values)
{
    const std::optional<store::SaveRefusal> refusal
        = journal::movementSaveRefusal(values, m_context.services().today());
    if (!refusal)
        return false;
    showRefusal(m_context.services(), this, *refusal, box(refusal->field));
    return true;
}

void TfrmMovimenti::save()
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
void TfrmMovimenti::duplicate()
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

void TfrmMovimenti::openDatePicker(int field)
{
    if (const std::optional<QDate> date
        = TfrmCalendario::pick(m_context, this, journal::movementTable().field(field).modeWord))
        box(field)->setText(text::formatDate(*date));
}

// The member search hands back the member chosen; only the fields that member fills change,
// and nothing reaches the archive before Save.
void TfrmMovimenti::importParty(journal::Party party)
{
    const std::optional<qint64> chosen
        = TfrmTrovaAnagrafica::choose(m_context, this, journal::partyModeWord(party));
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
void TfrmMovimenti::sendEmail()
{
    const QString address = text::trimmed(box(journal::PayerEmail)->text());
    if (address.isEmpty()) {
        m_context.services().message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: indicare l'indirizzo e-mail del tesserato."));
        box(journal::PayerEmail)->setFocus();
        return;
    }
    m_context.services().shellOpen(text::mailtoAddress(address));
}

void TfrmMovimenti::showDuePayments()
{
    if (const std::optional<qint64> chosen
        = TfrmSospesiMov::choose(m_context, this, text::trimmed(m_lblFile->text())))
        loadMovement(*chosen);
}

void TfrmMovimenti::findMovement()
{
    if (const std::optional<qint64> chosen
        = TfrmTrovaMovimenti::choose(m_context, this, text::trimmed(m_lblFile->text())))
        loadMovement(*chosen);
}

// The print takes the movement as the card shows it, saved or not.
void TfrmMovimenti::printMovement()
{
    TfrmStampaMovimento::print(
        m_context, this, journal::MovementPrintValues::fromCard(movementValues()));
}

} // namespace almavest::ui
