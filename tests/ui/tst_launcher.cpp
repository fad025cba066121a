// The launcher on a real application: the member registry and cash journal columns (the book
// column is tested with the book menu), the maker's web page, ending the program, and its size on
// a small screen. Its help and notice icons are tested with the help windows.
#include "AppFixture.h"

#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/journal/JournalMenu.h"
#include "ui/registry/MemberCardScreen.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;
using test::AppFixture;
using test::control;

class TestLauncher final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_app.reset(); }

    void opensMaximisedAfterLogin();
    void columnOpensItsScreen_data();
    void columnOpensItsScreen();
    void siteLinkOpensTheWebPage();
    void exitIconAndCloseBoxEndTheProgram_data();
    void exitIconAndCloseBoxEndTheProgram();
    void fitsASmallScreen();

private:
    QWidget *launcher() { return m_app->app().launcher(); }
    QWidget *memberCardScreen() { return m_app->app().memberCardScreen(); }
    QWidget *journalMenu() { return m_app->app().journalMenu(); }
    void click(const char *name)
    {
        auto *picture = control<QWidget>(launcher(), name);
        QVERIFY(picture);
        QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
    }

    std::unique_ptr<AppFixture> m_app;
};

void TestLauncher::init()
{
    m_app = std::make_unique<AppFixture>();
    QWidget *password = m_app->app().passwordScreen();
    QTest::keyClicks(control<QLineEdit>(password, "txtPassword"), u"segreto"_s);
    control<QPushButton>(password, "cmdOK")->click();
    QVERIFY(launcher()->isVisible());
    m_app->services.clear();
}

void TestLauncher::opensMaximisedAfterLogin()
{
    QCOMPARE(launcher()->windowTitle(), u" Almavest"_s);
    QVERIFY(launcher()->windowState() & Qt::WindowMaximized);
    QVERIFY(!m_app->app().passwordScreen()->isVisible());
}

void TestLauncher::columnOpensItsScreen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("journal");
    QTest::newRow("registry picture") << u"imgSoci"_s << false;
    QTest::newRow("registry strip") << u"btnSoci"_s << false;
    QTest::newRow("registry note") << u"appSoci"_s << false;
    QTest::newRow("journal picture") << u"imgIncassi"_s << true;
    QTest::newRow("journal strip") << u"btnIncassi"_s << true;
    QTest::newRow("journal note") << u"appIncassi"_s << true;
}

void TestLauncher::columnOpensItsScreen()
{
    QFETCH(QString, name);
    QFETCH(bool, journal);
    click(name.toLatin1().constData());
    QCOMPARE(memberCardScreen()->isVisible(), !journal);
    QCOMPARE(journalMenu()->isVisible(), journal);
    QVERIFY(!launcher()->isVisible());
    QVERIFY(!m_app->quitRequested);
}

void TestLauncher::siteLinkOpensTheWebPage()
{
    click("imgSito");
    QCOMPARE(m_app->services.openedAddresses, QStringList {u"https://www.almavest.it"_s});
    QVERIFY(launcher()->isVisible());
    QVERIFY(!m_app->quitRequested);
}

void TestLauncher::exitIconAndCloseBoxEndTheProgram_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("exit icon") << false;
    QTest::newRow("close box") << true;
}

void TestLauncher::exitIconAndCloseBoxEndTheProgram()
{
    QFETCH(bool, closeBox);
    QVERIFY(!m_app->quitRequested);
    if (closeBox)
        launcher()->close();
    else
        click("imgEsci");
    QVERIFY(m_app->quitRequested);
}

// Maximised on a 1366x768 desktop, the window area left by a title bar and a task bar.
void TestLauncher::fitsASmallScreen()
{
    const QSize needed = launcher()->minimumSizeHint();
    QVERIFY2(needed.width() <= 1366 && needed.height() <= 690,
        qPrintable(u"%1x%2"_s.arg(needed.width()).arg(needed.height())));
}

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
