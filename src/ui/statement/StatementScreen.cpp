#include "ui/statement/StatementScreen.h"

#include "journal/MovementRecord.h"
#include "report/PreparedReport.h"
#include "statement/StatementSheet.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/ScanRunner.h"
#include "ui/conventions/Window.h"
#include "ui/exporting/WorkbookSaving.h"
#include "ui/print/ReportOutput.h"
#include "ui/services/Services.h"
#include "ui/statement/CausaliDialog.h"
#include "ui/statement/StatementPrint.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryFile>

#include <filesystem>

namespace almavest::ui {

namespace {

using statement::RowKind;
using statement::StatementRow;

constexpr FieldSettings kYearField {"txtAnno", 4, KeyFilter::Digits, Casing::None, "btnMostra"};

// The least width of an amount column, in pixels: "-123456,78" at the grid's font.
constexpr int kAmountWidth = 90;

enum GridColumn {
    PaymentsLabel,
    PaymentsYear,
    PaymentsPrevious,
    ReceiptsLabel,
    ReceiptsYear,
    ReceiptsPrevious,
    kGridColumns
};

QTableWidgetItem *cell(const QString &text, const StatementRow &row, bool amount)
{
    auto *item = new QTableWidgetItem(text);
    if (row.kind != RowKind::Line) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    if (amount)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else
        item->setToolTip(text);
    return item;
}

void setHalf(QTableWidget *grid, int row, const StatementRow &shown, int label)
{
    grid->setItem(row, label, cell(shown.label, shown, false));
    grid->setItem(row, label + 1, cell(statementAmount(shown.current), shown, true));
    grid->setItem(row, label + 2, cell(statementAmount(shown.previous), shown, true));
}

QString causaliList(const statement::CashStatement &statement, statement::Side side)
{
    QStringList names;
    for (const statement::UnassignedCausale &causale : statement.unassigned) {
        if (causale.side == side)
            names.append(QStringLiteral("\"%1\"").arg(causale.causale));
    }
    return names.join(QStringLiteral(", "));
}

} // namespace

StatementScreen::StatementScreen(AppContext &context)
    : m_context(context)
{
    setObjectName(QStringLiteral("frmRendiconto"));
    setWindowTitle(QStringLiteral(" Almavest - Rendiconto per cassa"));
    setWindowState(Qt::WindowMaximized);
}

StatementScreen::~StatementScreen() = default;

void StatementScreen::build()
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *info = namedLabel("lblInfo",
        QStringLiteral("Il rendiconto per cassa dell'esercizio, secondo il modello del "
                       "Ministero: entrate e uscite di ogni sezione, avanzi e disavanzi, cassa e "
                       "banca a fine anno, accanto all'anno precedente."),
        this);
    info->setWordWrap(true);
    top->addWidget(info, 1);
    top->addWidget(helpPicture(m_context, this, HelpTopic::Statement), 0, Qt::AlignTop);
    layout->addLayout(top);

    auto *yearRow = new QHBoxLayout;
    m_txtAnno = new QLineEdit(this);
    m_txtAnno->setObjectName(QLatin1String(kYearField.name));
    m_txtAnno->setMaximumWidth(80);
    yearRow->addWidget(namedLabel("titAnno", QStringLiteral("Esercizio:"), this));
    yearRow->addWidget(m_txtAnno);
    auto *btnMostra = new QPushButton(QStringLiteral("Mostra rendiconto"), this);
    btnMostra->setObjectName(QLatin1String(kYearField.enterNext));
    auto *btnCausali = new QPushButton(QStringLiteral("Voci e saldi iniziali"), this);
    btnCausali->setObjectName(QStringLiteral("btnCausali"));
    yearRow->addWidget(btnMostra);
    yearRow->addWidget(btnCausali);
    yearRow->addStretch(1);
    layout->addLayout(yearRow);
    connect(btnMostra, &QPushButton::clicked, this, &StatementScreen::showStatement);
    connect(btnCausali, &QPushButton::clicked, this, &StatementScreen::editCausali);
    makeEnterClick(btnCausali);

    m_lblAttendere = namedLabel(
        "lblAttendere", QStringLiteral("Lettura della primanota in corso. Attendere..."), this);
    m_lblAttendere->hide();
    layout->addWidget(m_lblAttendere);
    new ScanRunner(m_context.services(), this, m_lblAttendere);

    m_grdRendiconto = new QTableWidget(0, kGridColumns, this);
    m_grdRendiconto->setObjectName(QStringLiteral("grdRendiconto"));
    m_grdRendiconto->verticalHeader()->hide();
    m_grdRendiconto->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdRendiconto->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (const int label : {PaymentsLabel, ReceiptsLabel})
        m_grdRendiconto->horizontalHeader()->setSectionResizeMode(label, QHeaderView::Stretch);
    layout->addWidget(m_grdRendiconto, 1);
    buildButtons(layout);

