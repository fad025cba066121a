// The book menu on a real application: reached from the launcher's book column, and its choices
// leading to the creation window, the book list or back to the launcher.
#include "AppFixture.h"

#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/book/BookCreationScreen.h"
#include "ui/book/BookListScreen.h"
#include "ui/book/BookMenu.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;
using test::AppFixture;
using test::control;

Q_DECLARE_METATYPE(almavest::ui::Screen)

class TestMenuRegistro final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_app.reset(); }

    void launcherColumnOpensTheMenu_data();
    void launcherColumnOpensTheMenu();
    void choicesLeadOn_data();
    void choicesLeadOn();
    void shownAgainStartsFromTheLauncherWord();

private:
    ui::Application &app() { return m_app->app(); }
    QWidget *menu() { return app().bookMenu(); }
    void click(QWidget *screen, const char *name)
    {
        auto *widget = control<QWidget>(screen, name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    std::unique_ptr<AppFixture> m_app;
};

void TestMenuRegistro::init()
{
    m_app = std::make_unique<AppFixture>();
    QWidget *password = app().passwordScreen();
    QTest::keyClicks(control<QLineEdit>(password, "txtPassword"), u"segreto"_s);
    control<QPushButton>(password, "cmdOK")->click();
    QVERIFY(app().launcher()->isVisible());
}

void TestMenuRegistro::launcherColumnOpensTheMenu_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("picture") << u"imgRicevute"_s;
    QTest::newRow("strip") << u"btnRicevute"_s;
    QTest::newRow("note") << u"appRicevute"_s;
}

void TestMenuRegistro::launcherColumnOpensTheMenu()
{
    QFETCH(QString, name);
    click(app().launcher(), name.toLatin1().constData());
    QVERIFY(menu()->isVisible());
    QVERIFY(!app().launcher()->isVisible());
    QCOMPARE(menu()->windowTitle(), u" Almavest - Creazione / Compilazione Libro Soci"_s);
    QVERIFY(menu()->windowState() & Qt::WindowMaximized);
    QCOMPARE(app().bookMenu()->nextScreen(), ui::Screen::Launcher);
}

void TestMenuRegistro::choicesLeadOn_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<ui::Screen>("leadsTo");
    QTest::addColumn<QString>("next");
    QTest::newRow("create") << u"btnCrea"_s << ui::Screen::BookCreation << u"frmCreaRegistro"_s;
    QTest::newRow("fill in") << u"btnCompila"_s << ui::Screen::BookList << u"frmApriRegistro"_s;
    QTest::newRow("exit icon") << u"imgEsci"_s << ui::Screen::Launcher << u"frmAvvio"_s;
    QTest::newRow("close box") << QString() << ui::Screen::Launcher << u"frmAvvio"_s;
}

void TestMenuRegistro::choicesLeadOn()
{
    QFETCH(QString, control);
    QFETCH(ui::Screen, leadsTo);
    QFETCH(QString, next);
    app().launcher()->openBookMenu();
    if (control.isEmpty())
        menu()->close();
    else
        click(menu(), control.toLatin1().constData());
    QCOMPARE(app().bookMenu()->nextScreen(), leadsTo);
    QVERIFY(!menu()->isVisible());
    const QList<QWidget *> screens {
        app().launcher(), app().bookCreationScreen(), app().bookListScreen()};
    for (QWidget *screen : screens)
        QCOMPARE(screen->isVisible(), screen->objectName() == next);
    QVERIFY(!m_app->quitRequested);
}

// Whatever the menu led to when it last closed, it comes back leading to the launcher, so that its
// exit icon goes there.
void TestMenuRegistro::shownAgainStartsFromTheLauncherWord()
{
    app().launcher()->openBookMenu();
    click(menu(), "btnCrea");
    QVERIFY(app().bookCreationScreen()->isVisible());
    click(app().bookCreationScreen(), "btnAnnulla");
    QVERIFY(app().launcher()->isVisible());
    app().launcher()->openBookMenu();
    QCOMPARE(app().bookMenu()->nextScreen(), ui::Screen::Launcher);
    click(menu(), "imgEsci");
    QVERIFY(app().launcher()->isVisible());
    QVERIFY(!app().bookCreationScreen()->isVisible());
}

QTEST_MAIN(TestMenuRegistro)
#include "tst_menuregistro.moc"
