// Every query of the lists, the summaries and the balance, ours against SQLite's on the same
// generated records in the same run, and each against a raw read of its file. Each is measured
// warm (best of several in this process, SQLite's cache filled) and cold (the first run of a
// fresh process, this program started again for it).
#include "BenchSupport.h"

#include "balance/Balance.h"
#include "journal/MovementRecord.h"
#include "journal/MovementSelection.h"
#include "registry/MemberRecord.h"
#include "registry/MemberSelection.h"
#include "store/ArchiveFile.h"
#include "store/Cp1252.h"
#include "store/FieldIndex.h"
#include "store/ListLines.h"

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace almavest::bench {

namespace {

const QDate kToday(2026, 12, 10);
const QDate kYearStart(2026, 1, 1);
const QDate kYearEnd(2026, 12, 31);

constexpr int kWarmRuns = 5;
// Fresh processes per cold figure; each times its first and only run, the best is printed.
constexpr int kColdRuns = 3;

struct Files
{
    QString members;
    QString year;
    QString database;
};

// What a run keeps until the end, as a screen keeps its list until it closes.
using Kept = std::vector<std::shared_ptr<const void>>;

struct Query
{
    QString name;
    bool onMembers; // the member archive, or else the year of movements
    double rawGoal; // the most times the raw read of its file
    std::function<qsizetype(const Files &, Kept &)> ours; // the number of lines found
    QByteArray sql; // the same lines, with the columns they show
    int centsColumn = -1; // a column of cents that the query totals, as the balance does
};

qsizetype keepLines(Kept &kept, store::ListLines lines)
{
    require(lines.archiveOk, "cannot scan the archive");
    auto held = std::make_shared<store::ListLines>(std::move(lines));
    kept.push_back(held);
    return held->size();
}

qsizetype keepSummary(Kept &kept, const balance::BalanceRequest &request)
{
    auto held = std::make_shared<balance::BalanceSummary>(balance::summarise(request));
    require(held->lines.archiveOk, "cannot read the year");
    kept.push_back(held);
    return held->lines.size();
}

QByteArray day(QDate date)
{
    return QByteArray::number(date.toJulianDay());
}

std::vector<Query> queries()
{
    const QByteArray memberColumns = "SELECT name, tax_code, expiry, phone, notes FROM members";
    const QByteArray movementColumns
        = "SELECT purpose, due, payer, beneficiary, amount, cents FROM movements";
    const QByteArray movementOrder = " ORDER BY purpose COLLATE NOCASE, due, payer";
    const QByteArray today = day(kToday);
    const QByteArray year = " operation_day BETWEEN " + day(kYearStart) + " AND " + day(kYearEnd);
    std::vector<Query> list;
    list.push_back({QStringLiteral("member search, two filters"), true, 1,
        [](const Files &files, Kept &kept) {
            registry::SearchFilters two;
            two[0] = QStringLiteral("socio 1");
            two[6] = QStringLiteral("città 4");
            return keepLines(
                kept, registry::searchMembers(files.members, registry::MemberSearch(two)));
        },
        memberColumns + " WHERE name LIKE '%socio 1%' AND town LIKE '%città 4%'"});
    list.push_back({QStringLiteral("member list, no filter"), true, 2,
        [](const Files &files, Kept &kept) {
            return keepLines(
                kept, registry::searchMembers(files.members, registry::MemberSearch({})));
        },
        memberColumns});
    list.push_back({QStringLiteral("summary, expired"), true, 2,
        [](const Files &files, Kept &kept) {
            return keepLines(kept,
                registry::expiringMembers(files.members, registry::ExpiryRule::Expired, kToday));
        },
        memberColumns + " WHERE expiry_day < " + today});
    list.push_back({QStringLiteral("summary, expiring or expired"), true, 2,
        [](const Files &files, Kept &kept) {
            return keepLines(kept,
                registry::expiringMembers(
                    files.members, registry::ExpiryRule::ExpiringOrExpired, kToday));
        },
        memberColumns + " WHERE expiry_day - notice <= " + today});
    list.push_back({QStringLiteral("movement search, two filters (sorted)"), false, 1,
        [](const Files &files, Kept &kept) {
            journal::MovementFilters two;
            two[4] = QStringLiteral("socio 1");
            two[2] = QStringLiteral("anno 2026");
            return keepLines(
                kept, journal::searchMovements(files.year, journal::MovementSearch(two)));
        },
        movementColumns + " WHERE purpose LIKE '%anno 2026%' AND payer LIKE '%socio 1%'"
            + movementOrder});
    list.push_back({QStringLiteral("payments due (sorted)"), false, 2,
        [](const Files &files, Kept &kept) {
            return keepLines(kept, journal::dueMovements(files.year, kToday));
        },
        movementColumns + " WHERE due_day - notice <= " + today + " AND settled = 'No'"
            + movementOrder});
    list.push_back({QStringLiteral("balance, the year's totals"), false, 1,
        [](const Files &files, Kept &kept) {
            return keepSummary(kept, {files.year, kYearStart, kYearEnd, {}});
        },
        movementColumns + " WHERE" + year, 5});
    list.push_back({QStringLiteral("balance, one causale's totals"), false, 1,
        [](const Files &files, Kept &kept) {
            return keepSummary(
                kept, {files.year, kYearStart, kYearEnd, QStringLiteral("socio 12")});
        },
        movementColumns + " WHERE" + year + " AND purpose LIKE '%socio 12%'", 5});
    return list;
}

// --- SQLite ---

void check(sqlite3 *db, int code, const char *what)
{
    if (code != SQLITE_OK && code != SQLITE_DONE && code != SQLITE_ROW)
        qFatal("benchmark stopped: SQLite, %s: %s", what, sqlite3_errmsg(db));
}

sqlite3 *openDatabase(const QString &path)
{
    sqlite3 *db = nullptr;
    const int code = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    check(db, code, "open");
    return db;
}

void execute(sqlite3 *db, const char *sql)
{
    check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr), sql);
}

