// What every card screen does alike, driven over the member card, the book page and the movement
// card from one table: browsing to both ends, saving new and over, the refusal, duplicate, a
// failed save, a read-only folder, long texts, letters the archive cannot hold, and closing the
// program while an amount box has the focus.
#include "AppFixture.h"
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "WritesFail.h"

#include "book/PageRecord.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/CardRules.h"
#include "ui/app/PasswordScreen.h"
#include "ui/book/BookPageScreen.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/registry/MemberCardScreen.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace almavest;
using namespace almavest::test;
using namespace Qt::StringLiterals;
using ui::MessageKind;

namespace {

const QString kEmptyArchive = u"L'archivio non contiene nessuna scheda."_s;
const QString kInserted = u"La scheda corrente è stata inserita in archivio."_s;
const QString kSaved
    = u"Le modifiche apportate alla scheda corrente sono state salvate in archivio."_s;
const QString kDuplicateReady = store::duplicateReadyMessage();

// One card screen under test and what the table needs to know of it.
struct Card
{
    ui::CardScreen *screen = nullptr;
    QString archive;
    const store::RecordTable *table = nullptr;
    int nameField = 0; // a required text field, checked first or early on Save
    int firstField = 0; // the box a new card starts in
    int addressField = 0; // a long text field
    int amountField = 0; // the box of an amount
    QStringList (*valid)(const QString &name) = nullptr;
    const char *newButton = "cmdNuovo";
    const char *duplicateButton = "cmdDuplica";
    const char *saveButton = "cmdSalva";
};

QStringList validMember(const QString &name)
{
    QStringList values = registry::blankMember();
    values[registry::Name] = name;
    values[registry::ExpiryDate] = u"31/12/2027"_s;
    return values;
}

QStringList validPage(const QString &name)
{
    QStringList values = book::newPage();
    values[book::BookNumber] = u"1"_s;
    values[book::Association] = u"Circolo Il Faro"_s;
    values[book::AssociationTaxCode] = u"92012345678"_s;
    values[book::rowField(book::RowA, book::Order)] = u"1"_s;
    values[book::rowField(book::RowA, book::MemberName)] = name;
    return values;
}

QStringList validMovement(const QString &purpose)
{
    QStringList values = journal::blankMovement(QDate(2024, 2, 1));
    values[journal::Purpose] = purpose;
    values[journal::DueDate] = u"28/02/2024"_s;
    values[journal::Payer] = u"Rossi Mario"_s;
    values[journal::Beneficiary] = u"ASD Nuoto"_s;
    values[journal::SignedAmount] = journal::signedAmount(values);
    return values;
}

// Each card with three attachments, so that what a duplicate clears shows.
QStringList withAttachments(const Card &card, QStringList values)
{
    int number = 1;
    for (const auto &field : card.table->fields()) {
        if (field.kind == store::ControlKind::Hidden)
            values[field.index] = u"allegato %1"_s.arg(number++);
    }
    return values;
}

} // namespace

class TestCards final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<AppFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void browses_data();
    void browses();
    void savesNewThenOver_data() { cards(); }
    void savesNewThenOver();
    void refusesACardWithoutItsName_data() { cards(); }
    void refusesACardWithoutItsName();
    void duplicateNeedsAStoredCard_data() { cards(); }
    void duplicateNeedsAStoredCard();
    void duplicateClearsWhatItsTableSays_data() { cards(); }
    void duplicateClearsWhatItsTableSays();
    void failedSaveKeepsTheCard_data();
    void failedSaveKeepsTheCard();
    void readOnlyFolderIsBrowsedButNotWritten_data() { cards(); }
    void readOnlyFolderIsBrowsedButNotWritten();
    void longTextShowsItsStart_data() { cards(); }
    void longTextShowsItsStart();
    void lettersTheArchiveCannotHoldAreShownAsStored_data() { cards(); }
    void lettersTheArchiveCannotHoldAreShownAsStored();
    void unreadableAmountIsRefused_data();
    void unreadableAmountIsRefused();
    void closingWithTheFocusInTheAmountBox_data() { cards(); }
    void closingWithTheFocusInTheAmountBox();

