#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// Importing a member of the member archive into a member row of a book page: which member
// fields fill which row fields. The row's order number, exit date, exit reason and annotations,
// the other rows and the book-level fields are left as they are.
namespace almavest::book {

// The texts an imported member writes, by field number within the row (book::RowFieldIndex).
using ImportedRow = QMap<int, QString>;

// The row texts of the member whose record values are `member`: each value trimmed; the address
// is street, postcode, town and province joined by single blanks, empty parts included. Nothing
// is cut here: a text longer than its row field is cut only when the page is stored.
ImportedRow importedRow(const QStringList &member);

// Writes `imported` into row `row` (book::PageRow) of the page values `page`.
void applyImportedRow(QStringList &page, int row, const ImportedRow &imported);

// Reads the member at `position` of the member archive at `archivePath`, for reading only, and
// gives its row texts; nullopt when the archive or that record cannot be read.
[[nodiscard]] std::optional<ImportedRow> readImportedRow(
    const QString &archivePath, qint64 position);

} // namespace almavest::book
