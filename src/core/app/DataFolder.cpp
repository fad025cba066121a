#include "app/DataFolder.h"

#include "app/ProgramFolder.h"
#include "app/SystemCause.h"
#include "store/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace almavest::app {

namespace {

// The password file ships small; anything larger is not the one the program wrote.
constexpr qint64 kInitialPasswordLimit = qint64(64) * 1024;

// Archives the program folder may already hold: the member archive, books and journals.
bool holdsArchives(const QString &folder)
{
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(QStringLiteral("Soci.pro"))).isFile())
        return true;
    const QStringList archives = dir.entryList(
        {QStringLiteral("*.lib"), QStringLiteral("*.eur")}, QDir::Files | QDir::Hidden);
    return !archives.isEmpty();
}

QString refusal(const QString &folder, const QString &systemError)
{
    return withSystemCause(
        QStringLiteral("Attenzione: non è stato possibile creare la cartella dei dati del "
                       "programma:\r\n%1\r\n\r\nLa cartella del programma non può essere "
                       "modificata, quindi i dati vanno tenuti in questa cartella. Verificare "
                       "di poter scrivere nella propria cartella personale e avviare di nuovo "
                       "il programma.")
            .arg(QDir::toNativeSeparators(folder)),
        systemError);
}

// Gives `folder` the initial password file of the program when it has none; a password already
// there is the user's own and is never replaced.
bool supplyPasswordFile(const QString &programFolder, const QString &folder, QString *error)
{
    const QString target = QDir(folder).filePath(QLatin1String(kPasswordFileName));
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return true;
    QFile initial(QDir(programFolder).filePath(QLatin1String(kPasswordFileName)));
    // No initial file beside the program: the folder stays without one, as a portable folder
    // whose password file went missing does.
    if (!initial.exists())
        return true;
    if (initial.size() > kInitialPasswordLimit || !initial.open(QIODevice::ReadOnly)) {
        *error = initial.errorString();
        return false;
    }
    return store::writeWholeFile(target, initial.readAll(), error) == store::WriteFailure::None;
}

} // namespace

bool folderTakesWrites(const QString &folder)
{
#ifdef Q_OS_WIN
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
#else
    // The effective user's rights, as the kernel sees them: a read-only mount is refused even
    // to root, and a process that has given up root's rights is judged as the ordinary user.
    return faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0;
#endif
}

DataFolderChoice chooseDataFolder(const QString &programFolder, const QString &home)
{
    if (folderTakesWrites(programFolder) || holdsArchives(programFolder))
        return {programFolder, false, {}};

    const QString folder = QDir(home).filePath(QLatin1String(kHomeDataFolderName));
    QString error;
    if (!createFolder(folder, &error) || !supplyPasswordFile(programFolder, folder, &error))
        return {{}, false, refusal(folder, error)};
    return {folder, true, {}};
}

} // namespace almavest::app