// Runs `sql` to its last row, reading every column of every row as a list would show it and
// totalling the cents column when there is one; the number of rows.
qsizetype runSql(sqlite3 *db, const QByteArray &sql, int centsColumn)
{
    sqlite3_stmt *statement = nullptr;
    check(db, sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr),
        sql.constData());
    qsizetype rows = 0;
    qint64 cents = 0;
    qsizetype bytes = 0;
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
        ++rows;
        const int columns = sqlite3_column_count(statement);
        for (int c = 0; c < columns; ++c) {
            if (c == centsColumn) {
                cents += sqlite3_column_int64(statement, c);
            } else {
                sqlite3_column_text(statement, c);
                bytes += sqlite3_column_bytes(statement, c);
            }
        }
    }
    check(db, code, sql.constData());
    sqlite3_finalize(statement);
    require(bytes > 0 || rows == 0, "SQLite returned empty rows");
    return rows;
}

qint64 julianOf(const QString &date)
{
    return QDate::fromString(date, u"dd/MM/yyyy").toJulianDay();
}

// "+1234,56" as 123456.
qint64 centsOf(QString amount)
{
    return amount.remove(u',').toLongLong();
}

// Copies every record of `archive` into the table `insert` fills, one value per field listed.
void loadTable(sqlite3 *db, const QString &archive, int recordSize,
    const store::RecordLayout &layout, const char *insert,
    const std::function<void(sqlite3_stmt *, const QStringList &)> &bind)
{
    sqlite3_stmt *statement = nullptr;
    check(db, sqlite3_prepare_v2(db, insert, -1, &statement, nullptr), insert);
    store::ArchiveFile file(archive, recordSize);
    require(file.openForReading(), "cannot open an archive to load into SQLite");
    const bool read = file.scan([&](qint64, QByteArrayView record) {
        bind(statement, layout.fields(record));
        check(db, sqlite3_step(statement), insert);
        sqlite3_reset(statement);
        return true;
    });
    require(read, "cannot read an archive to load into SQLite");
    sqlite3_finalize(statement);
}

