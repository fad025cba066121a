#include "ui/dialogs/TfrmCalendario.h"

#include "text/TextRoutines.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/Window.h"
#include "ui/registry/TfrmAnagrafica.h"
#include "ui/services/Services.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace almavest::ui {

namespace {

enum class Target { MemberCard, BookPage, MovementCard };

struct ModeWord
{
    const char *word;
    Target screen;
    const char *field;
};

constexpr ModeWord kModeWords[] = {
    {"datasca", Target::MemberCard, "txtDataSca"},
    {"datanasc_a", Target::BookPage, "txtDataNasc_A"},
    {"datanasc_b", Target::BookPage, "txtDataNasc_B"},
    {"datanasc_c", Target::BookPage, "txtDataNasc_C"},
    {"datanasc_d", Target::BookPage, "txtDataNasc_D"},
    {"dataamm_a", Target::BookPage, "txtDataAmm_A"},
    {"dataamm_b", Target::BookPage, "txtDataAmm_B"},
    {"dataamm_c", Target::BookPage, "txtDataAmm_C"},
    {"dataamm_d", Target::BookPage, "txtDataAmm_D"},
    {"datausc_a", Target::BookPage, "txtDataUsc_A"},
    {"datausc_b", Target::BookPage, "txtDataUsc_B"},
    {"datausc_c", Target::BookPage, "txtDataUsc_C"},
    {"datausc_d", Target::BookPage, "txtDataUsc_D"},
    {"movimenti_data", Target::MovementCard, "txtData"},
    {"movimenti_scadenza", Target::MovementCard, "txtDataSca"},
};

// The resident screen a mode word writes into; the book page and the movement card are not
// part of the program yet.
QWidget *screenOf(AppContext &context, Target target)
{
    switch (target) {
    case Target::MemberCard:
        return context.screens().anagrafica;
    case Target::BookPage:
    case Target::MovementCard:
        return nullptr;
    }
    return nullptr;
}

} // namespace

TfrmCalendario::TfrmCalendario(AppContext &context, QWidget *owner)
    : QDialog(owner)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));
    setStyleSheet(QStringLiteral("#frmCalendario { background: qlineargradient(x1:0, y1:0, x2:0,"
                                 " y2:1, stop:0 #2B4C7E, stop:1 #FFFFFF); }"
                                 "#lblCampo001 { color: white; font-weight: bold; }"));

    auto *caption = new QLabel(QStringLiteral("Importare una data:"), this);
    caption->setObjectName(QStringLiteral("lblCampo001"));
    m_calAppuntamenti = new QCalendarWidget(this);
    m_calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    m_calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    m_calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    m_calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calAppuntamenti->setSelectedDate(context.services().today());
    m_lblMemory = new QLabel(this);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();

    auto *import = new QPushButton(QStringLiteral("Importa"), this);
    import->setObjectName(QStringLiteral("btnImportaData"));
    import->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    connect(import, &QPushButton::clicked, this, &TfrmCalendario::importDate);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // A double click on a day is the quickest way to pick it.
    connect(m_calAppuntamenti, &QCalendarWidget::activated, this, &TfrmCalendario::importDate);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(import);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_calAppuntamenti);
    layout->addLayout(buttons);
    setTabOrder(m_calAppuntamenti, import);
    setTabOrder(import, cancel);
    m_calAppuntamenti->setFocus();

    resize(sizeHint().expandedTo(QSize(340, 280)));
    makeDialogWindow(this);
    applyHandCursor(this);
}

void TfrmCalendario::importDate()
{
    const QString word = text::trimmed(m_lblMemory->text());
    for (const ModeWord &mode : kModeWords) {
        if (word != QLatin1String(mode.word))
            continue;
        QWidget *screen = screenOf(m_context, mode.screen);
        auto *target = screen ? screen->findChild<QLineEdit *>(QLatin1String(mode.field)) : nullptr;
        if (!target)
            return;
        target->setText(text::formatDate(m_calAppuntamenti->selectedDate()));
        accept();
        return;
    }
}

void TfrmCalendario::pick(AppContext &context, QWidget *owner, const QString &modeWord)
{
    TfrmCalendario picker(context, owner);
    picker.m_lblMemory->setText(modeWord);
    centreWindow(&picker, owner);
    context.services().execDialog(picker);
}

} // namespace almavest::ui
