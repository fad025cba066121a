// The rules every card follows: where the browsing arrows lead, the save checks of the member,
// page and movement cards in their order, and what a new card holds.
#include "book/PageRecord.h"
#include "journal/MovementRecord.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/CardRules.h"

#include <QTemporaryDir>
#include <QTest>

using namespace almavest;
using namespace almavest::store;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 12, 10);

// Cards that pass every check; each row of the save tests spoils them.
QStringList validMember()
{
    QStringList values = registry::blankMember();
    values[registry::Name] = u"Rossi Mario"_s;
    values[registry::ExpiryDate] = u"31/12/2026"_s;
    return values;
}

QStringList validPage()
{
    QStringList values = book::newPage();
    values[book::BookNumber] = u"1"_s;
    values[book::Association] = u"ASD Nuoto"_s;
    values[book::AssociationTaxCode] = u"92012345678"_s;
    values[book::rowField(book::RowA, book::Order)] = u"1"_s;
    values[book::rowField(book::RowA, book::MemberName)] = u"Verdi Giuseppe"_s;
    return values;
}

QStringList validMovement()
{
    QStringList values = journal::blankMovement(kToday);
    values[journal::Purpose] = u"Quota affiliazione"_s;
    values[journal::DueDate] = u"31/03/2027"_s;
    values[journal::Payer] = u"ASD Nuoto"_s;
    values[journal::Beneficiary] = u"Federazione"_s;
    return values;
}

} // namespace

class TestCardRules final : public QObject
{
    Q_OBJECT

private:
    void memberSaveRows();
    void pageSaveRows();
    void movementSaveRows();

private Q_SLOTS:
    void browsing_data();
    void browsing();
    void saveChecks_data();
    void saveChecks();
    void blankMovementIsStoredAsTheCardWritesIt();
    void signedAmount_data();
    void signedAmount();
    void flags_data();
    void flags();
    void newPageKeepsTheBookFields();
    void paths();
    void storeCardAppendsOrOverwrites_data();
    void storeCardAppendsOrOverwrites();
    void duplicate_data();
    void duplicate();
    void amountDecimals_data();
    void amountDecimals();
    void emptyBoxesOnSave_data();
    void emptyBoxesOnSave();
    void storedText_data();
    void storedText();
};

