#pragma once

#include <QString>
#include <QStringList>

// The set of books: the "*.lib" files of the program folder, created empty under a name the user
// types, listed and deleted. Nothing else is kept about them.
namespace almavest::book {

// Why a typed book name cannot become a book file.
enum class NameRefusal {
    None,
    Empty,
    RefusedCharacter, // a character the name box keeps out, typed or pasted
    OnlyDots,
    OutsideFolder, // the file would not be a file of the program folder itself
    TooLong, // the file's name takes more bytes than the file system allows
};

// Checks the name, trimmed, the way the creation window does before it makes the file.
NameRefusal checkBookName(const QString &programFolder, const QString &name);

enum class CreateResult { Created, Exists, Failed };

// Makes the empty file of the book called `name`; an existing file is never opened or replaced,
// even one that appears between the check and the creation. The name must have passed
// checkBookName(). `error`, when given, receives the system's reason for a failure.
[[nodiscard]] CreateResult createBook(
    const QString &programFolder, const QString &name, QString *error = nullptr);

// The file names (with ".lib") of the books in the program folder, in the order the folder
// lists them.
QStringList listBooks(const QString &programFolder);

// Deletes the book file `fileName` of the program folder; false when it is still there.
[[nodiscard]] bool deleteBook(const QString &programFolder, const QString &fileName);

} // namespace almavest::book
