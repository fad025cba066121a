#include "ui/book/ChoiceMenu.h"

#include "ui/app/AppContext.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace almavest::ui {

ChoiceMenu::ChoiceMenu(
    AppContext &context, const Texts &texts, std::initializer_list<Choice> choices)
    : m_context(context)
{
    QBoxLayout *layout = buildCatalogueWindow(this, texts.name, texts.title, texts.panel);
    auto *top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(helpPicture(context, this, texts.help));
    layout->addLayout(top);
    layout->addWidget(
        namedLabel("lblTitolo", QString::fromUtf8(texts.heading), this), 0, Qt::AlignHCenter);
    auto *instructions = namedLabel("lblIstruzioni", QString::fromUtf8(texts.note), this);
    instructions->setWordWrap(true);
    instructions->setAlignment(Qt::AlignHCenter);
    layout->addWidget(instructions);
    layout->addSpacing(12);

    for (const Choice &choice : choices) {
        auto *button = new QPushButton(QString::fromUtf8(choice.caption), this);
        button->setObjectName(QLatin1String(choice.button));
        makeEnterClick(button);
        connect(button, &QPushButton::clicked, this, [this, choice] { choose(choice); });
        layout->addWidget(button);
    }
    layout->addSpacing(12);

    auto *imgEsci = new ClickablePicture(QStringLiteral("imgEsci"), this);
    showPicture(imgEsci, QStringLiteral("exit.svg"), QSize(40, 40));
    connect(imgEsci, &ClickablePicture::clicked, this, &QWidget::close);
    layout->addWidget(imgEsci, 0, Qt::AlignRight);

    m_lblMemory = stateLabel("lblMemory", QString(), this);
    leaveForLauncher();
    applyHandCursor(this);
}

void ChoiceMenu::choose(const Choice &choice)
{
    m_next = choice.next;
    m_lblMemory->setText(QLatin1String(choice.word));
    close();
}

void ChoiceMenu::leaveForLauncher()
{
    m_next = Screen::Launcher;
    m_lblMemory->setText(QStringLiteral("avvio"));
}

void ChoiceMenu::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        leaveForLauncher();
    QWidget::showEvent(event);
}

void ChoiceMenu::closeEvent(QCloseEvent *event)
{
    m_context.navigator().go(m_next, this);
    event->accept();
}

} // namespace almavest::ui
