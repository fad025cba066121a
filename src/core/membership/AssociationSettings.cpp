#include "membership/AssociationSettings.h"

#include "app/IniFile.h"
#include "text/TextRoutines.h"

#include <QDir>

namespace almavest::membership {

namespace {

constexpr char kSection[] = "Associazione";
constexpr char kKindKey[] = "Tipo";
constexpr char kCalendarYearKey[] = "Iscrizioni per anno solare";
constexpr char kYes[] = "Sì";
constexpr char kNo[] = "No";

// Where the title page of the members' book keeps the association's heading.
constexpr char kTitlePageFile[] = "Libro_Soci.ini";
constexpr char kTitlePageSection[] = "Frontespizio Registro";

} // namespace

QStringList associationKindNames()
{
    return {QStringLiteral("ETS"), QStringLiteral("ONLUS"), QStringLiteral("APS"),
        QStringLiteral("ASD"), QStringLiteral("Altro")};
}

QString associationKindName(AssociationKind kind)
{
    return associationKindNames().at(int(kind));
}

AssociationSettings::AssociationSettings(QString programFolder)
    : m_folder(std::move(programFolder))
{ }

QString AssociationSettings::path() const
{
    return QDir(m_folder).filePath(QLatin1String(kSettingsFileName));
}

bool AssociationSettings::load()
{
    m_kind = AssociationKind::Other;
    m_calendarYear = false;
    app::IniFile file(path());
    if (!file.load()) {
        m_error = file.errorString();
        return false;
    }
    const QString kind
        = text::upperAZ(file.value(QLatin1String(kSection), QLatin1String(kKindKey)));
    const QStringList names = associationKindNames();
    for (int i = 0; i < names.size(); ++i) {
        if (text::upperAZ(names.at(i)) == kind)
            m_kind = AssociationKind(i);
    }
    m_calendarYear = file.value(QLatin1String(kSection), QLatin1String(kCalendarYearKey))
        == QString::fromUtf8(kYes);
    return true;
}

// Keys of other parts of the program and the user's own lines stay as they were.
bool AssociationSettings::save(const std::function<void(app::IniFile &)> &alongside)
{
    app::IniFile file(path());
    if (!file.load()) {
        m_error = file.errorString();
        return false;
    }
    file.setValue(QLatin1String(kSection), QLatin1String(kKindKey), associationKindName(m_kind));
    file.setValue(QLatin1String(kSection), QLatin1String(kCalendarYearKey),
        QString::fromUtf8(m_calendarYear ? kYes : kNo));
    if (alongside)
        alongside(file);
    if (file.save())
        return true;
    m_error = file.errorString();
    return false;
}

AssociationHeading associationHeading(const QString &programFolder)
{
    app::IniFile file(QDir(programFolder).filePath(QLatin1String(kTitlePageFile)));
    if (!file.load())
        return {};
    const auto value = [&file](const char *key) {
        return text::trimmed(file.value(QLatin1String(kTitlePageSection), QLatin1String(key)));
    };
    return {value("Denominazione Associazione"), value("Sede Legale"), value("Codice Fiscale")};
}

} // namespace almavest::membership
