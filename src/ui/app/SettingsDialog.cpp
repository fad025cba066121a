#include "ui/app/SettingsDialog.h"

#include "app/SystemCause.h"
#include "membership/AssociationSettings.h"
#include "reminders/ReminderSettings.h"
#include "ui/app/AppContext.h"
#include "ui/conventions/DialogButtons.h"
#include "ui/conventions/Window.h"
#include "ui/help/HelpWindow.h"
#include "ui/services/Services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace almavest::ui {

using membership::AssociationKind;
using membership::AssociationSettings;

void SettingsDialog::edit(AppContext &context, QWidget *owner)
{
    SettingsDialog dialog(context, owner);
    runPerUseDialog(context.services(), dialog);
}

SettingsDialog::SettingsDialog(AppContext &context, QWidget *owner)
    : QDialog(owner)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmImpostazioni"));
    setWindowTitle(QStringLiteral(" Impostazioni"));
    build();
    AssociationSettings settings(m_context.folder().path());
    if (!settings.load()) {
        m_context.services().message(this, MessageKind::Warning,
            QStringLiteral("Attenzione: non è stato possibile leggere le impostazioni dal file "
                           "%1. Sono mostrati i valori predefiniti.\r\n\r\n%2")
                .arg(QLatin1String(membership::kSettingsFileName),
                    app::systemCause(settings.errorString())));
    }
    show(settings);
    applyHandCursor(this);
    adjustSize();
    makeDialogWindow(this);
    m_kind->setFocus();
}

void SettingsDialog::build()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    auto *title = namedLabel("lblIstruzioni",
        QStringLiteral("Queste impostazioni valgono per tutta l'associazione."), this);
    layout->addWidget(title);

    m_rows = new QFormLayout;
    m_rows->setHorizontalSpacing(12);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cmbTipo"));
    m_kind->addItems(membership::associationKindNames());
    m_rows->addRow(QStringLiteral("Tipo di associazione:"), m_kind);
    m_calendarYear = new QCheckBox(
        QStringLiteral("Iscrizioni per anno solare (il rinnovo scade il 31 dicembre)"), this);
    m_calendarYear->setObjectName(QStringLiteral("chkAnnoSolare"));
    m_rows->addRow(QString(), m_calendarYear);
    m_reminders = new QCheckBox(QStringLiteral("Mostra il promemoria all'avvio"), this);
    m_reminders->setObjectName(QStringLiteral("chkPromemoria"));
    m_rows->addRow(QString(), m_reminders);
    layout->addLayout(m_rows);

    const DialogButtons buttons = makeDialogButtons(this, "btnOK", QStringLiteral("OK"));
    layout->addLayout(buttons.row);

    connect(buttons.confirm, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttons.help, &QPushButton::clicked, this,
        [this] { showHelpTopic(m_context, this, HelpTopic::Settings); });
}

void SettingsDialog::show(const AssociationSettings &settings)
{
    m_kind->setCurrentIndex(int(settings.kind()));
    m_calendarYear->setChecked(settings.calendarYear());
    m_reminders->setChecked(reminders::showAtStart(m_context.folder().path()));
}

void SettingsDialog::read(AssociationSettings &settings) const
{
    settings.setKind(AssociationKind(m_kind->currentIndex()));
    settings.setCalendarYear(m_calendarYear->isChecked());
}

// OK saves; a failure keeps the window open on what the user chose unless the user gives up.
void SettingsDialog::done(int result)
{
    if (result != QDialog::Accepted) {
        QDialog::done(result);
        return;
    }
    AssociationSettings settings(m_context.folder().path());
    read(settings);
    // Every choice of the window in one write of the file, so that a failure saves none of them.
    const bool showBoard = m_reminders->isChecked();
    const bool saved = settings.save(
        [showBoard](app::IniFile &file) { reminders::putShowAtStart(file, showBoard); });
    if (saved) {
        QDialog::done(result);
        return;
    }
    const QString question
        = QStringLiteral("Attenzione: non è stato possibile salvare le impostazioni nel file %1. "
                         "La cartella del programma potrebbe essere protetta dalla scrittura "
                         "oppure il disco potrebbe essere pieno.\r\n\r\n%2\r\n\r\nRestare in "
                         "questa finestra per riprovare? Rispondendo No la finestra si chiude "
                         "senza salvare le impostazioni.")
              .arg(QLatin1String(membership::kSettingsFileName),
                  app::systemCause(settings.errorString()));
    if (!m_context.services().message(this, MessageKind::Question, question))
        QDialog::done(QDialog::Rejected);
}

std::optional<AssociationSettings> associationSettingsOrTell(
    AppContext &context, QWidget *owner, const QString &notDone)
{
    AssociationSettings settings(context.folder().path());
    if (settings.load())
        return settings;
    context.services().message(owner, MessageKind::Error,
        QStringLiteral("Attenzione: non è stato possibile leggere le impostazioni "
                       "dell'associazione dal file %1: %2.")
            .arg(QLatin1String(membership::kSettingsFileName), notDone));
    return std::nullopt;
}

} // namespace almavest::ui
