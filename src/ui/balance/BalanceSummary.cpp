#include "ui/balance/BalanceSummary.h"

#include "journal/MovementRecord.h"
#include "report/Fonts.h"
#include "report/PreparedReport.h"
#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/book/CatalogueWindow.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/ListLineDelegate.h"
#include "ui/conventions/QuickFind.h"
#include "ui/conventions/RecordListModel.h"
#include "ui/conventions/ScanRunner.h"
#include "ui/conventions/Window.h"
#include "ui/exporting/WorkbookSaving.h"
#include "ui/print/ReportOutput.h"
#include "ui/services/Services.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

constexpr const char *kNoPurpose = "- - -";

// The balance's own word for a year file it cannot open or read.
QString accessMessage()
{
    return QStringLiteral("Attenzione: il file di archivio non risulta accessibile.");
}

QLabel *boldLabel(const char *name, const QString &text, QWidget *parent)
{
    QLabel *label = namedLabel(name, text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

BalanceSummary::BalanceSummary(AppContext &context, QWidget *owner)
    : QDialog(owner)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmBilancio"));
    setWindowTitle(QStringLiteral(" Almavest - Riepilogo primanota e bilancio"));
    buildControls();
    m_quickFind = std::make_unique<QuickFind>(m_lstRecords, m_context.services());
    // Maximised, for the room its long lines ask for, even where no window manager maximises it.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    resize(screen->availableGeometry().size());
    setWindowState(Qt::WindowMaximized);
    applyHandCursor(this);
}

BalanceSummary::~BalanceSummary() = default;

void BalanceSummary::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(8);
    buildHeading(layout);
    buildFindRow(layout);

    m_model = new RecordListModel(this);
    m_lstRecords = new QListView(this);
    m_lstRecords->setObjectName(QStringLiteral("lstRecords"));
    m_lstRecords->setModel(m_model);
    m_lstRecords->setUniformItemSizes(true);
    m_lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lstRecords->setFont(fonts::named(fonts::kCourierNew, 12));
    m_lstRecords->setItemDelegate(
        new ListLineDelegate(m_lstRecords, 0, QString::fromLatin1(journal::kAmountLabel)));
    layout->addWidget(m_lstRecords, 1);

    buildTotals(layout);
    m_lblConta = namedLabel("lblConta", QStringLiteral("0"), this);
    m_lblConta->hide();
    buildButtons(layout);
}

void BalanceSummary::buildHeading(QVBoxLayout *layout)
{
    auto *band = new QFrame(this);
    band->setObjectName(QStringLiteral("panTitolo"));
    auto *heading = new QHBoxLayout(band);
    heading->addWidget(
        boldLabel("lblTipologia", QStringLiteral("PRIMANOTA E BILANCIO - Causale :"), band));
    m_titTipologia = boldLabel("titTipologia", QLatin1String(kNoPurpose), band);
    heading->addWidget(m_titTipologia, 1);
    heading->addWidget(
        boldLabel("infIntervallo", QStringLiteral("Intervallo selezionato :"), band));
    m_lblIntervallo
        = boldLabel("lblIntervallo", QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa"), band);
    m_lblIntervallo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    heading->addWidget(m_lblIntervallo);
    heading->addSpacing(12);
    heading->addWidget(helpPicture(m_context, band, HelpTopic::Balance));
    layout->addWidget(band);
}

void BalanceSummary::buildFindRow(QVBoxLayout *layout)
{
    layout->addWidget(namedLabel("lblRigo01",
        QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da "
                       "cercare e premere il pulsante Trova."),
        this));
    layout->addWidget(namedLabel("lblRigo02",
        QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di "
                       "ricerca, fare di nuovo clic su Trova."),
        this));
    auto *findRow = new QHBoxLayout;
    m_txtTrova = new QLineEdit(this);
    m_txtTrova->setObjectName(QStringLiteral("txtTrova"));
    m_txtTrova->setMaximumWidth(480);
    QPushButton *btnTrova = button("btnTrova", QStringLiteral("Trova"));
    findRow->addWidget(m_txtTrova, 1);
    findRow->addWidget(btnTrova);
    findRow->addStretch();
    layout->addLayout(findRow);
    connect(
        btnTrova, &QPushButton::clicked, this, [this] { m_quickFind->find(m_txtTrova->text()); });
}

void BalanceSummary::buildTotals(QVBoxLayout *layout)
{
    auto *totals = new QGridLayout;
    m_lblTotEntrate
        = totalRow("titTotEntrate", "lblTotEntrate", QStringLiteral("TOTALE ENTRATE :"));
    m_lblTotUscite = totalRow("titTotUscite", "lblTotUscite", QStringLiteral("TOTALE USCITE :"));
    m_lblBilancio = totalRow(
        "infTotKmPercorsi", "lblBilancio", QStringLiteral("BILANCIO ENTRATE E USCITE :"));
    int row = 0;
    for (QLabel *total : {m_lblTotEntrate, m_lblTotUscite, m_lblBilancio}) {
        totals->addWidget(total->buddy(), row, 0);
        totals->addWidget(total, row++, 1);
    }
    totals->setColumnStretch(2, 1);
    layout->addLayout(totals);
}

void BalanceSummary::buildButtons(QVBoxLayout *layout)
{
    auto *buttons = new QHBoxLayout;
    QPushButton *btnStampa = button("btnStampa", QStringLiteral("Stampa primanota"));
    QPushButton *btnFoglio = button("btnFoglio", QStringLiteral("Foglio di calcolo"));
    QPushButton *btnEsci = button("btnEsci", QStringLiteral("Esci"));
    buttons->addStretch();
    buttons->addWidget(btnFoglio);
    buttons->addWidget(btnStampa);
    buttons->addWidget(btnEsci);
    layout->addLayout(buttons);
    connect(btnStampa, &QPushButton::clicked, this, &BalanceSummary::print);
    connect(btnFoglio, &QPushButton::clicked, this, &BalanceSummary::saveWorkbook);
    connect(btnEsci, &QPushButton::clicked, this, &QDialog::reject);
}

