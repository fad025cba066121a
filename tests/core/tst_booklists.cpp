// The members' book lists: a member imported into a page row, the page search's line of a page
// and the scans behind the import list and the page search.
#include "GoldenRecords.h"
#include "TestFiles.h"
#include "book/MemberImport.h"
#include "book/PageList.h"
#include "book/PageRecord.h"
#include "registry/MemberRecord.h"
#include "registry/MemberSelection.h"
#include "store/ArchiveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace almavest;
using namespace almavest::book;
using namespace Qt::StringLiterals;

namespace {

const QString kData = QStringLiteral(ALMAVEST_TEST_DATA);

QStringList member(const std::map<int, QString> &fields)
{
    QStringList values = registry::blankMember();
    for (const auto &[field, value] : fields)
        values[field] = value;
    return values;
}

QStringList page(const std::map<int, QString> &fields)
{
    QStringList values(kPageFieldCount);
    for (const auto &[field, value] : fields)
        values[field] = value;
    return values;
}

// Appends records of `recordSize` bytes holding `values` to the archive at `path`.
bool writeRecords(
    const QString &path, const store::RecordLayout &layout, const QList<QStringList> &records)
{
    store::ArchiveFile archive(path, layout.recordSize());
    if (!archive.openForWriting())
        return false;
    for (const QStringList &values : records) {
        QByteArray record = layout.blankRecord();
        layout.setFields(record, values);
        if (!archive.append(record))
            return false;
    }
    return true;
}

// A page whose first row reads `name` with card number `card`.
QStringList pageOf(const QString &name, const QString &card = QString())
{
    return page({{BookNumber, u"1"_s}, {Association, u"ASD"_s}, {AssociationTaxCode, u"9201"_s},
        {rowField(RowA, Order), u"1"_s}, {rowField(RowA, MemberName), name},
        {rowField(RowA, CardNumber), card}});
}

QString joined(const ImportedRow &row)
{
    QStringList parts;
    for (auto it = row.cbegin(); it != row.cend(); ++it)
        parts.append(QString::number(it.key()) + u'=' + it.value());
    return parts.join(u'|');
}

} // namespace

class TestBookLists final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importedRow_data();
    void importedRow();
    void longTextsAreCutOnlyWhenStored();
    void importTouchesOnlyItsRow_data();
    void importTouchesOnlyItsRow();
    void readImportedRow_data();
    void readImportedRow();
    void namedMembersSkipsEmptyNames();
    void pageListLine_data();
    void pageListLine();
    void listPagesOfTheFixture();
    void listPagesKeepsEachPagesPosition();
    void listPagesOfAnEmptyOrMissingBook();
    void listPagesOfAnUnreadableBook();
};

