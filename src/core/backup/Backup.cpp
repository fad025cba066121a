#include "backup/Backup.h"

#include "backup/ZipWriter.h"

#include "app/IniFile.h"
#include "app/ProgramFolder.h"
#include "app/SystemCause.h"
#include "store/ScanControl.h"
#include "store/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <zip.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace almavest::backup {

namespace {

// The backup's own notes, an entry that is never unpacked: who made it, when, and each file's
// size and time, which tell whether the data have changed since.
constexpr char kNotesName[] = ".almavest-copia";
constexpr char kNotesSignature[] = "Almavest: copia di sicurezza dei dati";
constexpr char kNamePattern[] = "Copia_*.zip";
constexpr char kRestoreSuffix[] = ".ripristino";
constexpr char kPartPattern[] = "Copia_*.part";
constexpr qint64 kDeadPartSeconds = 3600;
constexpr qint64 kChunk = qint64(256) * 1024;
constexpr QLatin1StringView kSettingsSection("Copie di sicurezza");
constexpr QLatin1StringView kKeptKey("Conservate");
constexpr int kMostKept = 99;

// Files of the program folder that are data, by their extension: the member archive, the books,
// the journals with their receipt registers, the settings and the texts the user edits.
constexpr const char *kDataSuffixes[] = {"pro", "lib", "eur", "ric", "ini", "txt"};
// Folders whose every file is data: the photos, the attachments, the receipts.
constexpr const char *kDataFolders[] = {"Schedario", "Documenti_Allegati", "Ricevute"};

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

bool isDataFolder(const QString &name)
{
    for (const char *folder : kDataFolders) {
        if (name == QLatin1String(folder))
            return true;
    }
    return false;
}

QString zipError(zip_error_t *error)
{
    const int system = zip_error_code_system(error);
    if (zip_error_system_type(error) == ZIP_ET_SYS && system != 0)
        return QString::fromLocal8Bit(std::strerror(system));
    return QString::fromUtf8(zip_error_strerror(error));
}

QString zipOpenError(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    QString text = zipError(&error);
    zip_error_fini(&error);
    return text;
}

struct ZipCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct EntryCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};
using EntryHandle = std::unique_ptr<zip_file_t, EntryCloser>;

// Progress over a number of bytes, reported to the window as its share of the whole work: a step
// of the work reports between `from` and `to` of it.
class Progress
{
public:
    explicit Progress(store::ScanControl *control, double from = 0, double to = 1)
        : m_control(control)
        , m_from(from)
        , m_to(to)
    { }
    // Reports `done` bytes of the step's `total`; false when the work must stop.
    bool report(qint64 done, qint64 total) const
    {
        if (!m_control)
            return true;
        const double share = total <= 0 ? 1.0 : std::min(1.0, double(done) / double(total));
        return m_control->report(qint64((m_from + (m_to - m_from) * share) * kWhole), kWhole);
    }
    bool cancelled() const { return m_control && m_control->cancelled(); }

private:
    static constexpr qint64 kWhole = 10000;
    store::ScanControl *m_control;
    double m_from;
    double m_to;
};

QByteArray notesOf(const QList<DataFile> &files, const QDateTime &made)
{
    QByteArray notes = QByteArray(kNotesSignature) + '\n';
    notes += "fatta\t" + made.toString(Qt::ISODateWithMs).toUtf8() + '\n';
    for (const DataFile &file : files) {
        notes += "file\t" + QByteArray::number(file.size) + '\t'
            + QByteArray::number(file.modified.toMSecsSinceEpoch()) + '\t' + file.name.toUtf8()
            + '\n';
    }
    return notes;
}

std::optional<BackupContents> parseNotes(const QByteArray &notes)
{
    const QList<QByteArray> lines = notes.split('\n');
    if (lines.isEmpty() || lines.first() != kNotesSignature)
        return std::nullopt;
    BackupContents contents;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> parts = lines.at(i).split('\t');
        if (parts.size() == 2 && parts.at(0) == "fatta") {
            contents.made
                = QDateTime::fromString(QString::fromUtf8(parts.at(1)), Qt::ISODateWithMs);
        } else if (parts.size() == 4 && parts.at(0) == "file") {
            bool sized = false;
            bool timed = false;
            DataFile file;
            file.size = parts.at(1).toLongLong(&sized);
            file.modified = QDateTime::fromMSecsSinceEpoch(parts.at(2).toLongLong(&timed));
            file.name = QString::fromUtf8(parts.at(3));
            if (!sized || !timed || file.size < 0 || !isDataName(file.name))
                return std::nullopt;
            contents.bytes += file.size;
            contents.files.append(file);
        } else if (!lines.at(i).isEmpty()) {
            return std::nullopt;
        }
    }
    if (!contents.made.isValid())
        return std::nullopt;
    return contents;
}

