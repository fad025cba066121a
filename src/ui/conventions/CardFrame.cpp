#include "ui/conventions/CardFrame.h"

#include "report/Fonts.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>

#include <string_view>

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

QLabel *buildCardToolbar(
    QWidget *panel, std::span<const CardButton> buttons, int captionWidth, CardButtons &built)
{
    const auto widthOf = [captionWidth](const CardButton &entry) {
        return *entry.caption == '\0' ? 34 : captionWidth;
    };
    QLabel *position = nullptr;
    int x = 8;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const CardButton &entry = buttons[i];
        if (entry.flushRight) {
            x = panel->width() - 8;
            for (std::size_t j = i; j < buttons.size(); ++j)
                x -= widthOf(buttons[j]) + 2;
        }
        x += entry.gapBefore;
        const QString caption = QString::fromUtf8(entry.caption);
        const bool arrow = caption.isEmpty();
        auto *button = makePictureButton(QLatin1String(entry.name), QLatin1String(entry.picture),
            caption, panel, arrow ? 24 : 26);
        button->setGeometry(x, arrow ? 14 : 6, widthOf(entry), arrow ? 34 : 52);
        button->setEnabled(entry.ready);
        built.add(button);
        x += widthOf(entry) + 2;
        if (entry.name == std::string_view("cmdIndietro")) {
            position = namedLabel("lblPosizione", QString(), panel);
            position->setAlignment(Qt::AlignCenter);
            position->setFont(fonts::named(fonts::kVerdana, 12, QFont::Bold));
            position->setGeometry(x, 14, 70, 34);
            x += 72;
        }
    }
    return position;
}

void CardButtons::add(QAbstractButton *button)
{
    m_buttons.emplace(button->objectName(), button);
}

QAbstractButton *CardButtons::operator[](std::string_view name) const
{
    const auto found = m_buttons.find(QString::fromUtf8(name.data(), qsizetype(name.size())));
    if (found == m_buttons.end())
        qFatal("The card was built without the button %.*s", int(name.size()), name.data());
    return found->second;
}

} // namespace almavest::ui
