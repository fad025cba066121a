// The set of books in the program folder: the names a book may take, making a book without ever
// replacing one, listing and deleting.
#include "ReadOnlyAccess.h"
#include "book/BookCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;
using book::CreateResult;
using book::NameRefusal;

Q_DECLARE_METATYPE(NameRefusal)

class TestBookCatalogue final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir.emplace(); }

    void namesAreChecked_data();
    void namesAreChecked();
    void createsAnEmptyFileOnce();
    void neverReplacesAnExistingFile();
    void failedCreateIsAFailure();
    void listsTheBookFilesOnly();
    void deletesOnlyWhenItCan();

private:
    QString folder() const { return m_dir->path(); }
    std::optional<QTemporaryDir> m_dir;
};

void TestBookCatalogue::namesAreChecked_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<NameRefusal>("refusal");
    QTest::newRow("plain") << u"Libro 2026"_s << NameRefusal::None;
    QTest::newRow("blanks around") << u"  Soci  "_s << NameRefusal::None;
    QTest::newRow("accents and bar") << u"Attività | più"_s << NameRefusal::None;
    QTest::newRow("dots inside") << u"a..b"_s << NameRefusal::None;
    QTest::newRow("leading dot") << u".nascosto"_s << NameRefusal::None;
    QTest::newRow("empty") << u""_s << NameRefusal::Empty;
    QTest::newRow("blanks only") << u"  \t "_s << NameRefusal::Empty;
    for (const QString &c : {u"\""_s, u"*"_s, u":"_s, u"<"_s, u">"_s, u"?"_s, u"\\"_s, u"°"_s,
             u"Ç"_s, u"Ñ"_s, u"ç"_s, u"ñ"_s, u"\t"_s})
        QTest::addRow("character %s", qPrintable(c))
            << u"Li" + c + u"bro"_s << NameRefusal::RefusedCharacter;
    QTest::newRow("parent folder") << u"../fuori"_s << NameRefusal::OutsideFolder;
    QTest::newRow("subfolder") << u"sotto/libro"_s << NameRefusal::OutsideFolder;
    QTest::newRow("absolute") << u"/tmp/fuori"_s << NameRefusal::OutsideFolder;
    QTest::newRow("backslash") << u"..\\fuori"_s << NameRefusal::RefusedCharacter;
    QTest::newRow("one dot") << u"."_s << NameRefusal::OnlyDots;
    QTest::newRow("two dots") << u" .. "_s << NameRefusal::OnlyDots;
    QTest::newRow("many dots") << u"....."_s << NameRefusal::OnlyDots;
    // A file name takes at most 255 bytes, ".lib" included; an accented letter takes two.
    QTest::newRow("longest name") << QString(251, u'a') << NameRefusal::None;
    QTest::newRow("one letter more") << QString(252, u'a') << NameRefusal::TooLong;
    QTest::newRow("300 letters") << QString(300, u'a') << NameRefusal::TooLong;
    QTest::newRow("longest accented name") << QString(125, u'à') + u"a"_s << NameRefusal::None;
    QTest::newRow("130 accented letters") << QString(130, u'à') << NameRefusal::TooLong;
}

void TestBookCatalogue::namesAreChecked()
{
    QFETCH(QString, name);
    QFETCH(NameRefusal, refusal);
    QCOMPARE(book::checkBookName(folder(), name), refusal);
}

void TestBookCatalogue::createsAnEmptyFileOnce()
{
    QCOMPARE(book::createBook(folder(), u"  Primo libro "_s), CreateResult::Created);
    const QFileInfo file(QDir(folder()).filePath(u"Primo libro.lib"_s));
    QVERIFY(file.exists());
    QCOMPARE(file.size(), 0);
    QCOMPARE(book::createBook(folder(), u"Primo libro"_s), CreateResult::Exists);
}

void TestBookCatalogue::neverReplacesAnExistingFile()
{
    QFile existing(QDir(folder()).filePath(u"Vecchio.lib"_s));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("pagine preziose");
    existing.close();
    QCOMPARE(book::createBook(folder(), u"Vecchio"_s), CreateResult::Exists);
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), "pagine preziose");
}

void TestBookCatalogue::failedCreateIsAFailure()
{
    test::ReadOnlyAccess readOnly({folder()});
    if (!readOnly.effective())
        QSKIP("root cannot act as an ordinary user here");
    QCOMPARE(book::createBook(folder(), u"Nuovo"_s), CreateResult::Failed);
    QVERIFY(!QFileInfo::exists(QDir(folder()).filePath(u"Nuovo.lib"_s)));
}

void TestBookCatalogue::listsTheBookFilesOnly()
{
    QVERIFY(book::listBooks(folder()).isEmpty());
    for (const QString &name : {u"B.lib"_s, u"a.lib"_s, u".nascosto.lib"_s, u"C.LIB"_s, u"d.Lib"_s,
             u"Soci.pro"_s, u"lib"_s, u"note.lib.txt"_s})
        QVERIFY(QFile(QDir(folder()).filePath(name)).open(QIODevice::WriteOnly));
    QVERIFY(QDir(folder()).mkdir(u"cartella.lib"_s));
    QVERIFY(QDir(folder()).mkdir(u"sotto"_s));
    QVERIFY(QFile(QDir(folder()).filePath(u"sotto/interno.lib"_s)).open(QIODevice::WriteOnly));
    QStringList books = book::listBooks(folder());
    books.sort();
    // The ending in any case, as the systems the books come from match "*.lib".
    QCOMPARE(
        books, (QStringList {u".nascosto.lib"_s, u"B.lib"_s, u"C.LIB"_s, u"a.lib"_s, u"d.Lib"_s}));
}

void TestBookCatalogue::deletesOnlyWhenItCan()
{
    QCOMPARE(book::createBook(folder(), u"Da eliminare"_s), CreateResult::Created);
    QCOMPARE(book::createBook(folder(), u"Resta"_s), CreateResult::Created);
    {
        test::ReadOnlyAccess readOnly({folder()});
        if (readOnly.effective())
            QVERIFY(!book::deleteBook(folder(), u"Resta.lib"_s));
    }
    QVERIFY(QFileInfo::exists(QDir(folder()).filePath(u"Resta.lib"_s)));
    QVERIFY(book::deleteBook(folder(), u" Da eliminare.lib "_s));
    QCOMPARE(book::listBooks(folder()), QStringList {u"Resta.lib"_s});
}

QTEST_GUILESS_MAIN(TestBookCatalogue)
#include "tst_bookcatalogue.moc"
