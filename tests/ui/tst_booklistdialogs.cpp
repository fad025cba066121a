// The member import and the page search that the book page screen opens: what they list, the
// record each line hands back, closing, printing and an archive that cannot be read.
#include "AppFixture.h"
#include "DialogDriving.h"
#include "PageModel.h"

#include "book/PageRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "ui/book/BookPageScreen.h"
#include "ui/book/MemberImportDialog.h"
#include "ui/book/PageSearchDialog.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <functional>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

QStringList memberNumbered(const QString &name, const QString &card)
{
    QStringList values = sampleMember(name);
    values[registry::CardNumber] = card;
    values[registry::Address] = u"Via Roma 1"_s;
    values[registry::PostCode] = u"47521"_s;
    values[registry::Town] = u"Cesena"_s;
    values[registry::Province] = u"FC"_s;
    return values;
}

// A page whose first row holds `name`; row B tells the pages apart without showing in the line.
QStringList pageOf(const QString &name, const QString &rowB)
{
    QStringList values = book::newPage();
    values[book::BookNumber] = u"7"_s;
    values[book::Association] = u"ASD Nuoto"_s;
    values[book::AssociationTaxCode] = u"92012345678"_s;
    values[book::rowField(book::RowA, book::Order)] = u"1"_s;
    values[book::rowField(book::RowA, book::MemberName)] = name;
    values[book::rowField(book::RowB, book::MemberName)] = rowB;
    return values;
}

void writePages(const QString &path, const QList<QStringList> &pages)
{
    store::ArchiveFile book(path, book::kPageRecordSize);
    QVERIFY(book.openForWriting());
    for (const QStringList &values : pages) {
        QByteArray record = book::pageLayout().blankRecord();
        book::pageLayout().setFields(record, values);
        QVERIFY(book.append(record));
    }
}

QStringList names(const QStringList &lines, int from)
{
    QStringList result;
    for (const QString &line : lines)
        result.append(line.mid(from, 30).trimmed());
    return result;
}

} // namespace

class TestBookListDialogs final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_fixture.reset(); }

    void importListsNamedMembers();
    void importHandsBackTheChosenMember_data();
    void importHandsBackTheChosenMember();
    void importLeftWithoutChoosing_data();
    void importLeftWithoutChoosing();
    void importFindsAndPrints();
    void importUnreadableArchiveIsReported();
    void pageSearchListsPages();
    void pageSearchHandsBackThePage_data();
    void pageSearchHandsBackThePage();
    void pageSearchOfAnEmptyBook();
    void pageSearchUnreadableBookIsReported();
    void pageSearchPrints();

private:
    QString bookFile() const { return m_fixture->file(u"Libro uno.lib"_s); }
    ui::AppContext &context() { return m_fixture->app().context(); }
    QWidget *owner() { return m_fixture->app().bookPageScreen(); }
    // The next dialog is handed to `drive`; `ran` tells afterwards whether it was shown.
    void onDialog(const std::function<void(ui::ListPickDialog &)> &drive);

    std::unique_ptr<AppFixture> m_fixture;
    bool m_ran = false;
};

void TestBookListDialogs::init()
{
    m_fixture = std::make_unique<AppFixture>();
    m_ran = false;
}

void TestBookListDialogs::onDialog(const std::function<void(ui::ListPickDialog &)> &drive)
{
    m_fixture->services.onNextDialog([this, drive](QDialog &dialog) {
        m_ran = true;
        dialog.show();
        drive(dynamic_cast<ui::ListPickDialog &>(dialog));
        return dialog.result();
    });
}

// A card with an empty or blank name is not listed; nothing is selected at first.
void TestBookListDialogs::importListsNamedMembers()
{
    QStringList blank = sampleMember(u"  "_s);
    writeMembers(m_fixture->file(u"Soci.pro"_s),
        {sampleMember(QString()), sampleMember(u"Rossi Mario"_s), blank,
            sampleMember(u"Bianchi Anna"_s)});
    onDialog([](ui::ListPickDialog &dialog) {
        QCOMPARE(dialog.windowTitle(), u" Importazione dati socio da archivio anagrafico"_s);
        QCOMPARE(control<QLabel>(&dialog, "lblMemory")->text(), u"socio_b"_s);
        QVERIFY(control<QLabel>(&dialog, "lblMemory")->isHidden());
        QCOMPARE(
            names(dialog.list()->lines(), 0), (QStringList {u"Rossi Mario"_s, u"Bianchi Anna"_s}));
        QVERIFY(!control<QListView>(&dialog, "lstRecords")->currentIndex().isValid());
        QVERIFY(control<QLineEdit>(&dialog, "txtTrova")->text().isEmpty());
        control<QPushButton>(&dialog, "btnChiudi")->click();
    });
    QCOMPARE(ui::MemberImportDialog::choose(context(), owner(), book::RowB), std::nullopt);
    QVERIFY(m_ran);
}

