#pragma once

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QStringList>

#include <unistd.h>

// While alive, this process may read the given files and folders but not write them: their
// write permissions are taken away and, because permissions do not stop root, a process running
// as root acts as an ordinary user meanwhile. Like a program folder on a locked stick or a disc.
namespace almavest::test {

class ReadOnlyAccess final
{
public:
    explicit ReadOnlyAccess(const QStringList &paths)
    {
        constexpr QFile::Permissions kReadable
            = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
        constexpr QFile::Permissions kEnterable
            = QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther;
        for (const QString &path : paths) {
            m_saved.append({path, QFile::permissions(path)});
            QFile::setPermissions(
                path, QFileInfo(path).isDir() ? kReadable | kEnterable : kReadable);
        }
        if (geteuid() == 0)
            m_wasRoot = seteuid(kNobody) == 0;
    }
    ~ReadOnlyAccess()
    {
        if (m_wasRoot && seteuid(0) != 0)
            qFatal("cannot take back the root user");
        for (const auto &[path, permissions] : std::as_const(m_saved))
            QFile::setPermissions(path, permissions);
    }
    ReadOnlyAccess(const ReadOnlyAccess &) = delete;
    ReadOnlyAccess &operator=(const ReadOnlyAccess &) = delete;

    // Whether writing is really refused: false only when root could not become an ordinary user.
    bool effective() const { return geteuid() != 0; }

private:
    static constexpr uid_t kNobody = 65534;
    QList<QPair<QString, QFile::Permissions>> m_saved;
    bool m_wasRoot = false;
};

} // namespace almavest::test
