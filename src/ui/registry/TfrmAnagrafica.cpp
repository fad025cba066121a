#include "ui/registry/TfrmAnagrafica.h"

#include "app/ProgramFolder.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/app/TfrmAvvio.h"
#include "ui/conventions/DateField.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/Window.h"
#include "ui/dialogs/TfrmCalendario.h"
#include "ui/print/MemberCardPrintDialog.h"
#include "ui/registry/MemberCardLayout.h"
#include "ui/registry/MemberExpiryDialog.h"
#include "ui/registry/TfrmTrovaAnagrafica.h"
#include "ui/services/Services.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace almavest::ui {

namespace {

using store::ArchiveFile;

constexpr int kFeeDecimals = 4;

const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");

enum Arrow { First, Previous, Next, Last };

} // namespace

TfrmAnagrafica::TfrmAnagrafica(AppContext &context)
    : m_context(context)
    , m_buffer(registry::memberLayout().blankRecord())
{
    setObjectName(QStringLiteral("frmAnagrafica"));
    setWindowTitle(QStringLiteral(" Almavest - Archivio Anagrafico"));
    setWindowState(Qt::WindowMaximized);
    buildScreen();
    connectActions();
    applyHandCursor(this);
    // The card is cleared each time the screen is shown.
}

TfrmAnagrafica::~TfrmAnagrafica() = default;

QLineEdit *TfrmAnagrafica::field(const char *name) const
{
    return findChild<QLineEdit *>(QLatin1String(name));
}

QString TfrmAnagrafica::position() const
{
    return text::trimmed(m_lblPosizione->text());
}

void TfrmAnagrafica::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        newCard();
    QWidget::showEvent(event);
}

void TfrmAnagrafica::closeEvent(QCloseEvent *event)
{
    AppContext::switchScreen(nullptr, m_context.screens().launcher);
    event->accept();
}

void TfrmAnagrafica::connectActions()
{
    auto clickOf = [this](const char *name) {
        return findChild<QAbstractButton *>(QLatin1String(name));
    };
    connect(clickOf("cmdPrimo"), &QAbstractButton::clicked, this, [this] { browse(First); });
    connect(clickOf("cmdIndietro"), &QAbstractButton::clicked, this, [this] { browse(Previous); });
    connect(clickOf("cmdAvanti"), &QAbstractButton::clicked, this, [this] { browse(Next); });
    connect(clickOf("cmdUltimo"), &QAbstractButton::clicked, this, [this] { browse(Last); });
    connect(clickOf("btnNuovo"), &QAbstractButton::clicked, this, &TfrmAnagrafica::newCard);
    connect(clickOf("btnDuplica"), &QAbstractButton::clicked, this, &TfrmAnagrafica::duplicate);
    connect(clickOf("btnSalva"), &QAbstractButton::clicked, this, &TfrmAnagrafica::save);
    connect(clickOf("btnEsci"), &QAbstractButton::clicked, this, &QWidget::close);
    connect(clickOf("btnTrova"), &QAbstractButton::clicked, this, [this] {
        openChosenCard(TfrmTrovaAnagrafica::choose(m_context, this, QStringLiteral("anagrafica")));
    });
    connect(clickOf("btnScadenze"), &QAbstractButton::clicked, this,
            [this] { openChosenCard(TfrmSospesi::choose(m_context, this)); });
    connect(clickOf("btnScaduti"), &QAbstractButton::clicked, this,
            [this] { openChosenCard(TfrmScadute::choose(m_context, this)); });
    connect(clickOf("btnStampa"), &QAbstractButton::clicked, this,
            [this] { printCard<TfrmStampaAna>(); });
    connect(clickOf("btnAnteprima"), &QAbstractButton::clicked, this,
            [this] { printCard<TfrmAnteprimaAna>(); });
    connect(clickOf("btnCaricaFoto"), &QAbstractButton::clicked, this,
            &TfrmAnagrafica::loadPhotoFromFile);
    connect(clickOf("btnSalvaFoto"), &QAbstractButton::clicked, this,
            &TfrmAnagrafica::savePhotoToFile);
    connect(clickOf("btnCancFoto"), &QAbstractButton::clicked, this, &TfrmAnagrafica::clearPhoto);
    connect(clickOf("btnEmail"), &QAbstractButton::clicked, this, &TfrmAnagrafica::sendEmail);
    connect(clickOf("delDataSca"), &QAbstractButton::clicked, field("txtDataSca"),
            &QLineEdit::clear);
    onFocusLeave(field("txtStipendio"), [this] { normaliseFee(); });
    new DateField(field("txtDataSca"), [this] { openDatePicker(); });
}

