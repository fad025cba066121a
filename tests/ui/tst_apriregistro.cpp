// The book list on a real program folder: the books listed and counted whatever order the folder
// gives them in, the warnings of an empty list and of no selection, opening a book on the page
// screen, deleting only after the question, a deletion the folder refuses, and the title page.
#include "AppFixture.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"

#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/book/BookListScreen.h"
#include "ui/book/BookMenu.h"
#include "ui/book/BookPageScreen.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace almavest;
using namespace Qt::StringLiterals;
using test::AppFixture;
using test::control;

namespace {

const QString kEmptyList = u"Attenzione: l'elenco non contiene nessun Libro Soci."_s;
const QString kQuestion = u"Si sta per eliminare il Libro Soci selezionato. Si ricorda che il "
                          u"file eliminato non potrà essere recuperato.\r\n\r\nSi conferma "
                          u"l'eliminazione dell'archivio?"_s;
const QString kDeleted = u"Il Libro Soci è stato eliminato con successo."_s;

} // namespace

class TestApriRegistro final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_app.reset(); }

    void listsTheBooksOfTheFolder();
    void emptyListWarns_data();
    void emptyListWarns();
    void noSelectionWarns_data();
    void noSelectionWarns();
    void opensTheChosenBook_data();
    void opensTheChosenBook();
    void deletesOnlyOnYes_data();
    void deletesOnlyOnYes();
    void refusedDeletionIsReported();
    void cancelReturnsToTheLauncher();
    void titlePageOpensOverTheList();

private:
    ui::BookListScreen *list() { return m_app->app().bookListScreen(); }
    QListView *view() { return control<QListView>(list(), "lstFiles"); }
    void makeBooks(const QStringList &files)
    {
        for (const QString &file : files)
            QVERIFY(test::writeBytes(m_app->file(file), QByteArray()));
    }
    void showList()
    {
        m_app->app().launcher()->openBookMenu();
        control<QPushButton>(m_app->app().bookMenu(), "btnCompila")->click();
        QVERIFY(list()->isVisible());
        m_app->services.clear();
    }
    QStringList entries()
    {
        QStringList lines;
        for (int row = 0; row < view()->model()->rowCount(); ++row)
            lines.append(view()->model()->index(row, 0).data().toString());
        return lines;
    }
    // Selects the entry `text` wherever the folder listing put it.
    void select(const QString &text)
    {
        const int row = int(entries().indexOf(text));
        QVERIFY(row >= 0);
        view()->setCurrentIndex(view()->model()->index(row, 0));
    }
    void press(const char *button) { control<QToolButton>(list(), button)->click(); }
    QString count() { return control<QLabel>(list(), "lblCreati")->text(); }

    std::unique_ptr<AppFixture> m_app;
};

void TestApriRegistro::init()
{
    m_app = std::make_unique<AppFixture>();
    QWidget *password = m_app->app().passwordScreen();
    control<QLineEdit>(password, "txtPassword")->setText(u"segreto"_s);
    control<QPushButton>(password, "cmdOK")->click();
}

void TestApriRegistro::listsTheBooksOfTheFolder()
{
    makeBooks(
        {u"Zeta.lib"_s, u"alfa.lib"_s, u"Libro 2026.lib"_s, u"Soci.pro"_s, u"note.lib.txt"_s});
    QVERIFY(QDir(m_app->folder()).mkdir(u"cartella.lib"_s));
    showList();
    QStringList shown = entries();
    shown.sort();
    QCOMPARE(shown, (QStringList {u"Libro 2026.lib"_s, u"Zeta.lib"_s, u"alfa.lib"_s}));
    QCOMPARE(count(), u"Sono stati creati 3 Libri Soci."_s);
    QVERIFY(!view()->selectionModel()->hasSelection());
    QCOMPARE(list()->nextScreen(), ui::Screen::Launcher);
    QCOMPARE(QDir::cleanPath(list()->lblFile()->text()), QDir::cleanPath(m_app->folder()));
    QCOMPARE(view()->font().family(), u"Courier New"_s);
}

void TestApriRegistro::emptyListWarns_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("open") << u"btnApri"_s;
    QTest::newRow("delete") << u"btnElimina"_s;
}

void TestApriRegistro::emptyListWarns()
{
    QFETCH(QString, button);
    showList();
    QCOMPARE(count(), u"Sono stati creati 0 Libri Soci."_s);
    press(button.toLatin1().constData());
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(m_app->services.messages.front().kind, ui::MessageKind::Warning);
    QCOMPARE(m_app->services.lastMessage(), kEmptyList);
    QVERIFY(list()->isVisible());
}

void TestApriRegistro::noSelectionWarns_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("warning");
    QTest::newRow("open") << u"btnApri"_s
                          << u"Attenzione: selezionare dall'elenco il Libro Soci prima di premere "
                             u"il pulsante Apri archivio."_s;
    QTest::newRow("delete") << u"btnElimina"_s
                            << u"Attenzione: selezionare dall'elenco il Libro Soci da eliminare "
                               u"prima di premere il pulsante del cestino."_s;
}

void TestApriRegistro::noSelectionWarns()
{
    QFETCH(QString, button);
    QFETCH(QString, warning);
    makeBooks({u"Uno.lib"_s});
    showList();
    press(button.toLatin1().constData());
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(m_app->services.lastMessage(), warning);
    QVERIFY(QFileInfo::exists(m_app->file(u"Uno.lib"_s)));
    QVERIFY(list()->isVisible());
}

