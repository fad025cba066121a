// The amount boxes of the three cards as a user fills them: a point typed on the main keys or the
// keypad is the decimal comma, and an amount pasted in another form is read as that amount or
// leaves the box as it was; it never becomes another amount.
#include "AppFixture.h"

#include "ui/app/PasswordScreen.h"
#include "ui/book/BookPageScreen.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/registry/MemberCardScreen.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;

namespace {

enum class Card { Member, Page, Movement };
// How the text reaches the box: typed on the main keys, typed with the keypad's decimal key for
// every point, or pasted over the whole box.
enum class Entry { Typed, Keypad, Pasted };

} // namespace

Q_DECLARE_METATYPE(Card)
Q_DECLARE_METATYPE(Entry)

class TestAmountBoxes final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<AppFixture>(); }
    void cleanup();

    void amountEntered_data();
    void amountEntered();

private:
    QWidget *openCard(Card card);

    std::unique_ptr<AppFixture> m_fixture;
};

void TestAmountBoxes::cleanup()
{
    // The box leaves the focus while its card is alive: it is the card that acts on leaving.
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    m_fixture.reset();
}

QWidget *TestAmountBoxes::openCard(Card card)
{
    ui::Application &app = m_fixture->app();
    QWidget *screen = nullptr;
    switch (card) {
    case Card::Member:
        m_fixture->openMemberCard();
        screen = app.memberCardScreen();
        break;
    case Card::Page:
        app.bookPageScreen()->openBook(
            app.passwordScreen(), m_fixture->file(u"Soci.lib"_s), u"Soci"_s);
        screen = app.bookPageScreen();
        break;
    case Card::Movement:
        app.movementCardScreen()->openYear(
            app.passwordScreen(), m_fixture->file(u"2024.eur"_s), u"2024"_s);
        screen = app.movementCardScreen();
        break;
    }
    screen->activateWindow();
    if (!QTest::qWaitForWindowActive(screen))
        qWarning("the card did not become active");
    return screen;
}

void TestAmountBoxes::amountEntered_data()
{
    QTest::addColumn<Card>("card");
    QTest::addColumn<QString>("box");
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("shown");

    const auto row = [](const char *name, Card card, const char *box, Entry entry,
                         const QString &input, const QString &shown) {
        QTest::newRow(name) << card << QString::fromLatin1(box) << entry << input << shown;
    };
    row("fee, point typed", Card::Member, "txtStipendio", Entry::Typed, u"12.50"_s, u"12,50"_s);
    row("fee, keypad point", Card::Member, "txtStipendio", Entry::Keypad, u"12.75"_s, u"12,75"_s);
    row("fee, pasted with a point", Card::Member, "txtStipendio", Entry::Pasted, u"25.00"_s,
        u"25,00"_s);
    row("fee, pasted with thousands", Card::Member, "txtStipendio", Entry::Pasted, u"1.234,5678"_s,
        u"1234,5678"_s);
    row("fee, unreadable paste", Card::Member, "txtStipendio", Entry::Pasted, u"12.5.3"_s,
        u"0,00"_s);
    row("page A, point typed", Card::Page, "txtQuota_A", Entry::Typed, u"12.50"_s, u"12,50"_s);
    row("page D, keypad point", Card::Page, "txtQuota_D", Entry::Keypad, u"7.5"_s, u"7,5"_s);
    row("page B, pasted with currency", Card::Page, "txtQuota_B", Entry::Pasted, u"€ 25.00 EUR"_s,
        u"25,00"_s);
    row("page C, negative paste", Card::Page, "txtQuota_C", Entry::Pasted, u"-3,5"_s, QString());
    row("amount, point typed", Card::Movement, "txtImporto", Entry::Typed, u"12.50"_s, u"12,50"_s);
    row("amount, keypad point", Card::Movement, "txtImporto", Entry::Keypad, u"12.75"_s,
        u"12,75"_s);
    row("amount, pasted english", Card::Movement, "txtImporto", Entry::Pasted, u"1,234.50"_s,
        u"1234,50"_s);
    row("amount, pasted that fills the box", Card::Movement, "txtImporto", Entry::Pasted,
        u"123.456.789.012,50"_s, u"123456789012,50"_s);
    row("amount, paste too long is not cut", Card::Movement, "txtImporto", Entry::Pasted,
        u"1.234.567.890.123,50"_s, u"0,00"_s);
}

void TestAmountBoxes::amountEntered()
{
    QFETCH(Card, card);
    QFETCH(QString, box);
    QFETCH(Entry, entry);
    QFETCH(QString, input);
    QFETCH(QString, shown);
    QWidget *screen = openCard(card);
    auto *edit = control<QLineEdit>(screen, box.toLatin1().constData());
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    const QString before = edit->text();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    switch (entry) {
    case Entry::Typed:
        QTest::keyClicks(edit, input);
        break;
    case Entry::Keypad:
        for (const QChar c : input) {
            if (c == u'.')
                QTest::keyClick(edit, Qt::Key_Period, Qt::KeypadModifier);
            else
                QTest::keyClick(edit, c.toLatin1());
        }
        break;
    case Entry::Pasted:
        QApplication::clipboard()->setText(input);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        break;
    }
    // A refused paste leaves the box as the card showed it.
    QCOMPARE(edit->text(), shown.isNull() ? before : shown);
}

QTEST_MAIN(TestAmountBoxes)
#include "tst_amountboxes.moc"
