#include "ui/registry/MemberCardScreen.h"

#include "app/ProgramFolder.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "text/MailAddress.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/app/Launcher.h"
#include "ui/checks/IbanCheck.h"
#include "ui/conventions/CardBrowsing.h"
#include "ui/conventions/CardForm.h"
#include "ui/conventions/CardFrame.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/Window.h"
#include "ui/dialogs/CardAttachments.h"
#include "ui/dialogs/DatePicker.h"
#include "ui/dialogs/PhotoZoom.h"
#include "ui/dialogs/WebcamDialog.h"
#include "ui/exporting/MemberExportDialog.h"
#include "ui/help/HelpWindow.h"
#include "ui/print/MemberCardPrintDialog.h"
#include "ui/registry/MemberCardLayout.h"
#include "ui/registry/MemberExpiryDialog.h"
#include "ui/registry/MemberSearchDialog.h"
#include "ui/services/Services.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

#include <optional>

namespace almavest::ui {

namespace {

using store::ArchiveFile;
using store::Arrow;

constexpr int kFeeDecimals = 4;

} // namespace

MemberCardScreen::MemberCardScreen(AppContext &context)
    : m_context(context)
    , m_buffer(registry::memberLayout().blankRecord())
{
    setObjectName(QStringLiteral("frmAnagrafica"));
    setWindowTitle(QStringLiteral(" Almavest - Archivio Anagrafico"));
    setWindowState(Qt::WindowMaximized);
    // The card is cleared each time the screen is shown.
}

// Built when the card is first shown or used, so that it costs nothing at start.
void MemberCardScreen::build()
{
    buildScreen();
    m_form = std::make_unique<CardForm>(
        this, registry::memberTable(), [this](int field) { openDatePicker(field); });
    connectActions();
    applyHandCursor(this);
}

QLabel *MemberCardScreen::lblPosizione() const
{
    ensureBuilt();
    return m_lblPosizione;
}

MemberCardScreen::~MemberCardScreen() = default;

QLineEdit *MemberCardScreen::box(int field) const
{
    return m_form->edit(field);
}

QString MemberCardScreen::position() const
{
    ensureBuilt();
    return text::trimmed(m_lblPosizione->text());
}

void MemberCardScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        newCard();
    QWidget::showEvent(event);
}

void MemberCardScreen::closeEvent(QCloseEvent *event)
{
    AppContext::switchScreen(nullptr, m_context.screens().launcher);
    event->accept();
}

void MemberCardScreen::connectActions()
{
    connectArrows(this, [this](Arrow arrow) { browse(arrow); });
    onClick(this, "btnNuovo", [this] { newCard(); });
    onClick(this, "btnDuplica", [this] { duplicate(); });
    onClick(this, "btnSalva", [this] { save(); });
    onClick(this, "btnEsci", [this] { close(); });
    onClick(this, "btnTrova", [this] {
        openChosenCard(MemberSearchDialog::choose(m_context, this, QStringLiteral("anagrafica")));
    });
    onClick(this, "btnScadenze",
        [this] { openChosenCard(ExpiringMembersDialog::choose(m_context, this)); });
    onClick(this, "btnCodFisc",
        [this] { openTaxCodeCheck(m_context, this, box(registry::TaxCode)->text()); });
    onClick(this, "btnIban",
        [this] { IbanCheck::check(m_context, this, text::trimmed(box(registry::Iban)->text())); });
    onClick(this, "btnScaduti",
        [this] { openChosenCard(ExpiredMembersDialog::choose(m_context, this)); });
    onClick(this, "btnStampa", [this] { printCard<MemberCardPrint>(); });
    onClick(this, "btnAnteprima", [this] { printCard<MemberCardPreview>(); });
    onClick(this, "btnCaricaFoto", [this] { loadPhotoFromFile(); });
    onClick(this, "btnSalvaFoto", [this] { savePhotoToFile(); });
    onClick(this, "btnCancFoto", [this] { clearPhoto(); });
    onClick(this, "btnZoomFoto", [this] { PhotoZoom::zoom(m_context, this, m_photo.image()); });
    onClick(this, "btnAcquisisciFoto", [this] { takeWebcamPhoto(); });
    onClick(this, "btnEmail", [this] { sendEmail(); });
    onClick(this, "btnAllegati",
        [this] { editCardAttachments(m_context, this, *m_form, "anagrafica"); });
    onClick(this, "btnEsporta", [this] { MemberExportDialog::open(m_context, this); });
    onClick(this, "delDataSca", [this] { box(registry::ExpiryDate)->clear(); });
    onClick(this, "btnGuida", [this] { showHelpTopic(m_context, this, HelpTopic::MemberCard); });
    onFocusLeave(box(registry::Fee), [this] { normaliseFee(); });
}

