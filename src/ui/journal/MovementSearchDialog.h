#pragma once

#include "ui/registry/FilterSearchDialog.h"

#include <optional>

// The movement search of a year: up to ten filters used together, the sorted list of the
// movements found, the quick find, printing, and the position of the movement chosen handed
// back to the movement card.
namespace almavest::ui {

class MovementSearchDialog final : public FilterSearchDialog
{
    Q_OBJECT
public:
    // Searches the yearly archive at `archivePath`.
    MovementSearchDialog(AppContext &context, QWidget *owner, const QString &archivePath);

    // Opens the search of the archive at `archivePath` over `owner` and waits until it closes:
    // the record position of the movement chosen (its own, even when another movement gives the
    // same line), or nothing when the search was closed without choosing.
    static std::optional<qint64> choose(
        AppContext &context, QWidget *owner, const QString &archivePath);

protected:
    FilterScanJob scanJob(std::span<const QString> texts) const override;

private:
    QString m_archivePath;
};

} // namespace almavest::ui