private:
    static void cards();
    // Opens the card named in the current row on an archive holding `records`.
    Card describe(const QString &card);
    Card open(const QList<QStringList> &records = {});
    // Types `values` into the boxes of `card`; the flags stay as they are.
    void fill(const Card &card, const QStringList &values);
    void store(const Card &card, const QList<QStringList> &records);
    QList<QStringList> stored(const Card &card);
    QAbstractButton *button(const Card &card, const char *name)
    {
        return control<QAbstractButton>(card.screen, name);
    }
    QString shownPosition(const Card &card) { return card.screen->lblPosizione()->text(); }
    const QList<ShownMessage> &messages() const { return m_fixture->services.messages; }

    std::unique_ptr<AppFixture> m_fixture;
};

void TestCards::cards()
{
    QTest::addColumn<QString>("card");
    QTest::newRow("member card") << u"member"_s;
    QTest::newRow("book page") << u"page"_s;
    QTest::newRow("movement card") << u"movement"_s;
}

Card TestCards::describe(const QString &card)
{
    ui::Application &app = m_fixture->app();
    if (card == u"member"_s)
        return {app.memberCardScreen(), m_fixture->file(u"Soci.pro"_s), &registry::memberTable(),
            registry::Name, registry::Name, registry::Address, registry::Fee, validMember,
            "btnNuovo", "btnDuplica", "btnSalva"};
    if (card == u"page"_s)
        return {app.bookPageScreen(), m_fixture->file(u"Soci 2026.lib"_s), &book::pageTable(),
            book::rowField(book::RowA, book::MemberName), book::rowField(book::RowA, book::Order),
            book::rowField(book::RowA, book::Address), book::rowField(book::RowA, book::Fee),
            validPage};
    return {app.movementCardScreen(), m_fixture->file(u"2024.eur"_s), &journal::movementTable(),
        journal::Purpose, journal::Purpose, journal::Notes, journal::Amount, validMovement};
}

Card TestCards::open(const QList<QStringList> &records)
{
    QFETCH(QString, card);
    ui::Application &app = m_fixture->app();
    const Card opened = describe(card);
    store(opened, records);
    if (card == u"member"_s) {
        m_fixture->openMemberCard();
    } else if (card == u"page"_s) {
        app.bookPageScreen()->openBook(app.passwordScreen(), opened.archive, u"Soci 2026"_s);
        // A book opens on its last page; the rows start from a new page.
        button(opened, "cmdNuovo")->click();
    } else {
        app.movementCardScreen()->openYear(app.passwordScreen(), opened.archive, u"2024"_s);
    }
    opened.screen->activateWindow();
    if (!QTest::qWaitForWindowActive(opened.screen))
        qFatal("the card did not become active");
    m_fixture->services.clear();
    return opened;
}

void TestCards::fill(const Card &card, const QStringList &values)
{
    for (const auto &field : card.table->fields()) {
        if (field.kind == store::ControlKind::Edit || field.kind == store::ControlKind::Date)
            card.screen->box(field.index)->setText(values.at(field.index));
    }
}

void TestCards::store(const Card &card, const QList<QStringList> &records)
{
    store::ArchiveFile archive(card.archive, card.table->recordSize());
    for (const QStringList &values : records) {
        if (!store::storeCard(archive, card.table->layout(), values, std::nullopt))
            qFatal("could not write the fixture archive");
    }
}

QList<QStringList> TestCards::stored(const Card &card)
{
    QList<QStringList> records;
    store::ArchiveFile archive(card.archive, card.table->recordSize());
    if (!archive.openForReading())
        return records;
    for (qint64 position = 1; position <= archive.count(); ++position) {
        QByteArray record;
        if (archive.read(position, record))
            records.append(card.table->layout().fields(record));
    }
    return records;
}