// ---- the card and its values -------------------------------------------------------------

QStringList MemberCardScreen::cardValues() const
{
    ensureBuilt();
    return m_form->values();
}

void MemberCardScreen::newCard()
{
    m_form->show(registry::blankMember());
    m_lblPosizione->clear();
    showPlaceholder();
    box(registry::Name)->setFocus();
}

void MemberCardScreen::archiveFailed()
{
    m_context.services().message(this, MessageKind::Error, store::archiveAccessMessage());
}

ArchiveFile MemberCardScreen::memberArchive() const
{
    return ArchiveFile(m_context.folder().file(QLatin1String(registry::kMemberArchiveName)),
        registry::kMemberRecordSize);
}

bool MemberCardScreen::loadCard(qint64 position, bool quietly)
{
    ensureBuilt();
    ArchiveFile archive = memberArchive();
    if (!archive.openForReading()) {
        if (!quietly)
            archiveFailed();
        return false;
    }
    return readCard(archive, position, quietly);
}

bool MemberCardScreen::readCard(ArchiveFile &archive, qint64 position, bool quietly)
{
    if (!archive.read(position, m_buffer)) {
        if (!quietly)
            archiveFailed();
        return false;
    }
    archive.close();
    m_form->show(registry::memberLayout().fields(m_buffer));
    m_lblPosizione->setText(QString::number(position));
    loadPhotoOfPosition();
    return true;
}

void MemberCardScreen::browse(Arrow arrow)
{
    ArchiveFile archive = memberArchive();
    browseCard(m_context.services(), this, archive, arrow, m_lblPosizione,
        [this](ArchiveFile &open, qint64 position) { readCard(open, position); });
}

void MemberCardScreen::normaliseFee()
{
    QLineEdit *fee = box(registry::Fee);
    const QString normalised = text::normaliseAmount(fee->text(), kFeeDecimals);
    if (fee->text() != normalised)
        fee->setText(normalised);
}

// The save checks in their order; false when the card may be saved.
bool MemberCardScreen::refuseSave(const QStringList &values)
{
    const std::optional<store::SaveRefusal> refusal
        = registry::memberSaveRefusal(values, m_context.services().today());
    if (!refusal)
        return false;
    showRefusal(m_context.services(), this, *refusal, box(refusal->field));
    return true;
}

void MemberCardScreen::save()
{
    Services &services = m_context.services();
    m_btnFocus->setFocus();
    normaliseFee(); // the box may not have had the focus to lose, offscreen or minimised
    if (text::trimmed(box(registry::NoticeDays)->text()).isEmpty())
        box(registry::NoticeDays)->setText(QStringLiteral("0"));
    const QStringList values = cardValues();
    if (refuseSave(values))
        return;

    const bool appending = position().isEmpty();
    ArchiveFile archive = memberArchive();
    const std::optional<qint64> written
        = store::storeCard(archive, registry::memberLayout(), values, position());
    if (!written) {
        archiveFailed();
        return;
    }
    m_lblPosizione->setText(QString::number(*written));
    if (!writePhotoOfPosition())
        return;
    services.message(this, MessageKind::Information, store::savedMessage(appending));
}

void MemberCardScreen::duplicate()
{
    if (position().isEmpty()) {
        m_context.services().message(
            this, MessageKind::Warning, store::duplicateNeedsSavedCardMessage());
        return;
    }
    for (int i = registry::File1; i <= registry::Desc3; ++i)
        m_form->hiddenLabel(i)->clear();
    m_lblPosizione->clear();
    showPlaceholder();
    box(registry::Name)->setFocus();
    m_context.services().message(this, MessageKind::Information, store::duplicateReadyMessage());
}

