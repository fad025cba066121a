// Counted text fields: what a record buffer holds after storing a text and what reading gives.
#include "store/RecordLayout.h"

#include <QTest>

using namespace almavest::store;
using namespace Qt::StringLiterals;

class TestRecordLayout final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void offsets();
    void store_data();
    void store();
    void storeLeavesFillerAlone();
    void read_data();
    void read();
    void decodeReusedAcrossRecordsAgreesWithFields();
    void setFieldsFillsEveryField();
};

void TestRecordLayout::offsets()
{
    const RecordLayout layout {3, 0, 255};
    QCOMPARE(layout.fieldCount(), 3);
    QCOMPARE(layout.offset(0), 0);
    QCOMPARE(layout.offset(1), 4);
    QCOMPARE(layout.offset(2), 5);
    QCOMPARE(layout.recordSize(), 261);
    QCOMPARE(layout.blankRecord(), QByteArray(261, '\0'));
}

void TestRecordLayout::store_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("field"); // length byte and text bytes as stored
    QTest::addColumn<QString>("readBack");

    QTest::newRow("plain") << u"Cesena"_s
                           << QByteArray("\x06"
                                         "Cesena")
                           << u"Cesena"_s;
    QTest::newRow("blanks and controls trimmed") << u" \t Forlì \r\n"_s
                                                 << QByteArray("\x05"
                                                               "Forl\xEC")
                                                 << u"Forlì"_s;
    QTest::newRow("only blanks") << u"   "_s << QByteArray("\x00", 1) << QString();
    QTest::newRow("cut to capacity") << u"Via Emilia 1234"_s
                                     << QByteArray("\x08"
                                                   "Via Emil")
                                     << u"Via Emil"_s;
    QTest::newRow("cut leaves a blank that reading drops") << u"Via del Po"_s
                                                           << QByteArray("\x08"
                                                                         "Via del ")
                                                           << u"Via del"_s;
    QTest::newRow("cut counts bytes after best fit")
        << u"ŁŁŁŁŁŁŁŁŁŁ"_s << QByteArray("\x08LLLLLLLL") << u"LLLLLLLL"_s;
    QTest::newRow("inner blanks kept") << u"a  b"_s
                                       << QByteArray("\x04"
                                                     "a  b")
                                       << u"a  b"_s;
    QTest::newRow("euro") << u"€ 5"_s << QByteArray("\x03\x80 5") << u"€ 5"_s;
}

void TestRecordLayout::store()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, field);
    QFETCH(QString, readBack);
    const RecordLayout layout {2, 8, 2};
    QByteArray record = layout.blankRecord();
    layout.setField(record, 1, text);
    QCOMPARE(record.size(), layout.recordSize());
    QCOMPARE(record.mid(layout.offset(1), field.size()), field);
    // The neighbours are not touched.
    QCOMPARE(record.left(3), QByteArray(3, '\0'));
    QCOMPARE(record.mid(layout.offset(2)), QByteArray(3, '\0'));
    QCOMPARE(layout.field(record, 1), readBack);
}

void TestRecordLayout::storeLeavesFillerAlone()
{
    // The buffer is reused from record to record: only the length byte and the text change.
    const RecordLayout layout {10};
    QByteArray record(layout.recordSize(), '\xAA');
    layout.setField(record, 0, u"abc"_s);
    QCOMPARE(record,
        QByteArray("\x03"
                   "abc\xAA\xAA\xAA\xAA\xAA\xAA\xAA"));
    QCOMPARE(layout.field(record, 0), u"abc"_s);

    QByteArray shortBuffer;
    layout.setField(shortBuffer, 0, u"x"_s);
    QCOMPARE(shortBuffer, QByteArray("\x01x\0\0\0\0\0\0\0\0\0", 11));
}

void TestRecordLayout::read_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("value");

    // Field 0 has capacity 5, field 1 capacity 3; only field 0 is read.
    QTest::newRow("exact") << QByteArray("\x05"
                                         "Rossi"
                                         "\x01Z  ",
        10) << u"Rossi"_s;
    QTest::newRow("filler ignored") << QByteArray("\x02"
                                                  "ab"
                                                  "XYZ"
                                                  "\x00---",
        10) << u"ab"_s;
    QTest::newRow("length above capacity reads the capacity") << QByteArray("\xFF"
                                                                            "Rossi"
                                                                            "\x03"
                                                                            "abc",
        10) << u"Rossi"_s;
    QTest::newRow("stored blanks trimmed") << QByteArray("\x05 ab\t\x00"
                                                         "\x00---",
        10) << u"ab"_s;
    QTest::newRow("empty") << QByteArray("\x00"
                                         "Rossi"
                                         "\x00---",
        10) << QString();
    QTest::newRow("accented") << QByteArray("\x05"
                                            "citt\xE0"
                                            "\x00---",
        10) << u"città"_s;
    QTest::newRow("record cut short") << QByteArray("\x05"
                                                    "Ro",
        3) << u"Ro"_s;
}

void TestRecordLayout::read()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, value);
    const RecordLayout layout {5, 3};
    QCOMPARE(layout.field(record, 0), value);
    DecodedRecord decoded;
    layout.decode(record, decoded);
    QCOMPARE(decoded.field(0).toString(), value);
}

// One DecodedRecord serves a whole scan: a shorter record after a longer one leaves nothing of
// the first behind.
void TestRecordLayout::decodeReusedAcrossRecordsAgreesWithFields()
{
    const RecordLayout layout {6, 6, 6};
    QByteArray longer = layout.blankRecord();
    layout.setFields(longer, {u"€ sei!"_s, u"abcdef"_s, u"ghi"_s});
    QByteArray shorter = layout.blankRecord();
    layout.setFields(shorter, {u"uno"_s, QString(), u"tè"_s});
    DecodedRecord decoded;
    for (const QByteArray &record : {longer, shorter}) {
        layout.decode(record, decoded);
        QStringList texts;
        for (int i = 0; i < decoded.fieldCount(); ++i)
            texts.append(decoded.field(i).toString());
        QCOMPARE(texts, layout.fields(record));
    }
}

void TestRecordLayout::setFieldsFillsEveryField()
{
    const RecordLayout layout {4, 4, 4};
    QByteArray record(layout.recordSize(), 'x');
    layout.setFields(record, {u"uno"_s, u" due "_s});
    QCOMPARE(layout.fields(record), QStringList({u"uno"_s, u"due"_s, QString()}));
}

QTEST_APPLESS_MAIN(TestRecordLayout)
#include "tst_recordlayout.moc"