// Reads the entry `index` whole, handing each piece to `take`; false with the reason in `error`
// when it cannot be read or its checksum does not match.
bool readEntry(zip_t *archive, zip_uint64_t index, QString *error,
    const std::function<bool(const char *, qint64)> &take)
{
    EntryHandle entry(zip_fopen_index(archive, index, 0));
    if (!entry) {
        *error = zipError(zip_get_error(archive));
        return false;
    }
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const zip_int64_t read = zip_fread(entry.get(), buffer.data(), buffer.size());
        if (read < 0) {
            *error = zipError(zip_file_get_error(entry.get()));
            return false;
        }
        if (read == 0)
            return true;
        if (!take(buffer.constData(), read)) {
            error->clear();
            return false;
        }
    }
}

std::optional<QByteArray> readNotes(zip_t *archive)
{
    const zip_int64_t index = zip_name_locate(archive, kNotesName, ZIP_FL_ENC_RAW);
    if (index < 0)
        return std::nullopt;
    QByteArray notes;
    QString error;
    const bool read
        = readEntry(archive, zip_uint64_t(index), &error, [&notes](const char *bytes, qint64 size) {
              notes.append(bytes, size);
              return notes.size() < qsizetype(64) * 1024 * 1024;
          });
    return read ? std::optional<QByteArray>(notes) : std::nullopt;
}

} // namespace

std::optional<BackupContents> backupNotes(const QString &path)
{
    int code = 0;
    ZipHandle archive(zip_open(encoded(path).constData(), ZIP_RDONLY, &code));
    if (!archive)
        return std::nullopt;
    const std::optional<QByteArray> notes = readNotes(archive.get());
    if (!notes)
        return std::nullopt;
    std::optional<BackupContents> contents = parseNotes(*notes);
    if (contents)
        contents->path = path;
    return contents;
}

namespace {

bool syncFile(const QString &path)
{
    const int handle = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0)
        return false;
    const bool synced = ::fsync(handle) == 0;
    ::close(handle);
    return synced;
}

