// Every way between the resident screens, there and back, from one table: after each step
// exactly one resident screen is showing, the one the step leads to, and nothing asks or
// reports anything on the way.
#include "AppFixture.h"
#include "TestFiles.h"

#include "ui/app/Launcher.h"
#include "ui/app/PasswordChangeScreen.h"
#include "ui/app/PasswordScreen.h"
#include "ui/balance/BalanceQuery.h"
#include "ui/book/BookCreationScreen.h"
#include "ui/book/BookListScreen.h"
#include "ui/book/BookMenu.h"
#include "ui/book/BookPageScreen.h"
#include "ui/journal/JournalMenu.h"
#include "ui/journal/JournalYearMenu.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/registry/MemberCardScreen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;
using test::AppFixture;
using test::control;

class TestNavigation final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_app.reset(); }

    void routesLeadThereAndBack_data();
    void routesLeadThereAndBack();
    void screensAreBuiltOnFirstUse();

private:
    ui::Application &app() { return m_app->app(); }
    QList<QWidget *> residentScreens();
    QStringList visibleScreens();
    // The objectNames of the program's windows built so far, shown or not.
    static QStringList builtWindows();
    void take(const QString &control);

    std::unique_ptr<AppFixture> m_app;
};

void TestNavigation::init()
{
    m_app = std::make_unique<AppFixture>();
    QVERIFY(test::writeBytes(m_app->file(u"Libro 2026.lib"_s), QByteArray()));
    app().start();
}

QList<QWidget *> TestNavigation::residentScreens()
{
    return {app().passwordScreen(), app().passwordChangeScreen(), app().launcher(),
        app().memberCardScreen(), app().bookMenu(), app().bookCreationScreen(),
        app().bookListScreen(), app().bookPageScreen(), app().journalMenu(),
        app().journalYearMenu(), app().movementCardScreen(), app().balanceQuery()};
}

QStringList TestNavigation::builtWindows()
{
    QStringList built;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName().startsWith(u"frm"_s))
            built.append(window->objectName());
    }
    built.sort();
    return built;
}

// Start-up builds what the password screen shows and nothing more; the launcher comes with the
// password, and an environment's screen with the first visit.
void TestNavigation::screensAreBuiltOnFirstUse()
{
    m_app.reset();
    QCOMPARE(builtWindows(), QStringList());
    m_app = std::make_unique<AppFixture>();
    m_app->app().start();
    QCOMPARE(builtWindows(), QStringList {u"frmPassword"_s});

    QWidget *password = app().passwordScreen();
    control<QLineEdit>(password, "txtPassword")->setText(u"segreto"_s);
    control<QAbstractButton>(password, "cmdOK")->click();
    QCOMPARE(builtWindows(), (QStringList {u"frmAvvio"_s, u"frmPassword"_s}));
    QVERIFY(app().launcher()->isVisible());

    QMetaObject::invokeMethod(control<QWidget>(app().launcher(), "btnSoci"), "clicked");
    QCOMPARE(builtWindows(), (QStringList {u"frmAnagrafica"_s, u"frmAvvio"_s, u"frmPassword"_s}));
    QVERIFY(app().memberCardScreen()->isVisible());
    QVERIFY(m_app->services.messages.isEmpty());
}

QStringList TestNavigation::visibleScreens()
{
    QStringList visible;
    for (QWidget *screen : residentScreens()) {
        if (screen->isVisible())
            visible.append(screen->objectName());
    }
    return visible;
}

