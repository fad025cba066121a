// The movement lists: the summary line, the ten-filter search, the payments due against a fixed
// today, the case-blind sort and the movement behind each line, on small archives written for
// each case.
#include "journal/MovementRecord.h"
#include "journal/MovementSelection.h"
#include "store/ArchiveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>

using namespace almavest;
using namespace almavest::journal;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2024, 6, 15);

// A new movement with some fields filled; the signed amount follows the type and the amount.
QStringList movement(const std::map<int, QString> &fields)
{
    QStringList values = blankMovement(kToday);
    values[DueDate] = u"20/06/2024"_s;
    for (const auto &[field, value] : fields)
        values[field] = value;
    if (!fields.contains(SignedAmount))
        values[SignedAmount] = signedAmount(values);
    return values;
}

QByteArray recordOf(const QStringList &values)
{
    QByteArray record = movementLayout().blankRecord();
    movementLayout().setFields(record, values);
    return record;
}

bool writeArchive(const QString &path, const QList<QStringList> &movements)
{
    store::ArchiveFile archive(path, kMovementRecordSize);
    if (!archive.openForWriting())
        return false;
    for (const QStringList &values : movements) {
        if (!archive.append(recordOf(values)))
            return false;
    }
    return true;
}

// The causali heading the lines, which tell the movements of these fixtures apart.
QStringList purposes(const QStringList &lines)
{
    QStringList result;
    for (const QString &line : lines)
        result.append(line.left(40).trimmed());
    return result;
}

MovementFilters filters(const std::map<int, QString> &typed)
{
    MovementFilters result;
    for (const auto &[box, text] : typed)
        result[static_cast<size_t>(box)] = text;
    return result;
}

// Box numbers of MovementFilters.
enum Box { BoxDate, BoxDue, BoxPurpose, BoxReminder, BoxPayer, BoxCard, BoxBeneficiary };

} // namespace

class TestMovementSelection final : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void summaryLine_data();
    void summaryLine();
    void search_data();
    void search();
    void everyBoxSearchesItsOwnField_data();
    void everyBoxSearchesItsOwnField();
    void sortIsCaseBlindAndStable();
    void sortLooksPastALongCommonBeginning();
    void dueRule_data();
    void dueRule();
    void dueScanSkipsUnreadableMovements();
    void twinLinesKeepTheirPositions();
    void missingArchiveIsCreatedEmpty();
    void unusableArchive();

private:
    QString archive() const { return m_dir->filePath(u"2024.eur"_s); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMovementSelection::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestMovementSelection::summaryLine_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("line");

    QTest::newRow("income") << movement({{Purpose, u"Quota sociale"_s}, {Payer, u"Rossi Mario"_s},
        {Beneficiary, u"Associazione"_s}, {Amount, u"150,00"_s}})
                            << u"Quota sociale"_s.leftJustified(40) + u"  Scad. 20/06/2024  Da: "_s
            + u"Rossi Mario"_s.leftJustified(30) + u"  A: "_s + u"Associazione"_s.leftJustified(30)
            + u"  Importo: +150,00"_s;
    QTest::newRow("expense, long texts cut")
        << movement({{Income, u"No"_s}, {Expense, u"Sì"_s}, {Purpose, QString(45, u'c')},
               {Payer, QString(35, u'p')}, {Beneficiary, u"Città di Roma"_s}, {Amount, u"80,00"_s}})
        << QString(40, u'c') + u"  Scad. 20/06/2024  Da: "_s + QString(30, u'p') + u"  A: "_s
            + u"Città di Roma"_s.leftJustified(30) + u"  Importo: -80,00"_s;
}

void TestMovementSelection::summaryLine()
{
    QFETCH(QStringList, values);
    QFETCH(QString, line);
    QCOMPARE(movementSummaryLine(recordOf(values)), line);
}

void TestMovementSelection::search_data()
{
    QTest::addColumn<MovementFilters>("typed");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("nothing typed lists all, sorted")
        << filters({}) << QStringList {u"Affitto"_s, u"Luce"_s, u"Quota"_s, u"quota 2"_s};
    QTest::newRow("payer in any case")
        << filters({{BoxPayer, u"rossi"_s}}) << QStringList {u"Luce"_s, u"Quota"_s};
    QTest::newRow("two filters are both needed")
        << filters({{BoxPayer, u"ROSSI"_s}, {BoxDate, u"05/2024"_s}}) << QStringList {u"Quota"_s};
    QTest::newRow("a box of blanks is neither counted nor a match") << filters(
        {{BoxPayer, u"rossi"_s}, {BoxCard, u"  "_s}}) << QStringList {u"Luce"_s, u"Quota"_s};
    QTest::newRow("blanks alone list all") << filters(
        {{BoxReminder, u" "_s}}) << QStringList {u"Affitto"_s, u"Luce"_s, u"Quota"_s, u"quota 2"_s};
    QTest::newRow("due date as text")
        << filters({{BoxDue, u"/07/"_s}}) << QStringList {u"Affitto"_s};
    QTest::newRow("no match") << filters({{BoxBeneficiary, u"nessuno"_s}}) << QStringList {};
}

