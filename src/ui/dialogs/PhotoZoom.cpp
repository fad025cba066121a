#include "ui/dialogs/PhotoZoom.h"

#include "ui/app/AppContext.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace almavest::ui {

namespace {

// The picture's box leaves a margin of 60 by 90 units of the screen around it.
constexpr int kMarginWidth = 60;
constexpr int kMarginHeight = 90;

} // namespace

PhotoZoom::PhotoZoom(QWidget *owner, const QImage &photo)
    : QDialog(owner)
    , m_photo(photo)
{
    setObjectName(QStringLiteral("frmZoom"));
    setWindowTitle(QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
    setWindowFlags(Qt::Window);
    setCursor(Qt::PointingHandCursor);

    m_panContainer = new QWidget(this);
    m_panContainer->setObjectName(QStringLiteral("panContainer"));
    m_imgFoto = namedLabel("imgFoto", QString(), m_panContainer);
    m_imgFoto->setAlignment(Qt::AlignCenter);

    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    resize(screen->availableGeometry().size());
    setWindowState(Qt::WindowMaximized);
}

void PhotoZoom::zoom(AppContext &context, QWidget *owner, const QImage &photo)
{
    // Maximised, so not centred: moving the window would take the maximised state away.
    PhotoZoom dialog(owner, photo);
    context.services().execDialog(dialog);
}

void PhotoZoom::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    accept();
}

void PhotoZoom::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    fitPicture();
}

// The box is the screen less its margins, and never larger than the window that holds it.
void PhotoZoom::fitPicture()
{
    const QSize screen = this->screen()->geometry().size();
    const QSize box
        = QSize(screen.width() - kMarginWidth, screen.height() - kMarginHeight).boundedTo(size());
    m_panContainer->setGeometry(
        QRect(QPoint((width() - box.width()) / 2, (height() - box.height()) / 2), box));
    m_imgFoto->setGeometry(m_panContainer->rect());
    if (!m_photo.isNull() && !box.isEmpty())
        m_imgFoto->setPixmap(
            QPixmap::fromImage(m_photo.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace almavest::ui
