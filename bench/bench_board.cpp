// The reminder board on a large association: the two archives read for it and the board built
// on what they gave, against a raw read of both files.
#include "BenchSupport.h"

#include "journal/MovementRecord.h"
#include "reminders/Reminders.h"
#include "ui/app/AppContext.h"
#include "ui/app/ReminderBoard.h"
#include "ui/services/Services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <optional>

namespace almavest::bench {

void boardBenchmarks(const QString &folder, int movements)
{
    const QDate today(2026, 12, 10); // the generated years' dates fall around it
    const QString members = QDir(folder).filePath(QStringLiteral("Soci.pro"));
    const QString year = journal::journalPath(folder, QStringLiteral("2026"));
    require(generateMovements(year, movements), "cannot write the year");
    const double raw = rawRead(members) + rawRead(year);
    row(QStringLiteral("raw read of members and movements (%1 MiB)")
            .arg((QFile(members).size() + QFile(year).size()) / (1 << 20)),
        raw, QStringLiteral("ms"));

    // Each run's board goes when the next is built, as one board is open at a time.
    std::optional<reminders::Reminders> found;
    const double scan = bestOf(5, [&] { found = reminders::scanReminders(folder, today); });
    require(found && found->membersRead && found->journalRead, "the board could not read");
    row(QStringLiteral("board's reading (%1 members, %2 payments)")
            .arg(found->members.size())
            .arg(found->duePayments),
        scan, QStringLiteral("ms"), raw, 2);

    ui::DesktopServices services;
    ui::AppContext context(services, folder);
    std::optional<ui::ReminderBoard> board;
    const double shown = bestOf(5, [&] {
        board.reset();
        board.emplace(context, nullptr, reminders::scanReminders(folder, today));
        board->show();
        QCoreApplication::processEvents();
    });
    board.reset();
    row(QStringLiteral("board on screen, reading included"), shown, QStringLiteral("ms"), raw, 2);
    QFile::remove(year);
}

} // namespace almavest::bench
