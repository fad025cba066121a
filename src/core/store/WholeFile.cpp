#include "store/WholeFile.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

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

} // namespace

WriteFailure writeWholeFile(const QString &path, QByteArrayView bytes, QString *error)
{
    QSaveFile file(path);
    // Never fall back to writing over the old file in place: a failure would leave it cut short.
    file.setDirectWriteFallback(false);
    WriteFailure failure = WriteFailure::None;
    if (!file.open(QIODevice::WriteOnly))
        failure = WriteFailure::Create;
    // Writes are buffered, and commit() can miss a failure of the last buffered bytes: flush()
    // reports it.
    else if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush()
        || !file.commit())
        failure = WriteFailure::Write;
    if (failure != WriteFailure::None && error)
        *error = file.errorString();
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
    if (!m_failed && m_temporary.write(bytes.data(), bytes.size()) != bytes.size()) {
        m_failed = true;
        m_error = m_temporary.errorString();
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
