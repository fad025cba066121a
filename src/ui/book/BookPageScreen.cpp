#include "ui/book/BookPageScreen.h"

#include "book/PageRecord.h"
#include "checks/TaxCodeRules.h"
#include "places/PlaceRegister.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/book/MemberImportDialog.h"
#include "ui/book/PageSearchDialog.h"
#include "ui/checks/CodeCheckDialog.h"
#include "ui/checks/PlaceCompleter.h"
#include "ui/checks/TaxCodeMaker.h"
#include "ui/conventions/CardForm.h"
#include "ui/conventions/Window.h"
#include "ui/dialogs/CardAttachments.h"
#include "ui/help/HelpWindow.h"
#include "ui/print/BookPagePrintDialog.h"
#include "ui/services/Services.h"

#include <QLabel>
#include <QLineEdit>

namespace almavest::ui {

BookPageScreen::BookPageScreen(AppContext &context)
    : CardScreen(context, book::pageTable())
{
    setObjectName(QStringLiteral("frmRegistro"));
    setWindowTitle(QStringLiteral(" Almavest - Compilazione Libro Soci"));
}

BookPageScreen::~BookPageScreen() = default;

// The 52 row boxes are recoloured while focused; the five book-level boxes have halos.
Highlight BookPageScreen::highlightOf(int field) const
{
    return field >= book::FirstRowField && field < book::File1 ? Highlight::Background
                                                               : Highlight::Halo;
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

void BookPageScreen::openBook(QWidget *from, const QString &path, const QString &name)
{
    ensureBuilt();
    m_bookPath = text::trimmed(path);
    m_lblFile->setText(m_bookPath);
    m_lblNome->setText(name);
    context().navigator().go(Screen::BookPage, from);
}

void BookPageScreen::finishCard()
{
    dressBoxes();
    AppContext &context = this->context();
    onClick("cmdTrova", [this] { findPage(); });
    onClick("btnCodFisc", [this, &context] {
        openTaxCodeCheck(context, this, box(book::AssociationTaxCode)->text());
    });
    onClick("cmdAnteprima", [this] { printPage<BookPagePreview>(); });
    onClick("cmdStampa", [this] { printPage<BookPagePrint>(); });
    onClick("cmdFile", [this, &context] {
        editCardAttachments(context, this, form(), AttachmentsMode::BookPage);
    });
    onClick("cmdGuida", [this, &context] { showHelpTopic(context, this, HelpTopic::BookPage); });
    const char *importButtons[] = {"impSocio_A", "impSocio_B", "impSocio_C", "impSocio_D"};
    const char *makeButtons[] = {"calcCF_A", "calcCF_B", "calcCF_C", "calcCF_D"};
    for (int row = book::RowA; row <= book::RowD; ++row) {
        onClick(importButtons[row], [this, row] { importMember(row); });
        onClick(makeButtons[row], [this, row] { makeTaxCode(row); });
        completePlaces(box(book::rowField(row, book::BirthPlace)));
    }
}

void BookPageScreen::makeTaxCode(int row)
{
    const auto rowBox = [this, row](int field) { return box(book::rowField(row, field)); };
    const std::optional<QString> code = TaxCodeMaker::make(context(), this,
        {rowBox(book::MemberName)->text(), rowBox(book::BirthDate)->text(),
            rowBox(book::BirthPlace)->text(), rowBox(book::TaxCode)->text()});
    if (code)
        rowBox(book::TaxCode)->setText(*code);
}

// Rows whose codice fiscale disagrees with their birth date or place are saved only when the
// user says so, as on the member card.
bool BookPageScreen::confirmSave(const QStringList &values)
{
    QStringList said;
    int first = -1;
    for (int row = book::RowA; row <= book::RowD; ++row) {
        const auto value = [&](int field) { return values.at(book::rowField(row, field)); };
        const QStringList disagree = checks::taxCodeDisagreements(value(book::TaxCode),
            value(book::BirthDate), value(book::BirthPlace), context().services().today(),
            places::PlaceRegister::builtIn());
        if (disagree.isEmpty())
            continue;
        if (first < 0)
            first = row;
        said.append(QStringLiteral("- riga ") + QChar(u'A' + row) + QStringLiteral(", ")
            + text::trimmed(value(book::TaxCode)).toUpper() + QStringLiteral(": ")
            + disagree.join(QStringLiteral(" e ")));
    }
    if (said.isEmpty())
        return true;
    const QString question = QStringLiteral("Attenzione: questi codici fiscali non corrispondono "
                                            "a quanto indicato nella loro riga:\r\n")
        + said.join(QStringLiteral("\r\n"))
        + QStringLiteral("\r\n\r\nSe i codici sono quelli rilasciati dall'Agenzia delle "
                         "Entrate, possono essere salvati così. Salvare comunque la pagina?");
    if (context().services().message(this, MessageKind::Question, question))
        return true;
    box(book::rowField(first, book::TaxCode))->setFocus();
    return false;
}

// ---- the page's own part of new and save ---------------------------------------------------

// A new page keeps the book-level fields shown: they are the same on every page of a book.
QStringList BookPageScreen::newValues() const
{
    return book::newPage(form().values());
}

int BookPageScreen::firstField() const
{
    return book::rowField(book::RowA, book::Order);
}

std::optional<store::SaveRefusal> BookPageScreen::saveRefusal(const QStringList &values) const
{
    return book::pageSaveRefusal(values);
}

// The rows hold the same fields: the row's letter tells them apart.
QString BookPageScreen::fieldName(int field) const
{
    QString name = CardScreen::fieldName(field);
    if (field < book::FirstRowField || field >= book::File1)
        return name;
    const int row = (field - book::FirstRowField) / book::kRowFieldCount;
    return name + QStringLiteral(" (riga ") + QChar(u'A' + row) + u')';
}

// ---- the dialogs ----------------------------------------------------------------------------

template <typename Dialog> void BookPageScreen::printPage()
{
    const std::optional<qint64> page = position();
    Dialog dialog(context(), this, values(), page ? QString::number(*page) : QString());
    runPerUseDialog(context().services(), dialog);
}

// The page search hands back the page chosen, which the screen then shows.
void BookPageScreen::findPage()
{
    if (const std::optional<qint64> page = PageSearchDialog::choose(context(), this, m_bookPath))
        loadCard(*page);
}

// The import hands back the member chosen: only the row fields it fills change, the rest of the
// page stays as it is, and nothing reaches the book before Save.
void BookPageScreen::importMember(int row)
{
    const std::optional<qint64> member
        = MemberImportDialog::choose(context(), this, book::PageRow(row));
    if (!member)
        return;
    const std::optional<book::ImportedRow> imported = MemberImportDialog::rowOf(context(), *member);
    if (!imported) {
        archiveFailed();
        return;
    }
    for (auto it = imported->cbegin(); it != imported->cend(); ++it)
        form().setText(book::rowField(row, it.key()), it.value());
}

} // namespace almavest::ui
