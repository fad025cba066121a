// Writes a password file holding the given password, scrambled as the program reads it.
#include "app/PasswordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: almavest_mkpassword FILE PASSWORD\n";
        return 2;
    }
    QDir().mkpath(QFileInfo(args.at(1)).absolutePath());
    if (!almavest::app::PasswordFile(args.at(1)).storePassword(args.at(2))) {
        QTextStream(stderr) << "cannot write " << args.at(1) << '\n';
        return 1;
    }
    return 0;
}
