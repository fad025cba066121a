#pragma once

#include "store/CardRules.h"
#include "store/RecordTable.h"

#include <QString>
#include <QStringList>

#include <optional>

// The member archive "Soci.pro": 25 counted text fields, 2666 bytes a record.
namespace almavest::registry {

inline constexpr int kMemberFieldCount = 25;
inline constexpr int kMemberRecordSize = 2666;
inline constexpr const char *kMemberArchiveName = "Soci.pro";
inline constexpr const char *kPhotoFolderName = "Schedario";

// Field numbers (0-based) that the program refers to by meaning.
enum MemberFieldIndex : int {
    Name = 0,
    CardNumber = 1,
    Fee = 2,
    BirthPlace = 3,
    BirthDate = 4,
    TaxCode = 5,
    EnrolmentDate = 6,
    Address = 7,
    Town = 8,
    Province = 9,
    PostCode = 10,
    Qualifications = 11,
    Role = 12,
    Iban = 13,
    Notes = 14,
    ExpiryDate = 15,
    NoticeDays = 16,
    Phone = 17,
    Email = 18,
    File1 = 19,
    File2 = 20,
    File3 = 21,
    Desc1 = 22,
    Desc2 = 23,
    Desc3 = 24
};

// Every field of the member record with the member card control that shows it. The control
// names do not always say what the field holds: the enum above does.
const store::RecordTable &memberTable();
const store::RecordLayout &memberLayout();

// Why the card holding `values` cannot be saved: the checks of the member card's Save in their
// order. nullopt when it can.
std::optional<store::SaveRefusal> memberSaveRefusal(const QStringList &values, QDate today);

// The values of a blank card: all empty but the fee "0,00" and the notice days "0".
QStringList blankMember();

// "Schedario/Socio_<position>.jpg" under the program folder.
QString memberPhotoPath(const QString &programFolder, qint64 position);

// The values of the member at `position` of the member archive at `archivePath`, opened for
// reading only; nullopt when the archive or that record cannot be read.
[[nodiscard]] std::optional<QStringList> readMember(const QString &archivePath, qint64 position);

} // namespace almavest::registry
