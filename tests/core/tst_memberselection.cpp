// The member lists: the one-line form of a card, the ten-filter search, the expiry rules and
// the card behind each line, on small archives written for each case.
#include "TestFiles.h"
#include "registry/MemberRecord.h"
#include "registry/MemberSelection.h"
#include "store/ArchiveFile.h"
#include "store/Cp1252.h"
#include "text/TextRoutines.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>

using namespace almavest;
using namespace almavest::registry;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(almavest::registry::ExpiryRule)

namespace {

// A blank card with some fields filled.
QStringList card(const std::map<int, QString> &fields)
{
    QStringList values = blankMember();
    for (const auto &[field, value] : fields)
        values[field] = value;
    return values;
}

QByteArray recordOf(const QStringList &values)
{
    QByteArray record = memberLayout().blankRecord();
    memberLayout().setFields(record, values);
    return record;
}

// Writes the cards, in order, as a new member archive at `path`.
bool writeArchive(const QString &path, const QList<QStringList> &cards)
{
    store::ArchiveFile archive(path, kMemberRecordSize);
    if (!archive.openForWriting())
        return false;
    for (const QStringList &card : cards) {
        if (!archive.append(recordOf(card)))
            return false;
    }
    return true;
}

// The names heading the lines, which tell the cards of these fixtures apart.
QStringList names(const QStringList &lines)
{
    QStringList result;
    for (const QString &line : lines)
        result.append(line.left(30).trimmed());
    return result;
}

// Ten filters, the listed ones filled (0-based box numbers).
QStringList filters(const std::map<int, QString> &typed)
{
    QStringList result(kSearchFilterCount);
    for (const auto &[box, text] : typed)
        result[box] = text;
    return result;
}

SearchFilters toFilters(const QStringList &list)
{
    SearchFilters result;
    for (int i = 0; i < kSearchFilterCount; ++i)
        result[static_cast<size_t>(i)] = list.at(i);
    return result;
}

// The fields of the card at `position` of the archive at `path`.
QStringList readCard(const QString &path, qint64 position)
{
    store::ArchiveFile archive(path, kMemberRecordSize);
    QByteArray record = memberLayout().blankRecord();
    if (!archive.openForReading() || !archive.read(position, record))
        return {};
    return memberLayout().fields(record);
}

enum Outcome { Unreadable = -1, NotListed = 0, Listed = 1 };

} // namespace

class TestMemberSelection final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void listLine_data();
    void listLine();
    void search_data();
    void search();
    void recordDateReadsAsTheDateRoutine_data();
    void recordDateReadsAsTheDateRoutine();
    void expiryRule_data();
    void expiryRule();
    void expiryScanSkipsUnreadableCards_data();
    void expiryScanSkipsUnreadableCards();
    void linesKeepTheirPositions_data();
    void linesKeepTheirPositions();
    void missingArchiveIsCreatedEmpty();
    void unusableArchive();

private:
    QString searchArchive() const { return m_shared.filePath(u"search.pro"_s); }
    QString findArchive() const { return m_shared.filePath(u"find.pro"_s); }

    QTemporaryDir m_shared;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMemberSelection::initTestCase()
{
    QVERIFY(m_shared.isValid());
    const QList<QStringList> searchCards = {
        card({{Name, u"Rossi Mario"_s}, {Town, u"Roma"_s}, {Notes, u"Socio onorario"_s}}),
        card({{Name, u"Del Rosso Anna"_s}, {Town, u"Bologna"_s}, {Notes, u"Socio"_s}}),
        card({{Name, u"Bianchi Luigi"_s}, {Town, u"ROMA EUR"_s}}),
        card({{Name, u"ROSSETTI PIERO"_s}, {Town, u"Castel ROMANO"_s}}),
        card({{Name, u"NICOLÒ Verdi"_s}, {Town, u"Forlì"_s}, {Notes, u"Quota 25 € versata"_s}}),
        // One token per field, to show which field each box looks at.
        card({{Name, u"Mappa q01"_s}, {CardNumber, u"q02"_s}, {BirthPlace, u"q04"_s},
            {BirthDate, u"q05"_s}, {TaxCode, u"Q06"_s}, {EnrolmentDate, u"q07"_s},
            {Address, u"q08"_s}, {Town, u"q09"_s}, {Qualifications, u"q12"_s}, {Role, u"q13"_s},
            {Notes, u"q15"_s}, {Phone, u"q18"_s}}),
    };
    QVERIFY(writeArchive(searchArchive(), searchCards));

    // Cards 1 and 3 differ only after the 30th character of the name: the same line.
    const auto twin = [](const QString &name) {
        return card({{Name, name}, {TaxCode, u"MSCNTC80A01H199Z"_s}, {ExpiryDate, u"31/12/2025"_s},
            {Phone, u"0543 000111"_s}});
    };
    const QList<QStringList> findCards = {
        twin(u"Associazione Amici della Musica Antica"_s),
        card({{Name, u"Altro Socio"_s}, {Notes, u"Nota"_s}}),
        twin(u"Associazione Amici della Musica Barocca"_s),
        card({{Name, u"Ultimo Socio"_s}}),
    };
    QVERIFY(writeArchive(findArchive(), findCards));
}

