#pragma once

#include "ui/registry/ListPickDialog.h"

#include <optional>

// The payments of a year that are due or overdue and not yet settled, one summary line each;
// the chosen line hands back the position of its movement.
namespace almavest::ui {

class DuePaymentsDialog final : public ListPickDialog
{
    Q_OBJECT
public:
    // Lists `lines`, the movements due.
    DuePaymentsDialog(AppContext &context, QWidget *owner, store::ListLines lines);

    // Scans the archive at `archivePath` for the movements due on the services' today, then
    // opens the list over `owner` and waits until it closes: the record position of the movement
    // chosen, or nothing. An archive that cannot be read is reported instead.
    static std::optional<qint64> choose(
        AppContext &context, QWidget *owner, const QString &archivePath);
};

} // namespace almavest::ui