void bindText(sqlite3_stmt *statement, int column, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void loadDatabase(const Files &files)
{
    QFile::remove(files.database);
    sqlite3 *db = openDatabase(files.database);
    execute(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
    execute(db,
        "CREATE TABLE members (name TEXT, town TEXT, tax_code TEXT, expiry TEXT, "
        "expiry_day INTEGER, notice INTEGER, phone TEXT, notes TEXT)");
    execute(db,
        "CREATE TABLE movements (purpose TEXT, due TEXT, due_day INTEGER, notice INTEGER, "
        "payer TEXT, beneficiary TEXT, amount TEXT, cents INTEGER, operation_day INTEGER, "
        "settled TEXT)");
    using namespace registry;
    loadTable(db, files.members, kMemberRecordSize, memberLayout(),
        "INSERT INTO members VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
        [](sqlite3_stmt *s, const QStringList &v) {
            bindText(s, 1, v[Name]);
            bindText(s, 2, v[Town]);
            bindText(s, 3, v[TaxCode]);
            bindText(s, 4, v[ExpiryDate]);
            sqlite3_bind_int64(s, 5, julianOf(v[ExpiryDate]));
            sqlite3_bind_int64(s, 6, v[registry::NoticeDays].toLongLong());
            bindText(s, 7, v[Phone]);
            bindText(s, 8, v[registry::Notes]);
        });
    loadTable(db, files.year, journal::kMovementRecordSize, journal::movementLayout(),
        "INSERT INTO movements VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        [](sqlite3_stmt *s, const QStringList &v) {
            bindText(s, 1, v[journal::Purpose]);
            bindText(s, 2, v[journal::DueDate]);
            sqlite3_bind_int64(s, 3, julianOf(v[journal::DueDate]));
            sqlite3_bind_int64(s, 4, v[journal::NoticeDays].toLongLong());
            bindText(s, 5, v[journal::Payer]);
            bindText(s, 6, v[journal::Beneficiary]);
            bindText(s, 7, v[journal::SignedAmount]);
            sqlite3_bind_int64(s, 8, centsOf(v[journal::SignedAmount]));
            sqlite3_bind_int64(s, 9, julianOf(v[journal::OperationDate]));
            bindText(s, 10, v[journal::Settled]);
        });
    execute(db, "COMMIT");
    sqlite3_close(db);
}

// --- timing ---

double rawReadOnce(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    require(file.open(QIODevice::ReadOnly), "cannot open the archive");
    QByteArray block(1 << 20, Qt::Uninitialized);
    while (file.read(block.data(), block.size()) > 0) { }
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Timed
{
    double ms = 0;
    qsizetype count = 0;
};

// The best of `kColdRuns` fresh processes, each running `engine` on query `index` once.
Timed cold(const QString &self, const Files &files, int index, const char *engine)
{
    Timed best {1e300, -1};
    for (int run = 0; run < kColdRuns; ++run) {
        QProcess child;
        child.start(self,
            {QStringLiteral("--child-query"), QString::number(index), QString::fromLatin1(engine),
                files.members, files.year, files.database});
        require(child.waitForFinished(600000) && child.exitCode() == 0,
            "a fresh process of the query benchmark failed");
        const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
        require(words.size() == 2, "a fresh process of the query benchmark answered nothing");
        best.ms = std::min(best.ms, words[0].toDouble());
        best.count = words[1].toLongLong();
    }
    return best;
}

QString number(double value)
{
    return QString::number(value, 'f', value < 10 ? 2 : 1);
}

// One line: our time, SQLite's, the ratio to SQLite and the ratio to the raw read, each
// against its goal.
void printRow(
    const QString &what, qsizetype count, double ours, double sqlite, double raw, double rawGoal)
{
    QTextStream out(stdout);
    const double toSqlite = ours / sqlite;
    const double toRaw = ours / raw;
    out << qSetFieldWidth(48) << Qt::left << QStringLiteral("%1 (%2)").arg(what).arg(count)
        << qSetFieldWidth(0) << "ours " << number(ours) << " ms, SQLite " << number(sqlite)
        << " ms: x" << QString::number(toSqlite, 'f', 2) << (toSqlite < 1 ? " ahead" : " BEHIND")
        << "; raw read x" << QString::number(toRaw, 'f', 2) << " (goal <= " << rawGoal
        << (toRaw <= rawGoal ? ", met)" : ", NOT met)") << Qt::endl;
}

// Sets the archive's modification time a minute back, as on an archive not written just now:
// the compact copy is made only of an archive left alone for a few seconds.
void settle(const QString &path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadWrite)
            && file.setFileTime(
                QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime),
        "cannot set the archive's time back");
}

