#pragma once

#include "store/CardRules.h"
#include "store/RecordTable.h"

#include <QString>
#include <QStringList>

#include <optional>

// A page of a members' book: the book-level fields, four member rows A to D of thirteen fields
// each and the six attachment fields, 63 counted text fields in 4759 bytes. A book is a file of
// pages named after the book with the extension ".lib".
namespace almavest::book {

inline constexpr int kRowCount = 4;
inline constexpr int kRowFieldCount = 13;
inline constexpr int kPageFieldCount = 63;
inline constexpr int kPageRecordSize = 4759;
inline constexpr const char *kBookExtension = ".lib";

// Field numbers (0-based) of the book-level fields and of the attachments.
enum PageFieldIndex : int {
    BookNumber = 0,
    Association = 1,
    AssociationTaxCode = 2,
    President = 3,
    Secretary = 4,
    FirstRowField = 5,
    File1 = 57,
    File2 = 58,
    File3 = 59,
    Desc1 = 60,
    Desc2 = 61,
    Desc3 = 62
};

// The member rows, top to bottom.
enum PageRow : int { RowA = 0, RowB = 1, RowC = 2, RowD = 3 };

// Field numbers within one member row.
enum RowFieldIndex : int {
    Order = 0,
    MemberName = 1,
    BirthPlace = 2,
    BirthDate = 3,
    TaxCode = 4,
    Address = 5,
    Phone = 6,
    CardNumber = 7,
    AdmissionDate = 8,
    Fee = 9,
    ExitDate = 10,
    ExitReason = 11,
    Annotations = 12
};

// The page field number of field `fieldInRow` of member row `row`.
constexpr int rowField(int row, int fieldInRow)
{
    return FirstRowField + row * kRowFieldCount + fieldInRow;
}

// Every field of the page with the page screen control that shows it; the row controls end in
// "_A" to "_D".
const store::RecordTable &pageTable();
const store::RecordLayout &pageLayout();

// Why the page holding `values` cannot be saved: its five required fields in the order the
// page screen checks them. nullopt when it can.
std::optional<store::SaveRefusal> pageSaveRefusal(const QStringList &values);

// The values of a page about to be written: every field empty except the five book-level
// fields, taken from `shown` since they are normally the same on every page of a book.
QStringList newPage(const QStringList &shown = {});

// The file of the book called `name` in the program folder.
QString bookPath(const QString &programFolder, const QString &name);
// The name shown for a book file: its file name without the extension.
QString bookName(const QString &fileName);

} // namespace almavest::book
