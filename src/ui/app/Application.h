#pragma once

#include "ui/app/AppContext.h"

#include <QString>

#include <memory>

class QTranslator;

// The whole program on one program folder: builds the resident screens in their fixed order and
// shows the password screen. main() builds it on the executable's folder, tests on a temporary
// one with recording services.
namespace almavest::ui {

class Application final
{
public:
    Application(Services &services, const QString &programFolder);
    ~Application();
    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    // Shows the password screen, centred.
    void start();

    AppContext &context() { return m_context; }
    PasswordScreen *passwordScreen() { return m_context.screens().passwordScreen; }
    Launcher *launcher() { return m_context.screens().launcher; }
    PasswordChangeScreen *passwordChangeScreen()
    {
        return m_context.screens().passwordChangeScreen;
    }
    MemberCardScreen *memberCardScreen() { return m_context.screens().memberCardScreen; }
    BookMenu *bookMenu() { return m_context.screens().bookMenu; }
    BookCreationScreen *bookCreationScreen() { return m_context.screens().bookCreationScreen; }
    BookListScreen *bookListScreen() { return m_context.screens().bookListScreen; }
    BookPageScreen *bookPageScreen() { return m_context.screens().bookPageScreen; }
    JournalMenu *journalMenu() { return m_context.screens().journalMenu; }
    JournalYearMenu *journalYearMenu() { return m_context.screens().journalYearMenu; }
    MovementCardScreen *movementCardScreen() { return m_context.screens().movementCardScreen; }
    BalanceQuery *balanceQuery() { return m_context.screens().balanceQuery; }

private:
    static void applyStyleSheet();

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
