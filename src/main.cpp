// Almavest: runs on the folder that holds the executable.
#include "ui/app/Application.h"
#include "ui/services/Services.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Almavest"));
    almavest::ui::DesktopServices services;
    almavest::ui::Application app(services, QCoreApplication::applicationDirPath());
    app.start();
    return QApplication::exec();
}
