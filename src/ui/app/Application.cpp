#include "ui/app/Application.h"

#include "ui/app/TfrmAvvio.h"
#include "ui/app/TfrmCambiaPassword.h"
#include "ui/app/TfrmPassword.h"
#include "ui/balance/TfrmMenuBilancio.h"
#include "ui/book/TfrmApriRegistro.h"
#include "ui/book/TfrmCreaRegistro.h"
#include "ui/book/TfrmMenuRegistro.h"
#include "ui/book/TfrmRegistro.h"
#include "ui/journal/TfrmMenuMovimenti.h"
#include "ui/journal/TfrmMenuPrimanota.h"
#include "ui/journal/TfrmMovimenti.h"
#include "ui/registry/TfrmAnagrafica.h"

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

    m_password = std::make_unique<TfrmPassword>(m_context);
    m_context.screens().password = m_password.get();
    m_launcher = std::make_unique<TfrmAvvio>(m_context);
    m_context.screens().launcher = m_launcher.get();
    m_changePassword = std::make_unique<TfrmCambiaPassword>(m_context);
    m_context.screens().changePassword = m_changePassword.get();
    m_anagrafica = std::make_unique<TfrmAnagrafica>(m_context);
    m_context.screens().anagrafica = m_anagrafica.get();
    m_menuRegistro = std::make_unique<TfrmMenuRegistro>(m_context);
    m_context.screens().menuRegistro = m_menuRegistro.get();
    m_creaRegistro = std::make_unique<TfrmCreaRegistro>(m_context);
    m_context.screens().creaRegistro = m_creaRegistro.get();
    m_apriRegistro = std::make_unique<TfrmApriRegistro>(m_context);
    m_context.screens().apriRegistro = m_apriRegistro.get();
    m_registro = std::make_unique<TfrmRegistro>(m_context);
    m_context.screens().registro = m_registro.get();
    m_menuPrimanota = std::make_unique<TfrmMenuPrimanota>(m_context);
    m_context.screens().menuPrimanota = m_menuPrimanota.get();
    m_menuMovimenti = std::make_unique<TfrmMenuMovimenti>(m_context);
    m_context.screens().menuMovimenti = m_menuMovimenti.get();
    m_movimenti = std::make_unique<TfrmMovimenti>(m_context);
    m_context.screens().movimenti = m_movimenti.get();
    m_menuBilancio = std::make_unique<TfrmMenuBilancio>(m_context);
    m_context.screens().menuBilancio = m_menuBilancio.get();
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
    m_password->showCentred();
}

} // namespace almavest::ui
