#include "ui/dialogs/WebcamDialog.h"

#include "ui/app/AppContext.h"
#include "ui/conventions/Window.h"
#include "ui/registry/MemberPhoto.h"
#include "ui/services/Services.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

namespace almavest::ui {

namespace {

constexpr QSize kPictureSize(366, 274);
constexpr int kIconSide = 120;

// One of the program's pictures drawn in the middle of an empty picture box.
QImage iconPicture(const QString &picture)
{
    QImage image(kPictureSize, QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF8, 0xFF));
    QSvgRenderer renderer(QStringLiteral(":/pictures/") + picture);
    QPainter painter(&image);
    renderer.render(&painter,
        QRectF((kPictureSize.width() - kIconSide) / 2.0, (kPictureSize.height() - kIconSide) / 2.0,
            kIconSide, kIconSide));
    return image;
}

void showOn(QLabel *label, const QImage &image)
{
    label->setPixmap(QPixmap::fromImage(
        image.scaled(kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

// A framed picture box of the dialog.
QLabel *pictureBox(const char *panel, const char *picture, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(panel));
    frame->setFrameShape(QFrame::Box);
    auto *label = namedLabel(picture, QString(), frame);
    label->setFixedSize(kPictureSize);
    label->setAlignment(Qt::AlignCenter);
    auto *layout = new QHBoxLayout(frame);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(label);
    return label;
}

QPushButton *button(const char *name, const char *caption, QWidget *parent)
{
    auto *button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

WebcamDialog::WebcamDialog(AppContext &context, QWidget *owner)
    : QDialog(owner)
    , m_context(context)
    , m_camCamera(context.services().camera())
{
    setObjectName(QStringLiteral("frmWebCam"));
    setWindowTitle(QStringLiteral(" Cattura foto con webcam"));
    buildPictures();
    buildButtons();
    connect(m_camCamera.get(), &CameraSource::frameReady, this, &WebcamDialog::showFrame);
    connect(m_camCamera.get(), &CameraSource::failed, this, &WebcamDialog::cameraFailed);
    resize(sizeHint());
    makeDialogWindow(this);
    applyHandCursor(this);
}

WebcamDialog::~WebcamDialog()
{
    m_camCamera->stop();
}

void WebcamDialog::buildPictures()
{
    m_imgCamera = pictureBox("panCamera", "imgCamera", this);
    m_imgTarget = pictureBox("panTarget", "imgTarget", this);
    m_live = iconPicture(QStringLiteral("webcam.svg"));
    m_captured = iconPicture(QStringLiteral("photo-camera.svg"));
    m_imgBianco = namedLabel("imgBianco", QString(), this);
    m_imgBianco->setPixmap(QPixmap::fromImage(m_live));
    m_imgBianco->hide();
    showOn(m_imgCamera, m_live);
    showOn(m_imgTarget, m_captured);
}

void WebcamDialog::buildButtons()
{
    auto *on = button("btnAccendi", "Accendi webcam", this);
    auto *off = button("btnSpegni", "Spegni webcam", this);
    auto *shot = button("btnCattura", "Cattura foto", this);
    auto *save = button("btnSalvaFotogramma", "Salva foto su disco", this);
    auto *import = button("btnImportaFoto", "Importa foto in scheda", this);
    auto *cancel = button("btnClose", "Annulla", this);
    connect(on, &QPushButton::clicked, this, &WebcamDialog::switchOn);
    connect(off, &QPushButton::clicked, this, &WebcamDialog::switchOff);
    connect(shot, &QPushButton::clicked, this, &WebcamDialog::takeShot);
    connect(save, &QPushButton::clicked, this, &WebcamDialog::saveShot);
    connect(import, &QPushButton::clicked, this, &WebcamDialog::importShot);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *cameraRow = new QHBoxLayout;
    cameraRow->addWidget(on);
    cameraRow->addWidget(off);
    auto *targetRow = new QHBoxLayout;
    targetRow->addWidget(shot);
    targetRow->addWidget(save);
    targetRow->addWidget(import);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(cancel);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setHorizontalSpacing(16);
    layout->addWidget(m_imgCamera->parentWidget(), 0, 0);
    layout->addWidget(m_imgTarget->parentWidget(), 0, 1);
    layout->addLayout(cameraRow, 1, 0);
    layout->addLayout(targetRow, 1, 1);
    layout->addLayout(closeRow, 2, 0, 1, 2);
    layout->setRowMinimumHeight(2, 40);
}

std::optional<QImage> WebcamDialog::capture(AppContext &context, QWidget *owner)
{
    WebcamDialog dialog(context, owner);
    runPerUseDialog(context.services(), dialog);
    return dialog.imported();
}

// Every way out passes here: the buttons, Escape and the window manager's close.
void WebcamDialog::done(int result)
{
    m_camCamera->stop();
    QDialog::done(result);
}

void WebcamDialog::switchOn()
{
    if (m_camCamera->start())
        return;
    m_context.services().message(this, MessageKind::Warning,
        QStringLiteral("Attenzione: non è stata trovata nessuna webcam collegata al computer."
                       "\n\r\n\rCollegare la webcam, attendere che il sistema la riconosca e "
                       "premere di nuovo \"Accendi webcam\"."));
}

void WebcamDialog::switchOff()
{
    m_camCamera->stop();
}

void WebcamDialog::showFrame(const QImage &frame)
{
    m_live = frame;
    showOn(m_imgCamera, m_live);
}

void WebcamDialog::cameraFailed()
{
    m_context.services().message(this, MessageKind::Warning,
        QStringLiteral("Attenzione: la webcam ha smesso di funzionare: potrebbe essere già in uso "
                       "da un altro programma oppure essere stata scollegata.\n\r\n\rChiudere "
                       "l'altro programma o ricollegare la webcam, poi premere di nuovo "
                       "\"Accendi webcam\"."));
}

void WebcamDialog::takeShot()
{
    m_captured = m_live;
    showOn(m_imgTarget, m_captured);
}

// A frame that cannot be written stays on screen: the user may try another folder.
void WebcamDialog::saveShot()
{
    const QString path = m_context.services().saveFileName(this,
        QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
        QStringLiteral("File Jpeg (*.jpg)"), QStringLiteral("Foto.jpg"));
    if (path.isEmpty())
        return;
    MemberPhoto shot;
    shot.set(m_captured);
    const store::WriteFailure failure = shot.saveCopy(path);
    if (failure != store::WriteFailure::None)
        m_context.services().message(
            this, MessageKind::Warning, shot.copyFailureMessage(failure, path));
}

void WebcamDialog::importShot()
{
    m_camCamera->stop();
    m_imported = m_captured;
    accept();
}

} // namespace almavest::ui