template <typename Dialog> void MemberCardScreen::printCard()
{
    Dialog dialog(m_context, this, cardValues(), m_photo.image());
    runPerUseDialog(m_context.services(), dialog);
}

void MemberCardScreen::openChosenCard(std::optional<qint64> position)
{
    if (position)
        loadCard(*position);
}

void MemberCardScreen::openDatePicker(int field)
{
    if (const std::optional<QDate> date
        = DatePicker::pick(m_context, this, registry::memberTable().field(field).modeWord))
        box(field)->setText(text::formatDate(*date));
}

// An empty address still opens the mail program, with no recipient.
void MemberCardScreen::sendEmail()
{
    openAddressOrTell(m_context.services(), this,
        QUrl::fromEncoded(text::mailtoAddress(box(registry::Email)->text()).toLatin1()));
}

// ---- the photo ---------------------------------------------------------------------------

void MemberCardScreen::showPhoto()
{
    m_imgFoto->setPixmap(QPixmap::fromImage(
        m_photo.image().scaled(m_imgFoto->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void MemberCardScreen::showPlaceholder()
{
    m_photo.set(placeholder());
    showPhoto();
}

void MemberCardScreen::loadPhotoOfPosition()
{
    if (m_photo.loadCardFile(
            registry::memberPhotoPath(m_context.folder().path(), position().toLongLong())))
        showPhoto();
    else
        showPlaceholder();
}

// The record is saved by now: a photo that cannot be written stays on the card, so that Save
// can write it once the cause is removed, and the user is told instead of the success.
bool MemberCardScreen::writePhotoOfPosition()
{
    const store::WriteFailure failure = m_photo.saveToCardFile(
        registry::memberPhotoPath(m_context.folder().path(), position().toLongLong()));
    if (failure == store::WriteFailure::None)
        return true;
    m_context.services().message(this, MessageKind::Warning,
        QStringLiteral(
            "Attenzione: la scheda è stata salvata in archivio, ma non è stato possibile "
            "salvarne la foto perché ")
            + MemberPhoto::failureReason(failure, QLatin1String(registry::kPhotoFolderName))
            + QStringLiteral("\n\r\n\rLa foto resta sulla scheda: per riprovare premere di nuovo "
                             "Salva."));
    return false;
}

void MemberCardScreen::loadPhotoFromFile()
{
    const QString path = m_context.services().openFileName(this,
        QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
        QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)"));
    if (path.isEmpty())
        return;
    // Made ready for the save; a folder that cannot be made shows when the photo is written.
    static_cast<void>(
        app::createFolder(m_context.folder().file(QLatin1String(registry::kPhotoFolderName))));
    if (m_photo.loadChosen(path))
        showPhoto();
    else
        showPlaceholder();
}

void MemberCardScreen::savePhotoToFile()
{
    const QString path = m_context.services().saveFileName(this,
        QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
        QStringLiteral("File Jpeg (*.jpg)"), QStringLiteral("Foto.jpg"));
    if (path.isEmpty())
        return;
    // Made ready for the save; a folder that cannot be made shows when the photo is written.
    static_cast<void>(
        app::createFolder(m_context.folder().file(QLatin1String(registry::kPhotoFolderName))));
    const store::WriteFailure failure = m_photo.saveCopy(path);
    if (failure == store::WriteFailure::None)
        return;
    // The picture stays on the card: it may be the only copy the user has.
    m_context.services().message(
        this, MessageKind::Warning, MemberPhoto::copyFailureMessage(failure, path));
}

// The captured picture is the card's photo from now on; it reaches the photo file at Save.
void MemberCardScreen::takeWebcamPhoto()
{
    if (const std::optional<QImage> picture = WebcamDialog::capture(m_context, this)) {
        m_photo.set(*picture);
        showPhoto();
    }
}

void MemberCardScreen::clearPhoto()
{
    showPlaceholder();
}

} // namespace almavest::ui