// Takes one step on the screen showing: "login" types the password and confirms, "pick"
// selects the first book of the list, "close" closes the screen, any other word clicks the
// control of that name.
void TestNavigation::take(const QString &control)
{
    const QStringList visible = visibleScreens();
    QCOMPARE(visible.size(), 1);
    QWidget *screen = nullptr;
    for (QWidget *candidate : residentScreens()) {
        if (candidate->isVisible())
            screen = candidate;
    }
    if (control == u"login") {
        QTest::keyClicks(test::control<QLineEdit>(screen, "txtPassword"), u"segreto"_s);
        test::control<QPushButton>(screen, "cmdOK")->click();
    } else if (control == u"pick") {
        auto *books = test::control<QListView>(screen, "lstFiles");
        books->setCurrentIndex(books->model()->index(0, 0));
        test::control<QAbstractButton>(screen, "btnApri")->click();
    } else if (control == u"close") {
        screen->close();
    } else {
        auto *widget = test::control<QWidget>(screen, control.toLatin1().constData());
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
}

void TestNavigation::routesLeadThereAndBack_data()
{
    QTest::addColumn<QStringList>("steps"); // each "control>screen shown afterwards"
    const auto route = [](const char *name, std::initializer_list<const char *> steps) {
        QStringList list {u"login>frmAvvio"_s};
        for (const char *step : steps)
            list.append(QString::fromLatin1(step));
        QTest::newRow(name) << list;
    };
    QTest::newRow("password change and back") << QStringList {
        u"btnCambiaPassword>frmCambiaPassword"_s, u"cmdEsci>frmPassword"_s, u"login>frmAvvio"_s};
    route("launcher, member card", {"imgSoci>frmAnagrafica", "close>frmAvvio"});
    route("launcher, book menu", {"btnRicevute>frmMenuRegistro", "imgEsci>frmAvvio"});
    route("launcher, journal menu", {"appIncassi>frmMenuPrimanota", "close>frmAvvio"});
    route("book menu, creation",
        {"imgRicevute>frmMenuRegistro", "btnCrea>frmCreaRegistro", "btnAnnulla>frmAvvio"});
    route("book menu, list",
        {"imgRicevute>frmMenuRegistro", "btnCompila>frmApriRegistro", "btnAnnulla>frmAvvio"});
    route("book menu, list closed",
        {"imgRicevute>frmMenuRegistro", "btnCompila>frmApriRegistro", "close>frmAvvio"});
    route("book list, page",
        {"imgRicevute>frmMenuRegistro", "btnCompila>frmApriRegistro", "pick>frmRegistro",
            "close>frmAvvio"});
    route("journal menu, year",
        {"imgIncassi>frmMenuPrimanota", "btnRegistra>frmMenuMovimenti", "imgEsci>frmAvvio"});
    route("journal menu, balance",
        {"imgIncassi>frmMenuPrimanota", "btnRiepiloga>frmMenuBilancio", "close>frmAvvio"});
    route("year, movement card",
        {"imgIncassi>frmMenuPrimanota", "btnRegistra>frmMenuMovimenti",
            "btnApriPreventivi>frmMovimenti", "close>frmAvvio"});
    // A second visit starts afresh: the menus lead back to the launcher, not where they led.
    route("book menu twice",
        {"imgRicevute>frmMenuRegistro", "btnCrea>frmCreaRegistro", "close>frmAvvio",
            "imgRicevute>frmMenuRegistro", "close>frmAvvio"});
    route("book list twice",
        {"imgRicevute>frmMenuRegistro", "btnCompila>frmApriRegistro", "pick>frmRegistro",
            "close>frmAvvio", "imgRicevute>frmMenuRegistro", "btnCompila>frmApriRegistro",
            "close>frmAvvio"});
    route("year twice",
        {"imgIncassi>frmMenuPrimanota", "btnRegistra>frmMenuMovimenti",
            "btnApriPreventivi>frmMovimenti", "close>frmAvvio", "imgIncassi>frmMenuPrimanota",
            "btnRegistra>frmMenuMovimenti", "close>frmAvvio"});
}

void TestNavigation::routesLeadThereAndBack()
{
    QFETCH(QStringList, steps);
    QCOMPARE(visibleScreens(), QStringList {u"frmPassword"_s});
    for (const QString &step : steps) {
        const QString control = step.section(u'>', 0, 0);
        const QString leadsTo = step.section(u'>', 1);
        take(control);
        QVERIFY2(visibleScreens() == QStringList {leadsTo},
            qPrintable(step + u" shows "_s + visibleScreens().join(u", ")));
    }
    QVERIFY(m_app->services.messages.isEmpty());
    QVERIFY(!m_app->quitRequested);
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
