// The lines of a list screen: the order of the case-blind sort, with the record position of
// every line kept beside it, for lines held and for lines made when they are shown.
#include "store/CaseBlindOrder.h"
#include "store/Cp1252.h"
#include "store/ListLines.h"

#include <QTest>

#include <algorithm>
#include <memory>
#include <numeric>

using namespace almavest;
using namespace almavest::store;
using namespace Qt::StringLiterals;

namespace {

// Makes the line of the record at a position from a table of lines, the first at position 100,
// and counts the lines it made.
class TableSource final : public LineSource
{
public:
    explicit TableSource(QStringList lines)
        : m_lines(std::move(lines))
    { }

    void build(qint64 position, LineBuilder &line) const override
    {
        ++made;
        line.append(toCp1252(m_lines.at(position - 100)));
    }

    mutable int made = 0;

private:
    QStringList m_lines;
};

} // namespace

class TestListLines final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sortCaseBlind_data();
    void sortCaseBlind();
    void orderAsTheComparison_data();
    void orderAsTheComparison();
    void madeLinesHoldOnlyPositions();
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
    QStringList expected;
    QList<qint64> positions;
    for (const int place : order) {
        expected.append(lines.at(place));
        positions.append(100 + place);
    }
    for (const bool made : {false, true}) {
        const auto source = std::make_shared<TableSource>(lines);
        ListLines list = made ? ListLines(source) : ListLines();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (made)
                list.appendPosition(100 + i);
            else
                list.append(toCp1252(lines.at(i)), 100 + i);
        }
        list.sortCaseBlind();
        QCOMPARE(list.size(), lines.size());
        QCOMPARE(list.lines(), expected);
        QCOMPARE(list.positions, positions);
    }
}

void TestListLines::orderAsTheComparison_data()
{
    QTest::addColumn<QStringList>("lines");
    const QString shared = u"Quota associativa anno 2026 socio 1    Scad. 01/02/2026 Da:"_s;
    QTest::newRow("ties in every place") << QStringList {u"b"_s, u"a"_s, u"b"_s, u"a"_s, u"a"_s};
    QTest::newRow("the same line in other cases")
        << QStringList {u"ABC"_s, u"abc"_s, u"Abc"_s, u"aBC"_s};
    QTest::newRow("equal beginnings, the last byte tells")
        << QStringList {shared + u"b"_s, shared + u"B"_s, shared + u"a"_s, shared + u"A"_s};
    QTest::newRow("accented letters after the plain ones and apart from each other")
        << QStringList {u"è"_s, u"e"_s, u"é"_s, u"E"_s, u"f"_s, u"à"_s, u"È"_s, u"z"_s};
    QTest::newRow("empty lines") << QStringList {u""_s, u"a"_s, u""_s, u" "_s, u""_s};
    QTest::newRow("only empty lines") << QStringList {u""_s, u""_s, u""_s};
    QTest::newRow("lines that begin one another")
        << QStringList {u"ab"_s, u"abc"_s, u"a"_s, u""_s, u"abc"_s, u"a "_s};
    QTest::newRow("blanks, digits, signs and letters")
        << QStringList {u"a"_s, u" a"_s, u"0a"_s, u"+1"_s, u"-1"_s, u"~"_s, u"€"_s, u"_"_s};
    QTest::newRow("only the first line differs")
        << QStringList {u"zeta"_s, u"alfa"_s, u"alfa"_s, u"alfa"_s};
    QTest::newRow("only the last line differs")
        << QStringList {u"alfa"_s, u"alfa"_s, u"alfa"_s, u"Alfa "_s, u"ALF"_s};
    QTest::newRow("a place that differs first on the last line")
        << QStringList {u"x1y"_s, u"x1z"_s, u"x1y"_s, u"x0a"_s};
    QTest::newRow("the first line longer than all the others")
        << QStringList {shared + u"x"_s, u"Q"_s, u"q"_s, shared};
    // Lines of one shape, as a list's columns give them, over characters that sort apart.
    QStringList many;
    const QString alphabet = u" aAbBèÈé0+-,/zZ"_s;
    quint32 state = 2463534242U;
    for (int i = 0; i < 600; ++i) {
        QString line = u"Causale "_s;
        for (int c = 0; c < 12; ++c) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            line += alphabet.at(qsizetype(state % (c < 3 ? 3 : alphabet.size())));
        }
        many.append(line.left(8 + qsizetype(state % 13)));
    }
    QTest::newRow("600 lines of one shape") << many;
}

// The radix sort gives the order of a stable sort by the comparison of two lines.
void TestListLines::orderAsTheComparison()
{
    QFETCH(QStringList, lines);
    std::vector<QByteArray> bytes;
    for (const QString &line : lines)
        bytes.push_back(toCp1252(line));
    std::vector<quint32> expected(bytes.size());
    std::iota(expected.begin(), expected.end(), quint32(0));
    std::stable_sort(expected.begin(), expected.end(),
        [&bytes](quint32 a, quint32 b) { return caseBlindLess(bytes[a], bytes[b]); });
    qsizetype asked = 0;
    const std::vector<quint32> order = caseBlindOrder(qsizetype(bytes.size()), [&](qsizetype i) {
        // Each line once, in order.
        if (i != asked++)
            qFatal("line %lld asked out of turn", qlonglong(i));
        return QByteArrayView(bytes[size_t(i)]);
    });
    QCOMPARE(order, expected);
}

// A list whose lines are made when shown holds its positions only, and makes each line it is
// asked for from its position, the first and the last too.
void TestListLines::madeLinesHoldOnlyPositions()
{
    const QStringList table {u"Rossi"_s, u"bianchi"_s, u"Verdi"_s};
    const auto source = std::make_shared<TableSource>(table);
    ListLines list(source);
    list.reserve(3, 500);
    for (const qint64 position : {102, 100, 101})
        list.appendPosition(position);
    QCOMPARE(source->made, 0);
    QCOMPARE(list.heldBytes(), list.positions.capacity() * qsizetype(sizeof(qint64)));
    QCOMPARE(list.line(0), u"Verdi"_s);
    QCOMPARE(list.line(2), u"bianchi"_s);
    QCOMPARE(list.line(-1), QString());
    QCOMPARE(list.line(3), QString());
    QCOMPARE(source->made, 2);
    QCOMPARE(list.textBytes(), 5 + 5 + 7);
}

QTEST_APPLESS_MAIN(TestListLines)
#include "tst_listlines.moc"
