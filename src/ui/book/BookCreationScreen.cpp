#include "ui/book/BookCreationScreen.h"

#include "app/SystemCause.h"
#include "book/BookCatalogue.h"
#include "book/PageRecord.h"
#include "report/Fonts.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace almavest::ui {

namespace {

constexpr FieldSettings kNameBox {"txtFile", 250, KeyFilter::FileName, Casing::None, nullptr};

QString refusalText(book::NameRefusal refusal)
{
    switch (refusal) {
    case book::NameRefusal::None:
        break;
    case book::NameRefusal::Empty:
        return QStringLiteral("Attenzione: per creare il nuovo archivio è necessario indicare il "
                              "nome del nuovo Libro Soci.");
    case book::NameRefusal::RefusedCharacter:
        return QStringLiteral("Attenzione: il nome del Libro Soci non può contenere i caratteri "
                              "\" * / : < > ? \\ ° Ç Ñ ç ñ.\r\n\r\nInserire un nome diverso.");
    case book::NameRefusal::OnlyDots:
        return QStringLiteral("Attenzione: il nome del Libro Soci non può essere formato soltanto "
                              "da punti.\r\n\r\nInserire un nome diverso.");
    case book::NameRefusal::TooLong:
        return QStringLiteral("Attenzione: il nome del Libro Soci è troppo lungo per il sistema."
                              "\r\n\r\nInserire un nome più breve.");
    case book::NameRefusal::OutsideFolder:
        return QStringLiteral(
            "Attenzione: il nome indicato porterebbe il file del Libro Soci fuori "
            "dalla cartella del programma.\r\n\r\nInserire un nome diverso.");
    }
    return {};
}

const QString kDuplicate = QStringLiteral(
    "Attenzione: il nome del Libro Soci indicato è già stato utilizzato in precedenza.\r\n\r\n"
    "Inserire un nome diverso oppure, se si desidera visualizzare un Libro Soci già creato, "
    "premere il pulsante Compila Libro Soci esistente.");

} // namespace

BookCreationScreen::BookCreationScreen(AppContext &context)
    : m_context(context)
{
    QBoxLayout *layout = buildCatalogueWindow(
        this, "frmCreaRegistro", " Almavest - Creazione Libro Soci", "panCreaRegistro");
    auto *top = new QHBoxLayout;
    top->addWidget(instructionPanel(this, "Creazione Libro Soci",
                       {"Indicare il nome del nuovo Libro Soci nella casella sottostante e fare "
                        "clic su Applica e chiudi.",
                           "Il nome attribuito apparirà nell'elenco visualizzato tramite il "
                           "pulsante Compila Libro Soci esistente.",
                           "Premere Annulla per uscire da questa schermata senza creare un nuovo "
                           "Libro Soci."}),
        1);
    top->addWidget(helpPicture(context, this, HelpTopic::BookCreation), 0, Qt::AlignTop);
    layout->addLayout(top);

    m_txtFile = new QLineEdit(this);
    m_txtFile->setObjectName(QLatin1String(kNameBox.name));
    m_txtFile->setFont(fonts::named(fonts::kVerdana, 16, QFont::Bold));
    // The box's own colours (alice blue at rest, yellow while typing) replace a halo.
    new FieldBehaviour(m_txtFile, kNameBox);
    layout->addWidget(m_txtFile);

    auto *btnApplica = makePictureButton(QStringLiteral("btnApplica"),
        QStringLiteral("btn-salva.svg"), QStringLiteral("Applica e chiudi"), this);
    auto *btnAnnulla = makePictureButton(QStringLiteral("btnAnnulla"),
        QStringLiteral("btn-esci.svg"), QStringLiteral("Annulla"), this);
    connect(btnApplica, &QToolButton::clicked, this, &BookCreationScreen::apply);
    connect(btnAnnulla, &QToolButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnApplica);
    buttons->addWidget(btnAnnulla);
    layout->addLayout(buttons);

    m_lblFile = stateLabel("lblFile", QString(), this);
    applyHandCursor(this);
}

BookCreationScreen::~BookCreationScreen() = default;

void BookCreationScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        m_txtFile->clear();
        m_txtFile->setFocus();
    }
    QWidget::showEvent(event);
}

void BookCreationScreen::closeEvent(QCloseEvent *event)
{
    m_context.navigator().go(Screen::Launcher, this);
    event->accept();
}

void BookCreationScreen::refuse(const QString &text)
{
    m_context.services().message(this, MessageKind::Warning, text);
    m_txtFile->setFocus();
}

// The name is checked here whatever way it reached the box, and the file is made only when no
// file of that name exists at the moment of making it.
void BookCreationScreen::apply()
{
    m_lblFile->clear();
    const QString folder = m_context.folder().path();
    const QString name = text::trimmed(m_txtFile->text());
    if (const book::NameRefusal refusal = book::checkBookName(folder, name);
        refusal != book::NameRefusal::None) {
        refuse(refusalText(refusal));
        return;
    }
    m_lblFile->setText(book::bookPath(folder, name));
    QString reason;
    switch (book::createBook(folder, name, &reason)) {
    case book::CreateResult::Exists:
        refuse(kDuplicate);
        return;
    case book::CreateResult::Failed:
        m_context.services().message(this, MessageKind::Error,
            app::withSystemCause(
                QStringLiteral("Attenzione: non è stato possibile creare il file di archivio del "
                               "nuovo Libro Soci.\r\n\r\nVerificare che la cartella del programma "
                               "non sia protetta dalla scrittura e che il disco non sia pieno."),
                reason));
        m_txtFile->setFocus();
        return;
    case book::CreateResult::Created:
        break;
    }
    m_context.services().message(this, MessageKind::Information,
        QStringLiteral("Il file di archivio relativo al nuovo Libro Soci è stato creato con "
                       "successo.\r\n\r\nE' ora possibile visualizzarlo nell'elenco dei Libri "
                       "Soci esistenti."));
    close();
}

} // namespace almavest::ui
