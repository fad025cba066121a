// The compact copy of the member archive that the lists read: every list, search and summary
// gives from it exactly what a scan of the archive gives, and a copy that no longer fits the
// archive, is damaged or cannot be written is never read.
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "balance/Balance.h"
#include "journal/MovementRecord.h"
#include "journal/MovementSelection.h"
#include "registry/MemberRecord.h"
#include "registry/MemberSelection.h"
#include "store/ArchiveFile.h"
#include "store/FieldIndex.h"
#include "store/ScanControl.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <map>
#include <memory>

using namespace almavest;
using namespace almavest::registry;
using almavest::store::FieldIndex;
using almavest::test::fileBytes;
using almavest::test::ReadOnlyAccess;
using almavest::test::writeBytes;
using namespace Qt::StringLiterals;

namespace {

const QDate kToday(2026, 12, 10);

QByteArray recordOf(const std::map<int, QString> &fields)
{
    QStringList values = blankMember();
    for (const auto &[field, value] : fields)
        values[field] = value;
    QByteArray record = memberLayout().blankRecord();
    memberLayout().setFields(record, values);
    return record;
}

// Cards that tell the lists apart: the last differs from all the others in every list.
QByteArray cards(int count)
{
    const QByteArray all[] = {
        recordOf({{Name, u"Rossi Mario"_s}, {Town, u"Roma"_s}, {ExpiryDate, u"01/01/2026"_s},
            {NoticeDays, u"30"_s}, {Notes, u"Socio onorario"_s}}),
        recordOf({{Town, u"Roma"_s}, {ExpiryDate, u"non so"_s}}), // no name, no date
        recordOf({{Name, u"NICOLÒ Verdi"_s}, {Town, u"Forlì"_s}, {ExpiryDate, u"31/12/2026"_s},
            {NoticeDays, u"25"_s}, {Notes, QString(255, u'x')}, {Phone, u"0543 000111"_s}}),
        recordOf({{Name, u"Bianchi Luigi"_s}, {Town, u"ROMA EUR"_s}, {ExpiryDate, u"11/12/2026"_s},
            {NoticeDays, u"nessuno"_s}}),
        recordOf({{Name, u"Ultimo Rossi"_s}, {CardNumber, u"77"_s}, {Town, u"Castel ROMANO"_s},
            {ExpiryDate, u"09/12/2026"_s}, {NoticeDays, u"0"_s}, {TaxCode, u"RSSLTM80A01H501U"_s}}),
    };
    QByteArray bytes;
    const int kinds = int(std::size(all));
    for (int i = 0; i < count; ++i)
        bytes += all[i == count - 1 ? kinds - 1 : i % (kinds - 1)];
    return bytes;
}

// Sets the archive's modification time back an hour: the copy is made only of an archive left
// alone for a while, which a file just written is not.
bool age(const QString &path, QDateTime when = QDateTime::currentDateTime().addSecs(-3600))
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite)
        && file.setFileTime(when, QFileDevice::FileModificationTime);
}

// Every list the member screens read, as lines with their card positions.
QStringList everyList(const QString &path)
{
    SearchFilters two;
    two[0] = u"ross"_s;
    two[6] = u"roma"_s;
    const MemberLines lists[] = {
        searchMembers(path, MemberSearch({})),
        searchMembers(path, MemberSearch(two)),
        namedMembers(path),
        expiringMembers(path, ExpiryRule::Expired, kToday),
        expiringMembers(path, ExpiryRule::ExpiringOrExpired, kToday),
    };
    QStringList out;
    for (const MemberLines &lines : lists) {
        out.append(lines.archiveOk ? u"-- list"_s : u"-- unusable"_s);
        for (qsizetype i = 0; i < lines.size(); ++i)
            out.append(QString::number(lines.positions.at(i)) + u' ' + lines.line(i));
    }
    return out;
}

QByteArray movementOf(const std::map<int, QString> &fields)
{
    using namespace journal;
    QStringList values = blankMovement(kToday);
    for (const auto &[field, value] : fields)
        values[field] = value;
    QByteArray record = movementLayout().blankRecord();
    movementLayout().setFields(record, values);
    return record;
}

