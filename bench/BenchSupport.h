#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

namespace almavest::store {
class ListLines;
class RecordLayout;
} // namespace almavest::store

// Shared pieces of the benchmark program: timing and the printed table.
namespace almavest::bench {

// Best of `runs` timings of `work`, in milliseconds.
double bestOf(int runs, const std::function<void()> &work);
// The same, with `prepare` run before each timing and not counted.
double bestOf(int runs, const std::function<void()> &prepare, const std::function<void()> &work);

// Prints one line: what, the value and its unit, and when `base` is given the ratio to it
// against the goal.
void row(const QString &what, double value, const QString &unit, double base = 0, double goal = 0);

// Stops the benchmark with `what` when `ok` is false: a figure measured on a failed read
// would be meaningless.
void require(bool ok, const char *what);

// Writes an archive of `records` records of `layout`, record n holding `sample(n)`; false when
// it cannot be written.
[[nodiscard]] bool generateRecords(const QString &path, const store::RecordLayout &layout,
    int records, const std::function<QStringList(int)> &sample);
// Writes a member archive of `records` generated cards; false when it cannot be written.
[[nodiscard]] bool generateMembers(const QString &path, int records);
// Writes a year of `records` generated movements, dated 2026; false when it cannot be written.
[[nodiscard]] bool generateMovements(const QString &path, int records);

// Best of a few runs of a list scan, with the number of lines found. Every run's lines are kept
// until the end, as a list screen keeps them until it closes, so letting them go is not counted.
// A scan that cannot read its archive stops the benchmark.
double scanTime(const std::function<store::ListLines()> &scan, qsizetype &lines);

// Each group measures and prints its rows; `archive` is the generated member archive, `raw`
// the time of a raw sequential read of it in milliseconds.
double rawRead(const QString &path);
void archiveBenchmarks(const QString &archive, const QString &smallArchive, double raw);
void listBenchmarks(const QString &archive, double raw);
// The book lists; `folder` takes a generated book for the while.
void bookBenchmarks(const QString &folder, const QString &memberArchive, double rawMembers);
void reportBenchmarks();
// The book list over a folder of `books` empty books made under `folder`.
void bookListBenchmarks(const QString &folder, int books);
// The cash journal on a generated year of `movements` movements made under `folder`.
void journalBenchmarks(const QString &folder, int movements);
// The reminder board over the member archive in `folder` and a generated year of `movements`.
void boardBenchmarks(const QString &folder, int movements);
// The spreadsheet export of the member archive `archive`.
void exportBenchmarks(const QString &archive, double raw);
void startUpBenchmarks(const QString &self, const QString &folder);
// Every query of the lists, the summaries and the balance against the same query of SQLite on
// the same generated records, warm and in a fresh process; `self` is this program, started
// again for the fresh runs, and `folder` takes the archives and the database for the while.
void queryBenchmarks(const QString &self, const QString &folder, int records);

// The member archive `archive` written as XLSX and ODS workbooks.
void workbookBenchmarks(const QString &archive, double raw);
// A backup of `records` members and `records` movements made under `folder`.
void backupBenchmarks(const QString &folder, int records);

// The child process of a fresh run: one query, once, its time and count on the output.
int childQuery(int argc, char *argv[]);

// The child processes of the start-up measure. Without `leaveByItself` the child waits for
// the start-up probe preloaded into it to end it.
int childStartUp(int argc, char *argv[], bool wholeProgram, bool leaveByItself = true);

} // namespace almavest::bench
