#include "ui/help/LinkText.h"

#include "report/Fonts.h"
#include "ui/conventions/PictureButton.h"

#include <QColor>
#include <QEvent>
#include <QLabel>
#include <QPalette>

namespace almavest::ui {

namespace {

// Watches the link and its companions for a mouse button going down and coming back up.
class PressColours final : public QObject
{
public:
    explicit PressColours(QLabel *link)
        : QObject(link)
        , m_link(link)
    { }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            paintLink(m_link, kLinkPressedColour);
        else if (event->type() == QEvent::MouseButtonRelease)
            paintLink(m_link, kLinkColour);
        return false;
    }

private:
    QLabel *m_link;
};

} // namespace

void paintLink(QLabel *link, const char *colour)
{
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, QColor(QLatin1String(colour)));
    link->setPalette(palette);
}

ClickablePicture *makeLinkText(const char *name, const QString &text, int points, QWidget *parent)
{
    auto *link = new ClickablePicture(QLatin1String(name), parent);
    link->setText(text);
    QFont font = fonts::named(fonts::kArial, points);
    font.setUnderline(true);
    link->setFont(font);
    paintLink(link, kLinkColour);
    return link;
}

void colourWhilePressed(QLabel *link, std::initializer_list<QWidget *> companions)
{
    auto *watcher = new PressColours(link);
    link->installEventFilter(watcher);
    for (QWidget *companion : companions)
        companion->installEventFilter(watcher);
}

} // namespace almavest::ui