void TestBookLists::importedRow_data()
{
    QTest::addColumn<QStringList>("member");
    QTest::addColumn<QString>("row");
    const auto full = [](const QString &street, const QString &cap, const QString &town,
                          const QString &prov) {
        return member({{registry::Name, u"Rossi Mario"_s}, {registry::BirthPlace, u"Forlì"_s},
            {registry::BirthDate, u"01/02/1970"_s}, {registry::TaxCode, u"RSSMRA70B01D704X"_s},
            {registry::Address, street}, {registry::PostCode, cap}, {registry::Town, town},
            {registry::Province, prov}, {registry::Phone, u"0547 1"_s},
            {registry::CardNumber, u"A-17"_s}, {registry::EnrolmentDate, u"15/09/2020"_s},
            {registry::Fee, u"25,00"_s}, {registry::Notes, u"non copiata"_s},
            {registry::ExpiryDate, u"31/12/2027"_s}, {registry::Email, u"a@b.it"_s}});
    };
    QTest::newRow("every part")
        << full(u"Via Roma 1"_s, u"47521"_s, u"Cesena"_s, u"FC"_s)
        << u"1=Rossi Mario|2=Forlì|3=01/02/1970|4=RSSMRA70B01D704X"
           u"|5=Via Roma 1 47521 Cesena FC|6=0547 1|7=A-17|8=15/09/2020|9=25,00"_s;
    QTest::newRow("empty postcode keeps two blanks")
        << full(u"Via Roma 1"_s, QString(), u"Cesena"_s, u"FC"_s)
        << u"1=Rossi Mario|2=Forlì|3=01/02/1970|4=RSSMRA70B01D704X|5=Via Roma 1  Cesena FC"
           u"|6=0547 1|7=A-17|8=15/09/2020|9=25,00"_s;
    QTest::newRow("empty street, ends trimmed")
        << full(QString(), QString(), u"Cesena"_s, QString())
        << u"1=Rossi Mario|2=Forlì|3=01/02/1970|4=RSSMRA70B01D704X|5=Cesena"
           u"|6=0547 1|7=A-17|8=15/09/2020|9=25,00"_s;
    QTest::newRow("blanks around every part")
        << full(u"  Via Roma 1 "_s, u" 47521"_s, u"Cesena  "_s, u" FC "_s)
        << u"1=Rossi Mario|2=Forlì|3=01/02/1970|4=RSSMRA70B01D704X|5=Via Roma 1 47521 Cesena FC"
           u"|6=0547 1|7=A-17|8=15/09/2020|9=25,00"_s;
    QStringList blanks = full(u" "_s, QString(), QString(), QString());
    blanks[registry::Name] = u"\tRossi Mario  "_s;
    blanks[registry::Fee] = u" 3,456 "_s;
    QTest::newRow("blank address, value with blanks and a tab")
        << blanks
        << u"1=Rossi Mario|2=Forlì|3=01/02/1970|4=RSSMRA70B01D704X|5="
           u"|6=0547 1|7=A-17|8=15/09/2020|9=3,456"_s;
    QTest::newRow("blank card") << registry::blankMember() << u"1=|2=|3=|4=|5=|6=|7=|8=|9=0,00"_s;
}

// Exactly nine row fields are written; the notes, the expiry, the e-mail are not.
void TestBookLists::importedRow()
{
    QFETCH(QStringList, member);
    QFETCH(QString, row);
    QCOMPARE(joined(book::importedRow(member)), row);
}

// A joined address of more than 120 characters and a name of more than 50 reach the row whole;
// storing the page cuts them at the row fields' capacities.
void TestBookLists::longTextsAreCutOnlyWhenStored()
{
    const QString street = QString(101, u'v');
    const QString name = QString(49, u'n') + u"ùX"_s;
    const ImportedRow row = book::importedRow(member(
        {{registry::Name, name}, {registry::Address, street}, {registry::PostCode, u"47521"_s},
            {registry::Town, u"Cesena Forlì"_s}, {registry::Province, u"FC"_s}}));
    const QString address = street + u" 47521 Cesena Forlì FC"_s;
    QCOMPARE(row.value(Address), address);
    QCOMPARE(row.value(MemberName), name);

    QStringList values = newPage();
    applyImportedRow(values, RowB, row);
    QByteArray record = pageLayout().blankRecord();
    pageLayout().setFields(record, values);
    const QStringList stored = pageLayout().fields(record);
    QCOMPARE(stored.at(rowField(RowB, Address)), address.left(120));
    QCOMPARE(stored.at(rowField(RowB, MemberName)), name.left(50));
}

void TestBookLists::importTouchesOnlyItsRow_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("A") << int(RowA);
    QTest::newRow("B") << int(RowB);
    QTest::newRow("C") << int(RowC);
    QTest::newRow("D") << int(RowD);
}

