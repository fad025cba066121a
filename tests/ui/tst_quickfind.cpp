// Quick find in a list: each press selects the next line holding the text, A-Z case-blind,
// wrapping from the last line to the first; a new text starts again from the top.
#include "RecordingServices.h"

#include "ui/conventions/QuickFind.h"

#include <QListView>
#include <QStringListModel>
#include <QTest>

using namespace almavest;
using namespace Qt::StringLiterals;

class TestQuickFind final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pressesSelectLines_data();
    void pressesSelectLines();
    void emptyListIsRefused();
};

void TestQuickFind::pressesSelectLines_data()
{
    QTest::addColumn<int>("selected"); // the line selected before the first press
    QTest::addColumn<QStringList>("texts"); // the text of each press
    QTest::addColumn<QList<int>>("rows"); // the line selected after each press

    // Lines 0 to 4; "rossi" is on lines 1 and 3, "zeta" only on the last line.
    QTest::newRow("same text steps and wraps")
        << 0 << QStringList {u"rossi"_s, u"rossi"_s, u"rossi"_s} << QList<int> {1, 3, 1};
    QTest::newRow("a new text starts from the top, not after the selection")
        << 3 << QStringList {u"ROSSI"_s} << QList<int> {1};
    QTest::newRow("a new text can find the first line")
        << 2 << QStringList {u"bianchi"_s} << QList<int> {0};
    QTest::newRow("a new text reaches the last line")
        << 0 << QStringList {u"zeta"_s, u"zeta"_s} << QList<int> {4, 4};
    QTest::newRow("changing the text starts over")
        << 0 << QStringList {u"rossi"_s, u"rossi"_s, u"verdi"_s, u"rossi"_s}
        << QList<int> {1, 3, 2, 1};
    QTest::newRow("case-blind on A-Z only") << 0 << QStringList {u"ZETA"_s} << QList<int> {4};
    QTest::newRow("no match keeps the selection")
        << 2 << QStringList {u"nessuno"_s} << QList<int> {2};
    QTest::newRow("empty text keeps the selection")
        << 3 << QStringList {QString()} << QList<int> {3};
}

void TestQuickFind::pressesSelectLines()
{
    QFETCH(int, selected);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, rows);
    QStringListModel model(
        {u"Bianchi Anna"_s, u"Rossi Mario"_s, u"Verdi Luca"_s, u"rossi Paola"_s, u"Zeta srl"_s});
    QListView list;
    list.setModel(&model);
    list.setCurrentIndex(model.index(selected, 0));
    test::RecordingServices services;
    ui::QuickFind find(&list, services);
    for (int i = 0; i < texts.size(); ++i) {
        find.find(texts.at(i));
        QCOMPARE(list.currentIndex().row(), rows.at(i));
    }
    QVERIFY(services.messages.isEmpty());
}

void TestQuickFind::emptyListIsRefused()
{
    QStringListModel model;
    QListView list;
    list.setModel(&model);
    test::RecordingServices services;
    ui::QuickFind(&list, services).find(u"rossi"_s);
    QCOMPARE(services.messages.size(), 1);
    QVERIFY(services.messages.first().plain);
    QCOMPARE(
        services.lastMessage(), u"Ricerca non applicabile: la lista non contiene nessuna voce."_s);
}

QTEST_MAIN(TestQuickFind)
#include "tst_quickfind.moc"
