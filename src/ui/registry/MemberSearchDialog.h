#pragma once

#include "ui/registry/FilterSearchDialog.h"

#include <optional>

// The member search: up to ten filters used together, the list of the cards found, the quick
// find, printing, and the position of the chosen card handed back to the screen that opened it.
namespace almavest::ui {

class MemberSearchDialog final : public FilterSearchDialog
{
    Q_OBJECT
public:
    // `modeWord` says what the opener does with the chosen card: "anagrafica",
    // "movimenti_pagatore" or "movimenti_beneficiario"; any other word stops the program.
    MemberSearchDialog(AppContext &context, QWidget *owner, const QString &modeWord);

    // Opens the search over `owner` and waits until it closes: the record position of the card
    // chosen, or nothing when the search was closed without choosing.
    static std::optional<qint64> choose(
        AppContext &context, QWidget *owner, const QString &modeWord);

protected:
    FilterScan scan(std::span<const QString> texts) const override;
};

} // namespace almavest::ui
