#pragma once

#include "ui/app/AppContext.h"

#include <QString>

#include <memory>

class QTranslator;

// The whole program on one program folder: builds the resident screens in their fixed order,
// enrols them with the navigator, wires what one hands the next, and shows the password screen.
// main() builds it on the executable's folder, tests on a temporary one with recording services.
namespace almavest::ui {

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

class Application final
{
public:
    // `ownFilesFolder`: where the executable and the user guide are installed, when the program
    // works on a data folder of its own elsewhere.
    Application(
        Services &services, const QString &programFolder, const QString &ownFilesFolder = {});
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    // Shows the password screen, centred.
    void start();

    AppContext &context() { return m_context; }
    PasswordScreen *passwordScreen() { return m_passwordScreen.get(); }
    Launcher *launcher() { return m_launcher.get(); }
    PasswordChangeScreen *passwordChangeScreen() { return m_passwordChangeScreen.get(); }
    MemberCardScreen *memberCardScreen() { return m_memberCardScreen.get(); }
    BookMenu *bookMenu() { return m_bookMenu.get(); }
    BookCreationScreen *bookCreationScreen() { return m_bookCreationScreen.get(); }
    BookListScreen *bookListScreen() { return m_bookListScreen.get(); }
    BookPageScreen *bookPageScreen() { return m_bookPageScreen.get(); }
    JournalMenu *journalMenu() { return m_journalMenu.get(); }
    JournalYearMenu *journalYearMenu() { return m_journalYearMenu.get(); }
    MovementCardScreen *movementCardScreen() { return m_movementCardScreen.get(); }
    BalanceQuery *balanceQuery() { return m_balanceQuery.get(); }

private:
    static void applyStyleSheet();
    void buildScreens();
    // Where one screen hands the next what it is to open.
    void wireHandOvers();

    AppContext m_context;
    std::unique_ptr<QTranslator> m_translator;
    std::unique_ptr<PasswordScreen> m_passwordScreen;
    std::unique_ptr<Launcher> m_launcher;
    std::unique_ptr<PasswordChangeScreen> m_passwordChangeScreen;
    std::unique_ptr<MemberCardScreen> m_memberCardScreen;
    std::unique_ptr<BookMenu> m_bookMenu;
    std::unique_ptr<BookCreationScreen> m_bookCreationScreen;
    std::unique_ptr<BookListScreen> m_bookListScreen;
    std::unique_ptr<BookPageScreen> m_bookPageScreen;
    std::unique_ptr<JournalMenu> m_journalMenu;
    std::unique_ptr<JournalYearMenu> m_journalYearMenu;
    std::unique_ptr<MovementCardScreen> m_movementCardScreen;
    std::unique_ptr<BalanceQuery> m_balanceQuery;
};

} // namespace almavest::ui
