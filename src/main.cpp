// Almavest: runs on the folder that holds the executable, or on ~/Almavest when installed where
// it may not write.
#include "app/DataFolder.h"
#include "ui/app/Application.h"
#include "ui/services/Services.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Almavest"));
    almavest::ui::DesktopServices services;
    const QString programFolder = QCoreApplication::applicationDirPath();
    const almavest::app::DataFolderChoice data
        = almavest::app::chooseDataFolder(programFolder, QDir::homePath());
    if (data.refused()) {
        services.message(nullptr, almavest::ui::MessageKind::Error, data.refusal);
        return 1;
    }
    almavest::ui::Application app(services, data.folder, programFolder);
    app.start();
    return QApplication::exec();
}