void TestCardRules::browsing_data()
{
    QTest::addColumn<int>("arrow");
    QTest::addColumn<QVariant>("shown"); // the position shown; none for a new card
    QTest::addColumn<qint64>("count");
    QTest::addColumn<int>("action");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<bool>("clearPosition");

    const int first = int(Arrow::First), previous = int(Arrow::Previous);
    const int next = int(Arrow::Next), last = int(Arrow::Last);
    const int nothing = BrowseStep::Nothing, read = BrowseStep::Read;
    const int empty = BrowseStep::EmptyArchive;
    const QVariant newCard;
    const auto at = [](qint64 position) { return QVariant(position); };

    QTest::newRow("first, empty archive")
        << first << newCard << qint64(0) << empty << qint64(0) << false;
    QTest::newRow("first, new card") << first << newCard << qint64(5) << read << qint64(1) << false;
    QTest::newRow("first, from the last")
        << first << at(5) << qint64(5) << read << qint64(1) << false;
    QTest::newRow("first, on the first")
        << first << at(1) << qint64(5) << read << qint64(1) << false;

    QTest::newRow("last, empty archive")
        << last << at(3) << qint64(0) << empty << qint64(0) << false;
    QTest::newRow("last, new card") << last << newCard << qint64(5) << read << qint64(5) << false;
    QTest::newRow("last, from the first")
        << last << at(1) << qint64(5) << read << qint64(5) << false;

    QTest::newRow("next, empty archive, new card")
        << next << newCard << qint64(0) << empty << qint64(0) << true;
    QTest::newRow("next, archive emptied meanwhile")
        << next << at(2) << qint64(0) << empty << qint64(0) << true;
    QTest::newRow("next, new card") << next << newCard << qint64(5) << read << qint64(1) << false;
    QTest::newRow("next, first") << next << at(1) << qint64(5) << read << qint64(2) << false;
    QTest::newRow("next, middle") << next << at(3) << qint64(5) << read << qint64(4) << false;
    QTest::newRow("next, one before the last")
        << next << at(4) << qint64(5) << read << qint64(5) << false;
    QTest::newRow("next, last") << next << at(5) << qint64(5) << nothing << qint64(0) << false;
    QTest::newRow("next, only card") << next << at(1) << qint64(1) << nothing << qint64(0) << false;
    QTest::newRow("next, past the end")
        << next << at(9) << qint64(5) << nothing << qint64(0) << false;
    QTest::newRow("next, zero") << next << at(0) << qint64(5) << read << qint64(1) << false;

    QTest::newRow("previous, first, empty archive")
        << previous << at(1) << qint64(0) << nothing << qint64(0) << false;
    QTest::newRow("previous, first")
        << previous << at(1) << qint64(5) << nothing << qint64(0) << false;
    QTest::newRow("previous, empty archive, new card")
        << previous << newCard << qint64(0) << empty << qint64(0) << false;
    QTest::newRow("previous, archive emptied meanwhile")
        << previous << at(3) << qint64(0) << empty << qint64(0) << false;
    QTest::newRow("previous, new card")
        << previous << newCard << qint64(5) << read << qint64(1) << false;
    QTest::newRow("previous, second")
        << previous << at(2) << qint64(5) << read << qint64(1) << false;
    QTest::newRow("previous, middle")
        << previous << at(3) << qint64(5) << read << qint64(2) << false;
    QTest::newRow("previous, last") << previous << at(5) << qint64(5) << read << qint64(4) << false;
    QTest::newRow("previous, past the end")
        << previous << at(9) << qint64(5) << read << qint64(5) << false;
    QTest::newRow("previous, negative")
        << previous << at(-3) << qint64(5) << read << qint64(1) << false;
}

void TestCardRules::browsing()
{
    QFETCH(int, arrow);
    QFETCH(QVariant, shown);
    QFETCH(qint64, count);
    QFETCH(int, action);
    QFETCH(qint64, position);
    QFETCH(bool, clearPosition);
    const BrowseStep step = browseStep(static_cast<Arrow>(arrow),
        shown.isValid() ? std::optional<qint64>(shown.toLongLong()) : std::nullopt, count);
    QCOMPARE(int(step.action), action);
    QCOMPARE(step.position, position);
    QCOMPARE(step.clearPosition, clearPosition);
}

void TestCardRules::saveChecks_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<QList<int>>("fields"); // set to the texts below, in this order
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("refusedField"); // -1: the card may be saved
    QTest::addColumn<bool>("plain");
    QTest::addColumn<QString>("says"); // a piece of the message
    memberSaveRows();
    pageSaveRows();
    movementSaveRows();
}

