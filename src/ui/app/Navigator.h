#pragma once

#include <array>
#include <cstddef>

class QWidget;

// The one way from a resident screen to another: screens ask for the next one by name and never
// hold the others. Application enrols every screen once, as it builds it.
namespace almavest::ui {

enum class Screen {
    Password,
    PasswordChange,
    Launcher,
    MemberCard,
    BookMenu,
    BookCreation,
    BookList,
    BookPage,
    JournalMenu,
    JournalYear,
    MovementCard,
    BalanceQuery,
};

class Navigator final
{
public:
    // Makes `widget` the screen that `screen` names.
    void enrol(Screen screen, QWidget *widget);
    // Shows `to`, then hides `from` when given and not the same screen. A screen never enrolled
    // stops the program, naming it.
    void go(Screen to, QWidget *from = nullptr) const;
    // Shows `to`, then hides `from` when given and not the same widget.
    static void switchScreen(QWidget *from, QWidget *to);

private:
    static constexpr std::size_t kScreenCount = static_cast<std::size_t>(Screen::BalanceQuery) + 1;
    std::array<QWidget *, kScreenCount> m_screens {};
};

} // namespace almavest::ui
