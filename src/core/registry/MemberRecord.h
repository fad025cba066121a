#pragma once

#include "store/RecordLayout.h"

#include <QString>
#include <QStringList>

#include <array>

// The member archive "Soci.pro": 25 counted text fields, 2666 bytes a record. One table gives
// each field's capacity, the member card control it is shown in and the typed length.
namespace almavest::registry {

struct MemberField
{
    const char *control;  // objectName of the member card control
    int capacity;         // bytes in the record
    int maxTyped;         // maximum length of the edit box, 0 for the hidden labels
};

inline constexpr int kMemberFieldCount = 25;
inline constexpr int kMemberRecordSize = 2666;
inline constexpr const char *kMemberArchiveName = "Soci.pro";
inline constexpr const char *kPhotoFolderName = "Schedario";

// Field numbers (0-based) that the program refers to by meaning.
enum MemberFieldIndex : int {
    Name = 0, CardNumber = 1, Fee = 2, BirthPlace = 3, BirthDate = 4, TaxCode = 5,
    EnrolmentDate = 6, Address = 7, Town = 8, Province = 9, PostCode = 10,
    Qualifications = 11, Role = 12, Iban = 13, Notes = 14, ExpiryDate = 15, NoticeDays = 16,
    Phone = 17, Email = 18, File1 = 19, File2 = 20, File3 = 21, Desc1 = 22, Desc2 = 23,
    Desc3 = 24
};

const std::array<MemberField, kMemberFieldCount> &memberFields();
const store::RecordLayout &memberLayout();

// The values of a blank card: all empty but the fee "0,00" and the notice days "0".
QStringList blankMember();

// "Schedario/Socio_<position>.jpg" under the program folder.
QString memberPhotoPath(const QString &programFolder, qint64 position);

} // namespace almavest::registry