void TestCards::browses_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("from"); // the position shown; 0 for a new card
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<QString>("position"); // shown afterwards
    QTest::addColumn<bool>("told"); // the archive was said to be empty
    for (const QString &card : {u"member"_s, u"page"_s, u"movement"_s}) {
        const auto row = [&card](const char *name) -> QTestData & {
            return QTest::addRow("%s: %s", qPrintable(card), name) << card;
        };
        row("first") << 3 << 2 << u"cmdPrimo"_s << u"1"_s << false;
        row("previous at the first") << 3 << 1 << u"cmdIndietro"_s << u"1"_s << false;
        row("previous from a new card") << 3 << 0 << u"cmdIndietro"_s << u"1"_s << false;
        row("next at the last") << 3 << 3 << u"cmdAvanti"_s << u"3"_s << false;
        row("next from a new card") << 3 << 0 << u"cmdAvanti"_s << u"1"_s << false;
        row("last") << 3 << 1 << u"cmdUltimo"_s << u"3"_s << false;
        row("first, empty archive") << 0 << 0 << u"cmdPrimo"_s << QString() << true;
        row("next, empty archive") << 0 << 0 << u"cmdAvanti"_s << QString() << true;
        row("last, empty archive") << 0 << 0 << u"cmdUltimo"_s << QString() << true;
    }
}

void TestCards::browses()
{
    QFETCH(QString, card);
    QFETCH(int, records);
    QFETCH(int, from);
    QFETCH(QString, arrow);
    QFETCH(QString, position);
    QFETCH(bool, told);
    const Card described = describe(card);
    QList<QStringList> written;
    for (int i = 1; i <= records; ++i)
        written.append(described.valid(u"Scheda %1"_s.arg(i)));
    const Card shown = open(written);
    if (from > 0)
        QVERIFY(shown.screen->loadCard(from));
    button(shown, arrow.toLatin1().constData())->click();
    QCOMPARE(shownPosition(shown), position);
    QCOMPARE(shown.screen->position().has_value(), !position.isEmpty());
    if (!position.isEmpty())
        QCOMPARE(shown.screen->box(shown.nameField)->text(), u"Scheda "_s + position);
    QCOMPARE(messages().size(), told ? 1 : 0);
    if (told) {
        QCOMPARE(messages().first().kind, MessageKind::Information);
        QCOMPARE(messages().first().text, kEmptyArchive);
    }
}

void TestCards::savesNewThenOver()
{
    const Card card = open();
    const QStringList first = card.valid(u"Uno"_s);
    store(card, {first});
    fill(card, card.valid(u"Due"_s));
    button(card, card.saveButton)->click();
    QCOMPARE(m_fixture->services.lastMessage(), kInserted);
    QCOMPARE(shownPosition(card), u"2"_s);
    QCOMPARE(card.screen->position(), std::optional<qint64>(2));
    QCOMPARE(stored(card).value(1).value(card.nameField), u"Due"_s);

    m_fixture->services.clear();
    card.screen->box(card.nameField)->setText(u"Due bis"_s);
    button(card, card.saveButton)->click();
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().text, kSaved);
    QCOMPARE(shownPosition(card), u"2"_s);
    const QList<QStringList> records = stored(card);
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(0), first);
    QCOMPARE(records.at(1).value(card.nameField), u"Due bis"_s);
}

void TestCards::refusesACardWithoutItsName()
{
    const Card card = open();
    fill(card, card.valid(u"   "_s));
    QLineEdit *name = card.screen->box(card.nameField);
    button(card, card.saveButton)->click();
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Warning);
    QVERIFY(messages().first().text.startsWith(u"Attenzione: per salvare la scheda"_s));
    QVERIFY(name->hasFocus());
    QVERIFY(shownPosition(card).isEmpty());
    QVERIFY(!QFileInfo(card.archive).exists() || stored(card).isEmpty());
}

