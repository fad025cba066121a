#pragma once

#include <QString>

// The folder that holds all the program's data; every data file is named relative to it. It is
// the folder of the program itself unless the program is installed where it may not write (see
// DataFolder.h); the program's own files, such as the user guide, stay beside the executable.
namespace almavest::app {

class ProgramFolder final
{
public:
    // `ownFilesPath` is where the executable and its own files are; empty when it is `path`.
    explicit ProgramFolder(QString path, QString ownFilesPath = {});

    QString path() const { return m_path; }
    // The full path of a file or folder name inside the program folder.
    QString file(const QString &name) const;
    // The full path of one of the program's own files, installed beside the executable.
    QString ownFile(const QString &name) const;
    // Whether `path`, named under the program folder, stays inside it once every link on its way
    // is followed: nothing is opened or written through a link that leads elsewhere.
    [[nodiscard]] bool keepsInside(const QString &path) const;

private:
    QString m_path;
    QString m_ownFilesPath;
};

// Creates a folder with every missing parent; an existing folder is fine. `error`, when given,
// receives the system's reason for a failure.
[[nodiscard]] bool createFolder(const QString &path, QString *error = nullptr);

inline constexpr const char *kPasswordFileName = "unins000.dll";
// The program's own settings (the association's kind, the reminder board, the backups), one
// section for each part of the program.
inline constexpr const char *kSettingsFileName = "Impostazioni.ini";

} // namespace almavest::app