// Makes the compact copy of an archive through its first list, as the first list a user asks for
// makes it, and says what it took.
void makeCopy(
    const QString &what, const QString &archive, const std::function<store::ListLines()> &firstList)
{
    settle(archive);
    QElapsedTimer timer;
    timer.start();
    const store::ListLines first = firstList();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const QString copy = store::FieldIndex::pathFor(archive);
    require(first.archiveOk && QFile::exists(copy), "the compact copy was not made");
    const double raw = rawRead(copy);
    QTextStream(stdout) << what << " read through their compact copy, made by the first list in "
                        << number(ms) << " ms (a scan of the archive and the copy written): "
                        << QFile(copy).size() / 1024 << " KiB, raw read " << number(raw) << " ms"
                        << Qt::endl;
}

// The payments due's key sort on its own, from the due lines in a shuffled order: its time per
// line and per n log2 n, which stays level when the sort grows no faster than n log n.
void dueSortBenchmark(const Files &files)
{
    const store::ListLines due = journal::dueMovements(files.year, kToday);
    const qsizetype n = due.size();
    std::vector<QByteArray> lines;
    lines.reserve(size_t(n));
    for (qsizetype i = 0; i < n; ++i)
        lines.push_back(store::toCp1252(due.line(i)));
    // A fixed shuffle, the same in every run.
    quint64 state = 88172645463325252ULL;
    for (size_t i = lines.size(); i > 1; --i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        std::swap(lines[i - 1], lines[state % i]);
    }
    store::ListLines shuffled;
    const double ms = bestOf(
        kWarmRuns,
        [&] {
            shuffled = store::ListLines();
            for (size_t i = 0; i < lines.size(); ++i)
                shuffled.append(lines[i], qint64(i + 1));
        },
        [&] { shuffled.sortCaseBlind(); });
    const double perLine = ms * 1e6 / double(std::max<qsizetype>(1, n));
    QTextStream(stdout) << "payments due key sort of " << n << " lines: " << number(ms) << " ms, "
                        << number(perLine) << " ns a line, "
                        << QString::number(
                               perLine / std::log2(double(std::max<qsizetype>(2, n))), 'f', 3)
                        << " ns per line and log2 n" << Qt::endl;
}

} // namespace

int childQuery(int argc, char *argv[])
{
    require(argc == 7, "the fresh query process needs its arguments");
    const int index = QByteArray(argv[2]).toInt();
    const QByteArray engine(argv[3]);
    const Files files {
        QFile::decodeName(argv[4]), QFile::decodeName(argv[5]), QFile::decodeName(argv[6])};
    const std::vector<Query> all = queries();
    require(index >= 0 && index < int(all.size()), "no such query");
    const Query &query = all[size_t(index)];
    Timed timed;
    if (engine == "raw") {
        timed.ms = rawReadOnce(query.onMembers ? files.members : files.year);
    } else if (engine == "sqlite") {
        QElapsedTimer timer;
        timer.start();
        sqlite3 *db = openDatabase(files.database);
        timed.count = runSql(db, query.sql, query.centsColumn);
        timed.ms = double(timer.nsecsElapsed()) / 1e6;
        sqlite3_close(db);
    } else {
        Kept kept;
        QElapsedTimer timer;
        timer.start();
        timed.count = query.ours(files, kept);
        timed.ms = double(timer.nsecsElapsed()) / 1e6;
    }
    QTextStream(stdout) << timed.ms << ' ' << timed.count << Qt::endl;
    return 0;
}