void TestCards::duplicateNeedsAStoredCard()
{
    const Card card = open();
    card.screen->box(card.nameField)->setText(u"Mai salvata"_s);
    const QStringList shown = card.screen->values();
    button(card, card.duplicateButton)->click();
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Warning);
    QCOMPARE(messages().first().text, store::duplicateNeedsSavedCardMessage());
    QCOMPARE(card.screen->values(), shown);
}

// The copy keeps what its table keeps and clears the rest, the three attachments and their
// descriptions above all; the archive is left alone until Save appends the copy.
void TestCards::duplicateClearsWhatItsTableSays()
{
    const Card card = open();
    const QStringList original = withAttachments(card, card.valid(u"Originale"_s));
    store(card, {original});
    QVERIFY(card.screen->loadCard(1));
    const QByteArray before = fileBytes(card.archive);
    button(card, card.duplicateButton)->click();
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().text, kDuplicateReady);
    QVERIFY(shownPosition(card).isEmpty());
    QVERIFY(!card.screen->position());
    const QStringList expected
        = store::duplicateValues(*card.table, original, m_fixture->services.today());
    QCOMPARE(card.screen->values(), expected);
    QVERIFY(card.screen->box(card.firstField)->hasFocus());
    QCOMPARE(fileBytes(card.archive), before);

    // A box the copy empties but Save needs (the movement's due date) is typed again.
    QStringList saved = expected;
    for (const auto &field : card.table->fields()) {
        if (field.kind == store::ControlKind::Edit || field.kind == store::ControlKind::Date)
            saved[field.index] = expected.at(field.index).isEmpty() ? original.at(field.index)
                                                                    : expected.at(field.index);
    }
    fill(card, saved);
    button(card, card.saveButton)->click();
    QCOMPARE(m_fixture->services.lastMessage(), kInserted);
    const QList<QStringList> records = stored(card);
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(0), original);
    QCOMPARE(records.at(1), saved);
}

void TestCards::failedSaveKeepsTheCard_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<bool>("stored"); // the card shows record 1 rather than a new card
    for (const QString &card : {u"member"_s, u"page"_s, u"movement"_s}) {
        QTest::addRow("%s: new card", qPrintable(card)) << card << false;
        QTest::addRow("%s: stored card", qPrintable(card)) << card << true;
    }
}

// A full disk: the error is said with the archive access message, the card keeps what was
// typed and its position, and the same Save works once there is room.
void TestCards::failedSaveKeepsTheCard()
{
    QFETCH(bool, stored);
    const Card card = open();
    store(card, {card.valid(u"Uno"_s)});
    if (stored)
        QVERIFY(card.screen->loadCard(1));
    fill(card, card.valid(u"Nuova"_s));
    const QStringList shown = card.screen->values();
    const QByteArray before = fileBytes(card.archive);
    {
        const WritesFail full(stored ? 0 : before.size());
        button(card, card.saveButton)->click();
    }
    const QString position = stored ? u"1"_s : QString();
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Error);
    QVERIFY(!messages().first().plain);
    QCOMPARE(messages().first().text, store::archiveAccessMessage());
    QCOMPARE(shownPosition(card), position);
    QCOMPARE(card.screen->position().has_value(), stored);
    QCOMPARE(card.screen->values(), shown);
    QCOMPARE(fileBytes(card.archive), before);

    button(card, card.saveButton)->click();
    QCOMPARE(m_fixture->services.lastMessage(), stored ? kSaved : kInserted);
    QCOMPARE(shownPosition(card), stored ? u"1"_s : u"2"_s);
}

