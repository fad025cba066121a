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
    TfrmPassword *passwordScreen() { return m_context.screens().password; }
    TfrmAvvio *launcher() { return m_context.screens().launcher; }
    TfrmCambiaPassword *changePasswordScreen() { return m_context.screens().changePassword; }
    TfrmAnagrafica *memberCard() { return m_context.screens().anagrafica; }
    TfrmMenuRegistro *bookMenu() { return m_context.screens().menuRegistro; }
    TfrmCreaRegistro *bookCreation() { return m_context.screens().creaRegistro; }
    TfrmApriRegistro *bookList() { return m_context.screens().apriRegistro; }
    TfrmRegistro *bookPage() { return m_context.screens().registro; }
    TfrmMenuPrimanota *journalMenu() { return m_context.screens().menuPrimanota; }
    TfrmMenuMovimenti *yearScreen() { return m_context.screens().menuMovimenti; }
    TfrmMovimenti *movementCard() { return m_context.screens().movimenti; }
    TfrmMenuBilancio *balanceQuery() { return m_context.screens().menuBilancio; }

private:
    static void applyStyleSheet();

    AppContext m_context;
    std::unique_ptr<QTranslator> m_translator;
    std::unique_ptr<TfrmPassword> m_password;
    std::unique_ptr<TfrmAvvio> m_launcher;
    std::unique_ptr<TfrmCambiaPassword> m_changePassword;
    std::unique_ptr<TfrmAnagrafica> m_anagrafica;
    std::unique_ptr<TfrmMenuRegistro> m_menuRegistro;
    std::unique_ptr<TfrmCreaRegistro> m_creaRegistro;
    std::unique_ptr<TfrmApriRegistro> m_apriRegistro;
    std::unique_ptr<TfrmRegistro> m_registro;
    std::unique_ptr<TfrmMenuPrimanota> m_menuPrimanota;
    std::unique_ptr<TfrmMenuMovimenti> m_menuMovimenti;
    std::unique_ptr<TfrmMovimenti> m_movimenti;
    std::unique_ptr<TfrmMenuBilancio> m_menuBilancio;
};

} // namespace almavest::ui
