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

private:
    QString m_path;
};

// Creates a folder with every missing parent; an existing folder is fine.
[[nodiscard]] bool createFolder(const QString &path);

inline constexpr const char *kPasswordFileName = "unins000.dll";

} // namespace almavest::app