void TestCards::readOnlyFolderIsBrowsedButNotWritten()
{
    const Card card = open();
    store(card, {card.valid(u"Uno"_s), card.valid(u"Due"_s)});
    const QByteArray before = fileBytes(card.archive);
    const ReadOnlyAccess readOnly({card.archive, m_fixture->folder()});
    QVERIFY(readOnly.effective());

    button(card, "cmdUltimo")->click();
    button(card, "cmdIndietro")->click();
    QCOMPARE(shownPosition(card), u"1"_s);
    QCOMPARE(card.screen->box(card.nameField)->text(), u"Uno"_s);
    QVERIFY(messages().isEmpty());

    card.screen->box(card.nameField)->setText(u"Uno bis"_s);
    button(card, card.saveButton)->click();
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Error);
    QCOMPARE(messages().first().text, store::archiveAccessMessage());
    QCOMPARE(shownPosition(card), u"1"_s);
    QCOMPARE(card.screen->box(card.nameField)->text(), u"Uno bis"_s);
    QCOMPARE(fileBytes(card.archive), before);
}

void TestCards::longTextShowsItsStart()
{
    const Card card = open();
    QStringList values = card.valid(u"Rossi Mario"_s);
    const QString address = u"Via Garibaldi 14 47121 Forlì FC, scala B, interno 7, presso "
                            "la sede sociale dell'associazione"_s;
    values[card.addressField] = address;
    store(card, {values});
    QVERIFY(card.screen->loadCard(1));
    QLineEdit *box = card.screen->box(card.addressField);
    QCOMPARE(box->text(), address);
    QCOMPARE(box->cursorPosition(), 0);
}

// Whatever the archive stores for a letter it cannot hold, the card shows it after the save
// and the user is told which field changed.
void TestCards::lettersTheArchiveCannotHoldAreShownAsStored()
{
    const Card card = open();
    fill(card, card.valid(u"Łukasz"_s));
    button(card, card.saveButton)->click();
    QCOMPARE(shownPosition(card), u"1"_s);
    const QString held = stored(card).value(0).value(card.nameField);
    QVERIFY(held.endsWith(u"ukasz"_s));
    QVERIFY(held != u"Łukasz"_s);
    QCOMPARE(card.screen->box(card.nameField)->text(), held);
    QCOMPARE(messages().size(), 1);
    const QString told = messages().first().text;
    QVERIFY2(told.contains(u"sostituite"_s), qPrintable(told));
    QVERIFY2(told.contains(u"Cognome e nome"_s) || told.contains(u"Causale"_s), qPrintable(told));
}

void TestCards::unreadableAmountIsRefused_data()
{
    QTest::addColumn<QString>("card");
    QTest::newRow("member card") << u"member"_s;
    QTest::newRow("movement card") << u"movement"_s;
}

// An amount that cannot be read is never turned into another value: Save stops at it, names the
// box and leaves the text as it was typed.
void TestCards::unreadableAmountIsRefused()
{
    const Card card = open();
    fill(card, card.valid(u"Importo"_s));
    QLineEdit *amount = card.screen->box(card.amountField);
    amount->setText(u"1,2,3"_s);
    button(card, card.saveButton)->click();
    QCOMPARE(messages().size(), 1);
    QCOMPARE(messages().first().kind, MessageKind::Warning);
    QVERIFY(messages().first().text.startsWith(u"Attenzione: il testo del campo"_s));
    QCOMPARE(amount->text(), u"1,2,3"_s);
    QVERIFY(amount->hasFocus());
    QVERIFY(shownPosition(card).isEmpty());
    QVERIFY(stored(card).isEmpty());
}

// The program closes while the amount box has the focus: leaving it then must reach nothing of
// the card that is already gone.
void TestCards::closingWithTheFocusInTheAmountBox()
{
    const Card card = open();
    QLineEdit *amount = card.screen->box(card.amountField);
    amount->setFocus();
    amount->setText(u"12,5"_s);
    QVERIFY(amount->hasFocus());
    m_fixture.reset();
}

QTEST_MAIN(TestCards)
#include "tst_cards.moc"
