#pragma once

#include "ui/book/ChoiceMenu.h"

// The book menu: create a new book or work on an existing one. Its mode word says where closing
// it leads: the launcher, the creation window or the book list.
namespace almavest::ui {

class BookMenu final : public ChoiceMenu
{
    Q_OBJECT
public:
    explicit BookMenu(AppContext &context);
    ~BookMenu() override;

protected:
    void leaveFor(const QString &word) override;
};

} // namespace almavest::ui
