// The two password screens on a real application: logging in, the OK button and the Enter key,
// a damaged password file, and changing the password, including a file that cannot be written.
#include "AppFixture.h"
#include "TestFiles.h"
#include "WritesFail.h"

#include "app/PasswordFile.h"
#include "ui/app/Launcher.h"
#include "ui/app/PasswordChangeScreen.h"
#include "ui/app/PasswordScreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>

using namespace almavest;
using namespace Qt::StringLiterals;
using test::AppFixture;
using test::control;
using test::fileBytes;
using test::WritesFail;

namespace {

const QString kWrong = u"Attenzione: password errata."_s;
const QString kWrongOld = u"Attenzione: vecchia password errata."_s;
const QString kNotConfirmed = u"Attenzione: la nuova password non è stata confermata "
                              u"correttamente. E' necessario reinserire entrambi i valori."_s;
const QString kNotAllowed = u"Attenzione: la nuova password contiene caratteri non ammessi, come "
                            u"il simbolo dell'euro (€). E' necessario reinserire entrambi i "
                            u"valori."_s;
const QString kChanged = u"Modifica della password completata con successo."_s;
const QString kReadFailure = u"Attenzione: si è verificato un errore durante la procedura di "
                             u"lettura della password. Si consiglia di reinstallare il software."_s;
const QString kChangeFailure = u"Attenzione: si è verificato un errore durante la procedura di "
                               u"modifica della password. Si consiglia di reinstallare il "
                               u"software."_s;

// Ways of damaging the password file before a change is attempted.
enum class Damage { NotHexadecimal, Folder, Unwritable };

// Types `text` key by key; unlike QTest::keyClicks it can type characters beyond Latin-1.
void type(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(
            QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

bool waitForFocus(QWidget *widget)
{
    return QTest::qWaitFor([widget] { return widget->hasFocus(); }, 2000);
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

} // namespace

Q_DECLARE_METATYPE(Damage)

class TestPassword final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_app.reset(); }

    // Logging in.
    void startsEmptyWithoutCloseBox();
    void okFollowsTheTrimmedText_data();
    void okFollowsTheTrimmedText();
    void rightPasswordOpensTheLauncher_data();
    void rightPasswordOpensTheLauncher();
    void wrongPasswordEmptiesTheBox();
    void enterKey_data();
    void enterKey();
    void storedValueProblems_data();
    void storedValueProblems();
    void exitEndsTheProgram();

    // Changing the password.
    void changeScreenStartsEmptyEveryTime();
    void changeOkNeedsAllThree_data();
    void changeOkNeedsAllThree();
    void changeEnterChainNeverPressesOk();
    void wrongOldPasswordIsRefused();
    void newPasswordIsRefused_data();
    void newPasswordIsRefused();
    void successfulChange_data();
    void successfulChange();
    void failedChangeKeepsThePassword_data();
    void failedChangeKeepsThePassword();

private:
    QWidget *passwordScreen() { return m_app->app().passwordScreen(); }
    QWidget *changeScreen() { return m_app->app().passwordChangeScreen(); }
    QWidget *launcher() { return m_app->app().launcher(); }
    QLineEdit *box(QWidget *screen, const char *name) { return control<QLineEdit>(screen, name); }
    QPushButton *button(QWidget *screen, const char *name)
    {
        return control<QPushButton>(screen, name);
    }
    QString passwordFile() const { return m_app->file(QStringLiteral("unins000.dll")); }
    QString storedPassword() const
    {
        return app::PasswordFile(passwordFile()).storedPassword().value_or(u"<unreadable>"_s);
    }
    void login(const QString &typed);
    void openChangeScreen();
    void fillChange(
        const QString &oldPassword, const QString &newPassword, const QString &confirmation);

    std::unique_ptr<AppFixture> m_app;
};

void TestPassword::init()
{
    m_app = std::make_unique<AppFixture>();
    QVERIFY(QTest::qWaitForWindowActive(passwordScreen()));
}

void TestPassword::login(const QString &typed)
{
    QLineEdit *txtPassword = box(passwordScreen(), "txtPassword");
    txtPassword->clear();
    type(txtPassword, typed);
    button(passwordScreen(), "cmdOK")->click();
}

void TestPassword::openChangeScreen()
{
    button(passwordScreen(), "btnCambiaPassword")->click();
    QVERIFY(changeScreen()->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(changeScreen()));
}

void TestPassword::fillChange(
    const QString &oldPassword, const QString &newPassword, const QString &confirmation)
{
    type(box(changeScreen(), "txtPasswordOld"), oldPassword);
    type(box(changeScreen(), "txtPasswordNew"), newPassword);
    type(box(changeScreen(), "txtConferma"), confirmation);
}

void TestPassword::startsEmptyWithoutCloseBox()
{
    QWidget *screen = passwordScreen();
    QLineEdit *txtPassword = box(screen, "txtPassword");
    QVERIFY(screen->isVisible());
    QVERIFY(!launcher()->isVisible());
    QCOMPARE(screen->windowTitle(), u" Almavest - Autenticazione"_s);
    QVERIFY(!(screen->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(screen->minimumSize(), screen->maximumSize());
    QVERIFY(txtPassword->text().isEmpty());
    QCOMPARE(txtPassword->echoMode(), QLineEdit::Password);
    txtPassword->setFocus();
    QTest::keyClicks(txtPassword, QString(260, u'x'));
    QCOMPARE(txtPassword->text().size(), 255);
    txtPassword->clear();
    QVERIFY(!button(screen, "cmdOK")->isEnabled());
    QVERIFY(waitForFocus(txtPassword));
    QVERIFY(control<QWidget>(screen, "effPassword")->isVisible());

    // A close request from the window system must not leave the program without a window.
    QVERIFY(!screen->close());
    QVERIFY(screen->isVisible());
    QVERIFY(!m_app->quitRequested);
}

void TestPassword::okFollowsTheTrimmedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("backspaces");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("nothing") << QString() << 0 << false;
    QTest::newRow("blanks only") << u"   "_s << 0 << false;
    QTest::newRow("one letter") << u"a"_s << 0 << true;
    QTest::newRow("blanks around") << u"  a  "_s << 0 << true;
    QTest::newRow("erased") << u"ab"_s << 2 << false;
    QTest::newRow("erased down to a blank") << u" a"_s << 1 << false;
}

void TestPassword::okFollowsTheTrimmedText()
{
    QFETCH(QString, typed);
    QFETCH(int, backspaces);
    QFETCH(bool, enabled);
    QLineEdit *txtPassword = box(passwordScreen(), "txtPassword");
    type(txtPassword, typed);
    for (int i = 0; i < backspaces; ++i)
        QTest::keyClick(txtPassword, Qt::Key_Backspace);
    QCOMPARE(button(passwordScreen(), "cmdOK")->isEnabled(), enabled);
}

void TestPassword::rightPasswordOpensTheLauncher_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("as stored") << u"SEGRETO"_s;
    QTest::newRow("lower case") << u"segreto"_s;
    QTest::newRow("mixed case, blanks around") << u"  SeGrEtO   "_s;
}

void TestPassword::rightPasswordOpensTheLauncher()
{
    QFETCH(QString, typed);
    login(typed);
    QVERIFY(m_app->services.messages.isEmpty());
    QVERIFY(launcher()->isVisible());
    QVERIFY(!passwordScreen()->isVisible());
}

void TestPassword::wrongPasswordEmptiesTheBox()
{
    QLineEdit *txtPassword = box(passwordScreen(), "txtPassword");
    login(u"segreta"_s);
    QCOMPARE(m_app->services.messages.size(), 1);
    QVERIFY(m_app->services.messages.first().plain);
    QCOMPARE(m_app->services.lastMessage(), kWrong);
    QVERIFY(txtPassword->text().isEmpty());
    QVERIFY(!button(passwordScreen(), "cmdOK")->isEnabled());
    QVERIFY(waitForFocus(txtPassword));
    QVERIFY(passwordScreen()->isVisible());
    QVERIFY(!launcher()->isVisible());
}

void TestPassword::enterKey_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("message");
    QTest::newRow("right password") << u" segreto"_s << true << QString();
    QTest::newRow("wrong password") << u"altro"_s << false << kWrong;
    QTest::newRow("blanks only") << u"   "_s << false << QString();
}

