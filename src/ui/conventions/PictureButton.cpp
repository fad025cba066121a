#include "ui/conventions/PictureButton.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMouseEvent>

namespace almavest::ui {

namespace {

// Loading an SVG picture is the dearest part of building a screen; this does it when the
// widget is first shown, for a label's picture or a button's icon.
class DrawOnFirstShow final : public QObject
{
public:
    DrawOnFirstShow(QWidget *widget, const QString &picture)
        : QObject(widget)
        , m_widget(widget)
        , m_picture(QStringLiteral(":/pictures/") + picture)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *label = qobject_cast<QLabel *>(m_widget))
                label->setPixmap(QIcon(m_picture).pixmap(label->size()));
            else if (auto *button = qobject_cast<QAbstractButton *>(m_widget))
                button->setIcon(QIcon(m_picture));
            deleteLater();
        }
        return false;
    }

private:
    QWidget *m_widget;
    QString m_picture;
};

} // namespace

ClickablePicture::ClickablePicture(const QString &name, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
}

void ClickablePicture::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickablePicture::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click && isEnabled())
        Q_EMIT clicked();
}

void showPicture(QLabel *label, const QString &picture, QSize size)
{
    label->setFixedSize(size);
    new DrawOnFirstShow(label, picture);
}

QToolButton *makePictureButton(const QString &name, const QString &picture, const QString &caption,
    QWidget *parent, int iconSize)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    new DrawOnFirstShow(button, picture);
    button->setIconSize(QSize(iconSize, iconSize));
    button->setText(caption);
    button->setToolButtonStyle(
        caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace almavest::ui
