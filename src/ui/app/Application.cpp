#include "ui/app/Application.h"

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

AppContext::AppContext(Services &services, const QString &programFolder)
    : m_services(services)
    , m_folder(programFolder)
    , m_quit([] { QCoreApplication::exit(0); })
{ }

void AppContext::switchScreen(QWidget *from, QWidget *to)
{
    to->show();
    if (from && from != to)
        from->hide();
}

void AppContext::quit() const
{
    m_quit();
}

Application::Application(Services &services, const QString &programFolder)
    : m_context(services, programFolder)
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

    m_passwordScreen = std::make_unique<PasswordScreen>(m_context);
    m_context.screens().passwordScreen = m_passwordScreen.get();
    m_launcher = std::make_unique<Launcher>(m_context);
    m_context.screens().launcher = m_launcher.get();
    m_passwordChangeScreen = std::make_unique<PasswordChangeScreen>(m_context);
    m_context.screens().passwordChangeScreen = m_passwordChangeScreen.get();
    m_memberCardScreen = std::make_unique<MemberCardScreen>(m_context);
    m_context.screens().memberCardScreen = m_memberCardScreen.get();
    m_bookMenu = std::make_unique<BookMenu>(m_context);
    m_context.screens().bookMenu = m_bookMenu.get();
    m_bookCreationScreen = std::make_unique<BookCreationScreen>(m_context);
    m_context.screens().bookCreationScreen = m_bookCreationScreen.get();
    m_bookListScreen = std::make_unique<BookListScreen>(m_context);
    m_context.screens().bookListScreen = m_bookListScreen.get();
    m_bookPageScreen = std::make_unique<BookPageScreen>(m_context);
    m_context.screens().bookPageScreen = m_bookPageScreen.get();
    m_journalMenu = std::make_unique<JournalMenu>(m_context);
    m_context.screens().journalMenu = m_journalMenu.get();
    m_journalYearMenu = std::make_unique<JournalYearMenu>(m_context);
    m_context.screens().journalYearMenu = m_journalYearMenu.get();
    m_movementCardScreen = std::make_unique<MovementCardScreen>(m_context);
    m_context.screens().movementCardScreen = m_movementCardScreen.get();
    m_balanceQuery = std::make_unique<BalanceQuery>(m_context);
    m_context.screens().balanceQuery = m_balanceQuery.get();
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
