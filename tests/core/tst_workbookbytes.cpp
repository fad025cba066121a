// The bytes under the workbooks: texts escaped and coded as UTF-8, numbers in their shortest
// exact form, a head put before what was written first, and the zip read back by libzip, a
// reader of its own.
#include "TestFiles.h"
#include "exporting/XmlBytes.h"
#include "exporting/ZipPackage.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <zip.h>

#include <cfloat>
#include <limits>

using namespace almavest;
using namespace Qt::StringLiterals;
using exporting::XmlBytes;
using exporting::ZipPackage;

Q_DECLARE_METATYPE(almavest::exporting::ZipPackage::Method)

namespace {

struct ReadEntry
{
    QByteArray bytes;
    quint16 method = 0;
};

// Every entry of the zip at `path` in its order, as libzip reads it (checking each CRC); an
// empty list when it cannot.
QList<std::pair<QByteArray, ReadEntry>> readZip(const QString &path)
{
    QList<std::pair<QByteArray, ReadEntry>> entries;
    int failure = 0;
    zip_t *zip
        = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &failure);
    if (!zip)
        return entries;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        zip_file_t *file = nullptr;
        if (zip_stat_index(zip, static_cast<zip_uint64_t>(index), 0, &stat) != 0
            || !(file = zip_fopen_index(zip, static_cast<zip_uint64_t>(index), 0))) {
            entries.clear();
            break;
        }
        ReadEntry entry;
        entry.method = stat.comp_method;
        entry.bytes.resize(static_cast<qsizetype>(stat.size));
        const zip_int64_t read = zip_fread(file, entry.bytes.data(), stat.size);
        // Reading one byte more reaches the end and makes libzip compare the CRC.
        char beyond = 0;
        const bool whole
            = read == static_cast<zip_int64_t>(stat.size) && zip_fread(file, &beyond, 1) == 0;
        zip_fclose(file);
        if (!whole) {
            entries.clear();
            break;
        }
        entries.append({QByteArray(stat.name), entry});
    }
    zip_close(zip);
    return entries;
}

} // namespace

class TestWorkbookBytes final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textsAreEscaped_data();
    void textsAreEscaped();
    void numbersAreShortestAndExact_data();
    void numbersAreShortestAndExact();
    void integersAreWhole();
    void headGoesBeforeTheRest_data();
    void headGoesBeforeTheRest();
    void zipReadsBack_data();
    void zipReadsBack();
    void mimeTypeStoredFirst();
};

void TestWorkbookBytes::textsAreEscaped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("xml");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("plain") << u"Rossi Mario"_s << QByteArray("Rossi Mario");
    QTest::newRow("markup") << u"a & b <c> \"d\" 'e'"_s
                            << QByteArray("a &amp; b &lt;c&gt; &quot;d&quot; 'e'");
    QTest::newRow("entity as text") << u"&amp;"_s << QByteArray("&amp;amp;");
    QTest::newRow("accents, two bytes")
        << u"Èlia perché"_s << QByteArray("\xC3\x88lia perch\xC3\xA9");
    QTest::newRow("euro, three bytes") << u"25 €"_s << QByteArray("25 \xE2\x82\xAC");
    QTest::newRow("pair of surrogates, four bytes") << u"a\U0001F600b"_s
                                                    << QByteArray("a\xF0\x9F\x98\x80"
                                                                  "b");
    QTest::newRow("tab and line feed kept") << u"a\tb\nc"_s << QByteArray("a\tb\nc");
    QTest::newRow("controls dropped")
        << QString::fromUtf16(u"\u0001a\rb\u001F\u0000", 6) << QByteArray("ab");
    QTest::newRow("not characters dropped")
        << QString::fromUtf16(u"a\uFFFEb\uFFFF") << QByteArray("ab");
    QTest::newRow("last before the surrogates") << QString::fromUtf16(
        u"\uD7FF\uE000\uFFFD") << QByteArray("\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBD");
    QTest::newRow("lone high surrogate at the end")
        << QString::fromUtf16(u"a\xD83D", 2) << QByteArray("a\xEF\xBF\xBD");
    QTest::newRow("lone low surrogate first")
        << QString::fromUtf16(u"\xDE00z", 2) << QByteArray("\xEF\xBF\xBDz");
    QTest::newRow("high surrogate before a letter")
        << QString::fromUtf16(u"\xD83Dz", 2) << QByteArray("\xEF\xBF\xBDz");
    QTest::newRow("last of two bytes, first of three") << QString::fromUtf16(
        u"\u007F\u0080\u07FF\u0800") << QByteArray("\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80");
}

