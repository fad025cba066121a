#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace almavest::store {
class ScanControl;
}

// Backups of the program's data: one zip in the folder "Backup" of the program folder for each,
// named after the moment it was made. Each backup holds the whole data set, so any one of them
// brings the folder back on its own; a backup is written to a temporary name, read back whole
// (every entry's checksum) and only then given its name, and older backups beyond the number
// kept are deleted only after that.
namespace almavest::backup {

inline constexpr const char *kBackupFolderName = "Backup";
inline constexpr int kDefaultKept = 10;

// One file of the data set: its name in the program folder ("Soci.pro",
// "Schedario/12.jpg"), its size and when it last changed.
struct DataFile
{
    QString name;
    qint64 size = 0;
    QDateTime modified;

    friend bool operator==(const DataFile &, const DataFile &) = default;
};

// The data of the program folder `folder`: the member archive, the books, the journals, the
// settings and the password file, and the files in the folders of the photos, the attachments
// and the receipts; sorted by name. The program's own files and the backups are not data, and
// neither is anything reached through a link that leads out of the folder.
QList<DataFile> dataFiles(const QString &folder);

// Whether `name` (as in DataFile) is a name the data set may hold: a plain relative name with no
// ".." and no empty part, of a data file or inside a data folder.
bool isDataName(const QString &name);

// What a backup holds, once read back.
struct BackupContents
{
    QString path;
    QDateTime made; // from the backup's own notes
    QList<DataFile> files;
    qint64 bytes = 0; // the bytes of the files, unpacked
};

// The backups in `folder`/Backup, newest first.
QStringList backupPaths(const QString &folder);

// Reads the backup at `path` whole, checking every entry against its checksum and every name
// against the data set; nullopt, with the reason in Italian in `error`, when it is damaged or is
// not a backup of this program. `control` follows and may stop the reading.
std::optional<BackupContents> readBackup(
    const QString &path, QString *error = nullptr, store::ScanControl *control = nullptr);

enum class BackupOutcome {
    Made,
    Unchanged, // the newest backup already holds the data as it is
    Cancelled,
    Failed,
};

struct BackupResult
{
    BackupOutcome outcome = BackupOutcome::Failed;
    QString path; // the backup made, or the newest one when nothing changed
    QString error; // in Italian, when it failed
};

// Backs up the data of `folder`, naming the backup after `now`, unless nothing has changed since
// the newest backup (`always` makes one all the same). The backups beyond the `kept` newest are
// then deleted. A failure leaves the data and the earlier backups as they were.
BackupResult makeBackup(const QString &folder, const QDateTime &now, int kept, bool always = false,
    store::ScanControl *control = nullptr);

struct RestoreResult
{
    bool restored = false;
    QString safetyCopy; // the backup that holds the data as they were before the restore
    QString error; // in Italian, when nothing or not everything was restored
};

// Brings `folder` back to the backup at `backupPath`: the backup is read back whole first (a
// damaged one is refused before anything is touched), then the data as they are now are backed
// up, then every file of the backup is unpacked beside its place and only when all are unpacked
// put in place; data files the backup does not hold are removed (the safety copy holds them).
RestoreResult restoreBackup(const QString &folder, const QString &backupPath, const QDateTime &now,
    int kept, store::ScanControl *control = nullptr);

} // namespace almavest::backup

namespace almavest::backup {

// How many backups are kept (1 to 99), from the settings of the program folder; kDefaultKept
// when the settings do not say or cannot be read.
int keptBackups(const QString &folder);
// Saves the number of backups kept; false, with the system's reason in `error`, when the
// settings cannot be written.
[[nodiscard]] bool setKeptBackups(const QString &folder, int kept, QString &error);

// What the backup at `path` says it holds, read from its notes only: quick, but not a check.
std::optional<BackupContents> backupNotes(const QString &path);

} // namespace almavest::backup