// Movements that tell the year's lists and totals apart, an unreadable one among them; the last
// differs from all the others.
QByteArray movements(int count)
{
    using namespace journal;
    const QByteArray all[] = {
        movementOf({{OperationDate, u"10/01/2026"_s}, {Purpose, u"Quota socio 12"_s},
            {DueDate, u"01/12/2026"_s}, {journal::NoticeDays, u"5"_s}, {SignedAmount, u"+25,00"_s},
            {Payer, u"Rossi Mario"_s}, {Settled, u"No"_s}}),
        movementOf({{OperationDate, u"11/02/2026"_s}, {Purpose, u"Affitto sala"_s},
            {DueDate, u"31/12/2026"_s}, {journal::NoticeDays, u"30"_s},
            {SignedAmount, u"-300,50"_s}, {Beneficiary, u"Comune"_s}, {Settled, u"Sì"_s}}),
        movementOf({{OperationDate, u"non so"_s}, {Purpose, u"QUOTA SOCIO 12 bis"_s},
            {SignedAmount, u"+abc"_s}}),
        movementOf({{OperationDate, u"31/12/2026"_s}, {Purpose, u"Ultima quota socio 1"_s},
            {DueDate, u"10/12/2026"_s}, {journal::NoticeDays, u"0"_s}, {SignedAmount, u"+0,01"_s},
            {Payer, u"Socio 1"_s}, {Settled, u"No"_s}}),
    };
    QByteArray bytes;
    const int kinds = int(std::size(all));
    for (int i = 0; i < count; ++i)
        bytes += all[i == count - 1 ? kinds - 1 : i % (kinds - 1)];
    return bytes;
}

void appendLines(QStringList &out, const store::ListLines &lines)
{
    out.append(lines.archiveOk ? u"-- list"_s : u"-- unusable"_s);
    for (qsizetype i = 0; i < lines.size(); ++i)
        out.append(QString::number(lines.positions.at(i)) + u' ' + lines.line(i));
}

// Every list and summary of a year, with the summaries' totals.
QStringList everyYearList(const QString &path)
{
    journal::MovementFilters two;
    two[2] = u"quota"_s;
    two[4] = u"socio 1"_s;
    QStringList out;
    // The balance first, so that a damaged copy is found by it.
    for (const QString &purpose : {QString(), u"socio 12"_s}) {
        const balance::BalanceSummary summary
            = balance::summarise({path, QDate(2026, 1, 1), QDate(2026, 12, 31), purpose});
        appendLines(out, summary.lines);
        out.append(u"totals %1 %2 %3, unreadable %4"_s.arg(summary.incomeCents)
                       .arg(summary.expenseCents)
                       .arg(summary.balanceCents)
                       .arg(summary.unreadable));
    }
    appendLines(out, journal::searchMovements(path, journal::MovementSearch({})));
    appendLines(out, journal::searchMovements(path, journal::MovementSearch(two)));
    appendLines(out, journal::dueMovements(path, kToday));
    return out;
}

} // namespace

class TestFieldIndex final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void listsReadTheCopyAsTheArchive_data();
    void listsReadTheCopyAsTheArchive();
    void copyHoldsEveryText();
    void archiveJustChangedIsNotCopied();
    void staleCopyIsNotRead_data();
    void staleCopyIsNotRead();
    void damagedCopyIsNotRead_data();
    void damagedCopyIsNotRead();
    void readOnlyFolderScansTheArchive();
    void emptyArchiveHasNoCopy();
    void ourWritesDropTheCopy();
    void listsKeepTheirLinesAfterAWrite();
    void progressClimbsThroughMakingAndReading();
    void cancelWhileMakingWritesNoCopy();
    void yearListsReadTheCopyAsTheYear_data();
    void yearListsReadTheCopyAsTheYear();

