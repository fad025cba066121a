// A backup of a large data folder, made and read back whole, against the raw read of its files.
#include "BenchSupport.h"

#include "app/ProgramFolder.h"
#include "backup/Backup.h"

#include <QDir>
#include <QFileInfo>

namespace almavest::bench {

void backupBenchmarks(const QString &folder, int records)
{
    const QString data = QDir(folder).filePath(QStringLiteral("dati"));
    require(QDir().mkpath(data), "cannot make the data folder");
    const QString members = QDir(data).filePath(QStringLiteral("Soci.pro"));
    const QString year = QDir(data).filePath(QStringLiteral("2026.eur"));
    require(generateMembers(members, records) && generateMovements(year, records),
        "cannot write the archives to back up");
    const double raw = rawRead(members) + rawRead(year);
    row(QStringLiteral("backup: raw read of %1 members and %1 movements").arg(records), raw,
        QStringLiteral("ms"));
    const QDateTime moment(QDate(2026, 12, 11), QTime(9, 0));
    bool made = true;
    QString path;
    const double time = bestOf(
        3,
        [&] {
            QDir(QDir(data).filePath(QLatin1String(backup::kBackupFolderName))).removeRecursively();
        },
        [&] {
            const backup::BackupResult result = backup::makeBackup(data, moment, 10, true);
            made = made && result.outcome == backup::BackupOutcome::Made;
            path = result.path;
        });
    require(made, "the backup failed");
    row(QStringLiteral("backup: made, read back and checked"), time, QStringLiteral("ms"), raw, 3);
    row(QStringLiteral("backup: size of the zip"), double(QFileInfo(path).size()) / (1 << 20),
        QStringLiteral("MiB"));
}

} // namespace almavest::bench
