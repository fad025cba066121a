#include "ui/app/Application.h"

#include "journal/MovementRecord.h"
#include "ui/app/Launcher.h"
#include "ui/app/PasswordChangeScreen.h"
#include "ui/app/PasswordScreen.h"
#include "ui/balance/BalanceQuery.h"
#include "ui/book/BookCreationScreen.h"
#include "ui/book/BookListScreen.h"
#include "ui/book/BookMenu.h"
#include "ui/book/BookPageScreen.h"
#include "ui/journal/JournalMenu.h"
#include "ui/journal/JournalYearMenu.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/registry/MemberCardScreen.h"

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

    buildScreens();
    wireHandOvers();
}

void Application::buildScreens()
{
    Navigator &navigator = m_context.navigator();
    const auto build = [this, &navigator]<typename T>(std::unique_ptr<T> &screen, Screen name) {
        screen = std::make_unique<T>(m_context);
        navigator.enrol(name, screen.get());
    };
    build(m_passwordScreen, Screen::Password);
    build(m_launcher, Screen::Launcher);
    build(m_passwordChangeScreen, Screen::PasswordChange);
    build(m_memberCardScreen, Screen::MemberCard);
    build(m_bookMenu, Screen::BookMenu);
    build(m_bookCreationScreen, Screen::BookCreation);
    build(m_bookListScreen, Screen::BookList);
    build(m_bookPageScreen, Screen::BookPage);
    build(m_journalMenu, Screen::JournalMenu);
    build(m_journalYearMenu, Screen::JournalYear);
    build(m_movementCardScreen, Screen::MovementCard);
    build(m_balanceQuery, Screen::BalanceQuery);
}

void Application::wireHandOvers()
{
    BookListScreen *books = m_bookListScreen.get();
    BookPageScreen *pages = m_bookPageScreen.get();
    QObject::connect(books, &BookListScreen::bookChosen, pages,
        [books, pages](
            const QString &path, const QString &name) { pages->openBook(books, path, name); });
    JournalYearMenu *years = m_journalYearMenu.get();
    MovementCardScreen *movements = m_movementCardScreen.get();
    QObject::connect(years, &JournalYearMenu::yearChosen, movements,
        [years, movements](const QString &path, int year) {
            movements->openYear(years, path, journal::journalYearText(year));
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
    m_passwordScreen->showCentred();
}

} // namespace almavest::ui
