#pragma once

#include "membership/AssociationSettings.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QFormLayout;

// The association's settings, opened from the launcher: each setting is one row of the form,
// shown from and read back into membership::AssociationSettings. OK saves them.
namespace almavest::ui {

class AppContext;

class SettingsDialog final : public QDialog
{
    Q_OBJECT
public:
    // Opens the dialog over `owner` and saves what the user confirms.
    static void edit(AppContext &context, QWidget *owner);

    SettingsDialog(AppContext &context, QWidget *owner);

    void done(int result) override;

private:
    void build();
    void show(const membership::AssociationSettings &settings);
    void read(membership::AssociationSettings &settings) const;

    AppContext &m_context;
    QFormLayout *m_rows = nullptr;
    QComboBox *m_kind = nullptr;
    QCheckBox *m_calendarYear = nullptr;
    QCheckBox *m_reminders = nullptr;
};

// The association's settings for an action that needs them; nullopt after telling the user that
// they cannot be read and that, so, `notDone` (e.g. "il rinnovo non è stato eseguito").
std::optional<membership::AssociationSettings> associationSettingsOrTell(
    AppContext &context, QWidget *owner, const QString &notDone);

} // namespace almavest::ui