void queryBenchmarks(const QString &self, const QString &folder, int records)
{
    QTextStream out(stdout);
    const Files files {folder + QStringLiteral("/Query.pro"), folder + QStringLiteral("/Query.dat"),
        folder + QStringLiteral("/Query.db")};
    require(generateMembers(files.members, records), "cannot write the member archive");
    require(generateMovements(files.year, records), "cannot write the year");
    loadDatabase(files);
    out << Qt::endl
        << "Queries on " << records << " members (" << QFile(files.members).size() / (1 << 20)
        << " MiB) and " << records << " movements (" << QFile(files.year).size() / (1 << 20)
        << " MiB); SQLite database " << QFile(files.database).size() / (1 << 20) << " MiB"
        << Qt::endl;
    makeCopy(QStringLiteral("members"), files.members,
        [&files] { return registry::searchMembers(files.members, registry::MemberSearch({})); });
    makeCopy(QStringLiteral("movements"), files.year,
        [&files] { return journal::searchMovements(files.year, journal::MovementSearch({})); });

    const std::vector<Query> all = queries();
    std::vector<Timed> warmOurs;
    std::vector<Timed> warmSqlite;
    {
        sqlite3 *db = openDatabase(files.database);
        // Room for the whole database, filled by a first run of every query.
        execute(db, "PRAGMA cache_size = -4000000");
        for (const Query &query : all)
            runSql(db, query.sql, query.centsColumn);
        for (const Query &query : all) {
            Kept kept;
            Timed ours;
            ours.ms = bestOf(kWarmRuns, [&] { ours.count = query.ours(files, kept); });
            Timed theirs;
            theirs.ms = bestOf(
                kWarmRuns, [&] { theirs.count = runSql(db, query.sql, query.centsColumn); });
            require(
                ours.count == theirs.count, "SQLite and the archive scan found different counts");
            warmOurs.push_back(ours);
            warmSqlite.push_back(theirs);
        }
        sqlite3_close(db);
    }
    {
        // The no-filter list as a list screen holds it, against the text it shows, which as
        // decoded strings would take two bytes a character.
        const store::ListLines every
            = registry::searchMembers(files.members, registry::MemberSearch({}));
        out << "memory of the no-filter list of " << every.size()
            << " lines: " << every.heldBytes() / 1024 << " KiB held for "
            << every.textBytes() / 1024 << " KiB of characters (" << 2 * every.textBytes() / 1024
            << " KiB as decoded text): x"
            << QString::number(double(every.heldBytes()) / double(2 * every.textBytes()), 'f', 2)
            << " of the text" << Qt::endl;
    }
    dueSortBenchmark(files);
    const double rawMembers = rawRead(files.members);
    const double rawYear = rawRead(files.year);
    out << "warm: best of " << kWarmRuns << " in this process; raw read of the members "
        << number(rawMembers) << " ms, of the year " << number(rawYear) << " ms" << Qt::endl;
    for (size_t i = 0; i < all.size(); ++i)
        printRow(all[i].name, warmOurs[i].count, warmOurs[i].ms, warmSqlite[i].ms,
            all[i].onMembers ? rawMembers : rawYear, all[i].rawGoal);

    out << "cold: the first run of a fresh process, best of " << kColdRuns
        << " processes; the system's cache of the files stays warm, the compact copies are "
           "there"
        << Qt::endl;
    for (size_t i = 0; i < all.size(); ++i) {
        const int index = int(i);
        const Timed ours = cold(self, files, index, "ours");
        const Timed theirs = cold(self, files, index, "sqlite");
        const Timed raw = cold(self, files, index, "raw");
        require(ours.count == theirs.count && ours.count == warmOurs[i].count,
            "a fresh process found a different count");
        printRow(all[i].name, ours.count, ours.ms, theirs.ms, raw.ms, all[i].rawGoal);
    }
    for (const QString &path :
        {files.members, files.year, files.database, store::FieldIndex::pathFor(files.members)})
        QFile::remove(path);
}

} // namespace almavest::bench
