#include "ui/registry/FilterSearchDialog.h"

#include "report/Fonts.h"
#include "store/ArchiveFile.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/ScanRunner.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 560;

void addInstructions(QVBoxLayout *layout, QWidget *panel)
{
    layout->addWidget(namedLabel("lblRigo04",
        QStringLiteral("Immettere nei campi prescelti una o più parole "
                       "consecutive presenti nelle schede da trovare e "
                       "premere il pulsante Cerca."),
        panel));
    layout->addWidget(namedLabel(
        "lblRigo05", QStringLiteral("Lasciare in bianco tutti gli altri campi."), panel));
    layout->addWidget(namedLabel("lblRigo06",
        QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più "
                       "campi contemporaneamente."),
        panel));
}

} // namespace

FilterSearchDialog::FilterSearchDialog(
    AppContext &context, QWidget *owner, const FilterSearchSetup &setup, const QString &modeWord)
    : ListPickDialog(
        context, owner, QString::fromUtf8(setup.caption), QString::fromUtf8(setup.printTitle))
{
    // Named before the panels are built and polished, so that the style sheet's rules for this
    // search reach their labels.
    setObjectName(QLatin1String(setup.objectName));
    m_panels = new QStackedWidget(this);
    delete layout()->replaceWidget(list(), m_panels);
    m_panels->addWidget(buildFilterPanel(setup.filters));
    m_panels->addWidget(buildResultPanel());
    m_lblMemory = namedLabel("lblMemory", modeWord, this);
    m_lblMemory->hide();

    for (const SearchFilter &filter : setup.filters)
        applyField(this, filter.field);
    setFixedSize(kWidth, kHeight);
    applyHandCursor(this);
    if (!m_filterBoxes.empty())
        m_filterBoxes.front()->setFocus();
}

QWidget *FilterSearchDialog::buildFilterPanel(std::span<const SearchFilter> filters)
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("panAvvio"));
    auto *layout = new QVBoxLayout(panel);
    addInstructions(layout, panel);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(4);
    const QFont verdana = fonts::named(fonts::kVerdana, 12);
    for (size_t i = 0; i < filters.size(); ++i) {
        const int column = int(i % 2);
        const int row = int(i / 2) * 2;
        grid->addWidget(new QLabel(QString::fromUtf8(filters[i].caption), panel), row, column);
        auto *box = new QLineEdit(panel);
        box->setObjectName(QLatin1String(filters[i].field.name));
        box->setFont(verdana);
        m_filterBoxes.push_back(box);
        grid->addWidget(box, row + 1, column);
    }
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addStretch();

    m_lblConta = namedLabel("lblConta", QStringLiteral("0"), panel);
    m_lblConta->hide();
    m_lblAttendere = namedLabel(
        "lblAttendere", QStringLiteral("Ricerca schede in corso. Attendere..."), panel);
    m_lblAttendere->hide();
    auto *btnCerca = new QPushButton(QStringLiteral("Cerca"), panel);
    btnCerca->setObjectName(QStringLiteral("btnCerca"));
    auto *btnAnnulla = new QPushButton(QStringLiteral("Chiudi"), panel);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_lblAttendere);
    buttons->addStretch();
    buttons->addWidget(btnCerca);
    buttons->addWidget(btnAnnulla);
    layout->addLayout(buttons);
    m_scans = new ScanRunner(context().services(), this, m_lblAttendere);

    // The notice must be on screen while the scan runs, so it appears as the button goes down.
    btnCerca->installEventFilter(this);
    connect(btnCerca, &QPushButton::clicked, this, &FilterSearchDialog::search);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    return panel;
}

QWidget *FilterSearchDialog::buildResultPanel()
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("panContainer"));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list());
    m_lblTrovate
        = namedLabel("lblTrovate", QStringLiteral("Il presente elenco contiene 0 schede."), panel);
    list()->addStatus(m_lblTrovate);
    return panel;
}

bool FilterSearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        showWaitNotice();
    return ListPickDialog::eventFilter(watched, event);
}

// Painted at once, so that it is on screen while the scan keeps the event loop busy.
void FilterSearchDialog::showWaitNotice()
{
    m_lblAttendere->show();
    m_lblAttendere->repaint();
}

void FilterSearchDialog::search()
{
    QStringList texts;
    for (const QLineEdit *box : m_filterBoxes)
        texts.append(box->text());
    m_scans->start(scanJob(texts), [this](FilterScan found) { showFound(std::move(found)); });
}

void FilterSearchDialog::showFound(FilterScan found)
{
    m_lblConta->setText(QString::number(found.filledCount));
    if (!found.lines.archiveOk) {
        m_lblAttendere->hide();
        context().services().plainMessage(this, store::archiveAccessMessage());
        return;
    }
    const qsizetype count = found.lines.size();
    m_lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(count));
    // The list panel first, so that the find box it focuses can take the focus.
    m_panels->setCurrentIndex(1);
    setLines(std::move(found.lines));
}

// Accept and reject, and so Escape and the window's close, all end here.
void FilterSearchDialog::done(int result)
{
    m_lblAttendere->hide();
    ListPickDialog::done(result);
}

} // namespace almavest::ui
