#pragma once

#include "ui/app/AppContext.h"

#include <QString>

#include <memory>

class QTranslator;

// The whole program on one program folder: enrols the resident screens with the navigator,
// wires what one hands the next, and shows the password screen. A screen is built the first
// time it is reached, through the navigator or its accessor below, so start-up builds only what
// the password screen shows.
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
class StatementScreen;

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
    // Each resident screen, built now if it has not been yet.
    PasswordScreen *passwordScreen();
    Launcher *launcher();
    PasswordChangeScreen *passwordChangeScreen();
    MemberCardScreen *memberCardScreen();
    BookMenu *bookMenu();
    BookCreationScreen *bookCreationScreen();
    BookListScreen *bookListScreen();
    BookPageScreen *bookPageScreen();
    JournalMenu *journalMenu();
    JournalYearMenu *journalYearMenu();
    MovementCardScreen *movementCardScreen();
    BalanceQuery *balanceQuery();
    StatementScreen *statementScreen();

private:
    static void applyStyleSheet();
    void enrolScreens();
    // Builds `screen` unless it is built already.
    template <typename T> T *resident(std::unique_ptr<T> &screen);
    // Where one screen hands the next what it is to open, wired as the first one is built.
    void wireBookChoice(BookListScreen *books);
    void wireYearChoice(JournalYearMenu *years);
    void wireReminderChoice(Launcher *launcher);

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
    std::unique_ptr<StatementScreen> m_statementScreen;
};

} // namespace almavest::ui
