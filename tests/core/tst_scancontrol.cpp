// Following and stopping a scan: where the progress reports fall over an archive, what a cancel
// keeps, and the same for the spreadsheet export's reading.
#include "TestFiles.h"

#include "exporting/SheetExport.h"
#include "registry/MemberRecord.h"
#include "store/ListLines.h"
#include "store/ScanControl.h"

#include <QTemporaryDir>
#include <QTest>

using namespace almavest;
using namespace almavest::store;
using namespace Qt::StringLiterals;
using almavest::test::writeBytes;

namespace {

constexpr int kRecordSize = 8;
constexpr qint64 kStep = ScanControl::kRecordsPerReport;

QByteArray records(qint64 count, int size = kRecordSize)
{
    return QByteArray(count * size, 'x');
}

// Every record gives a line.
ListLines scanAll(const QString &path, ScanControl &control)
{
    return scanLines(
        path, kRecordSize,
        [](QByteArrayView record, LineBuilder &line) {
            line.append(record);
            return true;
        },
        &control);
}

} // namespace

class TestScanControl final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reportsFallEveryFewThousandRecords_data();
    void reportsFallEveryFewThousandRecords();
    void cancelStopsAtTheNextReport_data();
    void cancelStopsAtTheNextReport();
    void sheetReadingStopsWithNoReason();

private:
    QTemporaryDir m_dir;
};

void TestScanControl::reportsFallEveryFewThousandRecords_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QList<qint64>>("reports");
    QTest::newRow("empty archive") << qint64(0) << QList<qint64> {0};
    QTest::newRow("one record") << qint64(1) << QList<qint64> {0};
    QTest::newRow("one short of a report") << kStep - 1 << QList<qint64> {0};
    QTest::newRow("the last record at a report") << kStep << QList<qint64> {0, kStep};
    QTest::newRow("one past a report") << kStep + 1 << QList<qint64> {0, kStep};
    QTest::newRow("two reports and one") << 2 * kStep + 1 << QList<qint64> {0, kStep, 2 * kStep};
}

// The scan reports before it reads and at every kRecordsPerReport records, and lists every
// record whatever the reports.
void TestScanControl::reportsFallEveryFewThousandRecords()
{
    QFETCH(qint64, count);
    QFETCH(QList<qint64>, reports);
    const QString path = m_dir.filePath(u"archive"_s);
    QVERIFY(writeBytes(path, records(count)));
    ScanControl control;
    QList<int> percents;
    control.setPace([&](const ScanControl &at) { percents.append(at.percent()); });
    const ListLines lines = scanAll(path, control);
    QVERIFY(lines.archiveOk);
    QCOMPARE(lines.size(), count);
    QList<int> expected;
    for (const qint64 done : reports)
        expected.append(count == 0 ? 0 : int(done * 100 / count));
    QCOMPARE(percents, expected);
}

void TestScanControl::cancelStopsAtTheNextReport_data()
{
    QTest::addColumn<int>("cancelAt"); // the report, counted from 0, that cancels
    QTest::addColumn<qint64>("listed");
    QTest::newRow("before reading") << 0 << qint64(0);
    QTest::newRow("at the first block") << 1 << kStep - 1;
    QTest::newRow("at the last report") << 2 << 2 * kStep - 1;
}

// A cancel ends the scan at the next report: the records before it were listed, none after.
void TestScanControl::cancelStopsAtTheNextReport()
{
    QFETCH(int, cancelAt);
    QFETCH(qint64, listed);
    const QString path = m_dir.filePath(u"archive"_s);
    QVERIFY(writeBytes(path, records(2 * kStep + 10)));
    ScanControl control;
    int reports = 0;
    control.setPace([&](const ScanControl &) {
        if (reports++ == cancelAt)
            control.cancel();
    });
    const ListLines lines = scanAll(path, control);
    QVERIFY(control.cancelled());
    QCOMPARE(lines.size(), listed);
    QCOMPARE(reports, cancelAt + 1);
}

// A cancelled export reading is not a read failure: false, with no reason to tell.
void TestScanControl::sheetReadingStopsWithNoReason()
{
    const QString path = m_dir.filePath(u"Soci.pro"_s);
    QVERIFY(writeBytes(path, records(kStep + 5, registry::kMemberRecordSize)));
    ScanControl control;
    control.setPace([&](const ScanControl &at) {
        if (at.percent() > 0)
            control.cancel();
    });
    exporting::SheetRows rows;
    QString reason;
    QVERIFY(!exporting::readSheetRows(exporting::memberSheet(), path, rows, &reason, &control));
    QVERIFY(reason.isEmpty());

    ScanControl untouched;
    QVERIFY(exporting::readSheetRows(exporting::memberSheet(), path, rows, &reason, &untouched));
    QCOMPARE(rows.rowCount(), int(kStep + 5));
    QCOMPARE(untouched.percent(), int(kStep * 100 / (kStep + 5)));
}

QTEST_GUILESS_MAIN(TestScanControl)
#include "tst_scancontrol.moc"
