#pragma once

#include "app/ProgramFolder.h"

#include <functional>

class QWidget;

// What every screen shares: the services, the program folder and the resident screens to switch
// to. Built once by Application.
namespace almavest::ui {

class Services;
class PasswordScreen;
class PasswordChangeScreen;
class Launcher;
class MemberCardScreen;
class BookMenu;
class BookCreationScreen;
class BookListScreen;
class BookPageScreen;
class JournalMenu;
class JournalYearMenu;
class MovementCardScreen;
class BalanceQuery;

struct ResidentScreens
{
    PasswordScreen *passwordScreen = nullptr;
    Launcher *launcher = nullptr;
    PasswordChangeScreen *passwordChangeScreen = nullptr;
    MemberCardScreen *memberCardScreen = nullptr;
    BookMenu *bookMenu = nullptr;
    BookCreationScreen *bookCreationScreen = nullptr;
    BookListScreen *bookListScreen = nullptr;
    BookPageScreen *bookPageScreen = nullptr;
    JournalMenu *journalMenu = nullptr;
    JournalYearMenu *journalYearMenu = nullptr;
    MovementCardScreen *movementCardScreen = nullptr;
    BalanceQuery *balanceQuery = nullptr;
};

class AppContext final
{
public:
    AppContext(Services &services, const QString &programFolder);

    Services &services() const { return m_services; }
    const app::ProgramFolder &folder() const { return m_folder; }
    ResidentScreens &screens() { return m_screens; }

    // Moves from one resident screen to another: show the target, then hide the current one.
    static void switchScreen(QWidget *from, QWidget *to);
    // Ends the program.
    void quit() const;
    void setQuitHandler(std::function<void()> handler) { m_quit = std::move(handler); }

private:
    Services &m_services;
    app::ProgramFolder m_folder;
    ResidentScreens m_screens;
    std::function<void()> m_quit;
};

} // namespace almavest::ui
