// The comparison behind every search of the lists: a field's bytes, A-Z lower-cased and nothing
// else, hold a lowered filter.
#include "store/FieldSearch.h"

#include <QTest>

using namespace almavest::store;

class TestFieldSearch final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteLowered_data();
    void everyByteLowered();
};

void TestFieldSearch::everyByteLowered_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("place");
    // Fields are lowered eight bytes at a time: the ends of a group, and of the longest field.
    QTest::newRow("one byte") << 1 << 0;
    QTest::newRow("last of the first eight") << 8 << 7;
    QTest::newRow("first of the next eight") << 9 << 8;
    QTest::newRow("a short last group") << 12 << 11;
    QTest::newRow("last byte of a full field") << 255 << 254;
}

void TestFieldSearch::everyByteLowered()
{
    QFETCH(int, size);
    QFETCH(int, place);
    for (int value = 0; value < 256; ++value) {
        const char byte = static_cast<char>(value);
        if (byte == '#')
            continue;
        QByteArray field(size, '#');
        field[place] = byte;
        const bool upper = byte >= 'A' && byte <= 'Z';
        const char lowered = upper ? static_cast<char>(byte + 32) : byte;
        QVERIFY2(containsLowered(field, QByteArray(1, lowered)), QByteArray::number(value));
        // A lowered field never holds an upper-case letter, and only A-Z change.
        QCOMPARE(containsLowered(field, QByteArray(1, byte)), !upper);
        if (value >= 0xc0 && value <= 0xde && value != 0xd7)
            QVERIFY(!containsLowered(field, QByteArray(1, static_cast<char>(value + 32))));
        const QByteArray afterFiller = QByteArray("#").append(lowered);
        QCOMPARE(containsLowered(field, afterFiller), place > 0);
    }
}

QTEST_APPLESS_MAIN(TestFieldSearch)
#include "tst_fieldsearch.moc"
