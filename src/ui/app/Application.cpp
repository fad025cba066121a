#include "ui/app/Application.h"

#include "journal/MovementRecord.h"
#include "ui/app/Launcher.h"
#include "ui/app/PasswordChangeScreen.h"
#include "ui/app/PasswordScreen.h"
#include "ui/app/ReminderBoard.h"
#include "ui/balance/BalanceQuery.h"
#include "ui/book/BookCreationScreen.h"
#include "ui/book/BookListScreen.h"
#include "ui/book/BookMenu.h"
#include "ui/book/BookPageScreen.h"
#include "ui/journal/JournalMenu.h"
#include "ui/journal/JournalYearMenu.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/registry/MemberCardScreen.h"
#include "ui/statement/StatementScreen.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

// The pictures, styles and help topics live in the static ui library, whose resource initialiser
// the linker would otherwise drop.
static void initialiseResources()
{
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(styles);
    Q_INIT_RESOURCE(help);
}

namespace almavest::ui {

AppContext::AppContext(
    Services &services, const QString &programFolder, const QString &ownFilesFolder)
    : m_services(services)
    , m_folder(programFolder, ownFilesFolder)
    , m_presence(programFolder)
    , m_quit([] { QCoreApplication::exit(0); })
{ }

void AppContext::quit() const
{
    m_quit();
}

Application::Application(
    Services &services, const QString &programFolder, const QString &ownFilesFolder)
    : m_context(services, programFolder, ownFilesFolder)
    , m_translator(std::make_unique<QTranslator>())
{
    // Standard buttons in Italian; dates and amounts never go through the locale.
    initialiseResources();
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    if (m_translator->load(
            QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_translator.get());
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/app-icon.svg")));
    QApplication::setQuitOnLastWindowClosed(false);
    applyStyleSheet();

    enrolScreens();
}

void Application::enrolScreens()
{
    Navigator &navigator = m_context.navigator();
    navigator.enrol(Screen::Password, [this] { return passwordScreen(); });
    navigator.enrol(Screen::Launcher, [this] { return launcher(); });
    navigator.enrol(Screen::PasswordChange, [this] { return passwordChangeScreen(); });
    navigator.enrol(Screen::MemberCard, [this] { return memberCardScreen(); });
    navigator.enrol(Screen::BookMenu, [this] { return bookMenu(); });
    navigator.enrol(Screen::BookCreation, [this] { return bookCreationScreen(); });
    navigator.enrol(Screen::BookList, [this] { return bookListScreen(); });
    navigator.enrol(Screen::BookPage, [this] { return bookPageScreen(); });
    navigator.enrol(Screen::JournalMenu, [this] { return journalMenu(); });
    navigator.enrol(Screen::JournalYear, [this] { return journalYearMenu(); });
    navigator.enrol(Screen::MovementCard, [this] { return movementCardScreen(); });
    navigator.enrol(Screen::BalanceQuery, [this] { return balanceQuery(); });
    navigator.enrol(Screen::Statement, [this] { return statementScreen(); });
}

template <typename T> T *Application::resident(std::unique_ptr<T> &screen)
{
    if (!screen)
        screen = std::make_unique<T>(m_context);
    return screen.get();
}

PasswordScreen *Application::passwordScreen()
{
    return resident(m_passwordScreen);
}

Launcher *Application::launcher()
{
    const bool built = m_launcher != nullptr;
    Launcher *launcher = resident(m_launcher);
    if (!built)
        wireReminderChoice(launcher);
    return launcher;
}

PasswordChangeScreen *Application::passwordChangeScreen()
{
    return resident(m_passwordChangeScreen);
}

MemberCardScreen *Application::memberCardScreen()
{
    return resident(m_memberCardScreen);
}

BookMenu *Application::bookMenu()
{
    return resident(m_bookMenu);
}

BookCreationScreen *Application::bookCreationScreen()
{
    return resident(m_bookCreationScreen);
}

BookListScreen *Application::bookListScreen()
{
    const bool built = m_bookListScreen != nullptr;
    BookListScreen *books = resident(m_bookListScreen);
    if (!built)
        wireBookChoice(books);
    return books;
}

BookPageScreen *Application::bookPageScreen()
{
    return resident(m_bookPageScreen);
}

JournalMenu *Application::journalMenu()
{
    return resident(m_journalMenu);
}

JournalYearMenu *Application::journalYearMenu()
{
    const bool built = m_journalYearMenu != nullptr;
    JournalYearMenu *years = resident(m_journalYearMenu);
    if (!built)
        wireYearChoice(years);
    return years;
}

MovementCardScreen *Application::movementCardScreen()
{
    return resident(m_movementCardScreen);
}

BalanceQuery *Application::balanceQuery()
{
    return resident(m_balanceQuery);
}

StatementScreen *Application::statementScreen()
{
    return resident(m_statementScreen);
}

// The page screen and the movement card are built when the first book or year is chosen.
void Application::wireBookChoice(BookListScreen *books)
{
    QObject::connect(books, &BookListScreen::bookChosen, books,
        [this, books](const QString &path, const QString &name) {
            bookPageScreen()->openBook(books, path, name);
        });
}

void Application::wireYearChoice(JournalYearMenu *years)
{
    QObject::connect(
        years, &JournalYearMenu::yearChosen, years, [this, years](const QString &path, int year) {
            movementCardScreen()->openYear(years, path, journal::journalYearText(year));
        });
}

// A member chosen on the reminder board opens on the member card, a payment on the movement card
// of its year.
void Application::wireReminderChoice(Launcher *launcher)
{
    QObject::connect(launcher, &Launcher::reminderChosen, launcher,
        [this, launcher](const ReminderChoice &chosen) {
            if (chosen.kind == ReminderChoice::Kind::Member) {
                m_context.navigator().go(Screen::MemberCard, launcher);
                memberCardScreen()->loadCard(chosen.position);
                return;
            }
            MovementCardScreen *card = movementCardScreen();
            card->openYear(launcher, chosen.journalPath, journal::journalYearText(chosen.year));
            card->loadCard(chosen.position);
        });
}

// The one style sheet of the program, for every screen and dialog alike.
void Application::applyStyleSheet()
{
    QFile sheet(QStringLiteral(":/styles/almavest.qss"));
    if (!sheet.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("The style sheet of the program is missing from its resources");
    qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
}

Application::~Application()
{
    QCoreApplication::removeTranslator(m_translator.get());
}

void Application::start()
{
    passwordScreen()->showCentred();
}

} // namespace almavest::ui
