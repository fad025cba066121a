#include "ui/journal/TfrmMenuPrimanota.h"

#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/app/TfrmAvvio.h"
#include "ui/balance/TfrmMenuBilancio.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/ModeWord.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/journal/TfrmMenuMovimenti.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace almavest::ui {

TfrmMenuPrimanota::TfrmMenuPrimanota(AppContext &context)
    : m_context(context)
{
    QBoxLayout *layout = buildCatalogueWindow(
        this, "frmMenuPrimanota", " Almavest - Primanota e bilancio", "panMenuPrimanota");
    auto *top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(helpPicture(this));
    layout->addLayout(top);
    layout->addWidget(
        namedLabel("lblTitolo", QStringLiteral("PRIMANOTA E BILANCIO"), this), 0, Qt::AlignHCenter);
    auto *instructions = namedLabel("lblIstruzioni",
        QStringLiteral("Premere il pulsante per registrare i movimenti in entrata e uscita o per "
                       "riepilogare la primanota e il bilancio."),
        this);
    instructions->setWordWrap(true);
    instructions->setAlignment(Qt::AlignHCenter);
    layout->addWidget(instructions);
    layout->addSpacing(12);

    const auto addChoice = [&](const char *name, const QString &caption, const char *word) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        makeEnterClick(button);
        connect(button, &QPushButton::clicked, this, [this, word] { choose(word); });
        layout->addWidget(button);
    };
    addChoice("btnRegistra", QStringLiteral("Registra movimenti in entrata e uscita"), "registra");
    addChoice("btnRiepiloga", QStringLiteral("Riepiloga primanota e bilancio"), "riepiloga");
    layout->addSpacing(12);

    auto *imgEsci = new ClickablePicture(QStringLiteral("imgEsci"), this);
    showPicture(imgEsci, QStringLiteral("exit.svg"), QSize(40, 40));
    connect(imgEsci, &ClickablePicture::clicked, this, &QWidget::close);
    layout->addWidget(imgEsci, 0, Qt::AlignRight);

    m_lblMemory = stateLabel("lblMemory", QStringLiteral("avvio"), this);
    applyHandCursor(this);
}

TfrmMenuPrimanota::~TfrmMenuPrimanota() = default;

void TfrmMenuPrimanota::choose(const char *word)
{
    m_lblMemory->setText(QLatin1String(word));
    close();
}

void TfrmMenuPrimanota::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        m_lblMemory->setText(QStringLiteral("avvio"));
    QWidget::showEvent(event);
}

void TfrmMenuPrimanota::closeEvent(QCloseEvent *event)
{
    const QString word = text::trimmed(m_lblMemory->text());
    requireModeWord("TfrmMenuPrimanota", word, {"avvio", "registra", "riepiloga"});
    ResidentScreens &screens = m_context.screens();
    if (word == QLatin1String("riepiloga"))
        screens.menuBilancio->open(this);
    else if (word == QLatin1String("registra"))
        AppContext::switchScreen(this, screens.menuMovimenti);
    else
        AppContext::switchScreen(this, screens.launcher);
    event->accept();
}

} // namespace almavest::ui
