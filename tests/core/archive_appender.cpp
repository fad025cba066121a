// Appends numbered records to an archive as a card screen saves new cards, one action each, and
// prints the position each one took. Started twice at once by the archive tests.
//   archive_appender <archive> <record size> <tag> <count>
// Waits for a line on its input before the first append, so that two copies start together.
#include "store/ArchiveFile.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using almavest::store::ArchiveFile;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5)
        return 2;
    const QString path = args.at(1);
    const int size = args.at(2).toInt();
    const QByteArray tag = args.at(3).toLatin1();
    const int count = args.at(4).toInt();

    char go[8];
    if (!std::fgets(go, sizeof go, stdin))
        return 2;
    QTextStream out(stdout);
    for (int i = 1; i <= count; ++i) {
        QByteArray record = tag + ' ' + QByteArray::number(i) + ' ';
        record = record.leftJustified(size - 1, '.') + '\n';
        ArchiveFile archive(path, size);
        const std::optional<qint64> position
            = archive.openForWriting() ? archive.append(record) : std::nullopt;
        if (!position) {
            std::fprintf(stderr, "append %d: %s\n", i, qPrintable(archive.errorString()));
            return 1;
        }
        archive.close();
        out << *position << '\n';
    }
    return 0;
}
