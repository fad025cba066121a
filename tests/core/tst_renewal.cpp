// Renewing a membership: the period proposed, the stamp-duty rule, the association's settings,
// the three writes of a renewal made all or nothing, and receipt numbers that two copies of the
// program taking them at once never share.
#include "ReadOnlyAccess.h"
#include "TestFiles.h"
#include "WritesFail.h"
#include "journal/MovementRecord.h"
#include "membership/AssociationSettings.h"
#include "membership/Renewal.h"
#include "membership/RenewalWrite.h"
#include "registry/MemberRecord.h"
#include "store/ArchiveFile.h"
#include "store/RecordAppend.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace almavest;
using namespace almavest::membership;
using namespace Qt::StringLiterals;
using almavest::test::fileBytes;
using almavest::test::ReadOnlyAccess;
using almavest::test::writeBytes;
using almavest::test::WritesFail;

namespace {

const QDate kToday(2026, 3, 15);

QDate day(const char *text)
{
    return QDate::fromString(QString::fromLatin1(text), u"dd/MM/yyyy"_s);
}

QStringList member(const QString &name, const QString &expiry)
{
    QStringList values = registry::blankMember();
    values[registry::Name] = name;
    values[registry::Fee] = u"40,00"_s;
    values[registry::TaxCode] = u"RSSMRA80A01H501U"_s;
    values[registry::ExpiryDate] = expiry;
    return values;
}

QStringList readRecord(const QString &path, const store::RecordLayout &layout, qint64 position)
{
    store::ArchiveFile archive(path, layout.recordSize());
    QByteArray record;
    if (!archive.openForReading() || !archive.read(position, record))
        return {};
    return layout.fields(record);
}

} // namespace

class TestRenewal final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void renewalPeriod_data();
    void renewalPeriod();
    void stampDuty_data();
    void stampDuty();
    void settingsKeepTheirValuesAndOtherLines();
    void settingsInAFolderThatCannotBeWritten();
    void renewalWritesMovementReceiptAndCard();
    void failedWriteLeavesNothingHalfDone_data();
    void failedWriteLeavesNothingHalfDone();
    void damagedRegisterGivesNoNumber_data();
    void damagedRegisterGivesNoNumber();
    void receiptOfAMovementIsGivenOnce();
    void twoProcessesNeverShareANumber();

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    RenewalRequest request(qint64 position) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRenewal::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(store::appendRecords(file(u"Soci.pro"_s), registry::memberLayout(),
        {member(u"BIANCHI ANNA"_s, u"31/12/2025"_s), member(u"ROSSI MARIO"_s, u"14/03/2026"_s)}));
}

RenewalRequest TestRenewal::request(qint64 position) const
{
    RenewalRequest r;
    r.journalPath = file(u"2026.eur"_s);
    r.memberArchivePath = file(u"Soci.pro"_s);
    r.memberPosition = position;
    r.member = readRecord(r.memberArchivePath, registry::memberLayout(), position);
    r.member[registry::ExpiryDate] = u"15/03/2027"_s;
    r.member[registry::Fee] = u"45,00"_s;
    r.movement = renewalMovement(
        r.member, {u"45,00"_s, kToday, u"Circolo & Amici <Roma>"_s, QString(), u"Rinnovo"_s});
    r.receipt.issued = kToday;
    r.receipt.amount = u"45,00"_s;
    r.receipt.membershipFee = true;
    r.receipt.payer = r.member[registry::Name];
    r.receipt.period = u"dal 15/03/2026 al 15/03/2027"_s;
    return r;
}

// ---- the rules --------------------------------------------------------------------------

void TestRenewal::renewalPeriod_data()
{
    QTest::addColumn<QDate>("expiry");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("calendarYear");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("newExpiry");
    QTest::addColumn<QString>("covered");

    const QDate none;
    QTest::newRow("lapsed yesterday") << day("14/03/2026") << kToday << false << kToday
                                      << day("15/03/2027") << u"dal 15/03/2026 al 15/03/2027"_s;
    QTest::newRow("lapsed long ago") << day("01/01/2020") << kToday << false << kToday
                                     << day("15/03/2027") << u"dal 15/03/2026 al 15/03/2027"_s;
    QTest::newRow("expires today") << kToday << kToday << false << day("16/03/2026")
                                   << day("15/03/2027") << u"dal 16/03/2026 al 15/03/2027"_s;
    QTest::newRow("current") << day("30/06/2026") << kToday << false << day("01/07/2026")
                             << day("30/06/2027") << u"dal 01/07/2026 al 30/06/2027"_s;
    QTest::newRow("no expiry") << none << kToday << false << kToday << day("15/03/2027")
                               << u"dal 15/03/2026 al 15/03/2027"_s;
    QTest::newRow("29 February") << day("29/02/2028") << day("01/02/2028") << false
                                 << day("01/03/2028") << day("28/02/2029")
                                 << u"dal 01/03/2028 al 28/02/2029"_s;
    QTest::newRow("calendar, lapsed")
        << day("31/12/2025") << kToday << true << kToday << day("31/12/2026") << u"anno 2026"_s;
    QTest::newRow("calendar, current") << day("31/12/2026") << day("10/12/2026") << true
                                       << day("01/01/2027") << day("31/12/2027") << u"anno 2027"_s;
    QTest::newRow("calendar, last day") << day("31/12/2026") << day("31/12/2026") << true
                                        << day("01/01/2027") << day("31/12/2027") << u"anno 2027"_s;
    QTest::newRow("calendar, no expiry")
        << none << kToday << true << kToday << day("31/12/2026") << u"anno 2026"_s;
}