void TestWorkbookBytes::textsAreEscaped()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, xml);
    XmlBytes bytes(1); // grows on the first text
    bytes.putText(text);
    QCOMPARE(bytes.bytes().toByteArray(), xml);
}

void TestWorkbookBytes::numbersAreShortestAndExact_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QByteArray>("xml");
    QTest::newRow("zero") << 0.0 << QByteArray("0");
    QTest::newRow("minus zero") << -0.0 << QByteArray("0");
    QTest::newRow("smallest negative amount") << -0.01 << QByteArray("-0.01");
    QTest::newRow("amount") << 1234.5 << QByteArray("1234.5");
    QTest::newRow("whole") << 30.0 << QByteArray("30");
    QTest::newRow("sum that is not a tenth") << 0.1 + 0.2 << QByteArray("0.30000000000000004");
    QTest::newRow("large amount") << 123456789012.34 << QByteArray("123456789012.34");
    QTest::newRow("largest") << DBL_MAX << QByteArray("1.7976931348623157e+308");
    QTest::newRow("smallest") << std::numeric_limits<double>::denorm_min() << QByteArray("5e-324");
}

void TestWorkbookBytes::numbersAreShortestAndExact()
{
    QFETCH(double, number);
    QFETCH(QByteArray, xml);
    XmlBytes bytes;
    bytes.putNumber(number);
    QCOMPARE(bytes.bytes().toByteArray(), xml);
    QCOMPARE(bytes.bytes().toByteArray().toDouble(), number);
}

void TestWorkbookBytes::integersAreWhole()
{
    XmlBytes bytes;
    bytes.putInteger(std::numeric_limits<qint64>::min());
    bytes.put(' ');
    bytes.putInteger(0);
    bytes.put(' ');
    bytes.putInteger(100001);
    QCOMPARE(bytes.bytes().toByteArray(), QByteArray("-9223372036854775808 0 100001"));
}

void TestWorkbookBytes::headGoesBeforeTheRest_data()
{
    QTest::addColumn<int>("room");
    QTest::addColumn<int>("head");
    QTest::newRow("no room") << 0 << 5;
    QTest::newRow("room just enough") << 5 << 5;
    QTest::newRow("room one short") << 4 << 5;
    QTest::newRow("room to spare") << 100 << 5;
    QTest::newRow("empty head") << 0 << 0;
}

void TestWorkbookBytes::headGoesBeforeTheRest()
{
    QFETCH(int, room);
    QFETCH(int, head);
    XmlBytes bytes(8, room);
    // Far more than the first capacity, so that the buffer grows many times on the way.
    QByteArray body;
    for (int row = 0; row < 5000; ++row) {
        const QByteArray cell = "<c>" + QByteArray::number(row) + "</c>";
        bytes.put(cell);
        body += cell;
    }
    const QByteArray start = QByteArray("<head/>").left(head);
    bytes.prepend(start);
    QCOMPARE(bytes.bytes().toByteArray(), start + body);
    QCOMPARE(bytes.size(), start.size() + body.size());
    bytes.put("<end/>");
    QVERIFY(bytes.bytes().toByteArray().endsWith("</c><end/>"));
}