// ---- the card and its values -------------------------------------------------------------

QStringList TfrmAnagrafica::cardValues() const
{
    QStringList values;
    for (const auto &member : registry::memberTable().fields()) {
        const QString &name = member.control;
        if (auto *box = findChild<QLineEdit *>(name))
            values.append(text::trimmed(box->text()));
        else
            values.append(text::trimmed(findChild<QLabel *>(name)->text()));
    }
    return values;
}

void TfrmAnagrafica::showValues(const QStringList &values)
{
    const auto &members = registry::memberTable().fields();
    for (size_t i = 0; i < members.size(); ++i) {
        const QString &name = members[i].control;
        const QString value = values.value(static_cast<int>(i));
        if (auto *box = findChild<QLineEdit *>(name))
            box->setText(value);
        else
            findChild<QLabel *>(name)->setText(value);
    }
}

void TfrmAnagrafica::newCard()
{
    showValues(registry::blankMember());
    m_lblPosizione->clear();
    showPlaceholder();
    field("txtDipendente")->setFocus();
}

void TfrmAnagrafica::archiveFailed()
{
    m_context.services().message(this, MessageKind::Error, store::archiveAccessMessage());
}

ArchiveFile TfrmAnagrafica::memberArchive() const
{
    return ArchiveFile(m_context.folder().file(QLatin1String(registry::kMemberArchiveName)),
                       registry::kMemberRecordSize);
}

bool TfrmAnagrafica::loadCard(qint64 position, bool quietly)
{
    ArchiveFile archive = memberArchive();
    if (!archive.openOrCreate()) {
        if (!quietly)
            archiveFailed();
        return false;
    }
    return readCard(archive, position, quietly);
}

bool TfrmAnagrafica::readCard(ArchiveFile &archive, qint64 position, bool quietly)
{
    if (!archive.read(position, m_buffer)) {
        if (!quietly)
            archiveFailed();
        return false;
    }
    archive.close();
    showValues(registry::memberLayout().fields(m_buffer));
    m_lblPosizione->setText(QString::number(position));
    loadPhotoOfPosition();
    return true;
}

void TfrmAnagrafica::browse(int arrow)
{
    ArchiveFile archive = memberArchive();
    if (!archive.openOrCreate()) {
        archiveFailed();
        return;
    }
    const qint64 count = archive.count();
    const QString shown = position();
    const qint64 current = shown.toLongLong();

    if (arrow == Previous && shown == QLatin1String("1"))
        return;
    if (count == 0) {
        if (arrow == Next)
            m_lblPosizione->clear();
        m_context.services().message(this, MessageKind::Information, kEmptyArchive);
        return;
    }
    qint64 target = 0;
    switch (arrow) {
    case First:
        target = 1;
        break;
    case Last:
        target = count;
        break;
    case Next:
        target = shown.isEmpty() ? 1 : (current < count ? current + 1 : 0);
        break;
    case Previous:
        target = (shown.isEmpty() || current <= 2) ? 1 : current - 1;
        break;
    }
    if (target > 0)
        readCard(archive, target);
}

void TfrmAnagrafica::normaliseFee()
{
    QLineEdit *fee = field("txtStipendio");
    const QString normalised = text::normaliseAmount(fee->text(), kFeeDecimals);
    if (fee->text() != normalised)
        fee->setText(normalised);
}