void TestCardRules::memberSaveRows()
{
    using L = QList<int>;
    const QString none;
    const QString member = u"member"_s;

    // The member card: name, fee, fee length, expiry date, its validity.
    QTest::newRow("member: valid") << member << L {} << QStringList {} << -1 << false << none;
    QTest::newRow("member: name empty") << member << L {registry::Name} << QStringList {u""_s}
                                        << int(registry::Name) << false << u"cognome e nome"_s;
    QTest::newRow("member: name only blanks")
        << member << L {registry::Name} << QStringList {u" \t "_s} << int(registry::Name) << false
        << u"cognome e nome"_s;
    QTest::newRow("member: fee empty") << member << L {registry::Fee} << QStringList {u""_s}
                                       << int(registry::Fee) << false << u"quota associativa"_s;
    QTest::newRow("member: fee of 12 characters")
        << member << L {registry::Fee} << QStringList {u"123456789,00"_s} << -1 << false << none;
    QTest::newRow("member: fee of 13 characters")
        << member << L {registry::Fee} << QStringList {u"1234567890,00"_s} << int(registry::Fee)
        << false << u"1234567890,00 è troppo lunga"_s;
    QTest::newRow("member: expiry empty")
        << member << L {registry::ExpiryDate} << QStringList {u""_s} << int(registry::ExpiryDate)
        << false << u"data di scadenza"_s;
    QTest::newRow("member: 31/02")
        << member << L {registry::ExpiryDate} << QStringList {u"31/02/2026"_s}
        << int(registry::ExpiryDate) << true << u"la data di scadenza 31/02/2026 non esiste."_s;
    QTest::newRow("member: 29/02 of a leap year")
        << member << L {registry::ExpiryDate} << QStringList {u"29/02/2028"_s} << -1 << false
        << none;
    QTest::newRow("member: 29/02 of another year")
        << member << L {registry::ExpiryDate} << QStringList {u"29/02/2027"_s}
        << int(registry::ExpiryDate) << true << u"29/02/2027 non esiste."_s;
    QTest::newRow("member: no year is this year")
        << member << L {registry::ExpiryDate} << QStringList {u"05/03"_s} << -1 << false << none;
    QTest::newRow("member: name before date")
        << member << L {registry::ExpiryDate, registry::Name} << QStringList {u"x"_s, u""_s}
        << int(registry::Name) << false << u"cognome e nome"_s;
    QTest::newRow("member: fee length before date")
        << member << L {registry::ExpiryDate, registry::Fee}
        << QStringList {u""_s, u"1234567890,00"_s} << int(registry::Fee) << false
        << u"troppo lunga"_s;
}

void TestCardRules::pageSaveRows()
{
    using L = QList<int>;
    const QString none;
    const QString page = u"page"_s;

    // The page: book number, association, its codice fiscale, row A order number and name.
    const int orderA = book::rowField(book::RowA, book::Order);
    const int nameA = book::rowField(book::RowA, book::MemberName);
    QTest::newRow("page: valid") << page << L {} << QStringList {} << -1 << false << none;
    QTest::newRow("page: everything empty")
        << page << L {book::BookNumber, book::Association, book::AssociationTaxCode, orderA, nameA}
        << QStringList(5) << int(book::BookNumber) << false << u"numero del Libro Soci"_s;
    QTest::newRow("page: association") << page << L {book::Association, orderA} << QStringList(2)
                                       << int(book::Association) << false << u"denominazione"_s;
    QTest::newRow("page: codice fiscale")
        << page << L {book::AssociationTaxCode, nameA} << QStringList {u"  "_s, u""_s}
        << int(book::AssociationTaxCode) << false << u"codice fiscale dell'Associazione"_s;
    QTest::newRow("page: order number of row A")
        << page << L {orderA, nameA} << QStringList(2) << orderA << false
        << u"numero d'ordine nella prima riga"_s;
    QTest::newRow("page: name of row A") << page << L {nameA} << QStringList {u"\t"_s} << nameA
                                         << false << u"nome del socio nella prima riga"_s;
    QTest::newRow("page: other rows are free")
        << page
        << L {book::rowField(book::RowB, book::MemberName), book::rowField(book::RowD, book::Order),
               book::President}
        << QStringList {u""_s, u"9"_s, u""_s} << -1 << false << none;
    QTest::newRow("page: dates are not checked")
        << page << L {book::rowField(book::RowA, book::BirthDate)} << QStringList {u"31/02/1990"_s}
        << -1 << false << none;
}

