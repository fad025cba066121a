#include "ui/book/BookListScreen.h"

#include "book/BookCatalogue.h"
#include "book/PageRecord.h"
#include "report/Fonts.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/book/TitlePageDialog.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QToolButton>

namespace almavest::ui {

namespace {

const QString kEmptyList = QStringLiteral("Attenzione: l'elenco non contiene nessun Libro Soci.");

} // namespace

BookListScreen::BookListScreen(AppContext &context)
    : m_context(context)
{
    QBoxLayout *layout = buildCatalogueWindow(
        this, "frmApriRegistro", " Almavest - Compilazione Libro Soci", "panApriRegistro");
    auto *top = new QHBoxLayout;
    top->addWidget(instructionPanel(this, "Compilazione Libro Soci",
                       {"Selezionare il Libro Soci nell'elenco sottostante e fare clic su Apri "
                        "archivio.",
                           "Fare clic sull'icona del cestino per eliminare il Libro Soci "
                           "selezionato.",
                           "Premere Annulla per uscire da questa schermata senza aprire un Libro "
                           "Soci.",
                           "Per stampare la copertina del Libro Soci, servirsi del pulsante "
                           "Frontespizio."}),
        1);
    top->addWidget(helpPicture(context, this, HelpTopic::BookPage), 0, Qt::AlignTop);
    layout->addLayout(top);

    m_books = new QStringListModel(this);
    m_lstFiles = new QListView(this);
    m_lstFiles->setObjectName(QStringLiteral("lstFiles"));
    m_lstFiles->setModel(m_books);
    m_lstFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstFiles->setUniformItemSizes(true);
    m_lstFiles->setFont(fonts::named(fonts::kCourierNew, 14));
    m_lstFiles->setMinimumHeight(220);
    layout->addWidget(m_lstFiles);
    m_lblCreati = namedLabel("lblCreati", QStringLiteral("Sono stati creati 0 Libri Soci."), this);
    layout->addWidget(m_lblCreati);
    buildButtons(layout);

    m_lblFile = stateLabel("lblFile", QString(), this);
    m_lblMemory = stateLabel("lblMemory", QString(), this);
    leaveForLauncher();
    applyHandCursor(this);
}

BookListScreen::~BookListScreen() = default;

void BookListScreen::buildButtons(QBoxLayout *layout)
{
    const auto add = [this](const char *name, const char *picture, const char *caption) {
        return makePictureButton(
            QLatin1String(name), QLatin1String(picture), QString::fromUtf8(caption), this);
    };
    QToolButton *btnApri = add("btnApri", "folder-yellow.svg", "Apri archivio");
    QToolButton *btnElimina = add("btnElimina", "btn-elimina.svg", "");
    QToolButton *btnFrontespizio = add("btnFrontespizio", "btn-stampa.svg", "Frontespizio");
    QToolButton *btnAnnulla = add("btnAnnulla", "btn-esci.svg", "Annulla");
    connect(btnApri, &QToolButton::clicked, this, &BookListScreen::openBook);
    connect(btnElimina, &QToolButton::clicked, this, &BookListScreen::deleteBook);
    connect(btnFrontespizio, &QToolButton::clicked, this, &BookListScreen::openTitlePage);
    connect(btnAnnulla, &QToolButton::clicked, this, &QWidget::close);
    auto *row = new QHBoxLayout;
    row->addWidget(btnElimina);
    row->addStretch(1);
    row->addWidget(btnFrontespizio);
    row->addWidget(btnApri);
    row->addWidget(btnAnnulla);
    layout->addLayout(row);
}

void BookListScreen::fillList()
{
    m_books->setStringList(book::listBooks(m_context.folder().path()));
    m_lstFiles->clearSelection();
    m_lstFiles->setCurrentIndex({});
    m_lblCreati->setText(
        QStringLiteral("Sono stati creati %1 Libri Soci.").arg(m_books->rowCount()));
}

void BookListScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        leaveForLauncher();
        m_lblFile->setText(QDir(m_context.folder().path()).absolutePath() + QLatin1Char('/'));
        fillList();
    }
    QWidget::showEvent(event);
}

void BookListScreen::closeEvent(QCloseEvent *event)
{
    if (m_next == Screen::BookPage)
        Q_EMIT bookChosen(m_chosenPath, m_chosenName);
    else
        m_context.navigator().go(Screen::Launcher, this);
    event->accept();
}

void BookListScreen::leaveForLauncher()
{
    m_next = Screen::Launcher;
    m_chosenPath.clear();
    m_chosenName.clear();
    m_lblMemory->setText(QStringLiteral("avvio"));
}

QString BookListScreen::selectedBook(const QString &noSelection)
{
    if (m_books->rowCount() == 0) {
        m_context.services().message(this, MessageKind::Warning, kEmptyList);
        return {};
    }
    const QModelIndexList selected = m_lstFiles->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        m_context.services().message(this, MessageKind::Warning, noSelection);
        return {};
    }
    return text::trimmed(selected.front().data().toString());
}

void BookListScreen::openBook()
{
    const QString entry = selectedBook(
        QStringLiteral("Attenzione: selezionare dall'elenco il Libro Soci prima di premere il "
                       "pulsante Apri archivio."));
    if (entry.isEmpty())
        return;
    m_next = Screen::BookPage;
    m_chosenPath = m_context.folder().file(entry);
    m_chosenName = book::bookName(entry);
    m_lblFile->setText(m_chosenPath);
    m_lblMemory->setText(QStringLiteral("registro"));
    close();
}

void BookListScreen::deleteBook()
{
    const QString entry = selectedBook(
        QStringLiteral("Attenzione: selezionare dall'elenco il Libro Soci da eliminare prima di "
                       "premere il pulsante del cestino."));
    if (entry.isEmpty())
        return;
    Services &services = m_context.services();
    if (!services.message(this, MessageKind::Question,
            QStringLiteral("Si sta per eliminare il Libro Soci selezionato. Si ricorda che il file "
                           "eliminato non potrà essere recuperato.\r\n\r\nSi conferma "
                           "l'eliminazione dell'archivio?")))
        return;
    m_lblFile->setText(m_context.folder().file(entry));
    if (book::deleteBook(m_context.folder().path(), entry))
        services.message(this, MessageKind::Information,
            QStringLiteral("Il Libro Soci è stato eliminato con successo."));
    else
        services.message(this, MessageKind::Error,
            QStringLiteral("Attenzione: non è stato possibile eliminare il Libro Soci "
                           "selezionato.\r\n\r\nVerificare che la cartella del programma non sia "
                           "protetta dalla scrittura; il Libro Soci resta nell'elenco."));
    leaveForLauncher();
    m_lblFile->clear();
    fillList();
}

void BookListScreen::openTitlePage()
{
    TitlePageDialog::open(m_context, this);
}

} // namespace almavest::ui
