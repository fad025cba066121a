#include "ui/book/BookPageScreen.h"

#include "book/PageRecord.h"
#include "store/ArchiveFile.h"
#include "store/CardRules.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/app/Launcher.h"
#include "ui/book/MemberImportDialog.h"
#include "ui/book/PageSearchDialog.h"
#include "ui/checks/CodeCheckDialog.h"
#include "ui/conventions/CardBrowsing.h"
#include "ui/conventions/CardForm.h"
#include "ui/conventions/CardFrame.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/Window.h"
#include "ui/dialogs/CardAttachments.h"
#include "ui/dialogs/DatePicker.h"
#include "ui/help/HelpWindow.h"
#include "ui/print/BookPagePrintDialog.h"
#include "ui/services/Services.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

namespace almavest::ui {

namespace {

using store::ArchiveFile;
using store::Arrow;

// The 52 row boxes are recoloured while focused; the five book-level boxes have halos.
Highlight highlightOf(int field)
{
    return field >= book::FirstRowField && field < book::File1 ? Highlight::Background
                                                               : Highlight::Halo;
}

} // namespace

BookPageScreen::BookPageScreen(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("frmRegistro"));
    setWindowTitle(QStringLiteral(" Almavest - Compilazione Libro Soci"));
    setWindowState(Qt::WindowMaximized);
}

BookPageScreen::~BookPageScreen() = default;

// The page screen has more controls than every other resident screen together: they are built
// when it is first shown or used.
void BookPageScreen::build()
{
    buildScreen();
    m_form = std::make_unique<CardForm>(
        this, book::pageTable(), [this](int field) { openDatePicker(field); }, highlightOf);
    dressBoxes();
    connectActions();
    applyHandCursor(this);
}

QLabel *BookPageScreen::lblFile() const
{
    ensureBuilt();
    return m_lblFile;
}

QLabel *BookPageScreen::lblNome() const
{
    ensureBuilt();
    return m_lblNome;
}

QLabel *BookPageScreen::lblPosizione() const
{
    ensureBuilt();
    return m_lblPosizione;
}

QLineEdit *BookPageScreen::box(int field) const
{
    ensureBuilt();
    return m_form->edit(field);
}

QString BookPageScreen::position() const
{
    ensureBuilt();
    return text::trimmed(m_lblPosizione->text());
}

QStringList BookPageScreen::pageValues() const
{
    ensureBuilt();
    return m_form->values();
}

void BookPageScreen::openBook(QWidget *from, const QString &path, const QString &name)
{
    ensureBuilt();
    m_lblFile->setText(path);
    m_lblNome->setText(name);
    m_context.navigator().go(Screen::BookPage, from);
}

void BookPageScreen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        showLastPage();
}

void BookPageScreen::closeEvent(QCloseEvent *event)
{
    m_context.navigator().go(Screen::Launcher);
    event->accept();
}

void BookPageScreen::connectActions()
{
    connectArrows(this, [this](Arrow arrow) { browse(arrow); });
    onClick(this, "cmdNuovo", [this] { newPage(); });
    onClick(this, "cmdDuplica", [this] { duplicate(); });
    onClick(this, "cmdSalva", [this] { save(); });
    onClick(this, "cmdTrova", [this] { findPage(); });
    onClick(this, "btnCodFisc",
        [this] { openTaxCodeCheck(m_context, this, box(book::AssociationTaxCode)->text()); });
    onClick(this, "cmdAnteprima", [this] { printPage<BookPagePreview>(); });
    onClick(this, "cmdStampa", [this] { printPage<BookPagePrint>(); });
    onClick(this, "cmdFile",
        [this] { editCardAttachments(m_context, this, *m_form, AttachmentsMode::BookPage); });
    onClick(this, "cmdEsci", [this] { close(); });
    onClick(this, "cmdGuida", [this] { showHelpTopic(m_context, this, HelpTopic::BookPage); });
    const char *importButtons[] = {"impSocio_A", "impSocio_B", "impSocio_C", "impSocio_D"};
    for (int row = book::RowA; row <= book::RowD; ++row)
        onClick(this, importButtons[row], [this, row] { importMember(row); });
}

// ---- reading the book ---------------------------------------------------------------------

ArchiveFile BookPageScreen::bookArchive() const
{
    return ArchiveFile(text::trimmed(m_lblFile->text()), book::kPageRecordSize);
}

void BookPageScreen::archiveFailed()
{
    m_context.services().message(this, MessageKind::Error, store::archiveAccessMessage());
}

