// The shared field behaviours on a small screen of their own: key filters (typed and pasted),
// casing while typing, the Enter chain, the halo and the status-line hints.
#include "AppFixture.h"

#include "ui/conventions/DateField.h"
#include "ui/conventions/FieldBehaviour.h"
#include "ui/conventions/FieldTable.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace almavest::ui;
using almavest::test::typeText;

namespace {

constexpr FieldSettings kTable[] = {
    {"txtUno", 0, KeyFilter::Digits, Casing::None, "txtTre"},
    {"txtDue", 0, KeyFilter::Amount, Casing::None, "txtUno"},
    {"txtTre", 16, KeyFilter::Alphanumeric, Casing::Upper, "btnVai"},
    {"txtQuattro", 0, KeyFilter::None, Casing::TrimOnly, "txtUno"},
};

constexpr HintSpec kHints[] = {{"btnVai", "Esegue."}, {"txtUno", "Solo cifre."}};

} // namespace

class TestConventions final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { delete m_screen; }

    void typedKeysAreFiltered_data();
    void typedKeysAreFiltered();
    void editingKeysAlwaysPass();
    void pastedTextIsFilteredLikeTyping_data();
    void pastedTextIsFilteredLikeTyping();
    void casingAndTrimmingWhileTyping();
    void textSetByTheProgramIsNeverCut();
    void tabLeavesEveryField_data();
    void tabLeavesEveryField();
    void enterFollowsTheChainNotThePosition();
    void haloShowsOnlyWhileFocused();
    void hintsReachTheStatusLine();
    void dateFieldKeys();
    void focusLeaveOutlivedByNothing_data();
    void focusLeaveOutlivedByNothing();
    void focusLeaveNotRunByADestroyedBox();

private:
    QLineEdit *edit(const char *name)
    {
        return m_screen->findChild<QLineEdit *>(QLatin1String(name));
    }

    QWidget *m_screen = nullptr;
    QPushButton *m_button = nullptr;
    QLabel *m_status = nullptr;
    int m_clicks = 0;
};

void TestConventions::init()
{
    m_screen = new QWidget;
    m_clicks = 0;
    int y = 10;
    for (const FieldSettings &row : kTable) {
        auto *field = new QLineEdit(m_screen);
        field->setObjectName(QLatin1String(row.name));
        field->setGeometry(20, y, 200, 22);
        y += 40;
    }
    m_button = new QPushButton(QStringLiteral("Vai"), m_screen);
    m_button->setObjectName(QStringLiteral("btnVai"));
    m_button->setGeometry(20, y, 80, 26);
    connect(m_button, &QPushButton::clicked, this, [this] { ++m_clicks; });
    m_status = new QLabel(QStringLiteral("Pronto..."), m_screen);
    m_status->setGeometry(0, 260, 300, 20);
    m_screen->resize(300, 280);
    applyFieldTable(m_screen, kTable);
    installHints(m_screen, m_status, kHints, {m_screen});
    m_screen->show();
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
}

void TestConventions::typedKeysAreFiltered_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << "txtUno"
                            << "a1-2.b3 "
                            << "123";
    QTest::newRow("amount") << "txtDue"
                            << "-12.5,7e"
                            << "12,5,7";
    QTest::newRow("alphanumeric") << "txtTre"
                                  << "ab-1 è2"
                                  << "AB12";
}

void TestConventions::typedKeysAreFiltered()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLineEdit *box = edit(field.toLatin1().constData());
    box->setFocus();
    typeText(box, typed);
    QCOMPARE(box->text(), shown);
}

void TestConventions::editingKeysAlwaysPass()
{
    QLineEdit *box = edit("txtUno");
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("1234"));
    QTest::keyClick(box, Qt::Key_Left);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Right);
    QTest::keyClick(box, Qt::Key_X);
    QTest::keyClick(box, Qt::Key_9);
    QCOMPARE(box->text(), QStringLiteral("294"));
}

void TestConventions::pastedTextIsFilteredLikeTyping_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("cursor");
    QTest::newRow("letters into digits") << "txtUno"
                                         << "1a2b"
                                         << "12" << 2;
    QTest::newRow("only letters") << "txtUno"
                                  << "trenta"
                                  << "" << 0;
    QTest::newRow("amount with point") << "txtDue"
                                       << "1.234,50 €"
                                       << "1234,50" << 7;
    QTest::newRow("code with blanks") << "txtTre"
                                      << " rss mra-70 "
                                      << "RSSMRA70" << 8;
}

void TestConventions::pastedTextIsFilteredLikeTyping()
{
    QFETCH(QString, field);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(int, cursor);
    QLineEdit *box = edit(field.toLatin1().constData());
    box->setFocus();
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), shown);
    QCOMPARE(box->cursorPosition(), cursor);
}

void TestConventions::casingAndTrimmingWhileTyping()
{
    QLineEdit *code = edit("txtTre");
    code->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("  zàbc "));
    QTest::keyClick(code, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(code->text(), QStringLiteral("ZBC")); // à is no letter A-Z: filtered out

    QLineEdit *mail = edit("txtQuattro");
    mail->setFocus();
    QTest::keyClicks(mail, QStringLiteral(" Anna@Example.it "));
    QCOMPARE(mail->text(), QStringLiteral("Anna@Example.it"));
}

void TestConventions::textSetByTheProgramIsNeverCut()
{
    QLineEdit *code = edit("txtTre");
    const QString stored = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    code->setText(stored); // as a card read from its archive
    QCOMPARE(code->text(), stored);
    code->setFocus();
    code->end(false);
    QTest::keyClick(code, Qt::Key_X);
    QCOMPARE(code->text(), stored); // it may not grow by typing
    QTest::keyClick(code, Qt::Key_Backspace);
    QCOMPARE(code->text(), stored.chopped(1));
}

