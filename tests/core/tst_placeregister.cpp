// The register of birth places: a Belfiore code read with the name it had on a day, a name found
// whatever its case and accents, and the register built into the program from the national lists.
#include "places/PlaceRegister.h"

#include <QTest>

using namespace almavest::places;
using namespace Qt::StringLiterals;

namespace {

const PlaceRegister &places()
{
    return PlaceRegister::builtIn();
}

} // namespace

class TestPlaceRegister final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameKeys_data();
    void nameKeys();
    void codeOnADay_data();
    void codeOnADay();
    void unknownCodes_data();
    void unknownCodes();
    void placesByName_data();
    void placesByName();
    void nearestSpanAndUnreadableLines();
    void labelsForACompleter();
};

void TestPlaceRegister::nameKeys_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::newRow("accent") << u"Forlì"_s << u"FORLI"_s;
    QTest::newRow("the lists' apostrophe for an accent") << u"FORLI'"_s << u"FORLI"_s;
    QTest::newRow("apostrophe inside") << u"Sant'Anna Arresi"_s << u"SANT ANNA ARRESI"_s;
    QTest::newRow("blanks around and doubled")
        << u"  reggio  nell'emilia "_s << u"REGGIO NELL EMILIA"_s;
    QTest::newRow("hyphen") << u"Corigliano-Rossano"_s << u"CORIGLIANO ROSSANO"_s;
    QTest::newRow("nothing but signs") << u"' -"_s << u""_s;
}

void TestPlaceRegister::nameKeys()
{
    QFETCH(QString, name);
    QFETCH(QString, key);
    QCOMPARE(nameKey(name), key);
}

void TestPlaceRegister::codeOnADay_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("label");
    QTest::newRow("a comune") << u"H501"_s << QDate(1985, 12, 10) << u"ROMA (RM)"_s;
    QTest::newRow("lower case, blanks") << u" h501 "_s << QDate(1985, 12, 10) << u"ROMA (RM)"_s;
    QTest::newRow("renamed: the old name, its last day")
        << u"A562"_s << QDate(1935, 7, 30) << u"BAGNI SAN GIULIANO (PI)"_s;
    QTest::newRow("renamed: the new name, its first day")
        << u"A562"_s << QDate(1935, 7, 31) << u"SAN GIULIANO TERME (PI)"_s;
    QTest::newRow("new province: before") << u"F704"_s << QDate(2009, 6, 29) << u"MONZA (MI)"_s;
    QTest::newRow("new province: after") << u"F704"_s << QDate(2009, 6, 30) << u"MONZA (MB)"_s;
    QTest::newRow("accented name") << u"D704"_s << QDate(2000, 1, 1) << u"FORLÌ (FC)"_s;
    QTest::newRow("a foreign state")
        << u"Z404"_s << QDate(1970, 12, 31) << u"STATI UNITI D'AMERICA"_s;
    QTest::newRow("a ceased state, while it was")
        << u"Z105"_s << QDate(1980, 5, 1) << u"CECOSLOVACCHIA"_s;
    QTest::newRow("a ceased state, after it ended")
        << u"Z105"_s << QDate(1995, 5, 1) << u"CECOSLOVACCHIA"_s;
    QTest::newRow("a day before the lists") << u"H501"_s << QDate(1870, 1, 1) << u"ROMA (RM)"_s;
    QTest::newRow("no day: the latest") << u"A562"_s << QDate() << u"SAN GIULIANO TERME (PI)"_s;
}

void TestPlaceRegister::codeOnADay()
{
    QFETCH(QString, code);
    QFETCH(QDate, day);
    QFETCH(QString, label);
    const std::optional<Place> place = places().byCode(code, day);
    QVERIFY(place);
    QCOMPARE(place->label(), label);
    QCOMPARE(place->isForeign(), code.trimmed().startsWith(u'Z'));
}

void TestPlaceRegister::unknownCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("no such code") << u"A000"_s;
    QTest::newRow("empty") << u""_s;
    QTest::newRow("a code of the old lists that never had one") << u"ND"_s;
    QTest::newRow("the first of the lists, one short") << u"A00"_s;
}

void TestPlaceRegister::unknownCodes()
{
    QFETCH(QString, code);
    QCOMPARE(places().byCode(code, QDate(2000, 1, 1)), std::nullopt);
}

