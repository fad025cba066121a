#include "ui/dialogs/DatePicker.h"

#include "ui/app/AppContext.h"
#include "ui/conventions/Window.h"
#include "ui/services/Services.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace almavest::ui {

DatePicker::DatePicker(AppContext &context, QWidget *owner, DateFieldMode mode)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("frmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));

    auto *caption = new QLabel(QStringLiteral("Importare una data:"), this);
    caption->setObjectName(QStringLiteral("lblCampo001"));
    m_calAppuntamenti = new QCalendarWidget(this);
    m_calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    m_calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    m_calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    m_calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calAppuntamenti->setSelectedDate(context.services().today());
    m_lblMemory = namedLabel("lblMemory", modeWord(mode), this);
    m_lblMemory->hide();

    auto *import = new QPushButton(QStringLiteral("Importa"), this);
    import->setObjectName(QStringLiteral("btnImportaData"));
    import->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    connect(import, &QPushButton::clicked, this, &DatePicker::importDate);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // A double click on a day is the quickest way to pick it.
    connect(m_calAppuntamenti, &QCalendarWidget::activated, this, [this](QDate day) {
        m_calAppuntamenti->setSelectedDate(day);
        importDate();
    });

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

void DatePicker::importDate()
{
    m_chosen = m_calAppuntamenti->selectedDate();
    accept();
}

std::optional<QDate> DatePicker::pick(AppContext &context, QWidget *owner, DateFieldMode mode)
{
    DatePicker picker(context, owner, mode);
    if (runPerUseDialog(context.services(), picker) != QDialog::Accepted)
        return std::nullopt;
    return picker.chosenDate();
}

} // namespace almavest::ui
