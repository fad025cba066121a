// Scans an archive through its memory map, then reads a page of it that is gone outside any
// scan: that fault is none of the scans' and must end the program as it always did.
//   bus_error_outside_scan <archive> <record size>
#include "store/ArchiveFile.h"

#include <QCoreApplication>
#include <QFile>

using almavest::store::ArchiveFile;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return 2;
    const QString path = args.at(1);
    ArchiveFile archive(path, args.at(2).toInt());
    if (!archive.openForReading() || !archive.scan([](qint64, QByteArrayView) { return true; }))
        return 3;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 4;
    const qint64 size = file.size();
    const uchar *bytes = file.map(0, size);
    if (bytes == nullptr || !QFile::resize(path, 0))
        return 5;
    volatile uchar last = bytes[size - 1];
    return last == 0 ? 6 : 7; // reached only when the read did not fault
}