void TestWorkbookBytes::zipReadsBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ZipPackage::Method>("method");
    QTest::addColumn<quint16>("kept");
    QByteArray noise(100000, Qt::Uninitialized);
    QRandomGenerator random(18);
    for (char &byte : noise)
        byte = static_cast<char>(random.bounded(256));
    QByteArray sheet;
    for (int row = 0; row < 20000; ++row)
        sheet += "<row r=\"" + QByteArray::number(row) + "\"><c><v>25</v></c></row>";
    QTest::newRow("sheet, deflated")
        << sheet << ZipPackage::Method::Deflated << quint16(ZIP_CM_DEFLATE);
    QTest::newRow("sheet, stored") << sheet << ZipPackage::Method::Stored << quint16(ZIP_CM_STORE);
    // Deflating makes it no smaller: it is kept as it is.
    QTest::newRow("noise") << noise << ZipPackage::Method::Deflated << quint16(ZIP_CM_STORE);
    QTest::newRow("empty") << QByteArray() << ZipPackage::Method::Deflated << quint16(ZIP_CM_STORE);
    QTest::newRow("one byte") << QByteArray("x") << ZipPackage::Method::Deflated
                              << quint16(ZIP_CM_STORE);
}

void TestWorkbookBytes::zipReadsBack()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ZipPackage::Method, method);
    QFETCH(quint16, kept);
    ZipPackage zip(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
    QVERIFY(zip.add("first.xml", "<a/>", ZipPackage::Method::Deflated));
    QVERIFY(zip.add("xl/worksheets/sheet1.xml", bytes, method));
    QVERIFY(zip.add("last", "z", ZipPackage::Method::Stored));
    const QByteArray archive = zip.finish();
    QVERIFY(zip.errorString().isEmpty());
    QTemporaryDir dir;
    const QString path = dir.filePath(u"parts.zip"_s);
    QVERIFY(test::writeBytes(path, archive));
    const auto entries = readZip(path);
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.at(0).first, QByteArray("first.xml"));
    QCOMPARE(entries.at(0).second.bytes, QByteArray("<a/>"));
    QCOMPARE(entries.at(1).first, QByteArray("xl/worksheets/sheet1.xml"));
    QCOMPARE(entries.at(1).second.bytes, bytes);
    QCOMPARE(entries.at(1).second.method, kept);
    QCOMPARE(entries.at(2).second.bytes, QByteArray("z"));
}

// The ODS type entry: first, stored, no extra field, dated in MS-DOS time; a time before 1980,
// which that cannot hold, is dated 1980.
void TestWorkbookBytes::mimeTypeStoredFirst()
{
    ZipPackage zip(QDateTime(QDate(1970, 1, 1), QTime(12, 0)));
    QVERIFY(zip.add(
        "mimetype", "application/vnd.oasis.opendocument.spreadsheet", ZipPackage::Method::Stored));
    const QByteArray archive = zip.finish();
    const auto at16 = [&](int offset) {
        return quint16(quint8(archive[offset]) | quint8(archive[offset + 1]) << 8);
    };
    QCOMPARE(archive.left(4), QByteArray("PK\x03\x04"));
    QCOMPARE(at16(8), 0);
    QCOMPARE(at16(10), 0); // 00:00:00
    QCOMPARE(at16(12), (0 << 9) | (1 << 5) | 1); // 01/01/1980
    QCOMPARE(at16(26), 8);
    QCOMPARE(at16(28), 0);
    QCOMPARE(archive.mid(30, 8), QByteArray("mimetype"));
    // The entry takes 30 + 8 + 46 bytes, its directory record 46 + 8, then the end record: one
    // entry, the directory's size and where it starts, no comment.
    QCOMPARE(archive.size(), 84 + 54 + 22);
    QCOMPARE(archive.mid(84, 4), QByteArray("PK\x01\x02"));
    QCOMPARE(archive.right(22),
        QByteArray("PK\x05\x06\0\0\0\0\x01\0\x01\0\x36\0\0\0\x54\0\0\0\0\0", 22));
}

QTEST_GUILESS_MAIN(TestWorkbookBytes)
#include "tst_workbookbytes.moc"