void TestCardRules::movementSaveRows()
{
    using L = QList<int>;
    const QString none;
    const QString movement = u"movement"_s;

    // The movement: causale, operation date, due date, notice days, amount, payer, beneficiary.
    using namespace almavest::journal;
    QTest::newRow("movement: valid") << movement << L {} << QStringList {} << -1 << false << none;
    QTest::newRow("movement: causale")
        << movement << L {Purpose, OperationDate} << QStringList {u" "_s, u"31/02/2026"_s}
        << int(Purpose) << false << u"causale del pagamento"_s;
    QTest::newRow("movement: operation date empty")
        << movement << L {OperationDate, DueDate} << QStringList(2) << int(OperationDate) << false
        << u"data di registrazione"_s;
    QTest::newRow("movement: operation date 31/02")
        << movement << L {OperationDate, DueDate} << QStringList {u"31/02/2026"_s, u""_s}
        << int(OperationDate) << true << u"Attenzione: la data 31/02/2026 non esiste."_s;
    QTest::newRow("movement: operation date with letters")
        << movement << L {OperationDate} << QStringList {u"05/03/2024x"_s} << int(OperationDate)
        << true << u"05/03/2024x non esiste."_s;
    QTest::newRow("movement: due date empty")
        << movement << L {DueDate, NoticeDays} << QStringList(2) << int(DueDate) << false
        << u"data di scadenza del pagamento"_s;
    QTest::newRow("movement: due date 32/01")
        << movement << L {DueDate, Payer} << QStringList {u"32/01/2027"_s, u""_s} << int(DueDate)
        << true << u"Attenzione: la data 32/01/2027 non esiste."_s;
    QTest::newRow("movement: notice days")
        << movement << L {NoticeDays, Amount} << QStringList {u""_s, u"123456789012,00"_s}
        << int(NoticeDays) << false << u"giorni di preavviso"_s;
    QTest::newRow("movement: amount of 14 characters")
        << movement << L {Amount} << QStringList {u"12345678901,00"_s} << -1 << false << none;
    QTest::newRow("movement: amount of 15 characters")
        << movement << L {Amount, Payer} << QStringList {u"123456789012,00"_s, u""_s} << int(Amount)
        << false << u"l'importo 123456789012,00 è troppo lungo"_s;
    QTest::newRow("movement: payer") << movement << L {Payer, Beneficiary} << QStringList(2)
                                     << int(Payer) << false << u"nome del Pagatore"_s;
    QTest::newRow("movement: beneficiary")
        << movement << L {Beneficiary} << QStringList {u"  "_s} << int(Beneficiary) << false
        << u"nome del Beneficiario"_s;
    QTest::newRow("movement: the blank card")
        << movement << L {Purpose, DueDate, Payer, Beneficiary} << QStringList(4) << int(Purpose)
        << false << u"causale"_s;
}

void TestCardRules::saveChecks()
{
    QFETCH(QString, card);
    QFETCH(QList<int>, fields);
    QFETCH(QStringList, texts);
    QFETCH(int, refusedField);
    QFETCH(bool, plain);
    QFETCH(QString, says);

    QStringList values = card == u"member" ? validMember()
        : card == u"page"                  ? validPage()
                                           : validMovement();
    for (int i = 0; i < fields.size(); ++i)
        values[fields.at(i)] = texts.at(i);
    const std::optional<SaveRefusal> refusal = card == u"member"
        ? registry::memberSaveRefusal(values, kToday)
        : card == u"page" ? book::pageSaveRefusal(values)
                          : journal::movementSaveRefusal(values, kToday);

    QCOMPARE(refusal.has_value(), refusedField >= 0);
    if (!refusal)
        return;
    QCOMPARE(refusal->field, refusedField);
    QCOMPARE(refusal->plain, plain);
    QVERIFY2(refusal->message.startsWith(u"Attenzione: "), qPrintable(refusal->message));
    QVERIFY2(refusal->message.contains(says), qPrintable(refusal->message));
    if (plain)
        QVERIFY(refusal->message.endsWith(u"\n\r\n\rPer poter salvare la scheda è necessario "
                                          u"indicare una data valida nel formato gg/mm/aaaa."));
}