void TestPassword::enterKey()
{
    QFETCH(QString, typed);
    QFETCH(bool, opens);
    QFETCH(QString, message);
    QLineEdit *txtPassword = box(passwordScreen(), "txtPassword");
    type(txtPassword, typed);
    QTest::keyClick(txtPassword, Qt::Key_Return);
    QCOMPARE(launcher()->isVisible(), opens);
    QCOMPARE(passwordScreen()->isVisible(), !opens);
    QCOMPARE(m_app->services.lastMessage(), message);
}

void TestPassword::storedValueProblems_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("boxKept");
    // A null content removes the file.
    QTest::newRow("value not hexadecimal")
        << QByteArray("[Accesso]\r\nValore=ZZ\r\n") << kReadFailure << true;
    QTest::newRow("missing file") << QByteArray() << kWrong << false;
    QTest::newRow("missing key") << QByteArray("[Accesso]\r\nAltro=1\r\n") << kWrong << false;
}

void TestPassword::storedValueProblems()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(bool, boxKept);
    if (content.isNull())
        QVERIFY(QFile::remove(passwordFile()));
    else
        writeFile(passwordFile(), content);
    login(u"segreto"_s);
    QCOMPARE(m_app->services.lastMessage(), message);
    QCOMPARE(box(passwordScreen(), "txtPassword")->text(), boxKept ? u"segreto"_s : QString());
    QVERIFY(passwordScreen()->isVisible());
    QVERIFY(!launcher()->isVisible());
}

