#include "ui/conventions/CardFrame.h"

#include "report/Fonts.h"
#include "ui/conventions/Window.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>

namespace almavest::ui {

CardFrame buildCardFrame(QWidget *screen, const char *panelName, QSize size)
{
    screen->setAutoFillBackground(true);
    CardFrame frame;
    frame.panel = new QWidget(screen);
    frame.panel->setObjectName(QLatin1String(panelName));
    frame.panel->setFixedSize(size);

    frame.panInfo = namedLabel(
        "panInfo", QStringLiteral("Pronto per archiviare una nuova scheda..."), screen);
    frame.panInfo->setFont(fonts::named(fonts::kTahoma, 12));
    frame.panInfo->setFixedHeight(26);

    auto *centre = new QHBoxLayout;
    centre->addStretch();
    centre->addWidget(frame.panel);
    centre->addStretch();
    auto *layout = new QVBoxLayout(screen);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch();
    layout->addLayout(centre);
    layout->addStretch();
    layout->addWidget(frame.panInfo);
    return frame;
}

QFrame *cardSurface(const QString &name, QRect place, QWidget *panel)
{
    auto *surface = new QFrame(panel);
    surface->setObjectName(name);
    surface->setGeometry(place);
    return surface;
}

} // namespace almavest::ui
