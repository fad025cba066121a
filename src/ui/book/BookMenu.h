#pragma once

#include "ui/book/ChoiceMenu.h"

// The book menu: create a new book or work on an existing one. Closing it leads to the launcher,
// the creation window or the book list, as chosen.
namespace almavest::ui {

class BookMenu final : public ChoiceMenu
{
    Q_OBJECT
public:
    explicit BookMenu(AppContext &context);
    ~BookMenu() override;
};

} // namespace almavest::ui
