// The lines of a list screen: the order of the case-blind sort, with the record position of
// every line kept beside it.
#include "store/Cp1252.h"
#include "store/ListLines.h"

#include <QTest>

using namespace almavest;
using namespace almavest::store;
using namespace Qt::StringLiterals;

class TestListLines final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sortCaseBlind_data();
    void sortCaseBlind();
};

void TestListLines::sortCaseBlind_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("order"); // the lines' places before the sort, in sorted order
    // Lines of a list share long beginnings: the sort tells them apart past its first bytes.
    const QString shared = u"Quota associativa anno 2026 socio 1    Scad. 01/02/2026 Da:"_s;
    const QString ranked = shared.left(55);
    QTest::newRow("empty list") << QStringList {} << QList<int> {};
    QTest::newRow("one line") << QStringList {u"Solo"_s} << QList<int> {0};
    QTest::newRow("A-Z without case, equal lines keep their order")
        << QStringList {u"b"_s, u"A"_s, u"a"_s, u"B"_s} << QList<int> {1, 2, 0, 3};
    QTest::newRow("a line that begins another comes first")
        << QStringList {u"abc"_s, u"ab"_s, u""_s} << QList<int> {2, 1, 0};
    QTest::newRow("other characters by their code")
        << QStringList {u"à"_s, u"z"_s, u"Z"_s, u"0"_s, u" "_s} << QList<int> {4, 3, 1, 2, 0};
    QTest::newRow("first difference on the last byte the key ranks")
        << QStringList {ranked + u"b"_s, ranked + u"A"_s} << QList<int> {1, 0};
    QTest::newRow("first difference on the first byte past the key")
        << QStringList {ranked + u"xb"_s, ranked + u"XA"_s} << QList<int> {1, 0};
    QTest::newRow("first difference far past the key") << QStringList {shared + u" Rossi"_s,
        shared + u" bianchi"_s, shared + u" ROSSI"_s} << QList<int> {1, 0, 2};
    QTest::newRow("a long line that begins another comes after it")
        << QStringList {shared + u"x"_s, shared} << QList<int> {1, 0};
}

void TestListLines::sortCaseBlind()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, order);
    ListLines list;
    for (qsizetype i = 0; i < lines.size(); ++i)
        list.append(toCp1252(lines.at(i)), 100 + i);
    list.sortCaseBlind();
    QStringList expected;
    QList<qint64> positions;
    for (const int place : order) {
        expected.append(lines.at(place));
        positions.append(100 + place);
    }
    QCOMPARE(list.lines(), expected);
    QCOMPARE(list.positions, positions);
}

QTEST_APPLESS_MAIN(TestListLines)
#include "tst_listlines.moc"
