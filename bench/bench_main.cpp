// Measures, on one generated member archive, the costs the screens pay on a large archive, each
// against a plain baseline (a raw sequential read of the same file, one empty window, drawing
// straight onto a PDF) so that the figures read the same on any machine.
// Usage: almavest_bench [records] [journal|export|workbooks|queries|board|backup|startup]
// (default 100000; a group named is measured alone)
//        almavest_bench scale   (the queries against SQLite at 10,000, 100,000 and 1,000,000)
#include "BenchSupport.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

using namespace almavest::bench;

int main(int argc, char *argv[])
{
    if (argc >= 2 && qstrcmp(argv[1], "--child-app") == 0)
        return childStartUp(argc, argv, true);
    if (argc >= 2 && qstrcmp(argv[1], "--child-empty") == 0)
        return childStartUp(argc, argv, false);
    if (argc >= 2 && qstrcmp(argv[1], "--child-window") == 0)
        return childStartUp(argc, argv, false, false);
    if (argc >= 2 && qstrcmp(argv[1], "--child-query") == 0) {
        QCoreApplication fresh(argc, argv);
        return childQuery(argc, argv);
    }

    // Widgets are measured too, without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc >= 2 && qstrcmp(argv[1], "scale") == 0) {
        for (const int records : {10000, 100000, 1000000}) {
            QTemporaryDir scaleDir;
            queryBenchmarks(QCoreApplication::applicationFilePath(), scaleDir.path(), records);
        }
        return 0;
    }
    const int records = argc >= 2 ? QByteArray(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    const QString archive = dir.filePath(QStringLiteral("Soci.pro"));
    const QString small = dir.filePath(QStringLiteral("Piccolo.pro"));
    QTextStream out(stdout);
    if (!generateMembers(archive, records) || !generateMembers(small, 1000)) {
        out << "cannot write the archives in " << dir.path() << Qt::endl;
        return 1;
    }
    out << "Member archive: " << records << " records, " << QFile(archive).size() / (1 << 20)
        << " MiB; platform " << QGuiApplication::platformName() << Qt::endl;

    if (argc >= 3 && qstrcmp(argv[2], "startup") == 0) {
        startUpBenchmarks(QCoreApplication::applicationFilePath(), dir.path());
        return 0;
    }
    if (argc >= 3 && qstrcmp(argv[2], "journal") == 0) {
        journalBenchmarks(dir.path(), records);
        return 0;
    }
    if (argc >= 3 && qstrcmp(argv[2], "backup") == 0) {
        backupBenchmarks(dir.path(), records);
        return 0;
    }
    if (argc >= 3 && qstrcmp(argv[2], "board") == 0) {
        boardBenchmarks(dir.path(), records);
        return 0;
    }
    if (argc >= 3 && qstrcmp(argv[2], "queries") == 0) {
        queryBenchmarks(QCoreApplication::applicationFilePath(), dir.path(), records);
        return 0;
    }
    const double raw = rawRead(archive);
    if (argc >= 3 && qstrcmp(argv[2], "export") == 0) {
        exportBenchmarks(archive, raw);
        return 0;
    }
    if (argc >= 3 && qstrcmp(argv[2], "workbooks") == 0) {
        workbookBenchmarks(archive, raw);
        return 0;
    }
    row(QStringLiteral("raw sequential read"), raw, QStringLiteral("ms"));
    archiveBenchmarks(archive, small, raw);
    listBenchmarks(archive, raw);
    bookBenchmarks(dir.path(), archive, raw);
    exportBenchmarks(archive, raw);
    workbookBenchmarks(archive, raw);
    reportBenchmarks();
    bookListBenchmarks(dir.path(), 500);
    journalBenchmarks(dir.path(), records);
    boardBenchmarks(dir.path(), records);
    startUpBenchmarks(QCoreApplication::applicationFilePath(), dir.path());
    queryBenchmarks(QCoreApplication::applicationFilePath(), dir.path(), records);
    backupBenchmarks(dir.path(), records);
    return 0;
}
