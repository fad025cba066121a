// The journal menu and the year screen on a real application: reached from the launcher's cash
// journal column, where they lead, and the year that names the archive the movement card opens.
#include "AppFixture.h"

#include "ui/app/Launcher.h"
#include "ui/app/PasswordScreen.h"
#include "ui/balance/BalanceQuery.h"
#include "ui/journal/JournalMenu.h"
#include "ui/journal/JournalYearMenu.h"
#include "ui/journal/MovementCardScreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;
using test::AppFixture;
using test::control;

Q_DECLARE_METATYPE(almavest::ui::Screen)

namespace {

const QString kYearWarning = u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s;

} // namespace

class TestMenuPrimanota final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_app.reset(); }

    void menuChoicesLeadOn_data();
    void menuChoicesLeadOn();
    void yearScreenLeavesForTheLauncher_data();
    void yearScreenLeavesForTheLauncher();
    void yearIsCheckedAtConfirmation_data();
    void yearIsCheckedAtConfirmation();
    void yearFieldShowsTheCurrentYearEachTime();
    void enterInTheYearFieldReachesApri();

private:
    ui::Application &app() { return m_app->app(); }
    QLineEdit *yearField()
    {
        return control<QLineEdit>(app().journalYearMenu(), "txtAnnoPreventivi");
    }
    void click(QWidget *screen, const char *name)
    {
        auto *widget = control<QWidget>(screen, name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    void openYearScreen()
    {
        app().launcher()->openJournalMenu();
        click(app().journalMenu(), "btnRegistra");
    }
    // Which of the journal's screens and the launcher are visible, by objectName.
    QStringList visibleScreens()
    {
        QStringList visible;
        const QList<QWidget *> screens {app().launcher(), app().journalMenu(),
            app().journalYearMenu(), app().movementCardScreen(), app().balanceQuery()};
        for (QWidget *screen : screens) {
            if (screen->isVisible())
                visible.append(screen->objectName());
        }
        return visible;
    }

    std::unique_ptr<AppFixture> m_app;
};

void TestMenuPrimanota::init()
{
    m_app = std::make_unique<AppFixture>();
    QWidget *password = app().passwordScreen();
    QTest::keyClicks(control<QLineEdit>(password, "txtPassword"), u"segreto"_s);
    control<QPushButton>(password, "cmdOK")->click();
    QVERIFY(app().launcher()->isVisible());
}

void TestMenuPrimanota::menuChoicesLeadOn_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<ui::Screen>("leadsTo");
    QTest::addColumn<QString>("next");
    QTest::newRow("register") << u"btnRegistra"_s << ui::Screen::JournalYear
                              << u"frmMenuMovimenti"_s;
    QTest::newRow("balance") << u"btnRiepiloga"_s << ui::Screen::BalanceQuery
                             << u"frmMenuBilancio"_s;
    QTest::newRow("exit icon") << u"imgEsci"_s << ui::Screen::Launcher << u"frmAvvio"_s;
    QTest::newRow("close box") << QString() << ui::Screen::Launcher << u"frmAvvio"_s;
}

void TestMenuPrimanota::menuChoicesLeadOn()
{
    QFETCH(QString, control);
    QFETCH(ui::Screen, leadsTo);
    QFETCH(QString, next);
    // A choice left from an earlier visit must not count: the menu starts each showing afresh.
    app().launcher()->openJournalMenu();
    click(app().journalMenu(), "btnRegistra");
    click(app().journalYearMenu(), "imgEsci");
    app().launcher()->openJournalMenu();
    if (control.isEmpty())
        app().journalMenu()->close();
    else
        click(app().journalMenu(), control.toLatin1().constData());
    QCOMPARE(app().journalMenu()->nextScreen(), leadsTo);
    QCOMPARE(visibleScreens(), QStringList {next});
    QVERIFY(!m_app->quitRequested);
}

void TestMenuPrimanota::yearScreenLeavesForTheLauncher_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("exit icon") << false;
    QTest::newRow("close box") << true;
}

// The year screen returns to the launcher, not to the journal menu.
void TestMenuPrimanota::yearScreenLeavesForTheLauncher()
{
    QFETCH(bool, closeBox);
    openYearScreen();
    QCOMPARE(app().journalYearMenu()->windowTitle(),
        u" Almavest - Registrazione movimenti in entrata e uscita"_s);
    if (closeBox)
        app().journalYearMenu()->close();
    else
        click(app().journalYearMenu(), "imgEsci");
    QCOMPARE(visibleScreens(), QStringList {u"frmAvvio"_s});
    QVERIFY(m_app->services.messages.isEmpty());
}