void TestBookListDialogs::importHandsBackTheChosenMember_data()
{
    QTest::addColumn<int>("pageRow");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("how");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QString>("card");
    QTest::newRow("socio_a, first line")
        << int(book::RowA) << 0 << int(Pick::DoubleClick) << qint64(2) << u"PRIMA"_s;
    QTest::newRow("socio_b, first twin")
        << int(book::RowB) << 1 << int(Pick::Enter) << qint64(3) << u"GEMELLA 1"_s;
    QTest::newRow("socio_c, second twin")
        << int(book::RowC) << 2 << int(Pick::DoubleClick) << qint64(4) << u"GEMELLA 2"_s;
    QTest::newRow("socio_d, last line")
        << int(book::RowD) << 3 << int(Pick::Enter) << qint64(5) << u"ULTIMA"_s;
}

// Each line hands back its own card, even when two cards give the same line; the row read
// from that position is that card's.
void TestBookListDialogs::importHandsBackTheChosenMember()
{
    QFETCH(int, pageRow);
    QFETCH(int, row);
    QFETCH(int, how);
    QFETCH(qint64, position);
    QFETCH(QString, card);
    writeMembers(m_fixture->file(u"Soci.pro"_s),
        {memberNumbered(QString(), u"SENZA NOME"_s), memberNumbered(u"Primo"_s, u"PRIMA"_s),
            memberNumbered(u"Gemello"_s, u"GEMELLA 1"_s),
            memberNumbered(u"Gemello"_s, u"GEMELLA 2"_s),
            memberNumbered(u"Ultimo"_s, u"ULTIMA"_s)});
    onDialog([&](ui::ListPickDialog &dialog) {
        QCOMPARE(dialog.list()->lines().at(1), dialog.list()->lines().at(2));
        pickLine(control<QListView>(&dialog, "lstRecords"), row, Pick(how));
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.list()->lines().isEmpty());
    });
    const std::optional<qint64> chosen
        = ui::MemberImportDialog::choose(context(), owner(), book::PageRow(pageRow));
    QCOMPARE(chosen, std::optional<qint64>(position));
    const std::optional<book::ImportedRow> imported
        = ui::MemberImportDialog::rowOf(context(), *chosen);
    QVERIFY(imported);
    QCOMPARE(imported->value(book::CardNumber), card);
    QCOMPARE(imported->value(book::Address), u"Via Roma 1 47521 Cesena FC"_s);
}

void TestBookListDialogs::importLeftWithoutChoosing_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Chiudi") << int(Leave::Button);
    QTest::newRow("Escape") << int(Leave::Escape);
    QTest::newRow("window closed") << int(Leave::Close);
}

void TestBookListDialogs::importLeftWithoutChoosing()
{
    QFETCH(int, way);
    writeMembers(m_fixture->file(u"Soci.pro"_s), {sampleMember(u"Rossi Mario"_s)});
    onDialog([&](ui::ListPickDialog &dialog) {
        control<QListView>(&dialog, "lstRecords")
            ->setCurrentIndex(dialog.list()->list()->model()->index(0, 0));
        leaveDialog(dialog, Leave(way));
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.list()->lines().isEmpty());
    });
    QCOMPARE(ui::MemberImportDialog::choose(context(), owner(), book::RowA), std::nullopt);
    QVERIFY(m_ran);
    QVERIFY(m_fixture->services.messages.isEmpty());
}

// Quick find folds A-Z only; printing sends every line under the import's title.
void TestBookListDialogs::importFindsAndPrints()
{
    writeMembers(m_fixture->file(u"Soci.pro"_s),
        {sampleMember(u"Èrcole Neri"_s), sampleMember(u"èrcole bianchi"_s),
            sampleMember(u"Verdi Èrcole"_s)});
    onDialog([](ui::ListPickDialog &dialog) {
        auto *list = control<QListView>(&dialog, "lstRecords");
        control<QLineEdit>(&dialog, "txtTrova")->setText(u"ÈRCOLE"_s);
        control<QPushButton>(&dialog, "btnTrova")->click();
        QCOMPARE(list->currentIndex().row(), 0);
        control<QPushButton>(&dialog, "btnTrova")->click();
        QCOMPARE(list->currentIndex().row(), 2);
        control<QPushButton>(&dialog, "btnStampa")->click();
        control<QPushButton>(&dialog, "btnChiudi")->click();
    });
    QCOMPARE(ui::MemberImportDialog::choose(context(), owner(), book::RowA), std::nullopt);
    QCOMPARE(m_fixture->services.printed.size(), size_t(1));
    const QStringList texts = pageTexts(m_fixture->services.printed[0], 0);
    QVERIFY(texts.contains(u"Riepilogo soci in archivio anagrafico"_s));
    QCOMPARE(std::count_if(texts.begin(), texts.end(),
                 [](const QString &t) { return t.contains(u"  C.F. "_s); }),
        3);
}

// No empty list passes for an empty archive: the archive access message, and no dialog.
void TestBookListDialogs::importUnreadableArchiveIsReported()
{
    QVERIFY(QDir(m_fixture->folder()).mkdir(u"Soci.pro"_s));
    QCOMPARE(ui::MemberImportDialog::choose(context(), owner(), book::RowA), std::nullopt);
    QVERIFY(m_fixture->services.dialogsShown.isEmpty());
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
    QCOMPARE(ui::MemberImportDialog::rowOf(context(), 1), std::nullopt);
}

