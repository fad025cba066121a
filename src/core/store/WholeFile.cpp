#include "store/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_LINUX
#include <cstdio>
#include <fcntl.h>
#endif

namespace almavest::store {

namespace {

// Puts the file at `from` in place of the one at `to`, in one step that never leaves `to`
// missing; false with the system's reason in `error` when it cannot.
bool replaceFile(const QString &from, const QString &to, QString &error)
{
#ifdef Q_OS_LINUX
    // Where an old file is there, swapping the two names and then deleting the old one spares
    // the file system the writing out that ext4 starts on its own when a rename replaces a file,
    // the very wait a rebuilt file does without. Where swapping is not supported, the plain
    // rename below does the work.
    const QByteArray source = QFile::encodeName(from);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, QFile::encodeName(to).constData(),
            RENAME_EXCHANGE)
        == 0) {
        QFile::remove(from);
        return true;
    }
#endif
    // QFile::rename() never replaces a file, and QSaveFile always waits for the disk: the
    // standard library's rename replaces the old file in one step on every system.
    std::error_code failure;
    std::filesystem::rename(QFileInfo(from).filesystemAbsoluteFilePath(),
        QFileInfo(to).filesystemAbsoluteFilePath(), failure);
    if (failure)
        error = QString::fromLocal8Bit(failure.message());
    return !failure;
}

// Links followed before a chain counts as a loop, as the system counts them.
constexpr int kMaxLinks = 40;

// `path` with every link followed, where the last parts may be missing; empty for a loop of
// links.
QString resolvedPath(const QString &path, int depth = 0)
{
    QFileInfo info(path);
    for (int hops = 0; hops < kMaxLinks && depth < kMaxLinks; ++hops) {
        if (info.exists())
            return info.canonicalFilePath();
        if (!info.isSymLink()) {
            // Missing: its folder is resolved and the name kept, as a new file would be made.
            QString folder = info.absolutePath();
            if (folder == info.absoluteFilePath())
                return folder;
            const QString resolvedFolder = resolvedPath(folder, depth + 1);
            return resolvedFolder.isEmpty() ? QString()
                                            : QDir(resolvedFolder).filePath(info.fileName());
        }
        info.setFile(info.symLinkTarget()); // a dangling link: where its target would be
    }
    return {};
}

// The file named `path` when it is no link leading out of the folder it is named in.
bool linkFree(const QString &path, QString *error)
{
    if (staysInside(path, QFileInfo(path).absolutePath()))
        return true;
    if (error)
        *error = outsideLinkMessage(QFileInfo(path).fileName());
    return false;
}

} // namespace

bool staysInside(const QString &path, const QString &folder)
{
    const QString root = resolvedPath(folder);
    const QString target = resolvedPath(path);
    if (root.isEmpty() || target.isEmpty())
        return false;
    if (target == root)
        return true;
    return target.startsWith(root.endsWith(u'/') ? root : root + u'/');
}

QString outsideLinkMessage(const QString &name)
{
    return QStringLiteral(
        "Attenzione: %1 è un collegamento a un file o a una cartella che si trova fuori dalla "
        "cartella del programma. Per sicurezza il programma non lo apre e non vi scrive.\n\r\n\r"
        "Sostituire il collegamento con il file o la cartella vera.")
        .arg(name);
}

QString failureReason(const QFileDevice &file, int systemError)
{
    QString reason = file.errorString();
    // A file that met no error of its own still answers with the default text.
    if (systemError != 0 && reason == QFile().errorString())
        return qt_error_string(systemError);
    return reason;
}

WriteFailure writeWholeFile(const QString &path, QByteArrayView bytes, QString *error)
{
    if (!linkFree(path, error))
        return WriteFailure::OutsideLink;
    QSaveFile file(path);
    // Never fall back to writing over the old file in place: a failure would leave it cut short.
    file.setDirectWriteFallback(false);
    WriteFailure failure = WriteFailure::None;
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        failure = WriteFailure::Create;
    // Writes are buffered, and commit() can miss a failure of the last buffered bytes: flush()
    // reports it.
    else if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush()
        || !file.commit())
        failure = WriteFailure::Write;
    const int systemError = errno;
    if (failure != WriteFailure::None && error)
        *error = failureReason(file, systemError);
    return failure;
}

RebuiltFile::RebuiltFile(const QString &path)
    : m_path(path)
{ }

RebuiltFile::~RebuiltFile()
{
    discard();
}

bool RebuiltFile::open()
{
    if (!linkFree(m_path, &m_error))
        return false;
    const QFileInfo old(m_path);
    // A folder under the file's name would be swapped aside, not replaced.
    if (old.exists() && (!old.isFile() || !old.isWritable())) {
        m_error = QStringLiteral("%1 is not a writable file").arg(m_path);
        return false;
    }
    // A name no other file has, beside the old file so that the rename never leaves its disk.
    // Writes go straight to the system: the callers hand over blocks of a few MiB.
    constexpr QIODevice::OpenMode kMode
        = QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered;
    for (int attempt = 0; attempt < 16; ++attempt) {
        m_temporary.setFileName(
            m_path + u".~" + QString::number(QRandomGenerator::global()->generate(), 36));
        if (m_temporary.open(kMode)) {
            if (old.exists())
                m_temporary.setPermissions(old.permissions());
            return true;
        }
        if (!m_temporary.exists())
            break; // not a name taken by chance: the folder takes no new file
    }
    m_error = m_temporary.errorString();
    m_temporary.setFileName(QString());
    return false;
}

bool RebuiltFile::write(QByteArrayView bytes)
{
    if (m_failed)
        return false;
    errno = 0;
    if (m_temporary.write(bytes.data(), bytes.size()) != bytes.size()) {
        const int systemError = errno;
        m_failed = true;
        m_error = failureReason(m_temporary, systemError);
    }
    return !m_failed;
}

WriteFailure RebuiltFile::commit()
{
    if (!m_temporary.isOpen())
        return WriteFailure::Create;
    m_temporary.close();
    if (!m_failed && m_temporary.error() != QFileDevice::NoError) {
        m_failed = true; // a network disk may report a failed write only on closing
        m_error = m_temporary.errorString();
    }
    if (!m_failed && replaceFile(m_temporary.fileName(), m_path, m_error)) {
        m_temporary.setFileName(QString());
        return WriteFailure::None;
    }
    m_failed = true;
    discard();
    return WriteFailure::Write;
}

void RebuiltFile::discard()
{
    if (m_temporary.fileName().isEmpty())
        return;
    m_temporary.close();
    QFile::remove(m_temporary.fileName());
    m_temporary.setFileName(QString());
}

} // namespace almavest::store
