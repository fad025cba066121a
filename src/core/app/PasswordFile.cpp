#include "app/PasswordFile.h"

#include "app/IniFile.h"
#include "app/PasswordCipher.h"
#include "text/TextRoutines.h"

#include <QFileInfo>

namespace almavest::app {

namespace {

const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");

} // namespace

PasswordFile::PasswordFile(QString path)
    : m_path(std::move(path))
{ }

bool PasswordFile::load(IniFile &ini) const
{
    // Checked before reading, so that a huge file in its place cannot hold the program up.
    const QFileInfo info(m_path);
    if (info.exists() && info.size() > kMaxPasswordFileSize)
        return false;
    return ini.load();
}

std::optional<QString> PasswordFile::storedPassword() const
{
    IniFile ini(m_path);
    if (!load(ini))
        return std::nullopt;
    const std::optional<QString> plain = unscramblePassword(ini.value(kSection, kKey));
    if (!plain)
        return std::nullopt;
    return text::trimmed(*plain);
}

PasswordCheck PasswordFile::check(const QString &typed) const
{
    const std::optional<QString> stored = storedPassword();
    if (!stored)
        return PasswordCheck::Unreadable;
    return *stored == canonicalPassword(typed) ? PasswordCheck::Correct : PasswordCheck::Wrong;
}

bool PasswordFile::storePassword(const QString &password) const
{
    IniFile ini(m_path);
    if (!load(ini))
        return false;
    ini.setValue(kSection, kKey, scramblePassword(canonicalPassword(password)));
    return ini.save();
}

} // namespace almavest::app
