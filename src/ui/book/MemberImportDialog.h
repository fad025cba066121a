#pragma once

#include "book/MemberImport.h"
#include "ui/registry/ListPickDialog.h"

#include <optional>

class QLabel;

// The member import: every member of the member archive with a name, one member list line each,
// with quick find and printing; the member chosen goes into the page row named by the mode word.
namespace almavest::ui {

class AppContext;

class MemberImportDialog final : public ListPickDialog
{
    Q_OBJECT
public:
    // `modeWord` names the target row: "socio_a" to "socio_d"; any other word stops the program.
    MemberImportDialog(AppContext &context, QWidget *owner, const QString &modeWord);

    QLabel *lblMemory() const { return m_lblMemory; }

    // Opens the import over `owner` and waits until it closes: the record position of the member
    // chosen, or nothing. An archive that cannot be read is reported and chooses nothing.
    static std::optional<qint64> choose(
        AppContext &context, QWidget *owner, const QString &modeWord);

    // The row texts of the member at `position` of the member archive, read afresh; nullopt when
    // the archive cannot be read, for the caller to show the archive access message.
    static std::optional<book::ImportedRow> rowOf(AppContext &context, qint64 position);

private:
    QLabel *m_lblMemory = nullptr;
};

} // namespace almavest::ui