void TestRenewal::renewalPeriod()
{
    QFETCH(QDate, expiry);
    QFETCH(QDate, today);
    QFETCH(bool, calendarYear);
    const RenewalPeriod period = membership::renewalPeriod(
        expiry.isValid() ? std::optional<QDate>(expiry) : std::nullopt, today, calendarYear);
    QTEST(period.start, "start");
    QTEST(period.expiry, "newExpiry");
    QTEST(coveredPeriodText(period, calendarYear), "covered");
}

void TestRenewal::stampDuty_data()
{
    QTest::addColumn<AssociationKind>("kind");
    QTest::addColumn<QString>("purpose");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("due");

    const QString fee = u"Quota associativa"_s;
    const QString course = u"Corso di nuoto"_s;
    QTest::newRow("altro, 77,47") << AssociationKind::Other << course << u"77,47"_s << false;
    QTest::newRow("altro, 77,48") << AssociationKind::Other << course << u"77,48"_s << true;
    QTest::newRow("altro, 0,01") << AssociationKind::Other << course << u"0,01"_s << false;
    QTest::newRow("APS, 77,48") << AssociationKind::Aps << course << u"77,48"_s << true;
    QTest::newRow("ASD, a million") << AssociationKind::Asd << course << u"1000000,00"_s << true;
    QTest::newRow("ETS, 500,00") << AssociationKind::Ets << course << u"500,00"_s << false;
    QTest::newRow("ONLUS, 500,00") << AssociationKind::Onlus << course << u"500,00"_s << false;
    QTest::newRow("altro, fee 500,00") << AssociationKind::Other << fee << u"500,00"_s << false;
    QTest::newRow("ASD, fee in lower case")
        << AssociationKind::Asd << u"  quota associativa 2026"_s << u"100,00"_s << false;
    QTest::newRow("ASD, quota sociale")
        << AssociationKind::Asd << u"Quota sociale"_s << u"100,00"_s << false;
}

void TestRenewal::stampDuty()
{
    QFETCH(AssociationKind, kind);
    QFETCH(QString, purpose);
    QFETCH(QString, amount);
    const std::optional<qint64> cents = amountCents(amount);
    QVERIFY(cents);
    QTEST(stampDutyDue(kind, isMembershipFee(purpose), *cents), "due");
}

// ---- the settings -----------------------------------------------------------------------

void TestRenewal::settingsKeepTheirValuesAndOtherLines()
{
    const QString path = file(QLatin1String(kSettingsFileName));
    QVERIFY(writeBytes(path, "[Promemoria]\r\nMostra=No\r\n[Associazione]\r\nTipo=boh\r\n"));
    AssociationSettings settings(m_dir->path());
    QVERIFY(settings.load());
    QCOMPARE(settings.kind(), AssociationKind::Other); // an unknown word is the default
    QCOMPARE(settings.calendarYear(), false);
    settings.setKind(AssociationKind::Asd);
    settings.setCalendarYear(true);
    QVERIFY(settings.save());
    QCOMPARE(fileBytes(path),
        QByteArray("[Promemoria]\r\nMostra=No\r\n[Associazione]\r\nTipo=ASD\r\n"
                   "Iscrizioni per anno solare=S\xEC\r\n"));
    AssociationSettings again(m_dir->path());
    QVERIFY(again.load());
    QCOMPARE(again.kind(), AssociationKind::Asd);
    QCOMPARE(again.calendarYear(), true);
}

void TestRenewal::settingsInAFolderThatCannotBeWritten()
{
    AssociationSettings settings(m_dir->path());
    settings.setKind(AssociationKind::Ets);
    const ReadOnlyAccess readOnly({m_dir->path()});
    if (!readOnly.effective())
        QSKIP("root could not become an ordinary user");
    QVERIFY(!settings.save());
    QVERIFY(!settings.errorString().isEmpty());
    QVERIFY(!QFile::exists(settings.path()));
}

