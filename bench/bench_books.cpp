// The book list on a program folder of many books: filling the list against a plain listing of
// the same folder.
#include "BenchSupport.h"

#include "ui/app/AppContext.h"
#include "ui/book/BookListScreen.h"
#include "ui/services/Services.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace almavest::bench {

namespace {

constexpr int kRuns = 20;

// Every name in the folder, as the system lists it, and nothing more.
int plainListing(const QString &folder)
{
    int names = 0;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden);
    while (entries.hasNext()) {
        entries.next();
        ++names;
    }
    return names;
}

} // namespace

void bookListBenchmarks(const QString &folder, int books)
{
    QDir(folder).mkpath(QStringLiteral("libri"));
    const QString programFolder = QDir(folder).filePath(QStringLiteral("libri"));
    for (int i = 0; i < books; ++i) {
        QFile book(QDir(programFolder).filePath(QStringLiteral("Libro Soci %1.lib").arg(i)));
        require(book.open(QIODevice::WriteOnly), "cannot write the book files");
    }
    QFile other(QDir(programFolder).filePath(QStringLiteral("Soci.pro")));
    require(other.open(QIODevice::WriteOnly), "cannot write the member archive");

    int listed = 0;
    const double listing = bestOf(kRuns, [&] { listed = plainListing(programFolder); });
    require(listed == books + 1, "the folder does not hold the books");
    row(QStringLiteral("listing a folder of %1 books").arg(books), listing, QStringLiteral("ms"));

    ui::DesktopServices services;
    ui::AppContext context(services, programFolder);
    ui::BookListScreen list(context);
    const double filling = bestOf(kRuns, [&] { list.fillList(); });
    row(QStringLiteral("book list of %1 books").arg(books), filling, QStringLiteral("ms"), listing,
        2);
}

} // namespace almavest::bench
