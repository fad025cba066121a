#include "app/ProgramFolder.h"

#include <QDir>

namespace almavest::app {

ProgramFolder::ProgramFolder(QString path)
    : m_path(std::move(path))
{ }

QString ProgramFolder::file(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

bool createFolder(const QString &path)
{
    return QDir().mkpath(path);
}

} // namespace almavest::app