void TestMemberSelection::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestMemberSelection::listLine_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("expected");

    // Records written byte by byte by tests/data/make_member_fixtures.sh.
    const QByteArray fixture = test::fileBytes(QStringLiteral(ALMAVEST_TEST_DATA "/members.pro"));
    QCOMPARE(fixture.size(), 2 * kMemberRecordSize);
    const QByteArray first = fixture.first(kMemberRecordSize);
    const QByteArray second = fixture.sliced(kMemberRecordSize);
    QTest::newRow("hand-written complete card") << memberLayout().fields(first) << first
                                                << u"Rossi Mario                   "
                                                   u"  C.F. RSSMRA70B01D704X"
                                                   u"  Scad. 31/12/2026"
                                                   u"  Tel. 0547 123456    "
                                                   u" Note: Quota 2024: 25 € pagati"_s;
    QTest::newRow("hand-written careless record") << memberLayout().fields(second) << second
                                                  << u"Bianchi Anna                  "
                                                     u"  C.F.                 "
                                                     u"  Scad. 30/06/2025"
                                                     u"  Tel.                "
                                                     u" Note: Nota"_s;

    const QStringList longer = card({{Name, u"  Anna Maria Francesca Bianchi Rossetti  "_s},
        {TaxCode, u"BNCNMR80A41H199Z"_s}, {ExpiryDate, u"01/01/2027"_s},
        {Phone, u"+39 0543 123456 int. 2"_s}, {Notes, u"  Quota versata: 25 € — sì  "_s}});
    QTest::newRow("cut at 30 and 15, notes whole") << longer << recordOf(longer)
                                                   << u"Anna Maria Francesca Bianchi R"
                                                      u"  C.F. BNCNMR80A41H199Z"
                                                      u"  Scad. 01/01/2027"
                                                      u"  Tel. +39 0543 123456"
                                                      u" Note: Quota versata: 25 € — sì"_s;
    const QStringList blank = blankMember();
    QTest::newRow("blank card") << blank << recordOf(blank)
                                << u"                              "
                                   u"  C.F.                 "
                                   u"  Scad.           "
                                   u"  Tel.                "
                                   u" Note: "_s;
}

void TestMemberSelection::listLine()
{
    QFETCH(QStringList, values);
    QFETCH(QByteArray, record);
    QFETCH(QString, expected);
    QCOMPARE(memberListLine(QByteArrayView(record)), expected);
    QCOMPARE(memberListLine(values), expected);
}