void TestMenuPrimanota::yearIsCheckedAtConfirmation_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("four digits") << u"2024"_s << true;
    QTest::newRow("four zeros") << u"0000"_s << true;
    QTest::newRow("nines") << u"9999"_s << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("three digits") << u"202"_s << false;
    QTest::newRow("blank before three digits") << u" 202"_s << false;
    QTest::newRow("five digits") << u"20245"_s << false;
    QTest::newRow("letter") << u"20a4"_s << false;
    QTest::newRow("blank inside") << u"20 4"_s << false;
    QTest::newRow("dots") << u"../1"_s << false;
    QTest::newRow("other digits") << u"٢٠٢٤"_s << false;
}

// Whatever way the text reached the field, only four digits name an archive.
void TestMenuPrimanota::yearIsCheckedAtConfirmation()
{
    QFETCH(QString, year);
    QFETCH(bool, accepted);
    openYearScreen();
    yearField()->setText(year);
    click(app().journalYearMenu(), "btnApriPreventivi");
    ui::MovementCardScreen *card = app().movementCardScreen();
    if (accepted) {
        QVERIFY(m_app->services.messages.isEmpty());
        QCOMPARE(visibleScreens(), QStringList {u"frmMovimenti"_s});
        QCOMPARE(app().journalYearMenu()->nextScreen(), ui::Screen::MovementCard);
        QCOMPARE(QDir::cleanPath(card->lblFile()->text()),
            QDir::cleanPath(m_app->file(year + u".eur"_s)));
        QCOMPARE(card->windowTitle(), u" Almavest - Registrazione movimenti anno "_s + year);
        QVERIFY(!QFile::exists(m_app->file(year + u".eur"_s)));
    } else {
        QCOMPARE(m_app->services.messages.size(), 1);
        QCOMPARE(m_app->services.messages.first().kind, ui::MessageKind::Warning);
        QCOMPARE(m_app->services.lastMessage(), kYearWarning);
        QCOMPARE(visibleScreens(), QStringList {u"frmMenuMovimenti"_s});
        QCOMPARE(app().journalYearMenu()->nextScreen(), ui::Screen::Launcher);
        QVERIFY(card->lblFile()->text().isEmpty());
        QCOMPARE(app().journalYearMenu()->focusWidget(), yearField());
    }
}

void TestMenuPrimanota::yearFieldShowsTheCurrentYearEachTime()
{
    m_app->services.setNow(QDateTime(QDate(2031, 1, 1), QTime(0, 0)));
    openYearScreen();
    QCOMPARE(yearField()->text(), u"2031"_s);
    QCOMPARE(app().journalYearMenu()->nextScreen(), ui::Screen::Launcher);
    yearField()->setText(u"2019"_s);
    click(app().journalYearMenu(), "btnApriPreventivi");
    QVERIFY(app().movementCardScreen()->isVisible());
    app().movementCardScreen()->close();
    QCOMPARE(visibleScreens(), QStringList {u"frmAvvio"_s});
    openYearScreen();
    QCOMPARE(yearField()->text(), u"2031"_s);
    QCOMPARE(app().journalYearMenu()->nextScreen(), ui::Screen::Launcher);
}

// Typed digits only, Enter to the button, Enter on the button to open.
void TestMenuPrimanota::enterInTheYearFieldReachesApri()
{
    openYearScreen();
    QApplication::setActiveWindow(app().journalYearMenu());
    yearField()->setFocus();
    yearField()->clear();
    QTest::keyClicks(yearField(), u"2x02-5"_s);
    QCOMPARE(yearField()->text(), u"2025"_s);
    QTest::keyClick(yearField(), Qt::Key_Return);
    auto *apri = control<QPushButton>(app().journalYearMenu(), "btnApriPreventivi");
    QCOMPARE(QApplication::focusWidget(), apri);
    QTest::keyClick(apri, Qt::Key_Return);
    QCOMPARE(visibleScreens(), QStringList {u"frmMovimenti"_s});
}

QTEST_MAIN(TestMenuPrimanota)
#include "tst_menuprimanota.moc"
