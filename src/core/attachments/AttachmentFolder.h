#pragma once

#include "app/ProgramFolder.h"

#include <QString>
#include <QStringView>

#include <optional>

// The attachments folder: one flat folder under the program folder where every attached file is
// kept under its own file name, shared by all archives, so that a card stores only that name.
namespace almavest::attachments {

inline constexpr const char *kFolderName = "Documenti_Allegati";

// What storing a chosen file came to.
enum class StoreOutcome {
    Copied, // the folder now holds a copy under the file's own name
    AlreadyThere, // the chosen file is the folder's own copy: nothing was copied
    UnfitName, // a card could not keep the file's name; nothing was copied
    OutsideLink, // the folder, or the file of that name in it, is a link out of the program folder
    FolderFailed, // the folder could not be made
    CopyFailed, // the file could not be read or its copy written; a file of that name is untouched
};

// Whether `name` names a file directly inside a folder: not empty, no folder separator, no drive
// letter, and neither "." nor "..".
bool isPlainFileName(QStringView name);

// Whether a card can keep `name` as it is: a plain file name without surrounding blanks whose
// every character the archive's code page holds, within the field's capacity.
bool fitsCard(QStringView name);

class AttachmentFolder final
{
public:
    explicit AttachmentFolder(const app::ProgramFolder &folder);

    QString path() const { return m_path; }

    // The name a file chosen at `chosenPath` is attached under: its file name without folder.
    static QString nameOf(const QString &chosenPath);
    // Whether the file at `chosenPath` is the very file the folder keeps under its name.
    bool isStoredCopy(const QString &chosenPath) const;
    // Whether the folder already holds a file called `name`.
    bool holds(const QString &name) const;
    // Copies the file at `chosenPath` into the folder under its own name, making the folder when
    // missing. A file of that name is replaced only once the copy is whole. `error`, when given,
    // receives the system's reason for a failure to make the folder or the copy.
    [[nodiscard]] StoreOutcome store(const QString &chosenPath, QString *error = nullptr) const;
    // The full path of the attached file `name`, or nullopt when `name` is not a plain file name
    // and would lead out of the folder.
    std::optional<QString> fileOf(const QString &name) const;
    // Whether the attached file `name` (a plain file name) may be opened or written: neither it
    // nor the folder is a link that leads out of the program folder.
    bool keepsInside(const QString &name) const;

private:
    app::ProgramFolder m_programFolder;
    QString m_path;
};

} // namespace almavest::attachments
