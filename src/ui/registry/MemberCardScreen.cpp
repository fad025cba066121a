#include "ui/registry/MemberCardScreen.h"

#include "app/ProgramFolder.h"
#include "checks/TaxCodeRules.h"
#include "places/PlaceRegister.h"
#include "registry/MemberRecord.h"
#include "text/MailAddress.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/checks/IbanCheck.h"
#include "ui/checks/PlaceCompleter.h"
#include "ui/checks/TaxCodeMaker.h"
#include "ui/conventions/CardForm.h"
#include "ui/conventions/Window.h"
#include "ui/dialogs/CardAttachments.h"
#include "ui/dialogs/PhotoZoom.h"
#include "ui/dialogs/WebcamDialog.h"
#include "ui/exporting/MemberExportDialog.h"
#include "ui/help/HelpWindow.h"
#include "ui/print/MemberCardPrintDialog.h"
#include "ui/registry/MemberCardLayout.h"
#include "ui/registry/MemberExpiryDialog.h"
#include "ui/registry/MemberSearchDialog.h"
#include "ui/services/Services.h"

#include <QLabel>
#include <QLineEdit>
#include <QUrl>

#include <optional>

namespace almavest::ui {

MemberCardScreen::MemberCardScreen(AppContext &context)
    : CardScreen(context, registry::memberTable())
{
    setObjectName(QStringLiteral("frmAnagrafica"));
    setWindowTitle(QStringLiteral(" Almavest - Archivio Anagrafico"));
}

MemberCardScreen::~MemberCardScreen() = default;

void MemberCardScreen::finishCard()
{
    AppContext &context = this->context();
    onClick("btnTrova", [this, &context] {
        openChosenCard(MemberSearchDialog::choose(context, this, MemberSearchMode::MemberCard));
    });
    onClick("btnScadenze",
        [this, &context] { openChosenCard(ExpiringMembersDialog::choose(context, this)); });
    onClick("btnCodFisc",
        [this, &context] { openTaxCodeCheck(context, this, box(registry::TaxCode)->text()); });
    onClick("btnCalcolaCF", [this] { makeTaxCode(); });
    completePlaces(box(registry::BirthPlace));
    onClick("btnIban", [this, &context] {
        IbanCheck::check(context, this, text::trimmed(box(registry::Iban)->text()));
    });
    onClick("btnScaduti",
        [this, &context] { openChosenCard(ExpiredMembersDialog::choose(context, this)); });
    onClick("btnStampa", [this] { printCard<MemberCardPrint>(); });
    onClick("btnAnteprima", [this] { printCard<MemberCardPreview>(); });
    onClick("btnCaricaFoto", [this] { loadPhotoFromFile(); });
    onClick("btnSalvaFoto", [this] { savePhotoToFile(); });
    onClick("btnCancFoto", [this] { showPlaceholder(); });
    onClick("btnZoomFoto", [this, &context] { PhotoZoom::zoom(context, this, m_photo.image()); });
    onClick("btnAcquisisciFoto", [this] { takeWebcamPhoto(); });
    onClick("btnEmail", [this] { sendEmail(); });
    onClick("btnAllegati", [this, &context] {
        editCardAttachments(context, this, form(), AttachmentsMode::MemberCard);
    });
    onClick("btnEsporta", [this, &context] { MemberExportDialog::open(context, this); });
    onClick("delDataSca", [this] { box(registry::ExpiryDate)->clear(); });
    onClick("btnGuida", [this, &context] { showHelpTopic(context, this, HelpTopic::MemberCard); });
    onClick("btnRinnova", [this] { renewMembership(); });
}

// ---- the card's own part of new, read, duplicate and save ----------------------------------

QString MemberCardScreen::archivePath() const
{
    return context().folder().file(QLatin1String(registry::kMemberArchiveName));
}

QStringList MemberCardScreen::newValues() const
{
    return registry::blankMember();
}

int MemberCardScreen::firstField() const
{
    return registry::Name;
}

std::optional<store::SaveRefusal> MemberCardScreen::saveRefusal(const QStringList &values) const
{
    return registry::memberSaveRefusal(values, context().services().today());
}

// A new or duplicated card has no photo yet; a card read shows the photo of its position.
void MemberCardScreen::cardChanged(Change change, const QStringList &values)
{
    if (change == Change::Read)
        loadPhotoOfPosition();
    else
        showPlaceholder();
    enableRenewal();
    CardScreen::cardChanged(change, values);
}

// The box being edited is left, as a click elsewhere would leave it.
void MemberCardScreen::beforeSave()
{
    m_btnFocus->setFocus();
}

bool MemberCardScreen::afterSave()
{
    enableRenewal();
    return writePhotoOfPosition();
}

template <typename Dialog> void MemberCardScreen::printCard()
{
    Dialog dialog(context(), this, values(), m_photo.image());
    runPerUseDialog(context().services(), dialog);
}

void MemberCardScreen::openChosenCard(std::optional<qint64> position)
{
    if (position)
        loadCard(*position);
}

void MemberCardScreen::makeTaxCode()
{
    const std::optional<QString> code = TaxCodeMaker::make(context(), this,
        {box(registry::Name)->text(), box(registry::BirthDate)->text(),
            box(registry::BirthPlace)->text(), box(registry::TaxCode)->text()});
    if (code)
        box(registry::TaxCode)->setText(*code);
}

// A codice fiscale that does not match the card's birth date or place is most often a typing
// slip, but the code the Agenzia issued is the one that counts: the user decides.
bool MemberCardScreen::confirmSave(const QStringList &values)
{
    const QStringList disagree = checks::taxCodeDisagreements(values.at(registry::TaxCode),
        values.at(registry::BirthDate), values.at(registry::BirthPlace),
        context().services().today(), places::PlaceRegister::builtIn());
    if (disagree.isEmpty())
        return true;
    const QString question = QStringLiteral("Attenzione: il codice fiscale ")
        + text::trimmed(values.at(registry::TaxCode)).toUpper()
        + QStringLiteral(" non corrisponde a quanto indicato nella scheda per ")
        + disagree.join(QStringLiteral(" e per "))
        + QStringLiteral(".\r\n\r\nSe il codice è quello rilasciato dall'Agenzia delle Entrate, "
                         "può essere salvato così. Salvare comunque la scheda?");
    if (context().services().message(this, MessageKind::Question, question))
        return true;
    box(registry::TaxCode)->setFocus();
    return false;
}

// An empty address still opens the mail program, with no recipient.
void MemberCardScreen::sendEmail()
{
    openAddressOrTell(context().services(), this,
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

QString MemberCardScreen::photoPath() const
{
    return registry::memberPhotoPath(context().folder().path(), position().value_or(0));
}

void MemberCardScreen::loadPhotoOfPosition()
{
    if (m_photo.loadCardFile(photoPath()))
        showPhoto();
    else
        showPlaceholder();
}

// The record is saved by now: a photo that cannot be written stays on the card, so that Save
// can write it once the cause is removed, and the user is told instead of the success.
bool MemberCardScreen::writePhotoOfPosition()
{
    const store::WriteFailure failure = m_photo.saveToCardFile(photoPath());
    if (failure == store::WriteFailure::None)
        return true;
    context().services().message(this, MessageKind::Warning,
        QStringLiteral(
            "Attenzione: la scheda è stata salvata in archivio, ma non è stato possibile "
            "salvarne la foto perché ")
            + m_photo.failureReason(failure, QLatin1String(registry::kPhotoFolderName))
            + QStringLiteral("\n\r\n\rLa foto resta sulla scheda: per riprovare premere di nuovo "
                             "Salva."));
    return false;
}

void MemberCardScreen::loadPhotoFromFile()
{
    const QString path = context().services().openFileName(this,
        QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
        QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)"));
    if (path.isEmpty())
        return;
    // Made ready for the save; a folder that cannot be made shows when the photo is written.
    static_cast<void>(
        app::createFolder(context().folder().file(QLatin1String(registry::kPhotoFolderName))));
    if (m_photo.loadChosen(path))
        showPhoto();
    else
        showPlaceholder();
}

void MemberCardScreen::savePhotoToFile()
{
    const QString path = context().services().saveFileName(this,
        QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
        QStringLiteral("File Jpeg (*.jpg)"), QStringLiteral("Foto.jpg"));
    if (path.isEmpty())
        return;
    // Made ready for the save; a folder that cannot be made shows when the photo is written.
    static_cast<void>(
        app::createFolder(context().folder().file(QLatin1String(registry::kPhotoFolderName))));
    const store::WriteFailure failure = m_photo.saveCopy(path);
    if (failure == store::WriteFailure::None)
        return;
    // The picture stays on the card: it may be the only copy the user has.
    context().services().message(
        this, MessageKind::Warning, m_photo.copyFailureMessage(failure, path));
}

// The captured picture is the card's photo from now on; it reaches the photo file at Save.
void MemberCardScreen::takeWebcamPhoto()
{
    if (const std::optional<QImage> picture = WebcamDialog::capture(context(), this)) {
        m_photo.set(*picture);
        showPhoto();
    }
}

} // namespace almavest::ui
