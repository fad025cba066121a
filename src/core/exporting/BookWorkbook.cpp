#include "exporting/BookWorkbook.h"

#include "book/PageRecord.h"
#include "store/ArchiveFile.h"
#include "store/Cp1252.h"
#include "text/TextRoutines.h"

namespace almavest::exporting {

namespace {

// What a workbook makes of each field of a member row, in the row's order.
constexpr CellKind kRowKinds[] = {
    CellKind::Number, // order number
    CellKind::Text, // name
    CellKind::Text, // birth place
    CellKind::Date, // birth date
    CellKind::Code, // tax code
    CellKind::Text, // address
    CellKind::Code, // telephone
    CellKind::Code, // card number
    CellKind::Date, // admission
    CellKind::Amount, // fee
    CellKind::Date, // exit
    CellKind::Text, // exit reason
    CellKind::Text, // annotations
};
static_assert(std::size(kRowKinds) == book::kRowFieldCount);

} // namespace

QList<WorkbookColumn> bookMemberColumns()
{
    QList<WorkbookColumn> columns;
    for (int field = 0; field < book::kRowFieldCount; ++field) {
        QString heading = book::pageTable().field(book::rowField(book::RowA, field)).caption;
        while (heading.endsWith(u':'))
            heading.chop(1);
        columns.append({text::trimmed(heading), kRowKinds[field]});
    }
    return columns;
}

bool readBookMembers(const QString &bookPath, const QList<qint64> &positions, WorkbookTable &rows,
    QString *error, store::ScanControl *control)
{
    // Only the member rows that hold something: a page's empty rows make no empty lines.
    return store::readRecordsAt(
        bookPath, book::kPageRecordSize, positions,
        [&rows](const QByteArray &record) {
            for (int row = book::RowA; row < book::kRowCount; ++row) {
                QStringList cells;
                bool filled = false;
                for (int field = 0; field < book::kRowFieldCount; ++field) {
                    cells.append(store::fromCp1252(
                        book::pageLayout().textBytes(record, book::rowField(row, field))));
                    filled = filled || !text::trimmedView(cells.last()).isEmpty();
                }
                if (filled)
                    rows.append(cells);
            }
        },
        error, control);
}

} // namespace almavest::exporting