void TestMemberSelection::search_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("filled");
    QTest::addColumn<QStringList>("expected");

    const QStringList all = {u"Rossi Mario"_s, u"Del Rosso Anna"_s, u"Bianchi Luigi"_s,
        u"ROSSETTI PIERO"_s, u"NICOLÒ Verdi"_s, u"Mappa q01"_s};
    const QStringList ross = {u"Rossi Mario"_s, u"Del Rosso Anna"_s, u"ROSSETTI PIERO"_s};
    const QStringList nicolo = {u"NICOLÒ Verdi"_s};
    constexpr int kName = 0, kTown = 6, kNotes = 9;

    QTest::newRow("every filter empty") << filters({}) << 0 << all;
    QTest::newRow("name ross") << filters({{kName, u"ross"_s}}) << 1 << ross;
    QTest::newRow("typed in capitals") << filters({{kName, u"ROSS"_s}}) << 1 << ross;
    QTest::newRow("name ross and town roma")
        << filters({{kName, u"ross"_s}, {kTown, u"roma"_s}}) << 2
        << QStringList {u"Rossi Mario"_s, u"ROSSETTI PIERO"_s};
    QTest::newRow("town roma in any case")
        << filters({{kTown, u"roma"_s}}) << 1
        << QStringList {u"Rossi Mario"_s, u"Bianchi Luigi"_s, u"ROSSETTI PIERO"_s};
    QTest::newRow("accented capital not folded")
        << filters({{kName, u"nicolò"_s}}) << 1 << QStringList();
    QTest::newRow("accented capital typed") << filters({{kName, u"NICOLÒ"_s}}) << 1 << nicolo;
    QTest::newRow("plain letters folded") << filters({{kName, u"nicol"_s}}) << 1 << nicolo;
    QTest::newRow("accent as a combining mark")
        << filters({{kName, u"nicolo\u0300"_s}}) << 1 << QStringList();
    QTest::newRow("capital with a combining mark")
        << filters({{kName, u"NICOLO\u0300"_s}}) << 1 << nicolo;
    QTest::newRow("blanks only") << filters({{kName, u"   "_s}}) << 0 << all;
    // Bianchi Luigi's town holds a blank: a blank box must not stand in for the name.
    QTest::newRow("blanks beside a filled filter")
        << filters({{kName, u"ross"_s}, {kTown, u" "_s}}) << 1 << ross;
    QTest::newRow("trailing blank inside the text")
        << filters({{kNotes, u"socio "_s}}) << 1 << QStringList {u"Rossi Mario"_s};
    QTest::newRow("leading blank inside the text")
        << filters({{kName, u" rosso"_s}}) << 1 << QStringList {u"Del Rosso Anna"_s};
    // The best fit would turn it into "ro", found in three names.
    QTest::newRow("character outside Windows-1252")
        << filters({{kName, u"rő"_s}}) << 1 << QStringList();
    QTest::newRow("outside Windows-1252 beside a match")
        << filters({{kName, u"ross"_s}, {kNotes, u"ő"_s}}) << 2 << QStringList();
    QTest::newRow("euro sign") << filters({{kNotes, u"25 €"_s}}) << 1 << nicolo;
    QTest::newRow("field not searched") << filters({{kNotes, u"q08"_s}}) << 1 << QStringList();

    const int fields[kSearchFilterCount] = {1, 2, 4, 5, 6, 7, 9, 12, 13, 15};
    for (int box = 0; box < kSearchFilterCount; ++box) {
        const QString token = u"q%1"_s.arg(fields[box], 2, 10, QLatin1Char('0'));
        QTest::addRow("box %d compares field %d", box + 1, fields[box])
            << filters({{box, token}}) << 1 << QStringList {u"Mappa q01"_s};
    }
}

void TestMemberSelection::search()
{
    QFETCH(QStringList, typed);
    QFETCH(int, filled);
    QFETCH(QStringList, expected);
    const MemberSearch search(toFilters(typed));
    QCOMPARE(search.filledCount(), filled);
    const MemberLines found = searchMembers(searchArchive(), search);
    QVERIFY(found.archiveOk);
    QCOMPARE(names(found.lines()), expected);
}