void TestCardRules::blankMovementIsStoredAsTheCardWritesIt()
{
    using namespace almavest::journal;
    const QStringList blank = blankMovement(kToday);
    QCOMPARE(blank.size(), kMovementFieldCount);
    QCOMPARE(blank.at(OperationDate), u"10/12/2026"_s);
    QCOMPARE(blank.at(NoticeDays), u"0"_s);
    QCOMPARE(blank.at(Amount), u"0,00"_s);
    QCOMPARE(blank.at(SignedAmount), u"+0,00"_s);
    QCOMPARE(flagValue(blank.at(Income)), std::optional<bool>(true));
    QCOMPARE(flagValue(blank.at(Expense)), std::optional<bool>(false));
    QCOMPARE(flagValue(blank.at(Settled)), std::optional<bool>(false));

    // "Sì" is the two bytes 0x53 0xEC, "No" 0x4E 0x6F, at the flags' places in the record.
    QByteArray record = movementLayout().blankRecord();
    movementLayout().setFields(record, blank);
    QCOMPARE(record.mid(0, 6), QByteArray("\x02S\xEC\x02No"));
    QCOMPARE(record.mid(1905, 3), QByteArray("\x02No"));
    QCOMPARE(movementLayout().fields(record), blank);
}

void TestCardRules::signedAmount_data()
{
    QTest::addColumn<bool>("income");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("signedText");
    QTest::newRow("income") << true << u"12,50"_s << u"+12,50"_s;
    QTest::newRow("expense") << false << u"12,50"_s << u"-12,50"_s;
    QTest::newRow("blanks around") << false << u" 7,00 "_s << u"-7,00"_s;
    QTest::newRow("longest amount that may be saved")
        << false << u"12345678901,00"_s << u"-12345678901,00"_s;
}

void TestCardRules::signedAmount()
{
    using namespace almavest::journal;
    QFETCH(bool, income);
    QFETCH(QString, amount);
    QFETCH(QString, signedText);
    QStringList values = blankMovement(kToday);
    values[Income] = flagText(income);
    values[Expense] = flagText(!income);
    values[Amount] = amount;
    values[SignedAmount] = journal::signedAmount(values);
    QCOMPARE(values.at(SignedAmount), signedText);

    // Stored whole, so the balance reads the same amount back.
    QByteArray record = movementLayout().blankRecord();
    movementLayout().setFields(record, values);
    QCOMPARE(movementLayout().field(record, SignedAmount), signedText);
}

void TestCardRules::flags_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("state"); // -1: leaves the control as it was
    QTest::newRow("Sì") << u"Sì"_s << 1;
    QTest::newRow("No") << u"No"_s << 0;
    QTest::newRow("blanks around") << u" Sì\t"_s << 1;
    QTest::newRow("without the accent") << u"Si"_s << -1;
    QTest::newRow("lower case") << u"sì"_s << -1;
    QTest::newRow("upper case") << u"NO"_s << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestCardRules::flags()
{
    QFETCH(QString, stored);
    QFETCH(int, state);
    const std::optional<bool> actual = journal::flagValue(stored);
    QCOMPARE(actual.has_value(), state >= 0);
    if (actual)
        QCOMPARE(*actual, state == 1);
}

void TestCardRules::newPageKeepsTheBookFields()
{
    QCOMPARE(book::newPage(), QStringList(book::kPageFieldCount));

    QStringList shown = validPage();
    shown[book::BookNumber] = u" 12 "_s;
    shown[book::Secretary] = u"Bianchi Anna"_s;
    shown[book::rowField(book::RowD, book::Annotations)] = u"ultima"_s;
    shown[book::Desc3] = u"allegato"_s;
    const QStringList fresh = book::newPage(shown);
    QCOMPARE(fresh.size(), book::kPageFieldCount);
    QCOMPARE(fresh.at(book::BookNumber), u"12"_s);
    QCOMPARE(fresh.at(book::Association), u"ASD Nuoto"_s);
    QCOMPARE(fresh.at(book::Secretary), u"Bianchi Anna"_s);
    for (int i = book::FirstRowField; i < book::kPageFieldCount; ++i)
        QVERIFY2(fresh.at(i).isEmpty(), qPrintable(book::pageTable().field(i).control));
}

void TestCardRules::paths()
{
    QCOMPARE(
        book::bookPath(u"/opt/Almavest"_s, u" Libro 2024 "_s), u"/opt/Almavest/Libro 2024.lib"_s);
    QCOMPARE(book::bookName(u"Libro città.lib"_s), u"Libro città"_s);
    QCOMPARE(book::bookName(u".lib"_s), QString());
    QCOMPARE(journal::journalPath(u"/media/usb/Almavest/"_s, u"2024"_s),
        u"/media/usb/Almavest/2024.eur"_s);
}