private:
    QString archive() const { return m_dir->filePath(u"Soci.pro"_s); }
    QString copy() const { return FieldIndex::pathFor(archive()); }
    // The lists of the archive as a plain scan reads them: from a fresh copy of its bytes.
    QStringList scannedLists(const QString &path)
    {
        const QString fresh = m_other->filePath(u"Soci.pro"_s);
        QFile::remove(fresh);
        if (!writeBytes(fresh, fileBytes(path)))
            return {u"cannot copy"_s};
        QStringList lists = everyList(fresh);
        if (QFileInfo::exists(FieldIndex::pathFor(fresh)))
            lists.append(u"a fresh archive was copied"_s);
        return lists;
    }
    // Writes `count` cards, aged, and has the lists make the copy.
    void makeIndexedArchive(int count)
    {
        QVERIFY(writeBytes(archive(), cards(count)));
        QVERIFY(age(archive()));
        QCOMPARE(everyList(archive()), scannedLists(archive()));
        QVERIFY(QFileInfo::exists(copy()));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_other;
};

void TestFieldIndex::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_other = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid() && m_other->isValid());
}

void TestFieldIndex::listsReadTheCopyAsTheArchive_data()
{
    QTest::addColumn<int>("count");
    QTest::addRow("one card") << 1;
    QTest::addRow("every kind of card") << 5;
    QTest::addRow("many cards, over several progress reports") << 5000;
}

void TestFieldIndex::listsReadTheCopyAsTheArchive()
{
    QFETCH(int, count);
    makeIndexedArchive(count);
    const QDateTime made = QFileInfo(copy()).lastModified();
    const QStringList lists = everyList(archive());
    QCOMPARE(lists, scannedLists(archive()));
    QVERIFY(lists.size() > 5);
    // Read again, not made again.
    QCOMPARE(QFileInfo(copy()).lastModified(), made);
}

// The first and the last record of the copy and every field it holds, against the archive.
void TestFieldIndex::copyHoldsEveryText()
{
    makeIndexedArchive(5);
    const std::array<int, 3> fields = {Name, Notes, NoticeDays};
    const auto index = FieldIndex::open(archive(), memberLayout(), fields);
    QVERIFY(index != nullptr);
    QCOMPARE(index->count(), 5);
    const QByteArray bytes = fileBytes(archive());
    for (qint64 position = 1; position <= 5; ++position) {
        const QByteArrayView record
            = QByteArrayView(bytes).sliced((position - 1) * kMemberRecordSize, kMemberRecordSize);
        for (const int field : fields)
            QCOMPARE(index->text(field, position), memberLayout().textBytes(record, field));
    }
    QVERIFY(!index->damaged());
}

void TestFieldIndex::archiveJustChangedIsNotCopied()
{
    QVERIFY(writeBytes(archive(), cards(5)));
    QCOMPARE(everyList(archive()), scannedLists(archive()));
    QVERIFY(!QFileInfo::exists(copy()));
}

void TestFieldIndex::staleCopyIsNotRead_data()
{
    QTest::addColumn<QString>("change");
    QTest::addRow("a card rewritten, its modification time put back") << u"same time"_s;
    QTest::addRow("a card rewritten an hour later") << u"later"_s;
    QTest::addRow("a card added") << u"grown"_s;
    QTest::addRow("the last card taken away") << u"shrunk"_s;
}

// Another program changes the archive behind our back, without a word to the copy.
void TestFieldIndex::staleCopyIsNotRead()
{
    QFETCH(QString, change);
    makeIndexedArchive(5);
    const QDateTime before = QFileInfo(archive()).lastModified();
    QByteArray bytes = fileBytes(archive());
    const QByteArray other = recordOf({{Name, u"Cambiato Rossi"_s}, {Town, u"Roma"_s},
        {ExpiryDate, u"01/02/2026"_s}, {NoticeDays, u"1"_s}});
    if (change == u"grown"_s)
        bytes += other;
    else if (change == u"shrunk"_s)
        bytes.chop(kMemberRecordSize);
    else
        bytes.replace(0, kMemberRecordSize, other);
    QFile file(archive());
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.resize(bytes.size()) && file.write(bytes) == bytes.size());
    file.close();
    QVERIFY(age(archive(), change == u"same time"_s ? before : before.addSecs(3600)));
    QCOMPARE(everyList(archive()), scannedLists(archive()));
}

