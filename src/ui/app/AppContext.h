#pragma once

#include "app/ProgramFolder.h"

#include <functional>

class QWidget;

// What every screen shares: the services, the program folder and the resident screens to switch
// to. Built once by Application.
namespace almavest::ui {

class Services;
class TfrmPassword;
class TfrmCambiaPassword;
class TfrmAvvio;
class TfrmAnagrafica;
class TfrmMenuRegistro;
class TfrmCreaRegistro;
class TfrmApriRegistro;
class TfrmRegistro;
class TfrmMenuPrimanota;
class TfrmMenuMovimenti;
class TfrmMovimenti;
class TfrmMenuBilancio;

struct ResidentScreens
{
    TfrmPassword *password = nullptr;
    TfrmAvvio *launcher = nullptr;
    TfrmCambiaPassword *changePassword = nullptr;
    TfrmAnagrafica *anagrafica = nullptr;
    TfrmMenuRegistro *menuRegistro = nullptr;
    TfrmCreaRegistro *creaRegistro = nullptr;
    TfrmApriRegistro *apriRegistro = nullptr;
    TfrmRegistro *registro = nullptr;
    TfrmMenuPrimanota *menuPrimanota = nullptr;
    TfrmMenuMovimenti *menuMovimenti = nullptr;
    TfrmMovimenti *movimenti = nullptr;
    TfrmMenuBilancio *menuBilancio = nullptr;
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
