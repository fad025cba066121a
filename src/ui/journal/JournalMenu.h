#pragma once

#include "ui/book/ChoiceMenu.h"

// The journal menu: register the movements of a year or get the balance. Its mode word says
// where closing it leads: the launcher, the year screen or the balance query.
namespace almavest::ui {

class JournalMenu final : public ChoiceMenu
{
    Q_OBJECT
public:
    explicit JournalMenu(AppContext &context);
    ~JournalMenu() override;

protected:
    void leaveFor(const QString &word) override;
};

} // namespace almavest::ui
