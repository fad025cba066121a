// The creation window on a real program folder: a book made under the name typed, every name
// refused with its warning and nothing written, an existing book never replaced, and a folder
// that refuses the file reported as a failure.
#include "AppFixture.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"

#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/book/BookCreationScreen.h"
#include "ui/book/BookMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace almavest;
using namespace Qt::StringLiterals;
using test::AppFixture;
using test::control;

namespace {

const QString kCreated = u"Il file di archivio relativo al nuovo Libro Soci è stato creato con "
                         u"successo.\r\n\r\nE' ora possibile visualizzarlo nell'elenco dei Libri "
                         u"Soci esistenti."_s;
const QString kDuplicate
    = u"Attenzione: il nome del Libro Soci indicato è già stato utilizzato in precedenza.\r\n\r\n"
      u"Inserire un nome diverso oppure, se si desidera visualizzare un Libro Soci già creato, "
      u"premere il pulsante Compila Libro Soci esistente."_s;
const QString kEmpty = u"Attenzione: per creare il nuovo archivio è necessario indicare il nome "
                       u"del nuovo Libro Soci."_s;

enum class Entry { Typed, Pasted, Set };

} // namespace

Q_DECLARE_METATYPE(Entry)

class TestCreaRegistro final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_app.reset(); }

    void createsAnEmptyBook_data();
    void createsAnEmptyBook();
    void filterKeepsCharactersOut_data();
    void filterKeepsCharactersOut();
    void refusesBadNames_data();
    void refusesBadNames();
    void neverReplacesABook_data();
    void neverReplacesABook();
    void refusedFolderIsReported();
    void cancelReturnsAndShowEmpties();

private:
    ui::BookCreationScreen *window() { return m_app->app().bookCreationScreen(); }
    QLineEdit *nameBox() { return control<QLineEdit>(window(), "txtFile"); }
    void enter(const QString &name, Entry how);
    void apply() { control<QToolButton>(window(), "btnApplica")->click(); }
    QStringList folderFiles() const
    {
        return QDir(m_app->folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    std::unique_ptr<AppFixture> m_app;
    QStringList m_before;
};

void TestCreaRegistro::init()
{
    m_app = std::make_unique<AppFixture>();
    QWidget *password = m_app->app().passwordScreen();
    control<QLineEdit>(password, "txtPassword")->setText(u"segreto"_s);
    control<QPushButton>(password, "cmdOK")->click();
    m_app->app().launcher()->openBookMenu();
    control<QPushButton>(m_app->app().bookMenu(), "btnCrea")->click();
    QVERIFY(window()->isVisible());
    m_before = folderFiles();
    m_app->services.clear();
}

void TestCreaRegistro::enter(const QString &name, Entry how)
{
    switch (how) {
    case Entry::Typed:
        test::typeText(nameBox(), name);
        break;
    case Entry::Pasted:
        QGuiApplication::clipboard()->setText(name);
        nameBox()->paste();
        break;
    case Entry::Set:
        // As text that reaches the box without a key or a paste (an input method, a drop).
        nameBox()->setText(name);
        break;
    }
}

void TestCreaRegistro::createsAnEmptyBook_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Entry>("how");
    QTest::addColumn<QString>("file");
    QTest::newRow("typed with blanks")
        << u"  Libro 2026  "_s << Entry::Typed << u"Libro 2026.lib"_s;
    QTest::newRow("accents and bar")
        << u"Attività | più"_s << Entry::Typed << u"Attività | più.lib"_s;
    QTest::newRow("pasted") << u" Libro:2026 "_s << Entry::Pasted << u"Libro2026.lib"_s;
    QTest::newRow("250 characters")
        << QString(250, u'x') << Entry::Typed << QString(250, u'x') + u".lib"_s;
}

void TestCreaRegistro::createsAnEmptyBook()
{
    QFETCH(QString, name);
    QFETCH(Entry, how);
    QFETCH(QString, file);
    enter(name, how);
    apply();
    QCOMPARE(m_app->services.lastMessage(), kCreated);
    QCOMPARE(m_app->services.messages.size(), 1);
    const QString path = QDir(m_app->folder()).filePath(file);
    QVERIFY2(QFileInfo::exists(path), qPrintable(folderFiles().join(u", "_s)));
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(window()->lblFile()->text(), path);
    QVERIFY(!window()->isVisible());
    QVERIFY(m_app->app().launcher()->isVisible());
}

void TestCreaRegistro::filterKeepsCharactersOut_data()
{
    QTest::addColumn<Entry>("how");
    QTest::newRow("typed") << Entry::Typed;
    QTest::newRow("pasted") << Entry::Pasted;
}

void TestCreaRegistro::filterKeepsCharactersOut()
{
    QFETCH(Entry, how);
    enter(u"a\"*/:<>?\\°ÇÑçñ|b"_s, how);
    QCOMPARE(nameBox()->text(), u"a|b"_s);
}