// ---- the writes -------------------------------------------------------------------------

void TestRenewal::renewalWritesMovementReceiptAndCard()
{
    const QByteArray firstMember = fileBytes(file(u"Soci.pro"_s)).left(registry::kMemberRecordSize);
    for (int round = 1; round <= 2; ++round) {
        const RenewalResult result = writeRenewal(request(2));
        QVERIFY2(result.succeeded(), qPrintable(result.error));
        QCOMPARE(result.movementPosition, round); // the journal is created on the first
        QCOMPARE(result.receipt.number, round);
        QCOMPARE(result.receipt.year, 2026);
        QCOMPARE(result.receipt.movement, round);
    }
    const QStringList movement = readRecord(file(u"2026.eur"_s), journal::movementLayout(), 2);
    QCOMPARE(movement[journal::Payer], u"ROSSI MARIO"_s);
    QCOMPARE(movement[journal::Purpose], u"Quota associativa"_s);
    QCOMPARE(movement[journal::Amount], u"45,00"_s);
    QCOMPARE(movement[journal::SignedAmount], u"+45,00"_s);
    QCOMPARE(movement[journal::OperationDate], u"15/03/2026"_s);
    QCOMPARE(movement[journal::Settled], journal::flagText(true));
    QCOMPARE(movement[journal::Income], journal::flagText(true));
    QCOMPARE(movement[journal::Receipt], u"2/2026"_s);
    QCOMPARE(movement[journal::Beneficiary], u"Circolo & Amici <Roma>"_s);
    QVERIFY(!journal::movementSaveRefusal(movement, kToday));

    const QStringList renewed = readRecord(file(u"Soci.pro"_s), registry::memberLayout(), 2);
    QCOMPARE(renewed[registry::ExpiryDate], u"15/03/2027"_s);
    QCOMPARE(renewed[registry::Fee], u"45,00"_s);
    QCOMPARE(fileBytes(file(u"Soci.pro"_s)).left(registry::kMemberRecordSize), firstMember);

    const std::optional<Receipt> second = receiptOf(file(u"2026.eur"_s), 2);
    QVERIFY(second);
    QCOMPARE(second->number, 2);
    QCOMPARE(second->payer, u"ROSSI MARIO"_s);
    QCOMPARE(second->period, u"dal 15/03/2026 al 15/03/2027"_s);
    QVERIFY(second->membershipFee);
}

// Each of the three writes fails in turn: the journal, the register and the member archive are
// left byte for byte as they were, and nothing new lies in the folder.
void TestRenewal::failedWriteLeavesNothingHalfDone_data()
{
    QTest::addColumn<RenewalWriteStep>("failing");
    QTest::newRow("journal") << RenewalWriteStep::Journal;
    QTest::newRow("register") << RenewalWriteStep::Register;
    QTest::newRow("card") << RenewalWriteStep::Card;
}

void TestRenewal::failedWriteLeavesNothingHalfDone()
{
    QFETCH(RenewalWriteStep, failing);
    // One earlier renewal, so that there is a movement and a receipt to keep.
    QVERIFY(writeRenewal(request(1)).succeeded());
    const QStringList files {file(u"2026.eur"_s), file(u"2026.ric"_s), file(u"Soci.pro"_s)};
    QList<QByteArray> before;
    for (const QString &path : files)
        before.append(fileBytes(path));
    const QStringList listing = QDir(m_dir->path()).entryList(QDir::Files);

    const RenewalRequest renewal = request(2);
    RenewalResult result;
    if (failing == RenewalWriteStep::Journal) {
        const WritesFail full(rlim_t(before.at(0).size()));
        result = writeRenewal(renewal);
    } else {
        // The others stay writable to the ordinary user the test becomes.
        QFile::setPermissions(m_dir->path(), QFile::Permissions(0x7777));
        for (const QString &path : files)
            QFile::setPermissions(path, QFile::Permissions(0x6666));
        const ReadOnlyAccess readOnly(
            {failing == RenewalWriteStep::Register ? m_dir->path() : file(u"Soci.pro"_s)});
        if (!readOnly.effective())
            QSKIP("root could not become an ordinary user");
        result = writeRenewal(renewal);
    }
    QCOMPARE(result.failedAt, failing);
    QVERIFY(result.undone);
    QVERIFY(!result.error.isEmpty());
    for (int i = 0; i < files.size(); ++i)
        QVERIFY2(fileBytes(files.at(i)) == before.at(i), qPrintable(files.at(i)));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), listing);
    // The number not given is the next one given.
    const RenewalResult retry = writeRenewal(renewal);
    QVERIFY(retry.succeeded());
    QCOMPARE(retry.receipt.number, 2);
    QCOMPARE(retry.movementPosition, 2);
}