    applyField(this, kYearField);
    applyHandCursor(this);
}

void StatementScreen::buildButtons(QBoxLayout *layout)
{
    auto *buttons = new QHBoxLayout;
    const std::pair<const char *, const char *> names[]
        = {{"btnAnteprima", "Anteprima"}, {"btnStampa", "Stampa"}, {"btnPdf", "Salva PDF"},
            {"btnFoglio", "Foglio di calcolo"}, {"btnEsci", "Esci"}};
    std::vector<QPushButton *> made;
    for (const auto &[name, text] : names) {
        auto *button = new QPushButton(QString::fromUtf8(text), this);
        button->setObjectName(QLatin1String(name));
        makeEnterClick(button);
        made.push_back(button);
    }
    buttons->addWidget(made[0]);
    buttons->addWidget(made[1]);
    buttons->addWidget(made[2]);
    buttons->addWidget(made[3]);
    buttons->addStretch(1);
    buttons->addWidget(made[4]);
    layout->addLayout(buttons);
    connect(made[0], &QPushButton::clicked, this, &StatementScreen::preview);
    connect(made[1], &QPushButton::clicked, this, &StatementScreen::print);
    connect(made[2], &QPushButton::clicked, this, &StatementScreen::savePdf);
    connect(made[3], &QPushButton::clicked, this, &StatementScreen::saveWorkbook);
    connect(made[4], &QPushButton::clicked, this, &QWidget::close);
}

void StatementScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        // The statement asked for most often is the last year closed.
        m_txtAnno->setText(journal::journalYearText(m_context.services().today().year() - 1));
        clearGrid();
        m_txtAnno->setFocus();
    }
    ResidentScreen::showEvent(event);
}

void StatementScreen::closeEvent(QCloseEvent *event)
{
    ScanRunner::of(m_context.services(), this).cancel();
    m_context.navigator().go(Screen::Launcher);
    event->accept();
}

void StatementScreen::clearGrid()
{
    m_statement.reset();
    m_grdRendiconto->setRowCount(0);
    m_grdRendiconto->setHorizontalHeaderLabels({QStringLiteral("Uscite"), QString(), QString(),
        QStringLiteral("Entrate"), QString(), QString()});
}

bool StatementScreen::showStatement()
{
    ensureBuilt();
    clearGrid();
    Services &services = m_context.services();
    const journal::JournalYear year = journal::readJournalYear(m_txtAnno->text());
    if (!year.accepted()) {
        services.message(this, MessageKind::Warning, year.refusal);
        m_txtAnno->setFocus();
        return false;
    }
    QString error;
    const std::optional<statement::StatementSettings> settings = statement::StatementSettings::load(
        m_context.folder().file(QLatin1String(statement::kStatementSettingsFile)), &error);
    if (!settings) {
        services.message(this, MessageKind::Error, unreadableSettingsMessage(error));
        return false;
    }
    const QString folder = m_context.folder().path();
    const statement::OpeningBalances opening = settings->opening;
    const std::optional<statement::StatementScan> scan
        = ScanRunner::waitFor(services, this, [folder, year, opening](store::ScanControl &control) {
              return statement::scanForStatement(folder, year.year, opening, &control);
          });
    if (!scan)
        return false;
    if (scan->yearMissing) {
        services.message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: l'anno %1 non ha nessuna primanota nella cartella del "
                           "programma.\n\r\n\rNon risulta nessun movimento da rendicontare.")
                .arg(journal::journalYearText(year.year)));
        return false;
    }
    if (scan->failedYear >= 0) {
        services.message(this, MessageKind::Error, unreadableJournalMessage(scan->failedYear));
        return false;
    }
    statement::CashStatement statement
        = statement::buildStatement(statement::StatementForm::builtIn(), *settings, scan->input);
    if (statement.refused()) {
        tellUnassigned(statement);
        return false;
    }
    if (scan->unreadable > 0) {
        services.message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: %1 movimenti della primanota non possono essere letti "
                           "(importo danneggiato) e non sono compresi nel rendiconto.")
                .arg(scan->unreadable));
    }
    fillGrid(statement);
    m_statement = std::move(statement);
    return true;
}

void StatementScreen::tellUnassigned(const statement::CashStatement &statement)
{
    QString text = QStringLiteral("Attenzione: il rendiconto non può essere preparato perché "
                                  "alcune causali della primanota non sono ancora assegnate a "
                                  "una voce del rendiconto.");
    const QString income = causaliList(statement, statement::Side::Receipts);
    const QString expenses = causaliList(statement, statement::Side::Payments);
    if (!income.isEmpty())
        text += QStringLiteral("\n\r\n\rEntrate: ") + income;
    if (!expenses.isEmpty())
        text += QStringLiteral("\n\r\n\rUscite: ") + expenses;
    text += QStringLiteral("\n\r\n\rAssegnarle ora?");
    // Once they are assigned, the statement the user asked for follows.
    if (m_context.services().message(this, MessageKind::Question, text)
        && CausaliDialog::edit(m_context, this))
        showStatement();
}

