#pragma once

#include <QString>

// Where the program keeps its data. A program started from a folder it may write into (the
// portable folder, a USB stick) works there; an installed program, whose folder belongs to the
// system, works on the folder "Almavest" in the user's home, made on first start.
namespace almavest::app {

inline constexpr const char *kHomeDataFolderName = "Almavest";

struct DataFolderChoice
{
    QString folder; // the folder the program works on; empty when refused
    bool inHome = false; // true when it is the folder in the user's home
    QString refusal; // why no folder can be used, in Italian; empty unless refused

    bool refused() const { return folder.isEmpty(); }
};

// Whether this process may make and replace files in `folder` (permissions, a read-only disc or
// mount, an ordinary user's rights when the process has given up root's).
[[nodiscard]] bool folderTakesWrites(const QString &folder);

// Chooses the data folder for a program whose executable and own files (the initial password
// file) are in `programFolder`. That folder is kept when it may be written, or when it already
// holds archives (a locked stick read as it is); otherwise `home`/Almavest is used, made when
// missing and given the initial password file when it has none.
DataFolderChoice chooseDataFolder(const QString &programFolder, const QString &home);

} // namespace almavest::app
