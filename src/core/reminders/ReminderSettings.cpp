#include "reminders/ReminderSettings.h"

#include "app/IniFile.h"

#include <QDir>

namespace almavest::reminders {

namespace {

constexpr QLatin1StringView kSection("Promemoria");
constexpr QLatin1StringView kKey("MostraAllAvvio");

app::IniFile settingsFile(const QString &programFolder)
{
    return app::IniFile(QDir(programFolder).filePath(QLatin1String(kSettingsFileName)));
}

} // namespace

bool showAtStart(const QString &programFolder)
{
    app::IniFile settings = settingsFile(programFolder);
    if (!settings.load())
        return true;
    return settings.value(kSection, kKey).trimmed() != u"0";
}

bool setShowAtStart(const QString &programFolder, bool show, QString &error)
{
    app::IniFile settings = settingsFile(programFolder);
    if (!settings.load()) {
        error = settings.errorString();
        return false;
    }
    putShowAtStart(settings, show);
    if (settings.save())
        return true;
    error = settings.errorString();
    return false;
}

void putShowAtStart(app::IniFile &settings, bool show)
{
    settings.setValue(kSection, kKey, show ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace almavest::reminders