void StatementScreen::fillGrid(const statement::CashStatement &statement)
{
    const QString year = journal::journalYearText(statement.year);
    const QString previous = journal::journalYearText(statement.year - 1);
    m_grdRendiconto->setHorizontalHeaderLabels(
        {QStringLiteral("Uscite"), year, previous, QStringLiteral("Entrate"), year, previous});
    const std::vector<statement::RowPair> pairs = statement::pairRows(statement);
    m_grdRendiconto->setRowCount(int(pairs.size()));
    for (int row = 0; row < int(pairs.size()); ++row) {
        const statement::RowPair &pair = pairs[std::size_t(row)];
        if (pair.payments)
            setHalf(m_grdRendiconto, row, *pair.payments, PaymentsLabel);
        if (pair.receipts)
            setHalf(m_grdRendiconto, row, *pair.receipts, ReceiptsLabel);
    }
    m_grdRendiconto->resizeColumnsToContents();
    // A year without figures keeps a column wide enough for its amounts.
    for (const int amount : {PaymentsYear, PaymentsPrevious, ReceiptsYear, ReceiptsPrevious}) {
        m_grdRendiconto->setColumnWidth(
            amount, std::max(m_grdRendiconto->columnWidth(amount), kAmountWidth));
    }
    for (const int label : {PaymentsLabel, ReceiptsLabel})
        m_grdRendiconto->horizontalHeader()->setSectionResizeMode(label, QHeaderView::Stretch);
}

void StatementScreen::editCausali()
{
    ensureBuilt();
    CausaliDialog::edit(m_context, this);
}

void StatementScreen::preview()
{
    if (showStatement())
        sendReport(m_context.services(), this,
            prepareStatementReport(*m_statement, m_context.services().today()),
            ReportOutput::Preview);
}

void StatementScreen::print()
{
    if (showStatement())
        sendReport(m_context.services(), this,
            prepareStatementReport(*m_statement, m_context.services().today()),
            ReportOutput::Printer);
}

// The same statement as a workbook: the form's rows in order, the amounts as euro numbers.
void StatementScreen::saveWorkbook()
{
    if (!showStatement())
        return;
    const exporting::WorkbookTable rows = statement::statementTable(*m_statement);
    ui::saveWorkbook(m_context, this,
        {QStringLiteral("Rendiconto per cassa ") + journal::journalYearText(m_statement->year),
            statement::statementColumns(*m_statement), rows});
}

// The PDF is written beside its place under a temporary name and renamed over it once whole, so
// that a failure leaves an older file of that name as it was.
void StatementScreen::savePdf()
{
    if (!showStatement())
        return;
    Services &services = m_context.services();
    const std::optional<report::PreparedReport> report
        = prepareStatementReport(*m_statement, services.today());
    if (!report) {
        services.message(this, MessageKind::Error, unreadableTemplateMessage());
        return;
    }
    const QString path = services.saveFileName(this, QStringLiteral("Salva il rendiconto in PDF"),
        QStringLiteral("Documento PDF (*.pdf)"),
        QStringLiteral("Rendiconto_%1.pdf").arg(journal::journalYearText(m_statement->year)));
    if (path.isEmpty())
        return;
    QTemporaryFile temporary(
        QFileInfo(path).absolutePath() + QStringLiteral("/.rendiconto-XXXXXX"));
    std::error_code renamed;
    bool written = temporary.open();
    if (written) {
        temporary.close();
        written = report::writePdf(*report, temporary.fileName())
            && QFileInfo(temporary.fileName()).size() > 0;
    }
    if (written) {
        std::filesystem::rename(temporary.fileName().toStdString(), path.toStdString(), renamed);
        written = !renamed;
        if (written)
            temporary.setAutoRemove(false);
    }
    if (!written) {
        services.message(this, MessageKind::Error,
            QStringLiteral("Attenzione: non è stato possibile salvare il rendiconto nel file "
                           "%1.\n\r\n\rControllare che la cartella esista, che sia possibile "
                           "scriverci e che il disco non sia pieno.")
                .arg(QDir::toNativeSeparators(path)));
        return;
    }
    services.message(this, MessageKind::Information,
        QStringLiteral("Il rendiconto è stato salvato nel file %1.")
            .arg(QDir::toNativeSeparators(path)));
}

} // namespace almavest::ui