void TestPassword::exitEndsTheProgram()
{
    QPushButton *cmdEsci = button(passwordScreen(), "cmdEsci");
    QCOMPARE(cmdEsci->text(), u"Esci"_s);
    cmdEsci->click();
    QVERIFY(m_app->quitRequested);
    QVERIFY(!passwordScreen()->isVisible());
    QVERIFY(!launcher()->isVisible());
}

void TestPassword::changeScreenStartsEmptyEveryTime()
{
    type(box(passwordScreen(), "txtPassword"), u"abc"_s);
    openChangeScreen();
    QWidget *screen = changeScreen();
    QVERIFY(!passwordScreen()->isVisible());
    QCOMPARE(screen->windowTitle(), u" Cambia password"_s);
    QVERIFY(!(screen->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(button(screen, "cmdEsci")->text(), u"Chiudi"_s);
    for (const char *name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
        QCOMPARE(box(screen, name)->echoMode(), QLineEdit::Password);
    QVERIFY(!button(screen, "cmdOK")->isEnabled());
    QVERIFY(waitForFocus(box(screen, "txtPasswordOld")));
    QVERIFY(control<QWidget>(screen, "effPasswordOld")->isVisible());
    for (const char *name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"}) {
        QLineEdit *entry = box(screen, name);
        entry->setFocus();
        QTest::keyClicks(entry, QString(256, u'x'));
        QCOMPARE(entry->text().size(), 255);
        entry->clear();
    }

    // "Chiudi" leads back to an empty password box; the next visit starts empty again.
    fillChange(u"uno"_s, u"due"_s, u"tre"_s);
    box(screen, "txtPasswordNew")->setFocus();
    button(screen, "cmdEsci")->click();
    QVERIFY(!screen->isVisible());
    QVERIFY(passwordScreen()->isVisible());
    QVERIFY(box(passwordScreen(), "txtPassword")->text().isEmpty());
    QVERIFY(waitForFocus(box(passwordScreen(), "txtPassword")));
    QVERIFY(m_app->services.messages.isEmpty());

    openChangeScreen();
    for (const char *name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
        QVERIFY2(box(screen, name)->text().isEmpty(), name);
    QVERIFY(waitForFocus(box(screen, "txtPasswordOld")));
    QVERIFY(!button(screen, "cmdOK")->isEnabled());
}

void TestPassword::changeOkNeedsAllThree_data()
{
    QTest::addColumn<QString>("oldPassword");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("all three") << u"a"_s << u"b"_s << u"c"_s << true;
    QTest::newRow("no old") << QString() << u"b"_s << u"c"_s << false;
    QTest::newRow("no new") << u"a"_s << QString() << u"c"_s << false;
    QTest::newRow("no confirmation") << u"a"_s << u"b"_s << QString() << false;
    QTest::newRow("blank confirmation") << u"a"_s << u"b"_s << u"  "_s << false;
}

void TestPassword::changeOkNeedsAllThree()
{
    QFETCH(QString, oldPassword);
    QFETCH(QString, newPassword);
    QFETCH(QString, confirmation);
    QFETCH(bool, enabled);
    openChangeScreen();
    fillChange(oldPassword, newPassword, confirmation);
    QCOMPARE(button(changeScreen(), "cmdOK")->isEnabled(), enabled);
}

void TestPassword::changeEnterChainNeverPressesOk()
{
    openChangeScreen();
    QWidget *screen = changeScreen();
    fillChange(u"segreto"_s, u"nuova"_s, u"nuova"_s);
    QVERIFY(button(screen, "cmdOK")->isEnabled());

    const char *chain[] = {"txtPasswordOld", "txtPasswordNew", "txtConferma", "txtPasswordOld"};
    box(screen, chain[0])->setFocus();
    QVERIFY(waitForFocus(box(screen, chain[0])));
    for (int i = 1; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY2(box(screen, chain[i])->hasFocus(), chain[i]);
    }
    button(screen, "cmdOK")->setFocus();
    QVERIFY(waitForFocus(button(screen, "cmdOK")));
    QTest::keyClick(button(screen, "cmdOK"), Qt::Key_Return);
    QTest::keyClick(button(screen, "cmdOK"), Qt::Key_Enter);
    QVERIFY(m_app->services.messages.isEmpty());
    QVERIFY(screen->isVisible());
    QCOMPARE(storedPassword(), u"SEGRETO"_s);
}

void TestPassword::wrongOldPasswordIsRefused()
{
    openChangeScreen();
    QWidget *screen = changeScreen();
    fillChange(u"segreta"_s, u"nuova"_s, u"nuova"_s);
    button(screen, "cmdOK")->click();
    QCOMPARE(m_app->services.lastMessage(), kWrongOld);
    QVERIFY(m_app->services.messages.last().plain);
    QVERIFY(box(screen, "txtPasswordOld")->text().isEmpty());
    QCOMPARE(box(screen, "txtPasswordNew")->text(), u"nuova"_s);
    QVERIFY(waitForFocus(box(screen, "txtPasswordOld")));
    QVERIFY(screen->isVisible());
    QCOMPARE(storedPassword(), u"SEGRETO"_s);
}

void TestPassword::newPasswordIsRefused_data()
{
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("message");
    QTest::newRow("differs in case only") << u"nuova"_s << u"NUOVA"_s << kNotConfirmed;
    QTest::newRow("differs") << u"nuova"_s << u"nuovo"_s << kNotConfirmed;
    QTest::newRow("euro sign") << u"100€"_s << u"100€"_s << kNotAllowed;
    QTest::newRow("beyond the basic plane") << u"a\U0001F600"_s << u"a\U0001F600"_s << kNotAllowed;
}

void TestPassword::newPasswordIsRefused()
{
    QFETCH(QString, newPassword);
    QFETCH(QString, confirmation);
    QFETCH(QString, message);
    openChangeScreen();
    QWidget *screen = changeScreen();
    fillChange(u"Segreto"_s, newPassword, confirmation);
    button(screen, "cmdOK")->click();
    QCOMPARE(m_app->services.lastMessage(), message);
    QVERIFY(box(screen, "txtPasswordNew")->text().isEmpty());
    QVERIFY(box(screen, "txtConferma")->text().isEmpty());
    QCOMPARE(box(screen, "txtPasswordOld")->text(), u"Segreto"_s);
    QVERIFY(waitForFocus(box(screen, "txtPasswordNew")));
    QVERIFY(screen->isVisible());
    QCOMPARE(storedPassword(), u"SEGRETO"_s);
}

void TestPassword::successfulChange_data()
{
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("accepted");
    QTest::addColumn<QString>("refused");
    QTest::newRow("plain word") << u"nuova"_s << u"NUOVA"_s << u"segreto"_s;
    QTest::newRow("blanks and an accent") << u"  Caffè "_s << u"caffè"_s << u"CAFFÈ"_s;
    QTest::newRow("longest") << QString(255, u'x') << QString(255, u'X') << QString(254, u'x');
}

void TestPassword::successfulChange()
{
    QFETCH(QString, newPassword);
    QFETCH(QString, accepted);
    QFETCH(QString, refused);
    openChangeScreen();
    fillChange(u" segreto "_s, newPassword, newPassword);
    button(changeScreen(), "cmdOK")->click();
    QCOMPARE(m_app->services.messages.size(), 1);
    QCOMPARE(m_app->services.lastMessage(), kChanged);
    QVERIFY(!changeScreen()->isVisible());
    QVERIFY(passwordScreen()->isVisible());
    QVERIFY(box(passwordScreen(), "txtPassword")->text().isEmpty());
    QVERIFY(waitForFocus(box(passwordScreen(), "txtPassword")));

    login(refused);
    QCOMPARE(m_app->services.lastMessage(), kWrong);
    QVERIFY(!launcher()->isVisible());
    login(accepted);
    QCOMPARE(m_app->services.messages.size(), 2);
    QVERIFY(launcher()->isVisible());
}

void TestPassword::failedChangeKeepsThePassword_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::newRow("value not hexadecimal") << Damage::NotHexadecimal;
    QTest::newRow("file is a folder") << Damage::Folder;
    QTest::newRow("file cannot be written") << Damage::Unwritable;
}

void TestPassword::failedChangeKeepsThePassword()
{
    QFETCH(Damage, damage);
    if (damage == Damage::NotHexadecimal)
        writeFile(passwordFile(), "[Accesso]\r\nValore=ZZ\r\n");
    if (damage == Damage::Folder)
        QVERIFY(QFile::remove(passwordFile()) && QDir().mkdir(passwordFile()));
    const QByteArray before = fileBytes(passwordFile());

    openChangeScreen();
    QWidget *screen = changeScreen();
    fillChange(u"segreto"_s, u"nuova"_s, u"nuova"_s);
    {
        std::optional<WritesFail> failing;
        if (damage == Damage::Unwritable)
            failing.emplace();
        button(screen, "cmdOK")->click();
    }
    QCOMPARE(m_app->services.lastMessage(), kChangeFailure);
    QVERIFY(m_app->services.messages.last().plain);
    QVERIFY(screen->isVisible());
    QVERIFY(!passwordScreen()->isVisible());
    QCOMPARE(fileBytes(passwordFile()), before);
    QCOMPARE(QFileInfo(passwordFile()).isDir(), damage == Damage::Folder);
    if (damage == Damage::Unwritable)
        QCOMPARE(storedPassword(), u"SEGRETO"_s);
}

QTEST_MAIN(TestPassword)
#include "tst_password.moc"