void TestRenewal::damagedRegisterGivesNoNumber_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("not a register") << QByteArray("Soci.pro\r\n1\t2\r\n");
    QTest::newRow("a gap") << QByteArray(
        "Almavest - registro delle ricevute\r\n"
        "1\t2026\t1\t15/03/2026\t10,00\tA\t0\t\tCorso\tX\t\t\t\r\n"
        "3\t2026\t2\t15/03/2026\t10,00\tA\t0\t\tCorso\tY\t\t\t\r\n");
    QTest::newRow("a repeat") << QByteArray(
        "Almavest - registro delle ricevute\r\n"
        "1\t2026\t1\t15/03/2026\t10,00\tA\t0\t\tCorso\tX\t\t\t\r\n"
        "1\t2026\t2\t15/03/2026\t10,00\tA\t0\t\tCorso\tY\t\t\t\r\n");
    QTest::newRow("a column missing") << QByteArray(
        "Almavest - registro delle ricevute\r\n1\t2026\t1\t15/03/2026\t10,00\tA\t0\r\n");
}

void TestRenewal::damagedRegisterGivesNoNumber()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(writeBytes(file(u"2026.ric"_s), bytes));
    const QByteArray members = fileBytes(file(u"Soci.pro"_s));
    const RenewalResult result = writeRenewal(request(2));
    QCOMPARE(result.failedAt, RenewalWriteStep::Register);
    QCOMPARE(fileBytes(file(u"2026.eur"_s)), QByteArray()); // created empty, nothing in it
    QCOMPARE(fileBytes(file(u"2026.ric"_s)), bytes);
    QCOMPARE(fileBytes(file(u"Soci.pro"_s)), members);
    Receipt draft;
    draft.movement = 9;
    draft.issued = kToday;
    QVERIFY(!issueReceipt(file(u"2026.eur"_s), draft).receipt);
}

void TestRenewal::receiptOfAMovementIsGivenOnce()
{
    Receipt draft;
    draft.issued = kToday;
    draft.amount = u"100,00"_s;
    draft.purpose = u"Corso\tdi\r\nnuoto"_s; // breaks stay out of the register's lines
    for (const qint64 movement : {4, 7}) {
        draft.movement = movement;
        const IssuedReceipt issued = issueReceipt(file(u"2026.eur"_s), draft);
        QVERIFY(issued.receipt);
        QVERIFY(!issued.alreadyGiven);
    }
    draft.movement = 4;
    draft.amount = u"1,00"_s;
    const IssuedReceipt again = issueReceipt(file(u"2026.eur"_s), draft);
    QVERIFY(again.alreadyGiven);
    QCOMPARE(again.receipt->number, 1);
    QCOMPARE(again.receipt->amount, u"100,00"_s);
    QCOMPARE(again.receipt->purpose, u"Corso di  nuoto"_s);
    QCOMPARE(receiptOf(file(u"2026.eur"_s), 7)->number, 2);
    QVERIFY(!receiptOf(file(u"2026.eur"_s), 5));
}

void TestRenewal::twoProcessesNeverShareANumber()
{
    constexpr int kEach = 25;
    const QString journal = file(u"2026.eur"_s);
    std::vector<std::unique_ptr<QProcess>> copies;
    for (const int first : {1, 1001}) {
        auto &copy = copies.emplace_back(std::make_unique<QProcess>());
        copy->start(QStringLiteral(ALMAVEST_RECEIPT_TAKER),
            {journal, QString::number(first), QString::number(kEach)});
        QVERIFY(copy->waitForStarted());
    }
    for (auto &copy : copies)
        copy->write("go\n");
    QSet<int> numbers;
    for (auto &copy : copies) {
        QVERIFY(copy->waitForFinished(120000));
        QVERIFY2(copy->exitCode() == 0, copy->readAllStandardError().constData());
        for (const QByteArray &line : copy->readAllStandardOutput().trimmed().split('\n')) {
            const int number = line.toInt();
            QVERIFY2(!numbers.contains(number), line.constData());
            numbers.insert(number);
        }
    }
    QCOMPARE(numbers.size(), 2 * kEach);
    QCOMPARE(*std::max_element(numbers.cbegin(), numbers.cend()), 2 * kEach);
    const std::optional<ReceiptRegister> receipts = ReceiptRegister::read(registerPathOf(journal));
    QVERIFY(receipts);
    QCOMPARE(receipts->receipts().size(), 2 * kEach);
}

QTEST_APPLESS_MAIN(TestRenewal)
#include "tst_renewal.moc"