void TestCardRules::storeCardAppendsOrOverwrites_data()
{
    QTest::addColumn<QVariant>("shown"); // the position shown; none for a new card
    QTest::addColumn<QVariant>("written"); // the position written, or nothing
    QTest::addColumn<QStringList>("purposes"); // the archive afterwards
    const QStringList unchanged {u"Uno"_s, u"Due"_s};
    QTest::newRow("new card") << QVariant() << QVariant(qint64(3))
                              << QStringList {u"Uno"_s, u"Due"_s, u"Nuovo"_s};
    QTest::newRow("first") << QVariant(qint64(1)) << QVariant(qint64(1))
                           << QStringList {u"Nuovo"_s, u"Due"_s};
    QTest::newRow("last") << QVariant(qint64(2)) << QVariant(qint64(2))
                          << QStringList {u"Uno"_s, u"Nuovo"_s};
    QTest::newRow("past the end") << QVariant(qint64(3)) << QVariant() << unchanged;
    QTest::newRow("zero") << QVariant(qint64(0)) << QVariant() << unchanged;
}

void TestCardRules::storeCardAppendsOrOverwrites()
{
    QFETCH(QVariant, shown);
    QFETCH(QVariant, written);
    QFETCH(QStringList, purposes);
    QTemporaryDir dir;
    ArchiveFile archive(dir.filePath(u"2026.eur"_s), journal::kMovementRecordSize);
    const RecordLayout &layout = journal::movementLayout();
    const auto movement = [](const QString &purpose) {
        QStringList values = journal::blankMovement(QDate(2026, 12, 10));
        values[journal::Purpose] = purpose;
        return values;
    };
    for (const QString &purpose : {u"Uno"_s, u"Due"_s})
        QCOMPARE(storeCard(archive, layout, movement(purpose), std::nullopt),
            std::optional<qint64>(purpose == u"Uno"_s ? 1 : 2));
    const std::optional<qint64> position = storeCard(archive, layout, movement(u"Nuovo"_s),
        shown.isValid() ? std::optional<qint64>(shown.toLongLong()) : std::nullopt);
    QCOMPARE(position.has_value(), written.isValid());
    if (position)
        QCOMPARE(*position, written.toLongLong());
    QStringList stored;
    QVERIFY(archive.openForReading());
    QVERIFY(archive.scan([&](qint64, QByteArrayView record) {
        stored.append(layout.fields(record).at(journal::Purpose));
        return true;
    }));
    QCOMPARE(stored, purposes);
}

namespace {

using ChangedFields = QMap<int, QString>;
using FieldDecimals = QMap<int, int>;

const RecordTable &tableOf(const QString &card)
{
    if (card == u"member"_s)
        return registry::memberTable();
    if (card == u"page"_s)
        return book::pageTable();
    return journal::movementTable();
}

} // namespace

void TestCardRules::duplicate_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<ChangedFields>("changed"); // every other field is kept
    const QString gone;
    const QMap<int, QString> attachments {{registry::File1, gone}, {registry::File2, gone},
        {registry::File3, gone}, {registry::Desc1, gone}, {registry::Desc2, gone},
        {registry::Desc3, gone}};
    QTest::newRow("member") << u"member"_s << attachments;
    QTest::newRow("page") << u"page"_s
                          << QMap<int, QString> {{book::File1, gone}, {book::File2, gone},
                                 {book::File3, gone}, {book::Desc1, gone}, {book::Desc2, gone},
                                 {book::Desc3, gone}};
    QTest::newRow("movement") << u"movement"_s
                              << QMap<int, QString> {{journal::OperationDate, u"10/12/2026"_s},
                                     {journal::DueDate, gone}, {journal::Settled, u"No"_s},
                                     {journal::File1, gone}, {journal::File2, gone},
                                     {journal::File3, gone}, {journal::Desc1, gone},
                                     {journal::Desc2, gone}, {journal::Desc3, gone}};
}

