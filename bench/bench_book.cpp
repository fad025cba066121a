// The members' book lists: the page search over a large book and the member import list over the
// member archive, each against a raw read of the file it scans.
#include "BenchSupport.h"

#include "book/PageList.h"
#include "book/PageRecord.h"
#include "registry/MemberSelection.h"

#include <QFile>

namespace almavest::bench {

namespace {

constexpr int kPages = 20000;

// A page with its four rows filled, as a well kept book has them.
QStringList samplePage(int n)
{
    QStringList values = book::newPage();
    values[book::BookNumber] = QStringLiteral("3");
    values[book::Association] = QStringLiteral("Associazione Sportiva Dilettantistica Nuoto Forlì");
    values[book::AssociationTaxCode] = QStringLiteral("92012345678");
    values[book::President] = QStringLiteral("Rossi Mario");
    values[book::Secretary] = QStringLiteral("Bianchi Anna");
    for (int row = book::RowA; row <= book::RowD; ++row) {
        const int member = n * book::kRowCount + row;
        const auto set
            = [&](int field, const QString &text) { values[book::rowField(row, field)] = text; };
        set(book::Order, QString::number(member));
        set(book::MemberName, QStringLiteral("Socio %1 Cognome Nome").arg(member));
        set(book::BirthPlace, QStringLiteral("Forlì"));
        set(book::BirthDate, QStringLiteral("05/03/1970"));
        set(book::TaxCode, QStringLiteral("RSSMRA70C05D704X"));
        set(book::Address, QStringLiteral("Via Giuseppe Garibaldi %1 47121 Forlì FC").arg(n % 200));
        set(book::Phone, QStringLiteral("0543 123456"));
        set(book::CardNumber, QStringLiteral("T-%1").arg(member));
        set(book::AdmissionDate, QStringLiteral("15/09/2020"));
        set(book::Fee, QStringLiteral("25,00"));
        set(book::Annotations, QStringLiteral("Ammesso con delibera del consiglio direttivo"));
    }
    return values;
}

} // namespace

void bookBenchmarks(const QString &folder, const QString &memberArchive, double rawMembers)
{
    qsizetype lines = 0;
    const double import = scanTime([&] { return registry::namedMembers(memberArchive); }, lines);
    row(QStringLiteral("member import list (%1 lines)").arg(lines), import, QStringLiteral("ms"),
        rawMembers, 3);

    const QString bookPath = folder + QStringLiteral("/Libro grande.lib");
    require(
        generateRecords(bookPath, book::pageLayout(), kPages, samplePage), "cannot write the book");
    const double raw = rawRead(bookPath);
    row(QStringLiteral("raw read of a book of %1 pages (%2 MiB)")
            .arg(kPages)
            .arg(QFile(bookPath).size() / (1 << 20)),
        raw, QStringLiteral("ms"));
    const double search = scanTime([&] { return book::listPages(bookPath); }, lines);
    row(QStringLiteral("page search (%1 lines)").arg(lines), search, QStringLiteral("ms"), raw, 2);
    QFile::remove(bookPath);
}

} // namespace almavest::bench