void TestPlaceRegister::placesByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QStringList>("labels"); // code and label of each, in order
    QTest::newRow("without its accent")
        << u"forli"_s << QDate(2000, 1, 1) << QStringList {u"D704 FORLÌ (FC)"_s};
    QTest::newRow("on a day of the old province")
        << u"Forlì"_s << QDate(1980, 1, 1) << QStringList {u"D704 FORLÌ (FO)"_s};
    QTest::newRow("no day: the latest")
        << u"Forlì"_s << QDate() << QStringList {u"D704 FORLÌ (FC)"_s};
    QTest::newRow("with its province")
        << u"Forlì (FO)"_s << QDate(2000, 1, 1) << QStringList {u"D704 FORLÌ (FO)"_s};
    QTest::newRow("a name two comuni bear")
        << u"Castro"_s << QDate(2020, 1, 1)
        << QStringList {u"C337 CASTRO (BG)"_s, u"M261 CASTRO (LE)"_s};
    QTest::newRow("a foreign state") << u"stati uniti d america"_s << QDate(2000, 1, 1)
                                     << QStringList {u"Z404 STATI UNITI D'AMERICA"_s};
    QTest::newRow("an old name") << u"Bagni San Giuliano"_s << QDate(1930, 1, 1)
                                 << QStringList {u"A562 BAGNI SAN GIULIANO (PI)"_s};
    QTest::newRow("no such place") << u"Atlantide"_s << QDate(2000, 1, 1) << QStringList {};
    QTest::newRow("a province that does not match")
        << u"Roma (MI)"_s << QDate(2000, 1, 1) << QStringList {};
}

void TestPlaceRegister::placesByName()
{
    QFETCH(QString, name);
    QFETCH(QDate, day);
    QFETCH(QStringList, labels);
    QStringList found;
    for (const Place &place : places().byName(name, day))
        found.append(place.code + u' ' + place.label());
    QCOMPARE(found, labels);
}

// From a register of its own: a day between two spans, before the first and after the last gets
// the nearest span; lines that cannot be read are left out, the others kept.
void TestPlaceRegister::nearestSpanAndUnreadableLines()
{
    const PlaceRegister small("A001|19000101|19191231|AA|UNO\n"
                              "A001|19300101|19391231|BB|DUE\n"
                              "A002|1900|99991231|CC|BAD DAY\n"
                              "A003|19000101|99991231|CC\n"
                              "B01|19000101|99991231|CC|SHORT CODE\n"
                              "A004|19000101|99991231||LAST");
    QCOMPARE(small.size(), 3);
    const auto nameOn = [&](QDate day) { return small.byCode(u"A001"_s, day)->name; };
    QCOMPARE(nameOn(QDate(1899, 12, 31)), u"UNO"_s);
    QCOMPARE(nameOn(QDate(1919, 12, 31)), u"UNO"_s);
    QCOMPARE(nameOn(QDate(1924, 1, 1)), u"UNO"_s);
    QCOMPARE(nameOn(QDate(1926, 1, 1)), u"DUE"_s);
    QCOMPARE(nameOn(QDate(2020, 1, 1)), u"DUE"_s);
    QCOMPARE(small.byCode(u"A004"_s, QDate(2020, 1, 1))->label(), u"LAST"_s);
    QCOMPARE(small.byCode(u"A002"_s, QDate(2020, 1, 1)), std::nullopt);
}

// The labels are there for every current comune and state, each once, the current ones first.
void TestPlaceRegister::labelsForACompleter()
{
    const QStringList labels = places().labels();
    QVERIFY(labels.contains(u"ROMA (RM)"_s));
    QVERIFY(labels.contains(u"CECOSLOVACCHIA"_s));
    QCOMPARE(labels.count(u"ROMA (RM)"_s), 1);
    QVERIFY(labels.indexOf(u"MONZA (MB)"_s) < labels.indexOf(u"CECOSLOVACCHIA"_s));
    QVERIFY(labels.indexOf(u"FORLÌ (FC)"_s) < labels.indexOf(u"FORLÌ (FO)"_s));
}

QTEST_MAIN(TestPlaceRegister)
#include "tst_placeregister.moc"
