#include "ui/book/ChoiceMenu.h"

#include "text/TextRoutines.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/ModeWord.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace almavest::ui {

ChoiceMenu::ChoiceMenu(
    AppContext &context, const Texts &texts, std::initializer_list<Choice> choices)
    : m_context(context)
    , m_choices(choices)
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

    for (const Choice &choice : m_choices) {
        auto *button = new QPushButton(QString::fromUtf8(choice.caption), this);
        button->setObjectName(QLatin1String(choice.button));
        makeEnterClick(button);
        connect(button, &QPushButton::clicked, this, [this, word = choice.word] { choose(word); });
        layout->addWidget(button);
    }
    layout->addSpacing(12);

    auto *imgEsci = new ClickablePicture(QStringLiteral("imgEsci"), this);
    showPicture(imgEsci, QStringLiteral("exit.svg"), QSize(40, 40));
    connect(imgEsci, &ClickablePicture::clicked, this, &QWidget::close);
    layout->addWidget(imgEsci, 0, Qt::AlignRight);

    m_lblMemory = stateLabel("lblMemory", QStringLiteral("avvio"), this);
    applyHandCursor(this);
}

void ChoiceMenu::choose(const char *word)
{
    m_lblMemory->setText(QLatin1String(word));
    close();
}

void ChoiceMenu::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        m_lblMemory->setText(QStringLiteral("avvio"));
    QWidget::showEvent(event);
}

void ChoiceMenu::closeEvent(QCloseEvent *event)
{
    const QString word = text::trimmed(m_lblMemory->text());
    const bool offered = std::any_of(m_choices.begin(), m_choices.end(),
        [&word](const Choice &choice) { return word == QLatin1String(choice.word); });
    // A word the menu does not offer stops the program: it names no screen to go to.
    if (!offered)
        requireModeWord(qPrintable(objectName()), word, {"avvio"});
    leaveFor(word);
    event->accept();
}

} // namespace almavest::ui
