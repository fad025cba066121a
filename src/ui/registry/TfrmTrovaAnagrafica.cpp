#include "ui/registry/TfrmTrovaAnagrafica.h"

#include "registry/MemberRecord.h"
#include "registry/MemberSelection.h"
#include "report/Fonts.h"
#include "store/ArchiveFile.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/ModeWord.h"
#include "ui/conventions/Window.h"
#include "ui/registry/MemberListPanel.h"
#include "ui/services/Services.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

struct Filter
{
    FieldSettings field;
    const char *caption;
};

// In the order of the Enter chain and of registry::SearchFilters.
constexpr Filter kFilters[registry::kSearchFilterCount] = {
    {{"txtDipendente", 0, KeyFilter::None, Casing::None, "txtCittadinanza", "effCampo01"},
        "Cognome e nome:"},
    {{"txtCittadinanza", 0, KeyFilter::None, Casing::None, "txtLuogo", "effCampo02"}, "Tessera n."},
    {{"txtLuogo", 0, KeyFilter::None, Casing::None, "txtDataNasc", "effCampo09"},
        "Luogo di nascita:"},
    {{"txtDataNasc", 0, KeyFilter::None, Casing::None, "txtCodFisc", "effCampo10"},
        "Data di nascita (gg/mm/aaaa):"},
    {{"txtCodFisc", 0, KeyFilter::None, Casing::None, "txtPartitaIva", "effCampo05"},
        "Codice fiscale:"},
    {{"txtPartitaIva", 0, KeyFilter::None, Casing::None, "txtCitta", "effCampo06"},
        "Data iscrizione (gg/mm/aaaa):"},
    {{"txtCitta", 0, KeyFilter::None, Casing::None, "txtQualifiche", "effCampo07"},
        "Città di residenza:"},
    {{"txtQualifiche", 0, KeyFilter::None, Casing::None, "txtFamiliari", "effCampo08"},
        "Qualifiche:"},
    {{"txtFamiliari", 0, KeyFilter::None, Casing::None, "txtNote", "effCampo03"},
        "Incarico ricoperto:"},
    {{"txtNote", 0, KeyFilter::None, Casing::None, "txtDipendente", "effCampo04"}, "Note:"},
};

} // namespace

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(
    AppContext &context, QWidget *owner, const QString &modeWord)
    : QDialog(owner)
    , m_context(context)
{
    // The member card takes the whole card, the movement card the payer's or the beneficiary's
    // fields.
    requireModeWord("TfrmTrovaAnagrafica", modeWord,
        {"anagrafica", "movimenti_pagatore", "movimenti_beneficiario"});
    setObjectName(QStringLiteral("frmTrovaAnagrafica"));
    setWindowTitle(QStringLiteral(" Trova soci in archivio"));
    m_panels = new QStackedWidget(this);
    m_panels->addWidget(buildFilterPanel());
    m_panels->addWidget(buildResultPanel());
    m_lblMemory = namedLabel("lblMemory", modeWord, this);
    m_lblMemory->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_panels);

    for (const Filter &filter : kFilters)
        applyField(this, filter.field);
    resize(900, 560);
    makeDialogWindow(this);
    applyHandCursor(this);
    m_filterBoxes.front()->setFocus();
}

QWidget *TfrmTrovaAnagrafica::buildFilterPanel()
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("panAvvio"));
    auto *layout = new QVBoxLayout(panel);
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
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(4);
    const QFont verdana = fonts::named(fonts::kVerdana, 12);
    for (int i = 0; i < registry::kSearchFilterCount; ++i) {
        const int column = i % 2;
        const int row = (i / 2) * 2;
        grid->addWidget(new QLabel(QString::fromUtf8(kFilters[i].caption), panel), row, column);
        auto *box = new QLineEdit(panel);
        box->setObjectName(QLatin1String(kFilters[i].field.name));
        m_filterBoxes[size_t(i)] = box;
        box->setFont(verdana);
        grid->addWidget(box, row + 1, column);
    }
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addStretch();

    m_lblConta = namedLabel("lblConta", QString(), panel);
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

    // The notice must be on screen while the scan runs, so it appears as the button goes down.
    btnCerca->installEventFilter(this);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmTrovaAnagrafica::search);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    return panel;
}

QWidget *TfrmTrovaAnagrafica::buildResultPanel()
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("panContainer"));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_results = new MemberListPanel(m_context, panel);
    layout->addWidget(m_results);
    m_lblTrovate
        = namedLabel("lblTrovate", QStringLiteral("Il presente elenco contiene 0 schede."), panel);
    m_results->addStatus(m_lblTrovate);
    connect(m_results->closeButton(), &QPushButton::clicked, this, &QDialog::reject);
    connect(m_results->printButton(), &QPushButton::clicked, this,
        [this] { m_results->print(QStringLiteral("Riepilogo soci in archivio")); });
    connect(m_results, &MemberListPanel::chosen, this, &TfrmTrovaAnagrafica::openChosen);
    return panel;
}

bool TfrmTrovaAnagrafica::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        showWaitNotice();
    return QDialog::eventFilter(watched, event);
}

// Painted at once, so that it is on screen while the scan keeps the event loop busy.
void TfrmTrovaAnagrafica::showWaitNotice()
{
    m_lblAttendere->show();
    m_lblAttendere->repaint();
}

void TfrmTrovaAnagrafica::search()
{
    registry::SearchFilters filters;
    for (int i = 0; i < registry::kSearchFilterCount; ++i)
        filters[size_t(i)] = m_filterBoxes[size_t(i)]->text();
    const registry::MemberSearch rule(filters);
    m_lblConta->setText(QString::number(rule.filledCount()));
    showWaitNotice(); // again, for a search started from the keyboard
    QApplication::setOverrideCursor(Qt::WaitCursor);
    registry::MemberLines found = registry::searchMembers(
        m_context.folder().file(QLatin1String(registry::kMemberArchiveName)), rule);
    QApplication::restoreOverrideCursor();
    if (!found.archiveOk) {
        m_lblAttendere->hide();
        m_context.services().plainMessage(this, store::archiveAccessMessage());
        return;
    }
    const qsizetype count = found.size();
    m_results->setLines(std::move(found));
    m_lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(count));
    m_panels->setCurrentIndex(1);
    m_results->restart();
}

void TfrmTrovaAnagrafica::openChosen(qint64 position)
{
    m_chosen = position;
    accept();
}

// Accept and reject, and so Escape and the window's close, all end here.
void TfrmTrovaAnagrafica::done(int result)
{
    m_results->clear();
    m_lblAttendere->hide();
    QDialog::done(result);
}

std::optional<qint64> TfrmTrovaAnagrafica::choose(
    AppContext &context, QWidget *owner, const QString &modeWord)
{
    TfrmTrovaAnagrafica dialog(context, owner, modeWord);
    if (runPerUseDialog(context.services(), dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenPosition();
}

} // namespace almavest::ui