void TfrmAnagrafica::save()
{
    Services &services = m_context.services();
    findChild<QWidget *>(QStringLiteral("btnFocus"))->setFocus();
    normaliseFee();  // the box may not have had the focus to lose, offscreen or minimised
    if (text::trimmed(field("txtPreavviso")->text()).isEmpty())
        field("txtPreavviso")->setText(QStringLiteral("0"));

    const struct
    {
        const char *box;
        const char *warning;
    } required[] = {
        {"txtDipendente",
         "Attenzione: per salvare la scheda è necessario indicare cognome e nome del socio."},
        {"txtStipendio", "Attenzione: per salvare la scheda è necessario indicare l'importo della "
                         "quota associativa."},
        {"txtDataSca", "Attenzione: per salvare la scheda è necessario indicare la data di "
                       "scadenza dell'iscrizione."},
    };
    for (const auto &rule : required) {
        if (text::trimmed(field(rule.box)->text()).isEmpty()) {
            services.message(this, MessageKind::Warning, QString::fromUtf8(rule.warning));
            field(rule.box)->setFocus();
            return;
        }
    }
    const QString expiry = text::trimmed(field("txtDataSca")->text());
    if (!text::isValidDate(expiry, services.today())) {
        services.plainMessage(this, QStringLiteral("Attenzione: la data di scadenza ") + expiry
                                        + QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la "
                                                         "scheda è necessario indicare una data "
                                                         "valida nel formato gg/mm/aaaa."));
        field("txtDataSca")->setFocus();
        return;
    }

    ArchiveFile archive = memberArchive();
    if (!archive.openOrCreate()) {
        archiveFailed();
        return;
    }
    registry::memberLayout().setFields(m_buffer, cardValues());
    const bool appending = position().isEmpty();
    const qint64 target = appending ? archive.count() + 1 : position().toLongLong();
    if (!archive.write(target, m_buffer)) {
        archiveFailed();
        return;
    }
    archive.close();
    m_lblPosizione->setText(QString::number(target));
    writePhotoOfPosition();
    services.message(this, MessageKind::Information,
                     appending ? QStringLiteral("La scheda corrente è stata inserita in archivio.")
                               : QStringLiteral("Le modifiche apportate alla scheda corrente sono "
                                                "state salvate in archivio."));
}

void TfrmAnagrafica::duplicate()
{
    if (position().isEmpty()) {
        m_context.services().message(
            this, MessageKind::Warning,
            QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                           "che questa è stata inserita in archivio."));
        return;
    }
    for (int i = registry::File1; i <= registry::Desc3; ++i)
        findChild<QLabel *>(registry::memberTable().field(i).control)->clear();
    m_lblPosizione->clear();
    showPlaceholder();
    field("txtDipendente")->setFocus();
    m_context.services().message(
        this, MessageKind::Information,
        QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                       "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio."));
}

template <typename Dialog>
void TfrmAnagrafica::printCard()
{
    Dialog dialog(m_context, this, cardValues(), m_photo);
    runPerUseDialog(m_context.services(), dialog);
}

void TfrmAnagrafica::openChosenCard(std::optional<qint64> position)
{
    if (position)
        loadCard(*position);
}

void TfrmAnagrafica::openDatePicker()
{
    if (const std::optional<QDate> date
        = TfrmCalendario::pick(m_context, this, QStringLiteral("datasca")))
        field("txtDataSca")->setText(text::formatDate(*date));
}

void TfrmAnagrafica::sendEmail()
{
    m_context.services().shellOpen(QStringLiteral("\"mailto:")
                                   + text::trimmed(field("txtEmail")->text())
                                   + QStringLiteral("\""));
}

// ---- the photo ---------------------------------------------------------------------------

void TfrmAnagrafica::showPhoto(const QImage &photo)
{
    m_photo = photo;
    m_imgFoto->setPixmap(QPixmap::fromImage(photo.scaled(m_imgFoto->size(), Qt::KeepAspectRatio,
                                                         Qt::SmoothTransformation)));
}

void TfrmAnagrafica::showPlaceholder()
{
    showPhoto(placeholder());
}

void TfrmAnagrafica::loadPhotoOfPosition()
{
    QImage photo;
    if (photo.load(registry::memberPhotoPath(m_context.folder().path(), position().toLongLong())))
        showPhoto(photo);
    else
        showPlaceholder();
}

void TfrmAnagrafica::writePhotoOfPosition()
{
    const QString path = registry::memberPhotoPath(m_context.folder().path(),
                                                   position().toLongLong());
    app::createFolder(m_context.folder().file(QLatin1String(registry::kPhotoFolderName)));
    if (!m_photo.save(path, "JPG", 90))
        showPlaceholder();
}

void TfrmAnagrafica::loadPhotoFromFile()
{
    const QString path = m_context.services().openFileName(
        this, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
        QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)"));
    if (path.isEmpty())
        return;
    app::createFolder(m_context.folder().file(QLatin1String(registry::kPhotoFolderName)));
    QImage photo;
    if (photo.load(path))
        showPhoto(photo);
    else
        showPlaceholder();
}

void TfrmAnagrafica::savePhotoToFile()
{
    const QString path = m_context.services().saveFileName(
        this, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
        QStringLiteral("File Jpeg (*.jpg)"), QStringLiteral("Foto.jpg"));
    if (path.isEmpty())
        return;
    app::createFolder(m_context.folder().file(QLatin1String(registry::kPhotoFolderName)));
    if (!m_photo.save(path, "JPG", 90))
        showPlaceholder();
}

void TfrmAnagrafica::clearPhoto()
{
    showPlaceholder();
}

} // namespace almavest::ui
