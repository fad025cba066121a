#pragma once

#include "ui/book/ChoiceMenu.h"

// The journal menu: register the movements of a year or get the balance. Closing it leads to the
// launcher, the year screen or the balance query, as chosen.
namespace almavest::ui {

class JournalMenu final : public ChoiceMenu
{
    Q_OBJECT
public:
    explicit JournalMenu(AppContext &context);
    ~JournalMenu() override;
};

} // namespace almavest::ui