void TestApriRegistro::opensTheChosenBook_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    // The first and the last entry whatever the folder's order, and a name ending in ".lib".
    QTest::newRow("first") << u"Anno 2025.lib"_s << u"Anno 2025"_s;
    QTest::newRow("last") << u"Zeta.lib"_s << u"Zeta"_s;
    QTest::newRow("double extension") << u"Vecchio.lib.lib"_s << u"Vecchio.lib"_s;
}

void TestApriRegistro::opensTheChosenBook()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    makeBooks({u"Anno 2025.lib"_s, u"Zeta.lib"_s, u"Vecchio.lib.lib"_s});
    showList();
    select(entry);
    press("btnApri");
    ui::BookPageScreen *page = m_app->app().bookPageScreen();
    QVERIFY(page->isVisible());
    QVERIFY(!list()->isVisible());
    QCOMPARE(page->lblFile()->text(), m_app->file(entry));
    QCOMPARE(page->lblNome()->text(), name);
    QVERIFY(m_app->services.messages.isEmpty());
}

void TestApriRegistro::deletesOnlyOnYes_data()
{
    QTest::addColumn<QStringList>("books");
    QTest::addColumn<bool>("yes");
    const QStringList two {u"Tiene.lib"_s, u"Via.lib"_s};
    QTest::newRow("no") << two << false;
    QTest::newRow("yes") << two << true;
    QTest::newRow("yes, the only book") << QStringList {u"Via.lib"_s} << true;
}

void TestApriRegistro::deletesOnlyOnYes()
{
    QFETCH(QStringList, books);
    QFETCH(bool, yes);
    makeBooks(books);
    showList();
    select(u"Via.lib"_s);
    m_app->services.answerNextQuestion(yes);
    press("btnElimina");
    QCOMPARE(m_app->services.messages.front().kind, ui::MessageKind::Question);
    QCOMPARE(m_app->services.messages.front().text, kQuestion);
    QCOMPARE(QFileInfo::exists(m_app->file(u"Via.lib"_s)), !yes);
    QStringList left = books;
    if (yes) {
        QCOMPARE(m_app->services.messages.size(), 2);
        QCOMPARE(m_app->services.lastMessage(), kDeleted);
        left.removeAll(u"Via.lib"_s);
        QVERIFY(list()->lblFile()->text().isEmpty());
        QVERIFY(!view()->selectionModel()->hasSelection());
    } else {
        QCOMPARE(m_app->services.messages.size(), 1);
    }
    QStringList shown = entries();
    shown.sort();
    QCOMPARE(shown, left);
    QCOMPARE(count(), u"Sono stati creati %1 Libri Soci."_s.arg(left.size()));
    QVERIFY(list()->isVisible());
    QCOMPARE(list()->nextScreen(), ui::Screen::Launcher);
}

void TestApriRegistro::refusedDeletionIsReported()
{
    makeBooks({u"Protetto.lib"_s});
    showList();
    select(u"Protetto.lib"_s);
    m_app->services.answerNextQuestion(true);
    {
        test::ReadOnlyAccess readOnly({m_app->folder()});
        if (!readOnly.effective())
            QSKIP("root cannot act as an ordinary user here");
        press("btnElimina");
    }
    QCOMPARE(m_app->services.messages.size(), 2);
    QCOMPARE(m_app->services.messages.last().kind, ui::MessageKind::Error);
    QVERIFY(m_app->services.lastMessage().startsWith(
        u"Attenzione: non è stato possibile eliminare il Libro Soci selezionato."_s));
    for (const test::ShownMessage &message : std::as_const(m_app->services.messages))
        QVERIFY(message.text != kDeleted);
    QVERIFY(QFileInfo::exists(m_app->file(u"Protetto.lib"_s)));
    QCOMPARE(entries(), QStringList {u"Protetto.lib"_s});
    QCOMPARE(count(), u"Sono stati creati 1 Libri Soci."_s);
}

void TestApriRegistro::cancelReturnsToTheLauncher()
{
    makeBooks({u"Uno.lib"_s});
    showList();
    select(u"Uno.lib"_s);
    press("btnAnnulla");
    QVERIFY(!list()->isVisible());
    QVERIFY(m_app->app().launcher()->isVisible());
    QVERIFY(!m_app->app().bookPageScreen()->isVisible());
    // A book created meanwhile is listed the next time.
    makeBooks({u"Due.lib"_s});
    showList();
    QCOMPARE(count(), u"Sono stati creati 2 Libri Soci."_s);
    QVERIFY(!view()->selectionModel()->hasSelection());
}

void TestApriRegistro::titlePageOpensOverTheList()
{
    makeBooks({u"Uno.lib"_s});
    showList();
    QWidget *owner = nullptr;
    m_app->services.onNextDialog([&](QDialog &dialog) {
        owner = dialog.parentWidget();
        return int(QDialog::Rejected);
    });
    press("btnFrontespizio");
    QCOMPARE(m_app->services.dialogsShown, QStringList {u"almavest::ui::TitlePageDialog"_s});
    QCOMPARE(owner, static_cast<QWidget *>(list()));
    QVERIFY(list()->isVisible());
}

QTEST_MAIN(TestApriRegistro)
#include "tst_apriregistro.moc"
