#pragma once

#include "ui/conventions/ModeWord.h"
#include "ui/registry/FilterSearchDialog.h"

#include <optional>

// The member search: up to ten filters used together, the list of the cards found, the quick
// find, printing, and the position of the chosen card handed back to the screen that opened it.
namespace almavest::ui {

class MemberSearchDialog final : public FilterSearchDialog
{
    Q_OBJECT
public:
    // `mode` says what the opener does with the chosen card.
    MemberSearchDialog(AppContext &context, QWidget *owner, MemberSearchMode mode);

    // Opens the search over `owner` and waits until it closes: the record position of the card
    // chosen, or nothing when the search was closed without choosing.
    static std::optional<qint64> choose(AppContext &context, QWidget *owner, MemberSearchMode mode);

protected:
    FilterScanJob scanJob(std::span<const QString> texts) const override;
};

} // namespace almavest::ui
