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
    // Lists the movements of the archive at `archivePath` due on the services' today.
    DuePaymentsDialog(AppContext &context, QWidget *owner, const QString &archivePath);

    // Opens the list over `owner` and waits until it closes: the record position of the movement
    // chosen, or nothing. An archive that cannot be read is reported instead.
    static std::optional<qint64> choose(
        AppContext &context, QWidget *owner, const QString &archivePath);
};

} // namespace almavest::ui