void TestMemberSelection::expiryRule_data()
{
    QTest::addColumn<ExpiryRule>("rule");
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<QString>("days");
    QTest::addColumn<int>("outcome");

    const struct
    {
        const char *name;
        const char16_t *expiry;
        const char16_t *days;
        Outcome expired;
        Outcome expiring;
    } rows[] = {
        {"expired yesterday", u"09/03/2025", u"0", Listed, Listed},
        {"expires today", u"10/03/2025", u"0", NotListed, Listed},
        {"notice starts today", u"20/03/2025", u"10", NotListed, Listed},
        {"notice starts tomorrow", u"20/03/2025", u"9", NotListed, NotListed},
        {"expires tomorrow", u"11/03/2025", u"0", NotListed, NotListed},
        {"days with sign and blanks", u"20/03/2025", u" +10 ", NotListed, Listed},
        {"negative days", u"09/03/2025", u"-1", Listed, Listed},
        {"negative days push it out", u"09/03/2025", u"-2", Listed, NotListed},
        {"two-digit year", u"09/03/25", u"0", Listed, Listed},
        {"year left out", u"11/03", u"1", NotListed, Listed},
        {"no such day", u"29/02/2025", u"0", Unreadable, Unreadable},
        {"empty expiry", u"", u"0", Unreadable, Unreadable},
        {"not a date", u"31-12-2024", u"0", Unreadable, Unreadable},
        {"empty days", u"09/03/2025", u"", Listed, Unreadable},
        {"days not a number", u"09/03/2025", u"1x", Listed, Unreadable},
        {"days a sign alone", u"09/03/2025", u"-", Listed, Unreadable},
        {"days with a decimal", u"09/03/2025", u"1,5", Listed, Unreadable},
    };
    for (const auto &row : rows) {
        QTest::addRow("%s, expired", row.name)
            << ExpiryRule::Expired << QString::fromUtf16(row.expiry) << QString::fromUtf16(row.days)
            << int(row.expired);
        QTest::addRow("%s, expiring", row.name)
            << ExpiryRule::ExpiringOrExpired << QString::fromUtf16(row.expiry)
            << QString::fromUtf16(row.days) << int(row.expiring);
    }
}

void TestMemberSelection::expiryRule()
{
    QFETCH(ExpiryRule, rule);
    QFETCH(QString, expiry);
    QFETCH(QString, days);
    QFETCH(int, outcome);
    const std::optional<bool> listed = expiryListed(rule, expiry, days, QDate(2025, 3, 10));
    QCOMPARE(listed.has_value(), outcome != Unreadable);
    if (listed)
        QCOMPARE(int(*listed), outcome);
}

void TestMemberSelection::expiryScanSkipsUnreadableCards_data()
{
    QTest::addColumn<ExpiryRule>("rule");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("expired") << ExpiryRule::Expired
                             << QStringList {u"Uno"_s, u"Giorni errati"_s, u"Tre"_s};
    QTest::newRow("expiring or expired")
        << ExpiryRule::ExpiringOrExpired << QStringList {u"Uno"_s, u"Due"_s, u"Tre"_s};
}

void TestMemberSelection::expiryScanSkipsUnreadableCards()
{
    QFETCH(ExpiryRule, rule);
    QFETCH(QStringList, expected);
    const auto due = [](const QString &name, const QString &expiry, const QString &days) {
        return card({{Name, name}, {ExpiryDate, expiry}, {NoticeDays, days}});
    };
    // The unreadable cards sit between listed ones: the cards after them are still listed.
    const QString path = m_dir->filePath(u"Soci.pro"_s);
    QVERIFY(writeArchive(path,
        {due(u"Uno"_s, u"09/03/2025"_s, u"0"_s), due(u"Data errata"_s, u"31/02/2025"_s, u"0"_s),
            due(u"Due"_s, u"20/03/2025"_s, u"10"_s),
            due(u"Giorni errati"_s, u"01/01/2025"_s, u"x"_s),
            due(u"Tre"_s, u"01/01/2024"_s, u"0"_s), due(u"Quattro"_s, u"20/03/2025"_s, u"9"_s)}));
    const MemberLines found = expiringMembers(path, rule, QDate(2025, 3, 10));
    QVERIFY(found.archiveOk);
    QCOMPARE(names(found.lines()), expected);
}

void TestMemberSelection::linesKeepTheirPositions_data()
{
    QTest::addColumn<int>("scan");
    QTest::addColumn<QList<qint64>>("positions");
    QTest::newRow("every card, first and last included") << 0 << QList<qint64> {1, 2, 3, 4};
    QTest::newRow("search: the two cards with one line") << 1 << QList<qint64> {1, 3};
    QTest::newRow("expired: the two cards with one line") << 2 << QList<qint64> {1, 3};
}