void TestFieldIndex::damagedCopyIsNotRead_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addRow("cut to half") << u"half"_s;
    QTest::addRow("empty") << u"empty"_s;
    QTest::addRow("a byte of its header changed") << u"header"_s;
    QTest::addRow("the end of a text past the texts") << u"end"_s;
    QTest::addRow("something else of the same size") << u"other"_s;
}

void TestFieldIndex::damagedCopyIsNotRead()
{
    QFETCH(QString, damage);
    makeIndexedArchive(5);
    QByteArray bytes = fileBytes(copy());
    if (damage == u"half"_s) {
        bytes.truncate(bytes.size() / 2);
    } else if (damage == u"empty"_s) {
        bytes.clear();
    } else if (damage == u"header"_s) {
        bytes[40] = char(bytes[40] ^ 1);
    } else if (damage == u"end"_s) {
        // The ends of the first field follow the header, 8-aligned: the last record's end.
        const qsizetype header = 8 + 4 + 4 + 5 * 8 + 13 * 8 + 13 * 24 + 8;
        const qsizetype lastEnd = (header + 7) / 8 * 8 + 4 * 4;
        bytes[lastEnd + 3] = char(0x7f);
    } else {
        bytes.fill('z');
    }
    QVERIFY(writeBytes(copy(), bytes) && QFile::resize(copy(), bytes.size()));
    QCOMPARE(everyList(archive()), scannedLists(archive()));
    // Made anew by the next list at the latest, and read as it should be.
    QCOMPARE(everyList(archive()), scannedLists(archive()));
    QVERIFY(QFileInfo::exists(copy()));
    QVERIFY(fileBytes(copy()) != bytes);
}

// A locked stick: nothing is written, the archive is scanned as it always was.
void TestFieldIndex::readOnlyFolderScansTheArchive()
{
    QVERIFY(writeBytes(archive(), cards(5)));
    QVERIFY(age(archive()));
    const QStringList expected = scannedLists(archive());
    QStringList lists;
    {
        const ReadOnlyAccess readOnly({m_dir->path(), archive()});
        lists = everyList(archive());
    }
    QCOMPARE(lists, expected);
    QVERIFY(!QFileInfo::exists(copy()));
}

void TestFieldIndex::emptyArchiveHasNoCopy()
{
    QVERIFY(writeBytes(archive(), {}));
    QVERIFY(age(archive()));
    const QStringList lists = everyList(archive());
    QCOMPARE(lists, QStringList(5, u"-- list"_s));
    QVERIFY(!QFileInfo::exists(copy()));
}

void TestFieldIndex::ourWritesDropTheCopy()
{
    makeIndexedArchive(5);
    store::ArchiveFile file(archive(), kMemberRecordSize);
    QVERIFY(file.openForWriting());
    QVERIFY(file.overwrite(5, recordOf({{Name, u"Sovrascritto"_s}})));
    QVERIFY(!QFileInfo::exists(copy()));
    QVERIFY(file.append(recordOf({{Name, u"Aggiunto"_s}})));
    file.close();
    QVERIFY(!QFileInfo::exists(copy()));
    QVERIFY(age(archive()));
    const QStringList lists = everyList(archive());
    QCOMPARE(lists, scannedLists(archive()));
    QVERIFY(QFileInfo::exists(copy()));
    QVERIFY(lists.contains(u"5 "_s + memberListLine(recordOf({{Name, u"Sovrascritto"_s}}))));
    QVERIFY(lists.contains(u"6 "_s + memberListLine(recordOf({{Name, u"Aggiunto"_s}}))));
}