void TestBookLists::importTouchesOnlyItsRow()
{
    QFETCH(int, row);
    QStringList before(kPageFieldCount);
    for (int i = 0; i < kPageFieldCount; ++i)
        before[i] = u"campo "_s + QString::number(i);
    const ImportedRow imported = book::importedRow(test::goldenMember1());
    QStringList after = before;
    applyImportedRow(after, row, imported);
    for (int field = 0; field < kPageFieldCount; ++field) {
        const int inRow = field - rowField(row, 0);
        const bool written = inRow >= 0 && inRow < kRowFieldCount && imported.contains(inRow);
        QCOMPARE(after.at(field), written ? imported.value(inRow) : before.at(field));
    }
    for (const int kept : {Order, ExitDate, ExitReason, Annotations})
        QVERIFY(!imported.contains(kept));
}

void TestBookLists::readImportedRow_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::newRow("first") << qint64(1) << u"Rossi Mario"_s
                           << u"Via dell'Università 3 47521 Cesena FC"_s;
    QTest::newRow("last, careless writer") << qint64(2) << u"Bianchi Anna"_s << u"Rimini RN"_s;
    QTest::newRow("before the first") << qint64(0) << QString() << QString();
    QTest::newRow("after the last") << qint64(3) << QString() << QString();
}

// The hand-written archive, not the program's own writer; a position outside it gives nothing.
void TestBookLists::readImportedRow()
{
    QFETCH(qint64, position);
    QFETCH(QString, name);
    QFETCH(QString, address);
    const std::optional<ImportedRow> row
        = book::readImportedRow(kData + u"/members.pro"_s, position);
    QCOMPARE(row.has_value(), !name.isEmpty());
    if (!row)
        return;
    QCOMPARE(row->value(MemberName), name);
    QCOMPARE(row->value(Address), address);
    if (position == 1) {
        QCOMPARE(row->value(BirthPlace), u"Forlì"_s);
        QCOMPARE(row->value(AdmissionDate), u"15/09/2020"_s);
        QCOMPARE(row->value(Fee), u"25,00"_s);
        QCOMPARE(row->value(Phone), u"0547 123456"_s);
    }
}

// A card whose name is empty or blank is never listed; the others keep their positions.
void TestBookLists::namedMembersSkipsEmptyNames()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Soci.pro"_s);
    QVERIFY(writeRecords(path, registry::memberLayout(),
        {member({}), member({{registry::Name, u"Primo"_s}}),
            member({{registry::Name, u"   "_s}, {registry::Notes, u"solo note"_s}}),
            member({{registry::Name, u"Primo"_s}}), member({{registry::Name, u"Ultimo"_s}})}));
    const registry::MemberLines found = registry::namedMembers(path);
    QVERIFY(found.archiveOk);
    QCOMPARE(found.positions, (QList<qint64> {2, 4, 5}));
    QCOMPARE(found.lines().at(0), found.lines().at(1));
    QVERIFY(found.lines().at(2).startsWith(u"Ultimo "_s));

    QVERIFY(QDir(dir.path()).mkdir(u"Cartella.pro"_s));
    QVERIFY(!registry::namedMembers(dir.filePath(u"Cartella.pro"_s)).archiveOk);
}

void TestBookLists::pageListLine_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<QString>("line");
    // Order, name, tax code, card number, telephone, fee of row A.
    QTest::newRow("typical")
        << QStringList {u"12"_s, u"Verdi Giuseppe"_s, u"VRDGPP85L14C573K"_s, u"A-0017"_s,
               u"0547 123456"_s, u"25,00"_s}
        << u"N. Ord. 12      Socio: Verdi Giuseppe                  C.F. VRDGPP85L14C573K"
           u"  Tessera: A-0017                Tel. 0547 123456     Quota: € 25,00"_s;
    QTest::newRow("empty but the order and the name")
        << QStringList {u"1"_s, u"Neri"_s, QString(), QString(), QString(), QString()}
        << u"N. Ord. 1       Socio: Neri                            C.F.                 "
           u"  Tessera:                       Tel.                 Quota: € "_s;
    QTest::newRow("every column cut, the fee whole")
        << QStringList {u"123456"_s, QString(30, u'n') + u"Xù"_s, u"RSSMRA70B01D704X"_s,
               QString(20, u'c') + u"X"_s, QString(15, u't') + u"X"_s, u"123456789012,50"_s}
        << u"N. Ord. 123456  Socio: "_s + QString(30, u'n')
            + u"  C.F. RSSMRA70B01D704X  Tessera: "_s + QString(20, u'c') + u"  Tel. "_s
            + QString(15, u't') + u" Quota: € 123456789012,50"_s;
}

