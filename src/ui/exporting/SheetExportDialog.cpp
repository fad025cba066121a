#include "ui/exporting/SheetExportDialog.h"

#include "app/ProgramFolder.h"
#include "app/SystemCause.h"
#include "store/ArchiveFile.h"
#include "store/WholeFile.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/PictureButton.h"
#include "ui/conventions/ScanRunner.h"
#include "ui/conventions/Window.h"
#include "ui/exporting/ColumnChoiceDialog.h"
#include "ui/exporting/SheetGridModel.h"
#include "ui/exporting/WorkbookSaving.h"
#include "ui/help/HelpWindow.h"
#include "ui/services/Services.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>

namespace almavest::ui {

namespace {

constexpr int kRowHeight = 21;
constexpr int kNumberWidth = 60;

constexpr HintSpec kHints[] = {
    {"cmdEsporta", "Esporta l'archivio in formato Microsoft Excel."},
    {"cmdFoglio", "Salva le schede come foglio di calcolo (.xlsx, .ods o .xls)."},
    {"cmdColonne", "Sceglie le colonne del foglio di calcolo e il loro ordine."},
    {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
    {"cmdEsci", "Esci da questo ambiente di lavoro."},
};

const char *const kAskToExport
    = "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
      "schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?";
const char *const kAskToOpen = "Le schede in archivio sono state esportate con successo.\r\n\r\n"
                               "Si vuole aprire il file di Excel?";
const char *const kExportFailed = "Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                  "Accertarsi che il file di Excel non sia già aperto.";

QFrame *surface(const char *name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

} // namespace

SheetGrid::SheetGrid(QWidget *parent)
    : QTableView(parent)
{ }

void SheetGrid::commitTyping()
{
    if (state() != EditingState)
        return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

SheetExportDialog::SheetExportDialog(
    AppContext &context, QWidget *owner, const SheetDialogForm &form)
    : QDialog(owner)
    , m_context(context)
    , m_form(form)
{
    setObjectName(QLatin1String(form.objectName));
    setWindowTitle(QString::fromUtf8(form.title));
    QWidget *panel = buildPanel();
    m_panInfo
        = namedLabel("panInfo", QStringLiteral("Esportazione archivio in Microsoft Excel."), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel, 1);
    layout->addWidget(m_panInfo);
    installHints(this, m_panInfo, kHints,
        {this, panel, m_grid, m_grid->viewport(), m_shpSfondo1, m_shpSfondo2});
    applyHandCursor(this);
    resize(1000, 620);
    makeDialogWindow(this);
}

// The banner over the grid on one background rectangle, the buttons on the other.
QWidget *SheetExportDialog::buildPanel()
{
    auto *panel = surface("panExport", this);
    auto *top = surface("shpSfondo1", panel);
    m_shpSfondo1 = top;
    auto *banner = namedLabel("imgLogo", QString(), top);
    showPicture(banner, QStringLiteral("banner-export.svg"), QSize(545, 85));
    m_model = new SheetGridModel(m_form.sheet, this);
    m_grid = new SheetGrid(top);
    m_grid->setObjectName(QStringLiteral("grdRecords"));
    m_grid->setModel(m_model);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->setColumnWidth(0, kNumberWidth);
    for (size_t column = 0; column < m_form.sheet.columns.size(); ++column)
        m_grid->setColumnWidth(
            static_cast<int>(column) + 1, m_form.sheet.columns[column].gridWidth);
    auto *topLayout = new QVBoxLayout(top);
    topLayout->addWidget(banner, 0, Qt::AlignHCenter);
    topLayout->addWidget(m_grid, 1);

    auto *bottom = surface("shpSfondo2", panel);
    m_shpSfondo2 = bottom;
    auto *buttons = new QHBoxLayout(bottom);
    buttons->addStretch(1);
    const auto add = [bottom, buttons](const char *name, const char *picture, const char *caption) {
        QToolButton *button = makePictureButton(
            QLatin1String(name), QLatin1String(picture), QString::fromUtf8(caption), bottom);
        buttons->addWidget(button);
        return button;
    };
    connect(add("cmdEsporta", "btn-esporta.svg", "Esporta"), &QToolButton::clicked, this,
        &SheetExportDialog::exportSheet);
    connect(add("cmdFoglio", "btn-foglio.svg", "Foglio di calcolo"), &QToolButton::clicked, this,
        &SheetExportDialog::saveWorkbook);
    connect(add("cmdColonne", "btn-colonne.svg", "Colonne"), &QToolButton::clicked, this,
        &SheetExportDialog::chooseColumns);
    connect(add("cmdGuida", "btn-guida.svg", "Guida"), &QToolButton::clicked, this,
        [this] { showHelpTopic(m_context, this, m_form.help); });
    connect(add("cmdEsci", "btn-esci.svg", "Esci"), &QToolButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(top, 1);
    layout->addWidget(bottom);
    return panel;
}

void SheetExportDialog::run(const QString &archivePath)
{
    // Read with the opening window kept free; a reading the user cancels opens nothing.
    struct Read
    {
        bool ok = false;
        exporting::SheetRows rows;
    };
    std::optional<Read> read = ScanRunner::waitFor(m_context.services(), parentWidget(),
        [sheet = &m_form.sheet, archivePath](store::ScanControl &control) {
            Read found;
            found.ok = exporting::readSheetRows(*sheet, archivePath, found.rows, nullptr, &control);
            return found;
        });
    if (!read)
        return;
    if (!read->ok) {
        m_context.services().message(
            parentWidget(), MessageKind::Error, store::archiveAccessMessage());
        return;
    }
    m_model->setRows(std::move(read->rows));
    runPerUseDialog(m_context.services(), *this);
}

void SheetExportDialog::exportSheet()
{
    m_grid->commitTyping();
    Services &services = m_context.services();
    if (!services.message(this, MessageKind::Question, QString::fromUtf8(kAskToExport)))
        return;
    const QString path = exporting::sheetPath(m_context.folder().path(), m_form.sheet);
    if (!m_context.folder().keepsInside(path)) {
        services.plainMessage(this, store::outsideLinkMessage(QFileInfo(path).fileName()));
        return;
    }
    QString reason;
    if (exporting::writeSheet(path, m_form.sheet, m_model->rows(), &reason)
        != store::WriteFailure::None) {
        services.plainMessage(this, app::withSystemCause(QString::fromUtf8(kExportFailed), reason));
        return;
    }
    offerToOpen(m_context, this, path, QString::fromUtf8(kAskToOpen));
}

// The grid as a workbook with the columns chosen; the .xls choice writes every column, as the
// export does, for those who rely on that file.
void SheetExportDialog::saveWorkbook()
{
    m_grid->commitTyping();
    const QList<int> chosen = currentColumns();
    // The grid stays free while the workbook is written on its own thread: the writing reads a
    // copy, so typing meanwhile cannot change the cells under it.
    const exporting::SheetRows all = m_model->rows();
    const exporting::ChosenSheetRows rows(m_form.sheet, all, chosen);
    const exporting::SheetForm &sheet = m_form.sheet;
    ui::saveWorkbook(m_context, this,
        {QString::fromUtf8(sheet.worksheetName), exporting::workbookColumns(sheet, chosen), rows,
            [&sheet, &all](const QString &path, QString *error) {
                return exporting::writeSheet(path, sheet, all, error);
            }});
}

void SheetExportDialog::chooseColumns()
{
    const std::optional<QList<int>> chosen
        = ColumnChoiceDialog::choose(m_context, this, m_form.sheet, currentColumns());
    if (!chosen)
        return;
    m_sessionColumns = *chosen;
    QString reason;
    if (!exporting::saveChosenColumns(m_context.folder().path(), m_form.sheet, *chosen, &reason)) {
        m_context.services().message(this, MessageKind::Error,
            app::withSystemCause(
                QStringLiteral("Attenzione: non è stato possibile conservare la scelta delle "
                               "colonne nel file Esporta.ini della cartella del programma.\r\n\r\n"
                               "La scelta vale solo fino alla chiusura di questa finestra."),
                reason));
    }
}

QList<int> SheetExportDialog::currentColumns() const
{
    if (m_sessionColumns)
        return exporting::validColumns(m_form.sheet, *m_sessionColumns);
    return exporting::loadChosenColumns(m_context.folder().path(), m_form.sheet);
}

} // namespace almavest::ui
