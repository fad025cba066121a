#pragma once

#include "app/IniFile.h"
#include "app/ProgramFolder.h"

#include <QString>
#include <QStringList>

#include <functional>

// The association's own settings, kept in "Impostazioni.ini" in the program folder, and the
// heading of its papers, taken from the title page of the members' book ("Libro_Soci.ini").
namespace almavest::membership {

using app::kSettingsFileName;

// What kind of body the association is; it decides, among other things, whether a receipt bears
// the stamp duty.
enum class AssociationKind { Ets, Onlus, Aps, Asd, Other };

// The words the settings file and the settings window use for each kind, in the enum's order.
QStringList associationKindNames();
QString associationKindName(AssociationKind kind);

// One accessor per key; a key missing from the file reads as its default. A value that is not
// one of the known words reads as the default too.
class AssociationSettings final
{
public:
    explicit AssociationSettings(QString programFolder);

    // Reads the file; a missing file gives every default. False when the file cannot be read.
    [[nodiscard]] bool load();
    // Writes the file safely (a temporary file renamed over the old one); false on failure.
    // `alongside` sets other keys of the same file, so that they are saved in the same write.
    [[nodiscard]] bool save(const std::function<void(app::IniFile &)> &alongside = {});
    QString errorString() const { return m_error; }
    QString path() const;

    // The association's kind; "Altro" until chosen.
    AssociationKind kind() const { return m_kind; }
    void setKind(AssociationKind kind) { m_kind = kind; }
    // Memberships run to 31 December instead of one year from the renewal.
    bool calendarYear() const { return m_calendarYear; }
    void setCalendarYear(bool on) { m_calendarYear = on; }

private:
    QString m_folder;
    AssociationKind m_kind = AssociationKind::Other;
    bool m_calendarYear = false;
    QString m_error;
};

// The association as its papers name it: the title page's name, seat and codice fiscale.
struct AssociationHeading
{
    QString name;
    QString seat;
    QString taxCode;
};

// The heading from the title page settings in `programFolder`; empty texts where they are not
// set or the file cannot be read.
AssociationHeading associationHeading(const QString &programFolder);

} // namespace almavest::membership
