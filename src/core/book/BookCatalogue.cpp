#include "book/BookCatalogue.h"

#include "book/PageRecord.h"
#include "store/RecordTable.h"
#include "text/TextRoutines.h"
#include "text/Typing.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace almavest::book {

namespace {

// True when the book file of `name` would sit in the program folder itself, not in another
// folder reached through the name.
bool staysInFolder(const QString &programFolder, const QString &name)
{
    const QFileInfo file(bookPath(programFolder, name));
    return file.fileName() == name + QLatin1String(kBookExtension)
        && QDir::cleanPath(file.absolutePath())
        == QDir::cleanPath(QDir(programFolder).absolutePath());
}

// The most bytes a file name may take in `folder`: what the file system says, else the 255 of
// the usual ones.
qsizetype longestFileName(const QString &folder)
{
#ifdef Q_OS_UNIX
    const long longest = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    if (longest > 0)
        return longest;
#else
    Q_UNUSED(folder);
#endif
    return 255;
}

} // namespace

NameRefusal checkBookName(const QString &programFolder, const QString &name)
{
    const QString book = text::trimmed(name);
    if (book.isEmpty())
        return NameRefusal::Empty;
    if (std::all_of(book.begin(), book.end(), [](QChar c) { return c == u'.'; }))
        return NameRefusal::OnlyDots;
    // Before the characters, so that a name naming a path is told so, not only that "/" is out.
    if (!staysInFolder(programFolder, book))
        return NameRefusal::OutsideFolder;
    if (!std::all_of(book.begin(), book.end(),
            [](QChar c) { return text::acceptsCharacter(store::KeyFilter::FileName, c); }))
        return NameRefusal::RefusedCharacter;
    // Counted in the bytes the system stores: an accented letter takes two.
    if (QFile::encodeName(book + QLatin1String(kBookExtension)).size()
        > longestFileName(programFolder))
        return NameRefusal::TooLong;
    return NameRefusal::None;
}

CreateResult createBook(const QString &programFolder, const QString &name, QString *error)
{
    QFile file(bookPath(programFolder, name));
    // NewOnly creates the file only when there is none, in one step (O_EXCL).
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return CreateResult::Created;
    if (file.exists())
        return CreateResult::Exists;
    if (error)
        *error = file.errorString();
    return CreateResult::Failed;
}

QStringList listBooks(const QString &programFolder)
{
    // Hidden files too: a book whose name starts with a dot is a book all the same. The ending is
    // compared directly, which costs less than a wildcard filter, and without regard to case, as
    // "*.lib" matches on the systems the books come from.
    QStringList books;
    QDirIterator entries(programFolder, QDir::Files | QDir::Hidden);
    while (entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        if (name.endsWith(QLatin1String(kBookExtension), Qt::CaseInsensitive))
            books.append(name);
    }
    return books;
}

bool deleteBook(const QString &programFolder, const QString &fileName)
{
    const QString path = QDir(programFolder).filePath(text::trimmed(fileName));
    return QFile::remove(path) || !QFileInfo::exists(path);
}

} // namespace almavest::book