// Renames `from` over `to`, replacing what is there.
bool replaceFile(const QString &from, const QString &to, QString *error)
{
    if (std::rename(encoded(from).constData(), encoded(to).constData()) == 0)
        return true;
    *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

QString backupFolder(const QString &folder)
{
    return QDir(folder).filePath(QLatin1String(kBackupFolderName));
}

// A name for a backup made at `now` that no backup has yet.
QString freshBackupPath(const QString &folder, const QDateTime &now)
{
    const QDir dir(backupFolder(folder));
    const QString stem
        = QStringLiteral("Copia_") + now.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString path = dir.filePath(stem + QStringLiteral(".zip"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(stem + u'_' + QString::number(n) + QStringLiteral(".zip"));
    return path;
}

// Removes the temporary files of backups left in `dir` by a copy of the program that stopped
// while writing them. One being written changes all the time, by this copy or by another one
// leaving meanwhile, so only a part untouched for an hour is taken for dead.
void removeDeadParts(const QString &dir)
{
    const QDateTime deadBefore = QDateTime::currentDateTimeUtc().addSecs(-kDeadPartSeconds);
    const QFileInfoList parts = QDir(dir).entryInfoList(
        {QLatin1String(kPartPattern)}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &part : parts) {
        if (part.lastModified() < deadBefore)
            QFile::remove(part.filePath());
    }
}

void pruneBackups(const QString &folder, int kept)
{
    const QStringList paths = backupPaths(folder);
    for (qsizetype i = std::max(kept, 1); i < paths.size(); ++i)
        QFile::remove(paths.at(i));
}

BackupResult failed(const QString &message, const QString &systemError = {})
{
    return {BackupOutcome::Failed, {},
        app::withSystemCause(message
                + QStringLiteral(" I dati e le copie di sicurezza precedenti sono rimasti come "
                                 "erano."),
            systemError)};
}

} // namespace

bool isDataName(const QString &name)
{
    if (name.isEmpty() || name.contains(u'\\') || name.startsWith(u'/'))
        return false;
    const QStringList parts = name.split(u'/');
    for (const QString &part : parts) {
        if (part.isEmpty() || part == u"." || part == u"..")
            return false;
    }
    if (parts.size() > 1)
        return isDataFolder(parts.first());
    if (name == QLatin1String(app::kPasswordFileName))
        return true;
    if (name.startsWith(u'.'))
        return false;
    const QString suffix = QFileInfo(name).suffix();
    for (const char *data : kDataSuffixes) {
        if (suffix.compare(QLatin1String(data), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QList<DataFile> dataFiles(const QString &folder)
{
    QList<DataFile> files;
    const QDir root(folder);
    const auto take = [&](const QFileInfo &info, const QString &name) {
        if (info.isFile() && isDataName(name) && store::staysInside(info.filePath(), folder))
            files.append({name, info.size(), info.lastModified()});
    };
    for (const QFileInfo &info : root.entryInfoList(QDir::Files | QDir::NoDotAndDotDot))
        take(info, info.fileName());
    for (const char *name : kDataFolders) {
        const QString path = root.filePath(QLatin1String(name));
        if (!QFileInfo(path).isDir() || !store::staysInside(path, folder))
            continue;
        QDirIterator walk(
            path, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (walk.hasNext()) {
            walk.next();
            take(walk.fileInfo(), root.relativeFilePath(walk.filePath()));
        }
    }
    std::sort(files.begin(), files.end(),
        [](const DataFile &a, const DataFile &b) { return a.name < b.name; });
    return files;
}

QStringList backupPaths(const QString &folder)
{
    const QDir dir(backupFolder(folder));
    QStringList paths;
    for (const QString &name :
        dir.entryList({QLatin1String(kNamePattern)}, QDir::Files, QDir::Name | QDir::Reversed))
        paths.append(dir.filePath(name));
    return paths;
}

namespace {

std::optional<BackupContents> readWhole(
    const QString &path, QString &reason, const Progress &progress)
{
    const QString damaged = QStringLiteral("Il file %1 non è una copia di sicurezza integra: ")
                                .arg(QFileInfo(path).fileName());
    int code = 0;
    ZipHandle archive(zip_open(encoded(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    if (!archive) {
        reason = app::withSystemCause(
            damaged + QStringLiteral("non si riesce a leggerlo."), zipOpenError(code));
        return std::nullopt;
    }
    const std::optional<QByteArray> notes = readNotes(archive.get());
    std::optional<BackupContents> contents = notes ? parseNotes(*notes) : std::nullopt;
    if (!contents) {
        reason = damaged
            + QStringLiteral("le note con cui Almavest descrive le sue copie mancano o sono "
                             "alterate.");
        return std::nullopt;
    }
    contents->path = path;
    // The program never makes a backup of nothing; restoring one would empty the folder.
    if (contents->files.isEmpty()) {
        reason = damaged + QStringLiteral("non contiene alcun file di dati.");
        return std::nullopt;
    }
    QSet<QString> expected;
    for (const DataFile &file : std::as_const(contents->files))
        expected.insert(file.name);

    qint64 done = 0;
    const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
    QSet<QString> seen;
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char *raw = zip_get_name(archive.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        const QString name = raw ? QString::fromUtf8(raw) : QString();
        if (name == QLatin1String(kNotesName))
            continue;
        if (!expected.contains(name) || seen.contains(name)) {
            reason = damaged
                + QStringLiteral("contiene il file «%1», che le sue note non elencano.").arg(name);
            return std::nullopt;
        }
        seen.insert(name);
        qint64 size = 0;
        QString readError;
        const bool read = readEntry(
            archive.get(), zip_uint64_t(i), &readError, [&](const char *, qint64 bytes) {
                size += bytes;
                done += bytes;
                return progress.report(done, contents->bytes);
            });
        if (!read && progress.cancelled()) {
            reason.clear();
            return std::nullopt;
        }
        const auto listed = std::find_if(contents->files.cbegin(), contents->files.cend(),
            [&name](const DataFile &file) { return file.name == name; });
        if (!read || size != listed->size) {
            reason = app::withSystemCause(
                damaged + QStringLiteral("il file «%1» è danneggiato.").arg(name), readError);
            return std::nullopt;
        }
    }
    if (seen.size() != expected.size()) {
        reason = damaged + QStringLiteral("mancano alcuni dei file elencati nelle sue note.");
        return std::nullopt;
    }
    return contents;
}

} // namespace

std::optional<BackupContents> readBackup(
    const QString &path, QString *error, store::ScanControl *control)
{
    QString reason;
    std::optional<BackupContents> contents = readWhole(path, reason, Progress(control));
    if (error)
        *error = reason;
    return contents;
}

BackupResult makeBackup(
    const QString &folder, const QDateTime &now, int kept, bool always, store::ScanControl *control)
{
    const QList<DataFile> files = dataFiles(folder);
    const QStringList earlier = backupPaths(folder);
    if (!always && !earlier.isEmpty()) {
        const std::optional<BackupContents> newest = backupNotes(earlier.first());
        if (newest && newest->files == files)
            return {BackupOutcome::Unchanged, earlier.first(), {}};
    }
    if (files.isEmpty())
        return {BackupOutcome::Unchanged, {}, {}};

    const QString dir = backupFolder(folder);
    QString systemError;
    if (!store::staysInside(dir, folder))
        return failed(store::outsideLinkMessage(QLatin1String(kBackupFolderName)));
    if (!app::createFolder(dir, &systemError)) {
        return failed(QStringLiteral("Non è stato possibile creare la cartella Backup per la copia "
                                     "di sicurezza dei dati."),
            systemError);
    }
    removeDeadParts(dir);
    QString path = freshBackupPath(folder, now);
    // Two copies of the program leaving in the same second each write a part of their own.
    const QString part = path + u'.' + QString::number(QCoreApplication::applicationPid())
        + QStringLiteral(".part");
    const QString notFinished = QStringLiteral("La copia di sicurezza dei dati non è stata fatta.");

    std::vector<ZipSource> sources;
    sources.push_back({kNotesName, {}, notesOf(files, now), 0, now});
    const QDir root(folder);
    for (const DataFile &file : files)
        sources.push_back(
            {file.name.toUtf8(), root.filePath(file.name), {}, file.size, file.modified});

    // Writing is most of the work; reading the backup back is the rest.
    const Progress writing(control, 0, 0.8);
    const ZipOutcome written = writeZip(part, sources,
        [&writing](qint64 done, qint64 total) { return writing.report(done, total); });
    if (!written.written) {
        QFile::remove(part);
        if (written.cancelled)
            return {BackupOutcome::Cancelled, {}, {}};
        return failed(
            written.message.isEmpty() ? notFinished : notFinished + u' ' + written.message,
            written.systemError);
    }
    const Progress checking(control, 0.8, 1);
    QString readError;
    if (!checkZip(part, written.layout, &readError,
            [&checking](qint64 done, qint64 total) { return checking.report(done, total); })) {
        QFile::remove(part);
        if (readError.isEmpty())
            return {BackupOutcome::Cancelled, {}, {}};
        return failed(QStringLiteral("La copia di sicurezza appena scritta non si rilegge "
                                     "correttamente ed è stata eliminata.")
            + QStringLiteral("\r\n\r\n") + readError);
    }
    if (QFileInfo::exists(path))
        path = freshBackupPath(folder, now); // taken meanwhile by another copy of the program
    if (!replaceFile(part, path, &systemError)) {
        QFile::remove(part);
        return failed(notFinished, systemError);
    }
    syncFile(dir);
    pruneBackups(folder, kept);
    return {BackupOutcome::Made, path, {}};
}

RestoreResult restoreBackup(const QString &folder, const QString &backupPath, const QDateTime &now,
    int kept, store::ScanControl *control)
{
    RestoreResult result;
    const QString untouched = QStringLiteral("\r\n\r\nNessun dato è stato modificato.");
    QString error;
    const std::optional<BackupContents> contents
        = readWhole(backupPath, error, Progress(control, 0, 0.4));
    if (!contents) {
        if (!error.isEmpty())
            result.error = error + untouched;
        return result;
    }
    // The data as they are now go into a backup of their own first; none is deleted meanwhile,
    // so the backup being restored stays even when it is the oldest.
    const BackupResult safety = makeBackup(folder, now, INT_MAX, false);
    if (safety.outcome == BackupOutcome::Failed) {
        result.error = QStringLiteral("Prima del ripristino i dati attuali vengono salvati in una "
                                      "nuova copia di sicurezza, che non è stato possibile fare.")
            + QStringLiteral("\r\n\r\n") + safety.error + untouched;
        return result;
    }
    result.safetyCopy = safety.path;

    int code = 0;
    ZipHandle archive(zip_open(encoded(backupPath).constData(), ZIP_RDONLY, &code));
    if (!archive) {
        result.error = app::withSystemCause(
            QStringLiteral("Non è stato possibile rileggere la copia di sicurezza.") + untouched,
            zipOpenError(code));
        return result;
    }
    const QDir root(folder);
    QStringList unpacked; // the destinations whose new content waits beside them
    const auto dropUnpacked = [&unpacked] {
        for (const QString &destination : std::as_const(unpacked))
            QFile::remove(destination + QLatin1String(kRestoreSuffix));
    };
    const Progress progress(control, 0.4, 1);
    qint64 done = 0;
    for (const DataFile &file : contents->files) {
        const QString destination = root.filePath(file.name);
        const QString waiting = destination + QLatin1String(kRestoreSuffix);
        QString systemError;
        if (!store::staysInside(destination, folder)) {
            dropUnpacked();
            result.error = store::outsideLinkMessage(file.name) + untouched;
            return result;
        }
        if (!app::createFolder(QFileInfo(destination).absolutePath(), &systemError)) {
            dropUnpacked();
            result.error = app::withSystemCause(
                QStringLiteral("Non è stato possibile creare la cartella di «%1».").arg(file.name)
                    + untouched,
                systemError);
            return result;
        }
        QFile out(waiting);
        const zip_int64_t index
            = zip_name_locate(archive.get(), file.name.toUtf8().constData(), ZIP_FL_ENC_RAW);
        bool written = false;
        if (index >= 0 && out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            unpacked.append(destination);
            QString readError;
            bool wrote = true;
            const bool read = readEntry(archive.get(), zip_uint64_t(index), &readError,
                [&](const char *bytes, qint64 size) {
                    done += size;
                    wrote = out.write(bytes, size) == size;
                    return wrote && progress.report(done, contents->bytes);
                });
            if (!read) {
                systemError = wrote ? readError : out.errorString();
            } else if (!out.flush() || ::fsync(out.handle()) != 0) {
                systemError = out.error() != QFileDevice::NoError
                    ? out.errorString()
                    : QString::fromLocal8Bit(std::strerror(errno));
            } else {
                written = true;
            }
        } else {
            systemError = index < 0 ? QString() : out.errorString();
        }
        out.close();
        if (!written) {
            const bool cancelled = progress.cancelled();
            dropUnpacked();
            QFile::remove(waiting);
            if (!cancelled) {
                result.error = app::withSystemCause(
                    QStringLiteral("Non è stato possibile ripristinare «%1».").arg(file.name)
                        + untouched,
                    systemError);
            }
            return result;
        }
    }
    // Every file is unpacked: now each takes its place, and the data the backup does not hold go.
    QSet<QString> restored;
    for (const QString &destination : std::as_const(unpacked)) {
        QString systemError;
        if (!replaceFile(destination + QLatin1String(kRestoreSuffix), destination, &systemError)) {
            dropUnpacked();
            result.error = app::withSystemCause(
                QStringLiteral(
                    "Il ripristino si è interrotto: alcuni file sono stati ripristinati, "
                    "altri no. I dati come erano prima del ripristino sono nella copia "
                    "%1: ripristinarla per tornare indietro.")
                    .arg(QFileInfo(result.safetyCopy).fileName()),
                systemError);
            return result;
        }
        restored.insert(root.relativeFilePath(destination));
    }
    for (const DataFile &file : dataFiles(folder)) {
        if (!restored.contains(file.name))
            QFile::remove(root.filePath(file.name));
    }
    syncFile(folder);
    pruneBackups(folder, kept);
    result.restored = true;
    return result;
}

int keptBackups(const QString &folder)
{
    app::IniFile settings(QDir(folder).filePath(QLatin1String(app::kSettingsFileName)));
    bool number = false;
    const int kept
        = settings.load() ? settings.value(kSettingsSection, kKeptKey).trimmed().toInt(&number) : 0;
    return number && kept >= 1 && kept <= kMostKept ? kept : kDefaultKept;
}

bool setKeptBackups(const QString &folder, int kept, QString &error)
{
    app::IniFile settings(QDir(folder).filePath(QLatin1String(app::kSettingsFileName)));
    if (settings.load()) {
        settings.setValue(
            kSettingsSection, kKeptKey, QString::number(std::clamp(kept, 1, kMostKept)));
        if (settings.save())
            return true;
    }
    error = settings.errorString();
    return false;
}

} // namespace almavest::backup