void TestConventions::tabLeavesEveryField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("before");
    QTest::newRow("digits") << "txtUno"
                            << "txtDue"
                            << "btnVai";
    QTest::newRow("amount") << "txtDue"
                            << "txtTre"
                            << "txtUno";
    QTest::newRow("alphanumeric") << "txtTre"
                                  << "txtQuattro"
                                  << "txtDue";
    QTest::newRow("trimmed") << "txtQuattro"
                             << "btnVai"
                             << "txtTre";
}

void TestConventions::tabLeavesEveryField()
{
    QFETCH(QString, field);
    QFETCH(QString, after);
    QFETCH(QString, before);
    QLineEdit *box = edit(field.toLatin1().constData());
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), after);
    QCOMPARE(box->text(), QString());
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), before);
}

void TestConventions::enterFollowsTheChainNotThePosition()
{
    edit("txtUno")->setFocus();
    QTest::keyClick(edit("txtUno"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), edit("txtTre"));
    QTest::keyClick(edit("txtTre"), Qt::Key_Enter);
    QCOMPARE(QApplication::focusWidget(), m_button);
    QCOMPARE(m_clicks, 0);
    QTest::keyClick(m_button, Qt::Key_Return);
    QCOMPARE(m_clicks, 1);
}

void TestConventions::haloShowsOnlyWhileFocused()
{
    QWidget *haloUno = m_screen->findChild<QWidget *>(QStringLiteral("effUno"));
    QWidget *haloDue = m_screen->findChild<QWidget *>(QStringLiteral("effDue"));
    QVERIFY(haloUno && haloDue);
    m_button->setFocus();
    QVERIFY(!haloUno->isVisible());
    QVERIFY(!haloDue->isVisible());
    edit("txtUno")->setFocus();
    QVERIFY(haloUno->isVisible());
    QCOMPARE(haloUno->geometry(), edit("txtUno")->geometry().adjusted(-4, -4, 4, 4));
    edit("txtDue")->setFocus();
    QVERIFY(!haloUno->isVisible());
    QVERIFY(haloDue->isVisible());
}

void TestConventions::hintsReachTheStatusLine()
{
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(m_button, &enter);
    QCOMPARE(m_status->text(), QStringLiteral("Esegue."));
    QApplication::sendEvent(edit("txtUno"), &enter);
    QCOMPARE(m_status->text(), QStringLiteral("Solo cifre."));
    QTest::mouseMove(m_screen, QPoint(280, 200));
    QMouseEvent move(QEvent::MouseMove, QPointF(280, 200), QPointF(280, 200), Qt::NoButton,
        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(m_screen, &move);
    QCOMPARE(m_status->text(), QString()); // never back to the initial text
}

void TestConventions::dateFieldKeys()
{
    QLineEdit *date = edit("txtQuattro");
    int opened = 0;
    new DateField(date, [&opened] { ++opened; });
    date->setText(QStringLiteral("01/02/2026"));
    QTest::keyClick(date, Qt::Key_Tab);
    QTest::keyClick(date, Qt::Key_Shift);
    QCOMPARE(opened, 0);
    QTest::keyClick(date, Qt::Key_M);
    QTest::keyClick(date, Qt::Key_Return);
    QCOMPARE(opened, 2);
    QCOMPARE(date->text(), QStringLiteral("01/02/2026"));
    QTest::keyClick(date, Qt::Key_Backspace);
    QVERIFY(date->text().isEmpty());
}

void TestConventions::focusLeaveOutlivedByNothing_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("contextLives");
    QTest::addColumn<bool>("runs");
    QTest::newRow("to another control") << int(Qt::TabFocusReason) << true << true;
    QTest::newRow("by a click elsewhere") << int(Qt::MouseFocusReason) << true << true;
    QTest::newRow("to another window") << int(Qt::ActiveWindowFocusReason) << true << false;
    QTest::newRow("to a popup") << int(Qt::PopupFocusReason) << true << false;
    QTest::newRow("after its screen went") << int(Qt::TabFocusReason) << false << false;
}

// The handler of a box's focus leaving runs only when the focus goes to another control, and
// never once what it works on is gone: a closing screen destroys its parts before its boxes, and
// a box losing the focus then must not reach them.
void TestConventions::focusLeaveOutlivedByNothing()
{
    QFETCH(int, reason);
    QFETCH(bool, contextLives);
    QFETCH(bool, runs);
    QLineEdit box;
    auto context = std::make_unique<QObject>();
    bool ran = false;
    onFocusLeave(&box, context.get(), [&ran] { ran = true; });
    if (!contextLives)
        context.reset();
    QFocusEvent leaving(QEvent::FocusOut, Qt::FocusReason(reason));
    QCoreApplication::sendEvent(&box, &leaving);
    QCOMPARE(ran, runs);
}

// A box destroyed with the focus in it, as the boxes of a closing dialog are: it gives the focus
// up while it is destroyed, when only its QWidget part is left, and the handler, which may well
// use the box, does not run.
void TestConventions::focusLeaveNotRunByADestroyedBox()
{
    auto window = std::make_unique<QWidget>();
    auto *box = new QLineEdit(window.get());
    new QLineEdit(window.get());
    int runs = 0;
    bool sawABox = true;
    onFocusLeave(box, window.get(), [&] {
        ++runs;
        sawABox = sawABox && qobject_cast<QLineEdit *>(box) != nullptr;
    });
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    box->setFocus();
    QCOMPARE(QApplication::focusWidget(), box);
    delete box;
    QCOMPARE(runs, 0);
    QVERIFY(sawABox);
}

QTEST_MAIN(TestConventions)
#include "tst_conventions.moc"
