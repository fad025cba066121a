#include "app/PasswordFile.h"

#include "app/IniFile.h"
#include "app/PasswordCipher.h"
#include "text/TextRoutines.h"

namespace almavest::app {

namespace {

const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");

} // namespace

PasswordFile::PasswordFile(QString path)
    : m_path(std::move(path))
{ }

std::optional<QString> PasswordFile::storedPassword() const
{
    IniFile ini(m_path);
    if (!ini.load())
        return std::nullopt;
    const std::optional<QString> plain = unscramblePassword(ini.value(kSection, kKey));
    if (!plain)
        return std::nullopt;
    return text::trimmed(*plain);
}

bool PasswordFile::storePassword(const QString &password) const
{
    IniFile ini(m_path);
    if (!ini.load())
        return false;
    ini.setValue(kSection, kKey, scramblePassword(canonicalPassword(password)));
    return ini.save();
}

} // namespace almavest::app
