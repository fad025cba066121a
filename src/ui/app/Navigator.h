#pragma once

#include <array>
#include <cstddef>
#include <functional>

class QWidget;

// The one way from a resident screen to another: screens ask for the next one by name and never
// hold the others. Application enrols every screen once, with how to build it: a screen is
// built the first time it is asked for, so that start-up builds the password screen alone.
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
    Statement,
};

class Navigator final
{
public:
    // Builds (once) and hands back the widget of a screen.
    using Builder = std::function<QWidget *()>;

    // Makes what `build` hands back the screen that `screen` names.
    void enrol(Screen screen, Builder build);
    // Makes `widget`, built already, the screen that `screen` names.
    void enrol(Screen screen, QWidget *widget);
    // Shows `to`, built first if it has not been yet, then hides `from` when given and not the
    // same screen. A screen never enrolled stops the program, naming it.
    void go(Screen to, QWidget *from = nullptr) const;
    // Shows `to`, then hides `from` when given and not the same widget.
    static void switchScreen(QWidget *from, QWidget *to);

private:
    static constexpr std::size_t kScreenCount = static_cast<std::size_t>(Screen::Statement) + 1;
    std::array<Builder, kScreenCount> m_screens {};
};

} // namespace almavest::ui
