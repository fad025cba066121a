#pragma once

#include "app/FolderPresence.h"
#include "app/ProgramFolder.h"
#include "ui/app/Navigator.h"

#include <functional>

// What every screen shares: the services, the program folder and the navigator between the
// resident screens. Built once by Application.
namespace almavest::ui {

class Services;

class AppContext final
{
public:
    // `ownFilesFolder` holds the executable and the user guide; empty when it is the program
    // folder itself.
    AppContext(
        Services &services, const QString &programFolder, const QString &ownFilesFolder = {});

    Services &services() const { return m_services; }
    const app::ProgramFolder &folder() const { return m_folder; }
    Navigator &navigator() { return m_navigator; }
    // This copy's mark on the program folder, which tells whether another copy works there too.
    app::FolderPresence &presence() { return m_presence; }

    // Ends the program.
    void quit() const;
    void setQuitHandler(std::function<void()> handler) { m_quit = std::move(handler); }

private:
    Services &m_services;
    app::ProgramFolder m_folder;
    app::FolderPresence m_presence;
    Navigator m_navigator;
    std::function<void()> m_quit;
};

} // namespace almavest::ui
