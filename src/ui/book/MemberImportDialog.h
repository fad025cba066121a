#pragma once

#include "book/MemberImport.h"
#include "book/PageRecord.h"
#include "ui/registry/ListPickDialog.h"

#include <optional>

class QLabel;

// The member import: every member of the member archive with a name, one member list line each,
// with quick find and printing; the member chosen goes into the page row it was opened for.
namespace almavest::ui {

class AppContext;

class MemberImportDialog final : public ListPickDialog
{
    Q_OBJECT
public:
    // The import of one of `lines`, the named members, into page row `row`.
    MemberImportDialog(
        AppContext &context, QWidget *owner, book::PageRow row, store::ListLines lines);

    QLabel *lblMemory() const { return m_lblMemory; }

    // Scans the member archive, then opens the import over `owner` and waits until it closes: the
    // record position of the member chosen, or nothing. An archive that cannot be read is reported
    // and chooses nothing.
    static std::optional<qint64> choose(AppContext &context, QWidget *owner, book::PageRow row);

    // The row texts of the member at `position` of the member archive, read afresh; nullopt when
    // the archive cannot be read, for the caller to show the archive access message.
    static std::optional<book::ImportedRow> rowOf(AppContext &context, qint64 position);

private:
    QLabel *m_lblMemory = nullptr;
};

} // namespace almavest::ui
