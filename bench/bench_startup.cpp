// Start-up of the whole program up to the password screen, against one empty window, each in a
// fresh process.
#include "BenchSupport.h"

#include "ui/app/Application.h"
#include "ui/services/Services.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace almavest::bench {

namespace {

double startUp(const QString &self, const QString &mode, const QString &folder)
{
    return bestOf(7, [&] {
        QProcess child;
        child.start(self, {mode, folder});
        child.waitForFinished(60000);
    });
}

} // namespace

int childStartUp(int argc, char *argv[], bool wholeProgram)
{
    QApplication qtApp(argc, argv);
    const QString folder = QCoreApplication::arguments().value(2);
    ui::DesktopServices services;
    std::unique_ptr<ui::Application> app;
    std::unique_ptr<QWidget> empty;
    if (wholeProgram) {
        app = std::make_unique<ui::Application>(services, folder);
        app->start();
    } else {
        empty = std::make_unique<QWidget>();
        empty->show();
    }
    // Leave once the first round of events, the showing of the window, has been handled.
    QTimer::singleShot(0, &qtApp, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}

void startUpBenchmarks(const QString &self, const QString &folder)
{
    const double empty = startUp(self, QStringLiteral("--child-empty"), folder);
    row(QStringLiteral("start-up: one empty window"), empty, QStringLiteral("ms"));
    row(QStringLiteral("start-up: program to the password screen"),
        startUp(self, QStringLiteral("--child-app"), folder), QStringLiteral("ms"), empty, 2);
}

} // namespace almavest::bench