// Every field of a full card is checked: what the copy changes, and that the rest is kept.
void TestCardRules::duplicate()
{
    QFETCH(QString, card);
    QFETCH(ChangedFields, changed);
    const RecordTable &table = tableOf(card);
    QStringList full;
    for (const RecordTable::Field &field : table.fields())
        full.append(field.kind == ControlKind::Flag ? u"Sì"_s : u"testo %1"_s.arg(field.index));
    const QStringList copy = duplicateValues(table, full, kToday);
    QCOMPARE(copy.size(), table.fieldCount());
    for (int field = 0; field < table.fieldCount(); ++field)
        QCOMPARE(copy.at(field), changed.value(field, full.at(field)));
}

void TestCardRules::amountDecimals_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<FieldDecimals>("decimals"); // every other field has none
    QTest::newRow("member: the fee to 4") << u"member"_s << QMap<int, int> {{registry::Fee, 4}};
    QTest::newRow("page: the row fees as typed") << u"page"_s << QMap<int, int> {};
    QTest::newRow("movement: the amount to 2")
        << u"movement"_s << QMap<int, int> {{journal::Amount, 2}};
}

void TestCardRules::amountDecimals()
{
    QFETCH(QString, card);
    QFETCH(FieldDecimals, decimals);
    const RecordTable &table = tableOf(card);
    for (const RecordTable::Field &field : table.fields())
        QCOMPARE(field.decimals, decimals.value(field.index, 0));
}

void TestCardRules::emptyBoxesOnSave_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("saved");
    QTest::newRow("member: no notice")
        << u"member"_s << int(registry::NoticeDays) << QString() << u"0"_s;
    QTest::newRow("member: blanks")
        << u"member"_s << int(registry::NoticeDays) << u"  "_s << u"0"_s;
    QTest::newRow("member: notice given")
        << u"member"_s << int(registry::NoticeDays) << u"15"_s << u"15"_s;
    QTest::newRow("member: no name")
        << u"member"_s << int(registry::Name) << QString() << QString();
    // The movement refuses an empty notice instead.
    QTest::newRow("movement: no notice")
        << u"movement"_s << int(journal::NoticeDays) << QString() << QString();
    QTest::newRow("page: no fee") << u"page"_s << book::rowField(book::RowD, book::Fee) << QString()
                                  << QString();
}

void TestCardRules::emptyBoxesOnSave()
{
    QFETCH(QString, card);
    QFETCH(int, field);
    QFETCH(QString, shown);
    QFETCH(QString, saved);
    const RecordTable &table = tableOf(card);
    QStringList values(table.fieldCount(), u"1"_s);
    values[field] = shown;
    const QStringList toSave = valuesToSave(table, values);
    QCOMPARE(toSave.at(field), saved);
    for (int other = 0; other < table.fieldCount(); ++other) {
        if (other != field)
            QCOMPARE(toSave.at(other), values.at(other));
    }
}

void TestCardRules::storedText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("changed");
    QTest::newRow("Windows-1252 letters") << u"Niccolò Müller"_s << false;
    QTest::newRow("blanks around") << u"  Rossi  "_s << false;
    QTest::newRow("a letter it cannot hold") << u"Łukasz"_s << true;
    QTest::newRow("longer than the field") << QString(51, u'a') << true;
}

void TestCardRules::storedText()
{
    QFETCH(QString, name);
    QFETCH(bool, changed);
    QStringList values = registry::blankMember();
    values[registry::Name] = name;
    const QStringList stored = asStored(registry::memberLayout(), values);
    QCOMPARE(stored.at(registry::Name) != name.trimmed(), changed);
    QCOMPARE(changedByStoring(registry::memberLayout(), values),
        changed ? QList<int> {registry::Name} : QList<int> {});
    if (changed)
        QVERIFY(!stored.at(registry::Name).isEmpty());
}

QTEST_APPLESS_MAIN(TestCardRules)
#include "tst_cardrules.moc"
