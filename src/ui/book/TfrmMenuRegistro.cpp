#include "ui/book/TfrmMenuRegistro.h"

#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/app/TfrmAvvio.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/book/TfrmApriRegistro.h"
#include "ui/book/TfrmCreaRegistro.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/ModeWord.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace almavest::ui {

TfrmMenuRegistro::TfrmMenuRegistro(AppContext &context)
    : m_context(context)
{
    QBoxLayout *layout = buildCatalogueWindow(this, "frmMenuRegistro",
        " Almavest - Creazione / Compilazione Libro Soci", "panMenuRegistro");
    auto *top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(helpPicture(this));
    layout->addLayout(top);
    layout->addWidget(namedLabel("lblTitolo", QStringLiteral("CREA / COMPILA LIBRO SOCI"), this), 0,
        Qt::AlignHCenter);
    auto *instructions = namedLabel("lblIstruzioni",
        QStringLiteral("Premere il pulsante per creare un nuovo Libro Soci o per compilarne uno "
                       "esistente."),
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
    addChoice("btnCrea", QStringLiteral("Crea nuovo Libro Soci"), "crea");
    addChoice("btnCompila", QStringLiteral("Compila Libro Soci esistente"), "compila");
    layout->addSpacing(12);

    auto *imgEsci = new ClickablePicture(QStringLiteral("imgEsci"), this);
    showPicture(imgEsci, QStringLiteral("exit.svg"), QSize(40, 40));
    connect(imgEsci, &ClickablePicture::clicked, this, &QWidget::close);
    layout->addWidget(imgEsci, 0, Qt::AlignRight);

    m_lblMemory = stateLabel("lblMemory", QStringLiteral("avvio"), this);
    applyHandCursor(this);
}

TfrmMenuRegistro::~TfrmMenuRegistro() = default;

void TfrmMenuRegistro::choose(const char *word)
{
    m_lblMemory->setText(QLatin1String(word));
    close();
}

void TfrmMenuRegistro::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        m_lblMemory->setText(QStringLiteral("avvio"));
    QWidget::showEvent(event);
}

void TfrmMenuRegistro::closeEvent(QCloseEvent *event)
{
    const QString word = text::trimmed(m_lblMemory->text());
    requireModeWord("TfrmMenuRegistro", word, {"avvio", "crea", "compila"});
    ResidentScreens &screens = m_context.screens();
    QWidget *next = screens.launcher;
    if (word == QLatin1String("crea"))
        next = screens.creaRegistro;
    else if (word == QLatin1String("compila"))
        next = screens.apriRegistro;
    AppContext::switchScreen(this, next);
    event->accept();
}

} // namespace almavest::ui
