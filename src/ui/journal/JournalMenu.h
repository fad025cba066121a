#pragma once

#include "ui/book/ChoiceMenu.h"

// The journal menu: register the movements of a year, get the balance or the cash statement.
// Closing it leads to the launcher, the year screen, the balance query or the statement, as chosen.
namespace almavest::ui {

class JournalMenu final : public ChoiceMenu
{
    Q_OBJECT
public:
    explicit JournalMenu(AppContext &context);
    ~JournalMenu() override;
};

} // namespace almavest::ui