void TestMovementSelection::search()
{
    QFETCH(MovementFilters, typed);
    QFETCH(QStringList, found);
    QVERIFY(writeArchive(archive(),
        {movement(
             {{Purpose, u"Quota"_s}, {Payer, u"Rossi Mario"_s}, {OperationDate, u"10/05/2024"_s}}),
            movement({{Purpose, u"Luce"_s}, {Payer, u"Del Rossi Anna"_s},
                {OperationDate, u"10/06/2024"_s}}),
            movement({{Purpose, u"Affitto"_s}, {Payer, u"Bianchi"_s}, {DueDate, u"01/07/2024"_s}}),
            movement({{Purpose, u"quota 2"_s}, {Payer, u"Verdi"_s}})}));
    const MovementLines lines = searchMovements(archive(), MovementSearch(typed));
    QVERIFY(lines.archiveOk);
    QCOMPARE(purposes(lines.lines()), found);
}

void TestMovementSelection::everyBoxSearchesItsOwnField_data()
{
    QTest::addColumn<int>("box");
    const char *const names[] = {"operation date", "due date", "purpose", "reminder", "payer",
        "card number", "beneficiary", "receipt", "tariff", "notes"};
    for (int box = 0; box < kMovementFilterCount; ++box)
        QTest::newRow(names[box]) << box;
}

// Two movements hold a mark in every searched field: the first the mark of the field's own
// box, the second that of the box after it. A box that searched another field would find the
// second movement or none.
void TestMovementSelection::everyBoxSearchesItsOwnField()
{
    QFETCH(int, box);
    const int fields[] = {OperationDate, DueDate, Purpose, Reminder, Payer, PayerCardNumber,
        Beneficiary, Receipt, Tariff, Notes};
    const auto mark
        = [](int i) -> QString { return u"segno-"_s + QChar(u'a' + i % kMovementFilterCount); };
    std::map<int, QString> own, next;
    for (int i = 0; i < kMovementFilterCount; ++i) {
        own[fields[i]] = mark(i);
        next[fields[i]] = mark(i + 1);
    }
    QVERIFY(writeArchive(archive(), {movement(own), movement(next)}));
    const MovementLines lines
        = searchMovements(archive(), MovementSearch(filters({{box, mark(box)}})));
    QCOMPARE(purposes(lines.lines()), QStringList {mark(2)});
}

void TestMovementSelection::sortIsCaseBlindAndStable()
{
    // By code: "_" before the letters, "è" after them, "€" (U+20AC, byte 0x80) after "è".
    QVERIFY(writeArchive(archive(),
        {movement({{Purpose, u"Zeta"_s}}), movement({{Purpose, u"alfa"_s}, {Amount, u"1,00"_s}}),
            movement({{Purpose, u"€ spese"_s}}),
            movement({{Purpose, u"Alfa"_s}, {Amount, u"1,00"_s}}),
            movement({{Purpose, u"èlite"_s}}), movement({{Purpose, u"beta"_s}}),
            movement({{Purpose, u"_x"_s}})}));
    const MovementLines lines = searchMovements(archive(), MovementSearch(MovementFilters {}));
    QCOMPARE(purposes(lines.lines()),
        QStringList(
            {u"_x"_s, u"alfa"_s, u"Alfa"_s, u"beta"_s, u"Zeta"_s, u"èlite"_s, u"€ spese"_s}));
    // "alfa" and "Alfa" give lines equal but for case: they keep their file order.
    QCOMPARE(lines.positions.at(1), 2);
    QCOMPARE(lines.positions.at(2), 4);
    QCOMPARE(lines.positions.first(), 7);
    QCOMPARE(lines.positions.last(), 3);
}

void TestMovementSelection::sortLooksPastALongCommonBeginning()
{
    // Case differences inside and after a long shared beginning, and a last letter that decides.
    QVERIFY(writeArchive(archive(),
        {movement({{Purpose, u"Quota associativa anno 2026 Rossi"_s}}),
            movement({{Purpose, u"QUOTA ASSOCIATIVA ANNO 2026 bianchi"_s}}),
            movement({{Purpose, u"Quota associativa anno 2026 Bianchi"_s}}),
            movement({{Purpose, u"Quota associativa anno 2026 rossi"_s}}),
            movement({{Purpose, u"Quota associativa anno 2026 Rossa"_s}})}));
    const MovementLines lines = searchMovements(archive(), MovementSearch(MovementFilters {}));
    QCOMPARE(lines.positions, QList<qint64>({2, 3, 5, 1, 4}));
}