// No button is the dialog's default: Enter in the find box does nothing, and Enter on a
// focused button presses that button only.
QPushButton *BalanceSummary::button(const char *name, const QString &text)
{
    auto *pushButton = new QPushButton(text, this);
    pushButton->setObjectName(QLatin1String(name));
    pushButton->setAutoDefault(false);
    makeEnterClick(pushButton);
    return pushButton;
}

// A total's caption goes in as its buddy, so that the grid can place the two side by side.
QLabel *BalanceSummary::totalRow(const char *title, const char *name, const QString &caption)
{
    QLabel *value = boldLabel(name, balance::formatCents(0), this);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(200);
    value->setBuddy(boldLabel(title, caption, this));
    return value;
}

bool BalanceSummary::load(const balance::BalanceRequest &request, balance::BalanceSummary found)
{
    const QString purpose = text::trimmed(request.purpose);
    m_lblConta->setText(purpose.isEmpty() ? QStringLiteral("0") : QStringLiteral("1"));
    m_titTipologia->setText(purpose.isEmpty() ? QLatin1String(kNoPurpose) : purpose);
    m_summary = std::move(found);
    m_request = request;
    const bool readable = m_summary.lines.archiveOk;
    m_model->setLines(readable ? std::move(m_summary.lines) : store::ListLines());
    m_summary.lines = {};
    m_lblTotEntrate->setText(balance::totalText(m_summary.incomeCents));
    m_lblTotUscite->setText(balance::totalText(m_summary.expenseCents));
    m_lblBilancio->setText(balance::totalText(m_summary.balanceCents));
    m_lblIntervallo->setText(balance::intervalText(request.from, request.to));
    m_txtTrova->setFocus();
    return readable;
}

void BalanceSummary::showSummary(
    AppContext &context, QWidget *owner, const balance::BalanceRequest &request)
{
    Services &services = context.services();
    std::optional<balance::BalanceSummary> found = ScanRunner::waitFor(services, owner,
        [request](store::ScanControl &control) { return balance::summarise(request, &control); });
    if (!found)
        return;
    BalanceSummary summary(context, owner);
    if (!summary.load(request, std::move(*found))) {
        services.plainMessage(owner, accessMessage());
        return;
    }
    if (summary.m_summary.yearMissing) {
        services.plainMessage(owner,
            QStringLiteral("Attenzione: l'archivio della primanota dell'anno %1 non esiste e non "
                           "può essere creato nella cartella del programma.\n\r\n\rNon risulta "
                           "nessun movimento da riepilogare.")
                .arg(request.from.year(), 4, 10, QLatin1Char('0')));
        return;
    }
    if (const int unreadable = summary.m_summary.unreadable; unreadable > 0) {
        services.message(owner, MessageKind::Warning,
            unreadable == 1
                ? QStringLiteral("Attenzione: 1 movimento dell'archivio non può essere letto "
                                 "(data o importo danneggiati) e non è compreso nel riepilogo né "
                                 "nei totali.")
                : QStringLiteral("Attenzione: %1 movimenti dell'archivio non possono essere letti "
                                 "(data o importo danneggiati) e non sono compresi nel riepilogo "
                                 "né nei totali.")
                      .arg(unreadable));
    }
    // Maximised, so not centred: moving the window would take the maximised state away.
    services.execDialog(summary);
}

void BalanceSummary::print()
{
    Services &services = m_context.services();
    if (m_model->rowCount() == 0) {
        services.message(this, MessageKind::Warning,
            QStringLiteral("Operazione di stampa non applicabile: la primanota non contiene "
                           "nessun movimento in entrata o in uscita."));
        return;
    }
    if (!services.message(this, MessageKind::Question,
            QStringLiteral("Si vuole stampare la presente primanota?")))
        return;
    const QString title
        = QStringLiteral("PRIMANOTA E BILANCIO - Causale :  ") + m_titTipologia->text();
    const QStringList lines
        = m_model->lines() + balance::summaryFooter(m_lblIntervallo->text(), m_summary);
    sendReport(services, this,
        report::prepareSummary(title, lines, services.today(), QStringLiteral("Primanota")),
        ReportOutput::Printer);
}

// Esci, Escape and the window's close all end here.
void BalanceSummary::done(int result)
{
    m_model->clear();
    QDialog::done(result);
}

// The movements listed, with the columns chosen for the movement workbooks, and the totals
// under the amounts.
void BalanceSummary::saveWorkbook()
{
    QList<qint64> positions;
    for (int row = 0; row < m_model->rowCount(); ++row)
        positions.append(m_model->position(row));
    const QString dates
        = m_request.from.toString(u"dd.MM.yyyy") + u'-' + m_request.to.toString(u"dd.MM.yyyy");
    saveListRecords(m_context, this,
        {exporting::movementSheet(), m_request.archivePath, positions,
            QStringLiteral("Bilancio ") + dates,
            {{QStringLiteral("TOTALE ENTRATE"), balance::formatCents(m_summary.incomeCents)},
                {QStringLiteral("TOTALE USCITE"), balance::formatCents(m_summary.expenseCents)},
                {QStringLiteral("BILANCIO ENTRATE E USCITE"),
                    balance::formatCents(m_summary.balanceCents)}}});
}

} // namespace almavest::ui