void TestBookLists::pageListLine()
{
    QFETCH(QStringList, row);
    QFETCH(QString, line);
    const int fields[] = {Order, MemberName, TaxCode, CardNumber, Phone, Fee};
    QStringList values = pageOf(QString());
    for (int i = 0; i < row.size(); ++i)
        values[rowField(RowA, fields[i])] = row.at(i);
    // Row B must not leak into the line.
    values[rowField(RowB, MemberName)] = u"Altro socio"_s;
    QByteArray record = pageLayout().blankRecord();
    pageLayout().setFields(record, values);
    QCOMPARE(book::pageListLine(record), line);
}

// The hand-written book: a page full to capacity, a typical page, a careless page, and a tail
// that is no page.
void TestBookLists::listPagesOfTheFixture()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Libro.lib"_s);
    QVERIFY(QFile::copy(kData + u"/pages.lib"_s, path));
    const store::ListLines found = book::listPages(path);
    QVERIFY(found.archiveOk);
    QCOMPARE(found.positions, (QList<qint64> {1, 2, 3}));
    QCOMPARE(found.lines().at(0),
        u"N. Ord. FFFFFF  Socio: "_s + QString(30, u'G') + u"  C.F. "_s + QString(16, u'J')
            + u"  Tessera: "_s + QString(20, u'M') + u"  Tel. "_s + QString(15, u'L')
            + u" Quota: € "_s + QString(15, u'O'));
    QCOMPARE(found.lines().at(1),
        u"N. Ord. 1       Socio: Verdi Giuseppe                  C.F. VRDGPP85L14C573K"
        u"  Tessera: A-0017                Tel. 0547 123456     Quota: € 25,00"_s);
    QCOMPARE(found.lines().at(2),
        u"N. Ord. 1       Socio: Verdi Giuseppe                  C.F.                 "
        u"  Tessera:                       Tel.                 Quota: € "_s);
}

// A page without a book number is left out; twin lines keep their own page numbers, the first
// and the last page included.
void TestBookLists::listPagesKeepsEachPagesPosition()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Libro.lib"_s);
    QStringList noNumber = pageOf(u"Senza numero"_s);
    noNumber[BookNumber] = u"  "_s;
    QVERIFY(writeRecords(path, pageLayout(),
        {pageOf(u"Gemello"_s), noNumber, pageOf(u"Altro"_s), pageOf(u"Gemello"_s),
            pageOf(u"Ultimo"_s)}));
    const store::ListLines found = book::listPages(path);
    QVERIFY(found.archiveOk);
    QCOMPARE(found.positions, (QList<qint64> {1, 3, 4, 5}));
    QCOMPARE(found.lines().at(0), found.lines().at(2));
    QVERIFY(found.lines().at(3).contains(u"Socio: Ultimo "_s));
}

void TestBookLists::listPagesOfAnEmptyOrMissingBook()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Nuovo libro.lib"_s);
    const store::ListLines found = book::listPages(path);
    QVERIFY(found.archiveOk);
    QVERIFY(found.lines().isEmpty());
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestBookLists::listPagesOfAnUnreadableBook()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"Cartella.lib"_s));
    const store::ListLines found = book::listPages(dir.filePath(u"Cartella.lib"_s));
    QVERIFY(!found.archiveOk);
    QVERIFY(found.lines().isEmpty());
}

QTEST_GUILESS_MAIN(TestBookLists)
#include "tst_booklists.moc"
