// Start-up of the whole program up to the password screen, against one empty window, each in a
// fresh process: the program built into the bench, and the installed program (the one
// ALMAVEST_INSTALLED_PROGRAM names, else /usr/bin/almavest when there is one), timed from its
// start to the exposure of its first window by a small library preloaded into it.
#include "BenchSupport.h"

#include "ui/app/Application.h"
#include "ui/services/Services.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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

// `program` started with the probe preloaded, which ends it once its first window is exposed;
// `home` is its home, where an installed program keeps its data folder.
double probedStartUp(const QString &program, const QStringList &arguments, const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(ALMAVEST_STARTUP_PROBE));
    bool ended = true;
    const double time = bestOf(7, [&] {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(program, arguments);
        ended = child.waitForFinished(60000) && child.exitCode() == 0 && ended;
    });
    require(ended, "a program timed with the start-up probe did not end by itself");
    return time;
}

QString installedProgram()
{
    const QString named = qEnvironmentVariable("ALMAVEST_INSTALLED_PROGRAM");
    if (!named.isEmpty())
        return named;
    const QString system = QStringLiteral("/usr/bin/almavest");
    return QFileInfo(system).isExecutable() ? system : QString();
}

} // namespace

int childStartUp(int argc, char *argv[], bool wholeProgram, bool leaveByItself)
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
    if (leaveByItself)
        QTimer::singleShot(0, &qtApp, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}

void startUpBenchmarks(const QString &self, const QString &folder)
{
    const double empty = startUp(self, QStringLiteral("--child-empty"), folder);
    row(QStringLiteral("start-up: one empty window"), empty, QStringLiteral("ms"));
    row(QStringLiteral("start-up: program to the password screen"),
        startUp(self, QStringLiteral("--child-app"), folder), QStringLiteral("ms"), empty, 1.5);

    const QString installed = installedProgram();
    if (installed.isEmpty()) {
        row(QStringLiteral("start-up: installed program (none; set ALMAVEST_INSTALLED_PROGRAM)"), 0,
            QStringLiteral("ms"));
        return;
    }
    const QString home = QDir(folder).filePath(QStringLiteral("home"));
    require(QDir().mkpath(home), "cannot make the home of the installed program");
    const double probedEmpty
        = probedStartUp(self, {QStringLiteral("--child-window"), folder}, home);
    row(QStringLiteral("start-up: one empty window, to its exposure"), probedEmpty,
        QStringLiteral("ms"));
    row(QStringLiteral("start-up: installed, to the password screen"),
        probedStartUp(installed, {}, home), QStringLiteral("ms"), probedEmpty, 1.5);
}

} // namespace almavest::bench