// A book that cannot be read is said so, rather than shown as an empty book that a save would
// seem to start afresh.
void BookPageScreen::showLastPage()
{
    ArchiveFile archive = bookArchive();
    if (!archive.openForReading()) {
        newPage();
        archiveFailed();
        return;
    }
    const qint64 count = archive.count();
    if (count == 0) {
        newPage();
        return;
    }
    if (!readPage(archive, count)) {
        newPage();
        return;
    }
    box(book::rowField(book::RowA, book::Order))->setFocus();
}

bool BookPageScreen::loadPage(qint64 position)
{
    ensureBuilt();
    ArchiveFile archive = bookArchive();
    if (!archive.openForReading()) {
        archiveFailed();
        return false;
    }
    return readPage(archive, position);
}

bool BookPageScreen::readPage(ArchiveFile &archive, qint64 position)
{
    QByteArray record;
    if (!archive.read(position, record)) {
        archiveFailed();
        return false;
    }
    archive.close();
    m_form->show(book::pageLayout().fields(record));
    m_lblPosizione->setText(QString::number(position));
    return true;
}

void BookPageScreen::browse(Arrow arrow)
{
    ArchiveFile archive = bookArchive();
    browseCard(m_context.services(), this, archive, arrow, m_lblPosizione,
        [this](ArchiveFile &open, qint64 position) { readPage(open, position); });
}

// ---- new, duplicate, save -----------------------------------------------------------------

void BookPageScreen::newPage()
{
    m_form->show(book::newPage(m_form->values()));
    m_lblPosizione->clear();
    box(book::rowField(book::RowA, book::Order))->setFocus();
}

void BookPageScreen::duplicate()
{
    if (position().isEmpty()) {
        m_context.services().message(
            this, MessageKind::Warning, store::duplicateNeedsSavedCardMessage());
        return;
    }
    for (int i = book::File1; i <= book::Desc3; ++i)
        m_form->hiddenLabel(i)->clear();
    m_lblPosizione->clear();
    box(book::rowField(book::RowA, book::Order))->setFocus();
    m_context.services().message(this, MessageKind::Information, store::duplicateReadyMessage());
}

// The required fields in their order; false when the page may be saved.
bool BookPageScreen::refuseSave(const QStringList &values)
{
    const std::optional<store::SaveRefusal> refusal = book::pageSaveRefusal(values);
    if (!refusal)
        return false;
    showRefusal(m_context.services(), this, *refusal, box(refusal->field));
    return true;
}

void BookPageScreen::save()
{
    const QStringList values = pageValues();
    if (refuseSave(values))
        return;
    const bool appending = position().isEmpty();
    ArchiveFile archive = bookArchive();
    const std::optional<qint64> written
        = store::storeCard(archive, book::pageLayout(), values, position());
    if (!written) {
        m_context.services().plainMessage(this, store::archiveAccessMessage());
        return;
    }
    m_lblPosizione->setText(QString::number(*written));
    m_context.services().message(this, MessageKind::Information, store::savedMessage(appending));
}

// ---- the dialogs ----------------------------------------------------------------------------

void BookPageScreen::openDatePicker(int field)
{
    if (const std::optional<QDate> date
        = DatePicker::pick(m_context, this, dateFieldMode(book::pageTable(), field)))
        box(field)->setText(text::formatDate(*date));
}

template <typename Dialog> void BookPageScreen::printPage()
{
    Dialog dialog(m_context, this, pageValues(), position());
    runPerUseDialog(m_context.services(), dialog);
}

// The page search hands back the page chosen, which the screen then shows.
void BookPageScreen::findPage()
{
    if (const std::optional<qint64> page
        = PageSearchDialog::choose(m_context, this, text::trimmed(m_lblFile->text())))
        loadPage(*page);
}

// The import hands back the member chosen: only the row fields it fills change, the rest of the
// page stays as it is, and nothing reaches the book before Save.
void BookPageScreen::importMember(int row)
{
    const std::optional<qint64> member
        = MemberImportDialog::choose(m_context, this, book::PageRow(row));
    if (!member)
        return;
    const std::optional<book::ImportedRow> imported = MemberImportDialog::rowOf(m_context, *member);
    if (!imported) {
        archiveFailed();
        return;
    }
    for (auto it = imported->cbegin(); it != imported->cend(); ++it)
        box(book::rowField(row, it.key()))->setText(it.value());
}

} // namespace almavest::ui
