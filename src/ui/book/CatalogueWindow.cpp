#include "ui/book/CatalogueWindow.h"

#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/help/HelpWindow.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>

namespace almavest::ui {

QBoxLayout *buildCatalogueWindow(
    QWidget *window, const char *name, const char *title, const char *panelName)
{
    window->setObjectName(QLatin1String(name));
    window->setWindowTitle(QString::fromUtf8(title));

    auto *panel = new QFrame(window);
    panel->setObjectName(QLatin1String(panelName));
    panel->setFixedWidth(720);
    auto *inside = new QVBoxLayout(panel);
    inside->setContentsMargins(28, 20, 28, 20);
    inside->setSpacing(10);

    auto *across = new QHBoxLayout;
    across->addStretch(1);
    across->addWidget(panel);
    across->addStretch(1);
    auto *layout = new QVBoxLayout(window);
    layout->addStretch(1);
    layout->addLayout(across);
    layout->addStretch(2);

    window->resize(1024, 700);
    window->setWindowState(Qt::WindowMaximized);
    return inside;
}

QFrame *instructionPanel(
    QWidget *parent, const char *heading, std::initializer_list<const char *> notes)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("panIstruzioni"));
    auto *layout = new QVBoxLayout(panel);
    layout->setSpacing(4);
    auto *title = namedLabel("lblIntestazione", QString::fromUtf8(heading), panel);
    layout->addWidget(title);
    for (const char *note : notes) {
        auto *line = new QLabel(QString::fromUtf8(note), panel);
        line->setObjectName(QStringLiteral("lblNota"));
        line->setWordWrap(true);
        layout->addWidget(line);
    }
    return panel;
}

QLabel *stateLabel(const char *name, const QString &text, QWidget *parent)
{
    QLabel *label = namedLabel(name, text, parent);
    label->hide();
    return label;
}

QWidget *helpPicture(AppContext &context, QWidget *parent, HelpTopic topic)
{
    auto *picture = new ClickablePicture(QStringLiteral("imgGuida"), parent);
    showPicture(picture, QStringLiteral("help.svg"), QSize(32, 32));
    QObject::connect(picture, &ClickablePicture::clicked, picture,
        [&context, picture, topic] { showHelpTopic(context, picture->window(), topic); });
    return picture;
}

} // namespace almavest::ui