void TestCreaRegistro::refusesBadNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Entry>("how");
    QTest::addColumn<QString>("warning");
    const QString characters = u"Attenzione: il nome del Libro Soci non può contenere i caratteri "
                               u"\" * / : < > ? \\ ° Ç Ñ ç ñ.\r\n\r\nInserire un nome diverso."_s;
    const QString dots = u"Attenzione: il nome del Libro Soci non può essere formato soltanto da "
                         u"punti.\r\n\r\nInserire un nome diverso."_s;
    const QString outside = u"Attenzione: il nome indicato porterebbe il file del Libro Soci "
                            u"fuori dalla cartella del programma.\r\n\r\nInserire un nome "
                            u"diverso."_s;
    QTest::newRow("nothing") << QString() << Entry::Typed << kEmpty;
    QTest::newRow("blanks typed") << u"    "_s << Entry::Typed << kEmpty;
    QTest::newRow("blanks pasted") << u" \t "_s << Entry::Pasted << kEmpty;
    QTest::newRow("one dot") << u"."_s << Entry::Typed << dots;
    QTest::newRow("dots pasted") << u" ... "_s << Entry::Pasted << dots;
    QTest::newRow("asterisk") << u"Libro*"_s << Entry::Set << characters;
    QTest::newRow("question mark") << u"Libro?"_s << Entry::Set << characters;
    QTest::newRow("cedilla") << u"Ç"_s << Entry::Set << characters;
    QTest::newRow("parent folder") << u"../Libro"_s << Entry::Set << outside;
    QTest::newRow("absolute path") << u"/tmp/Libro"_s << Entry::Set << outside;
    // Longer than a file name may be: told so, not blamed on the folder or the disk.
    const QString tooLong = u"Attenzione: il nome del Libro Soci è troppo lungo per il sistema."
                            u"\r\n\r\nInserire un nome più breve."_s;
    QTest::newRow("300 letters") << QString(300, u'a') << Entry::Set << tooLong;
    QTest::newRow("130 accented letters") << QString(130, u'à') << Entry::Set << tooLong;
}

void TestCreaRegistro::refusesBadNames()
{
    QFETCH(QString, name);
    QFETCH(Entry, how);
    QFETCH(QString, warning);
    enter(name, how);
    apply();
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(m_app->services.messages.front().kind, ui::MessageKind::Warning);
    QCOMPARE(m_app->services.lastMessage(), warning);
    QCOMPARE(folderFiles(), m_before);
    QVERIFY(!QFileInfo::exists(u"/tmp/Libro.lib"_s));
    QVERIFY(window()->isVisible());
    QVERIFY(window()->lblFile()->text().isEmpty());
}

void TestCreaRegistro::neverReplacesABook_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("same name") << u"Soci 2025"_s;
    QTest::newRow("with blanks") << u"   Soci 2025 "_s;
}

void TestCreaRegistro::neverReplacesABook()
{
    QFETCH(QString, typed);
    const QString path = m_app->file(u"Soci 2025.lib"_s);
    QVERIFY(test::writeBytes(path, QByteArray(4759, 'p')));
    enter(typed, Entry::Typed);
    apply();
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(m_app->services.lastMessage(), kDuplicate);
    QCOMPARE(test::fileBytes(path), QByteArray(4759, 'p'));
    QVERIFY(window()->isVisible());
    QCOMPARE(nameBox()->text(), typed);
}

void TestCreaRegistro::refusedFolderIsReported()
{
    enter(u"Nuovo"_s, Entry::Typed);
    {
        test::ReadOnlyAccess readOnly({m_app->folder()});
        if (!readOnly.effective())
            QSKIP("root cannot act as an ordinary user here");
        apply();
    }
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(m_app->services.messages.front().kind, ui::MessageKind::Error);
    QVERIFY(m_app->services.lastMessage().startsWith(
        u"Attenzione: non è stato possibile creare il file di archivio del nuovo Libro Soci."_s));
    QVERIFY(!QFileInfo::exists(m_app->file(u"Nuovo.lib"_s)));
    QVERIFY(window()->isVisible());
    QCOMPARE(nameBox()->text(), u"Nuovo"_s);
}

void TestCreaRegistro::cancelReturnsAndShowEmpties()
{
    enter(u"Bozza"_s, Entry::Typed);
    control<QToolButton>(window(), "btnAnnulla")->click();
    QVERIFY(!window()->isVisible());
    QVERIFY(m_app->app().launcher()->isVisible());
    QCOMPARE(folderFiles(), m_before);
    QVERIFY(m_app->services.messages.isEmpty());
    m_app->app().launcher()->openBookMenu();
    control<QPushButton>(m_app->app().bookMenu(), "btnCrea")->click();
    QVERIFY(nameBox()->text().isEmpty());
}

QTEST_MAIN(TestCreaRegistro)
#include "tst_crearegistro.moc"