void TestMovementSelection::dueRule_data()
{
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("settled");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("listed");

    const QString no = u"No"_s;
    QTest::newRow("day before the notice")
        << u"20/06/2024"_s << u"10"_s << no << QDate(2024, 6, 9) << false;
    QTest::newRow("first day of notice")
        << u"20/06/2024"_s << u"10"_s << no << QDate(2024, 6, 10) << true;
    QTest::newRow("long overdue") << u"20/06/2024"_s << u"10"_s << no << QDate(2024, 12, 31)
                                  << true;
    QTest::newRow("notice 0, day before")
        << u"20/06/2024"_s << u"0"_s << no << QDate(2024, 6, 19) << false;
    QTest::newRow("notice 0, due day")
        << u"20/06/2024"_s << u"0"_s << no << QDate(2024, 6, 20) << true;
    QTest::newRow("notice across the year")
        << u"05/01/2025"_s << u"10"_s << no << QDate(2024, 12, 26) << true;
    QTest::newRow("settled") << u"20/06/2024"_s << u"10"_s << u"Sì"_s << QDate(2024, 12, 31)
                             << false;
    QTest::newRow("settled flag empty")
        << u"20/06/2024"_s << u"10"_s << QString() << QDate(2024, 12, 31) << false;
}

void TestMovementSelection::dueRule()
{
    QFETCH(QString, due);
    QFETCH(QString, notice);
    QFETCH(QString, settled);
    QFETCH(QDate, today);
    QFETCH(bool, listed);
    const QByteArray record
        = recordOf(movement({{DueDate, due}, {NoticeDays, notice}, {Settled, settled}}));
    QCOMPARE(movementDue(record, today), std::optional<bool>(listed));
    QVERIFY(writeArchive(archive(),
        {movement({{Purpose, u"Altro"_s}, {DueDate, u"31/12/2025"_s}}),
            movement({{DueDate, due}, {NoticeDays, notice}, {Settled, settled}})}));
    QCOMPARE(
        dueMovements(archive(), today).positions, listed ? QList<qint64> {2} : QList<qint64> {});
}

void TestMovementSelection::dueScanSkipsUnreadableMovements()
{
    QVERIFY(writeArchive(archive(),
        {movement({{Purpose, u"a"_s}}), movement({{Purpose, u"b"_s}, {DueDate, u"31/02/2024"_s}}),
            movement({{Purpose, u"c"_s}, {NoticeDays, u"x"_s}}),
            movement({{Purpose, u"d"_s}, {DueDate, QString()}}), movement({{Purpose, u"e"_s}})}));
    QCOMPARE(movementDue(recordOf(movement({{NoticeDays, u"x"_s}})), kToday), std::nullopt);
    const MovementLines lines = dueMovements(archive(), QDate(2024, 6, 20));
    QVERIFY(lines.archiveOk);
    QCOMPARE(purposes(lines.lines()), QStringList({u"a"_s, u"e"_s}));
    QCOMPARE(lines.positions, QList<qint64>({1, 5}));
}

void TestMovementSelection::twinLinesKeepTheirPositions()
{
    const QStringList twin = movement({{Purpose, u"Gemello"_s}, {Notes, u"primo"_s}});
    QStringList later = twin;
    later[Notes] = u"secondo"_s;
    QVERIFY(writeArchive(archive(), {twin, movement({{Purpose, u"Altro"_s}}), later}));
    for (const MovementLines &lines :
        {searchMovements(archive(), MovementSearch(MovementFilters {})),
            dueMovements(archive(), QDate(2024, 6, 20))}) {
        QCOMPARE(lines.lines().at(1), lines.lines().at(2));
        QCOMPARE(lines.positions, QList<qint64>({2, 1, 3}));
    }
}

void TestMovementSelection::missingArchiveIsCreatedEmpty()
{
    for (const MovementLines &lines :
        {searchMovements(archive(), MovementSearch(MovementFilters {})),
            dueMovements(archive(), kToday)}) {
        QVERIFY(lines.archiveOk);
        QVERIFY(lines.isEmpty());
    }
    QVERIFY(QFileInfo(archive()).isFile());
}

void TestMovementSelection::unusableArchive()
{
    // A folder where the archive should be: it can be neither opened nor created.
    QVERIFY(QDir().mkpath(archive()));
    for (const MovementLines &lines :
        {searchMovements(archive(), MovementSearch(MovementFilters {})),
            dueMovements(archive(), kToday)}) {
        QVERIFY(!lines.archiveOk);
        QVERIFY(lines.isEmpty());
    }
}

QTEST_APPLESS_MAIN(TestMovementSelection)
#include "tst_movementselection.moc"