void TestBookListDialogs::pageSearchListsPages()
{
    QStringList noNumber = pageOf(u"Senza numero"_s, QString());
    noNumber[book::BookNumber].clear();
    writePages(bookFile(), {pageOf(u"Verdi"_s, QString()), noNumber, pageOf(u"Neri"_s, QString())});
    onDialog([](ui::ListPickDialog &dialog) {
        QCOMPARE(dialog.windowTitle(), u" Trova pagine Libro Soci"_s);
        QCOMPARE(control<QLabel>(&dialog, "lblMemory")->text(), u"registro"_s);
        QCOMPARE(names(dialog.list()->lines(), 23), (QStringList {u"Verdi"_s, u"Neri"_s}));
        QVERIFY(!control<QListView>(&dialog, "lstRecords")->currentIndex().isValid());
        control<QPushButton>(&dialog, "btnChiudi")->click();
    });
    // The path arrives as the page screen's label holds it, blanks and all.
    QCOMPARE(ui::PageSearchDialog::choose(context(), owner(), u" "_s + bookFile() + u" "_s),
        std::nullopt);
    QVERIFY(m_ran);
}

void TestBookListDialogs::pageSearchHandsBackThePage_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("how");
    QTest::addColumn<qint64>("page");
    QTest::newRow("first page") << 0 << int(Pick::Enter) << qint64(1);
    QTest::newRow("page 2, first twin") << 1 << int(Pick::DoubleClick) << qint64(2);
    QTest::newRow("page 4, second twin") << 3 << int(Pick::Enter) << qint64(4);
    QTest::newRow("last page") << 4 << int(Pick::DoubleClick) << qint64(5);
}

// A pick hands back the page of its own line, not the last page with the same line.
void TestBookListDialogs::pageSearchHandsBackThePage()
{
    QFETCH(int, row);
    QFETCH(int, how);
    QFETCH(qint64, page);
    writePages(bookFile(),
        {pageOf(u"Primo"_s, u"b1"_s), pageOf(u"Gemello"_s, u"b2"_s), pageOf(u"Altro"_s, u"b3"_s),
            pageOf(u"Gemello"_s, u"b4"_s), pageOf(u"Ultimo"_s, u"b5"_s)});
    onDialog([&](ui::ListPickDialog &dialog) {
        QCOMPARE(dialog.list()->lines().at(1), dialog.list()->lines().at(3));
        pickLine(control<QListView>(&dialog, "lstRecords"), row, Pick(how));
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(
        ui::PageSearchDialog::choose(context(), owner(), bookFile()), std::optional<qint64>(page));
}

void TestBookListDialogs::pageSearchOfAnEmptyBook()
{
    writePages(bookFile(), {});
    onDialog([](ui::ListPickDialog &dialog) {
        QVERIFY(dialog.list()->lines().isEmpty());
        control<QLineEdit>(&dialog, "txtTrova")->setText(u"rossi"_s);
        control<QPushButton>(&dialog, "btnTrova")->click();
        control<QPushButton>(&dialog, "btnChiudi")->click();
    });
    QCOMPARE(ui::PageSearchDialog::choose(context(), owner(), bookFile()), std::nullopt);
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QVERIFY(m_fixture->services.messages.first().plain);
    QCOMPARE(m_fixture->services.lastMessage(),
        u"Ricerca non applicabile: la lista non contiene nessuna voce."_s);
}

void TestBookListDialogs::pageSearchUnreadableBookIsReported()
{
    QVERIFY(QDir(m_fixture->folder()).mkdir(u"Libro uno.lib"_s));
    QCOMPARE(ui::PageSearchDialog::choose(context(), owner(), bookFile()), std::nullopt);
    QVERIFY(m_fixture->services.dialogsShown.isEmpty());
    QCOMPARE(m_fixture->services.messages.size(), 1);
    QCOMPARE(m_fixture->services.messages.first().kind, ui::MessageKind::Error);
    QCOMPARE(m_fixture->services.lastMessage(), store::archiveAccessMessage());
}

void TestBookListDialogs::pageSearchPrints()
{
    writePages(bookFile(), {pageOf(u"Verdi"_s, QString()), pageOf(u"Neri"_s, QString())});
    onDialog([](ui::ListPickDialog &dialog) {
        control<QPushButton>(&dialog, "btnStampa")->click();
        control<QPushButton>(&dialog, "btnChiudi")->click();
    });
    QCOMPARE(ui::PageSearchDialog::choose(context(), owner(), bookFile()), std::nullopt);
    QCOMPARE(m_fixture->services.printed.size(), size_t(1));
    const QStringList texts = pageTexts(m_fixture->services.printed[0], 0);
    QVERIFY(texts.contains(u"Riepilogo pagine Libro Soci"_s));
    QVERIFY(std::any_of(texts.begin(), texts.end(),
        [](const QString &t) { return t.startsWith(u"N. Ord. 1       Socio: Neri "_s); }));
}

QTEST_MAIN(TestBookListDialogs)
#include "tst_booklistdialogs.moc"