// A list read from the copy makes its lines when they are shown: after a write to the archive
// drops the copy and a later list makes it anew, it still shows what it found, as a list of
// the archive does.
void TestFieldIndex::listsKeepTheirLinesAfterAWrite()
{
    makeIndexedArchive(5);
    const MemberLines before = searchMembers(archive(), MemberSearch({}));
    const QStringList shown = before.lines();
    QCOMPARE(shown.size(), 5);
    store::ArchiveFile file(archive(), kMemberRecordSize);
    QVERIFY(file.openForWriting());
    QVERIFY(file.overwrite(1, recordOf({{Name, u"Sovrascritto"_s}})));
    QVERIFY(file.overwrite(5, recordOf({{Name, u"Anche questo"_s}})));
    file.close();
    QVERIFY(!QFileInfo::exists(copy()));
    QVERIFY(age(archive()));
    const QStringList after = everyList(archive());
    QVERIFY(QFileInfo::exists(copy()));
    QVERIFY(after.contains(u"1 "_s + memberListLine(recordOf({{Name, u"Sovrascritto"_s}}))));
    QCOMPARE(before.lines(), shown);
    QCOMPARE(before.line(0), shown.first());
    QCOMPARE(before.line(4), shown.last());
}

// One climb from 0 to the end while the copy is made and then read, never back.
void TestFieldIndex::progressClimbsThroughMakingAndReading()
{
    QVERIFY(writeBytes(archive(), cards(9000)));
    QVERIFY(age(archive()));
    for (const bool making : {true, false}) {
        store::ScanControl control;
        QList<int> percents;
        control.setPace([&percents](const store::ScanControl &c) { percents.append(c.percent()); });
        const MemberLines lines = searchMembers(archive(), MemberSearch({}), &control);
        QCOMPARE(lines.size(), 9000);
        QCOMPARE(QFileInfo::exists(copy()), true);
        QVERIFY2(std::is_sorted(percents.begin(), percents.end()), making ? "making" : "reading");
        QCOMPARE(percents.first(), 0);
        QVERIFY(percents.last() >= 90);
        QVERIFY(percents.size() > 4);
    }
}

void TestFieldIndex::cancelWhileMakingWritesNoCopy()
{
    QVERIFY(writeBytes(archive(), cards(9000)));
    QVERIFY(age(archive()));
    store::ScanControl control;
    control.setPace([&control](const store::ScanControl &c) {
        if (c.percent() > 0)
            control.cancel();
    });
    const MemberLines lines = searchMembers(archive(), MemberSearch({}), &control);
    QVERIFY(lines.size() < 9000);
    QVERIFY(!QFileInfo::exists(copy()));
    QCOMPARE(everyList(archive()), scannedLists(archive()));
}

void TestFieldIndex::yearListsReadTheCopyAsTheYear_data()
{
    QTest::addColumn<int>("count");
    QTest::addRow("one movement") << 1;
    QTest::addRow("every kind of movement") << 4;
    QTest::addRow("many movements") << 5000;
}

// The searches, the payments due and the balance of a year, from its copy and from the year; a
// copy damaged under the balance leaves no count of it behind.
void TestFieldIndex::yearListsReadTheCopyAsTheYear()
{
    QFETCH(int, count);
    const QString year = m_dir->filePath(u"2026.dat"_s);
    const QString fresh = m_other->filePath(u"2026.dat"_s);
    QVERIFY(writeBytes(year, movements(count)));
    QVERIFY(writeBytes(fresh, movements(count)));
    const QStringList expected = everyYearList(fresh);
    QVERIFY(age(year));
    QCOMPARE(everyYearList(year), expected);
    QVERIFY(QFileInfo::exists(FieldIndex::pathFor(year)));
    QCOMPARE(everyYearList(year), expected);
    QVERIFY(!QFileInfo::exists(FieldIndex::pathFor(fresh)));
    // The last end of the amounts' texts past them: found on the last movement.
    QByteArray bytes = fileBytes(FieldIndex::pathFor(year));
    // The amount is the eleventh field of the copy; its directory entry starts with its ends.
    const qsizetype directory = 8 + 4 + 4 + 5 * 8 + 13 * 8;
    const auto amountEnds
        = qsizetype(qFromLittleEndian<quint64>(bytes.constData() + directory + 10 * 24));
    bytes[amountEnds + (count - 1) * 4 + 3] = char(0x7f);
    QVERIFY(writeBytes(FieldIndex::pathFor(year), bytes));
    QCOMPARE(everyYearList(year), expected);
}

QTEST_GUILESS_MAIN(TestFieldIndex)
#include "tst_fieldindex.moc"
