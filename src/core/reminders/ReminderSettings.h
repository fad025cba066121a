#pragma once

#include "app/IniFile.h"
#include "app/ProgramFolder.h"

#include <QString>

// Whether the reminder board shows at start-up, kept in the program's settings file beside the
// other settings of the association.
namespace almavest::reminders {

using app::kSettingsFileName;

// True unless the settings file says "no"; a missing or unreadable file shows the board.
bool showAtStart(const QString &programFolder);
// Stores the choice, leaving every other line of the file as it is; false with the system's
// reason in `error` when the file cannot be read or written. An unreadable file is never
// replaced, so the other settings in it are not lost.
[[nodiscard]] bool setShowAtStart(const QString &programFolder, bool show, QString &error);
// Sets the choice in `settings`, the program's settings file read already, for the caller to save
// with its other keys.
void putShowAtStart(app::IniFile &settings, bool show);

} // namespace almavest::reminders