// Cards 1 and 3 give the same line; each line still carries its own card.
void TestMemberSelection::linesKeepTheirPositions()
{
    QFETCH(int, scan);
    QFETCH(QList<qint64>, positions);
    SearchFilters filters;
    if (scan == 1)
        filters[0] = u"amici della"_s;
    const MemberLines found = scan == 2
        ? expiringMembers(findArchive(), ExpiryRule::Expired, QDate(2026, 3, 10))
        : searchMembers(findArchive(), MemberSearch(filters));
    QVERIFY(found.archiveOk);
    QCOMPARE(found.positions, positions);
    QCOMPARE(found.lines().size(), found.positions.size());
    for (qsizetype i = 0; i < positions.size(); ++i) {
        const QByteArray record = recordOf(readCard(findArchive(), positions.at(i)));
        QCOMPARE(found.lines().at(i), memberListLine(record));
    }
    if (scan != 0)
        QCOMPARE(found.lines().at(0), found.lines().at(1));
}

void TestMemberSelection::missingArchiveIsCreatedEmpty()
{
    const QString searched = m_dir->filePath(u"search/Soci.pro"_s);
    const QString summed = m_dir->filePath(u"expiry/Soci.pro"_s);
    for (const QString &path : {searched, summed})
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));

    const MemberLines found = searchMembers(searched, MemberSearch(SearchFilters {}));
    QVERIFY(found.archiveOk);
    QVERIFY(found.lines().isEmpty());
    const MemberLines due = expiringMembers(summed, ExpiryRule::Expired, QDate(2025, 3, 10));
    QVERIFY(due.archiveOk);
    QVERIFY(due.lines().isEmpty());
    for (const QString &path : {searched, summed}) {
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
        QCOMPARE(QFileInfo(path).size(), 0);
    }
}

void TestMemberSelection::unusableArchive()
{
    // A folder where the archive should be: it can be neither opened nor created.
    const QString path = m_dir->filePath(u"Soci.pro"_s);
    QVERIFY(QDir().mkpath(path));
    const MemberLines found = searchMembers(path, MemberSearch(SearchFilters {}));
    QVERIFY(!found.archiveOk);
    QVERIFY(found.lines().isEmpty());
    for (const ExpiryRule rule : {ExpiryRule::Expired, ExpiryRule::ExpiringOrExpired}) {
        const MemberLines due = expiringMembers(path, rule, QDate(2025, 3, 10));
        QVERIFY(!due.archiveOk);
        QVERIFY(due.lines().isEmpty());
    }
    QVERIFY(QFileInfo(path).isDir());
}

QTEST_APPLESS_MAIN(TestMemberSelection)
void TestMemberSelection::recordDateReadsAsTheDateRoutine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("saved form") << QByteArray("05/03/1970");
    QTest::newRow("first day of the calendar") << QByteArray("01/01/0001");
    QTest::newRow("year zero") << QByteArray("01/01/0000");
    QTest::newRow("last day") << QByteArray("31/12/9999");
    QTest::newRow("29 February, leap year") << QByteArray("29/02/2024");
    QTest::newRow("29 February, common year") << QByteArray("29/02/2026");
    QTest::newRow("day zero") << QByteArray("00/03/2026");
    QTest::newRow("month 13") << QByteArray("01/13/2026");
    QTest::newRow("a letter in the year") << QByteArray("05/03/19a0");
    QTest::newRow("a blank in the year") << QByteArray("05/03/ 970");
    QTest::newRow("two-digit year") << QByteArray("05/03/70");
    QTest::newRow("one-digit day and month") << QByteArray("5/3/1970");
    QTest::newRow("dashes") << QByteArray("05-03-1970");
    QTest::newRow("no year") << QByteArray("05/03");
    QTest::newRow("empty") << QByteArray();
}

// The scans read dates straight from the bytes: what they find must be what the cards show.
void TestMemberSelection::recordDateReadsAsTheDateRoutine()
{
    QFETCH(QByteArray, bytes);
    const QDate today(2026, 12, 10);
    QCOMPARE(recordDate(bytes, today), text::parseDate(store::fromCp1252(bytes), today));
}

#include "tst_memberselection.moc"
