#pragma once

#include <QString>

// The folder that holds the program and all its data; every data file is named relative to it.
namespace almavest::app {

class ProgramFolder final
{
public:
    explicit ProgramFolder(QString path);

    QString path() const { return m_path; }
    // The full path of a file or folder name inside the program folder.
    QString file(const QString &name) const;
    // Whether `path`, named under the program folder, stays inside it once every link on its way
    // is followed: nothing is opened or written through a link that leads elsewhere.
    [[nodiscard]] bool keepsInside(const QString &path) const;

private:
    QString m_path;
};

// Creates a folder with every missing parent; an existing folder is fine. `error`, when given,
// receives the system's reason for a failure.
[[nodiscard]] bool createFolder(const QString &path, QString *error = nullptr);

inline constexpr const char *kPasswordFileName = "unins000.dll";

} // namespace almavest::app
