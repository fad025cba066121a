#include "app/ProgramFolder.h"

#include "store/WholeFile.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace almavest::app {

ProgramFolder::ProgramFolder(QString path, QString ownFilesPath)
    : m_path(std::move(path))
    , m_ownFilesPath(ownFilesPath.isEmpty() ? m_path : std::move(ownFilesPath))
{ }

QString ProgramFolder::file(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

QString ProgramFolder::ownFile(const QString &name) const
{
    return QDir(m_ownFilesPath).filePath(name);
}

bool ProgramFolder::keepsInside(const QString &path) const
{
    return store::staysInside(path, m_path);
}

bool createFolder(const QString &path, QString *error)
{
    // QDir gives no reason for a failure; the standard library does.
    std::error_code failure;
    std::filesystem::create_directories(QFileInfo(path).filesystemAbsoluteFilePath(), failure);
    if (!failure || QFileInfo(path).isDir())
        return true;
    if (error)
        *error = QString::fromLocal8Bit(failure.message());
    return false;
}

} // namespace almavest::app
