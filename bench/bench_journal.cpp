// The cash journal on a large year: the movement search, the payments due and the balance of the
// whole year, each against a raw read of the year's file.
#include "BenchSupport.h"

#include "balance/Balance.h"
#include "journal/MovementRecord.h"
#include "journal/MovementSelection.h"
#include "ui/app/AppContext.h"
#include "ui/app/Navigator.h"
#include "ui/journal/MovementCardScreen.h"
#include "ui/services/Services.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include <optional>

namespace almavest::bench {

namespace {

const QDate kToday(2026, 12, 10);

// A movement as a treasurer fills it in: every text field written, dates over the whole year,
// one in three an expense, one in four settled.
QStringList sampleMovement(int n)
{
    QStringList values = journal::blankMovement(kToday);
    const bool income = n % 3 != 0;
    values[journal::Income] = journal::flagText(income);
    values[journal::Expense] = journal::flagText(!income);
    values[journal::OperationDate] = QDate(2026, 1, 1).addDays(n % 365).toString(u"dd/MM/yyyy");
    values[journal::Purpose] = QStringLiteral("Quota associativa anno 2026 socio %1").arg(n % 5000);
    values[journal::Reminder] = QStringLiteral("Ricordare la ricevuta al socio");
    values[journal::DueDate] = QDate(2026, 1, 1).addDays(n % 400).toString(u"dd/MM/yyyy");
    values[journal::NoticeDays] = QString::number(n % 31);
    values[journal::Amount]
        = QStringLiteral("%1,%2").arg(n % 900 + 10).arg(n % 100, 2, 10, QChar(u'0'));
    values[journal::SignedAmount] = journal::signedAmount(values);
    values[journal::Payer] = QStringLiteral("Socio %1 Cognome Nome").arg(n);
    values[journal::PayerContact] = QStringLiteral("0543 123456");
    values[journal::PayerTaxCode] = QStringLiteral("RSSMRA70C05D704X");
    values[journal::PayerCardNumber] = QString::number(n);
    values[journal::PayerEmail] = QStringLiteral("socio%1@example.it").arg(n);
    values[journal::PaymentMethod] = QStringLiteral("Bonifico bancario");
    values[journal::Beneficiary] = QStringLiteral("Associazione Sportiva Dilettantistica Forlì");
    values[journal::BeneficiaryContact] = QStringLiteral("0543 654321");
    values[journal::Receipt] = QStringLiteral("CRO %1").arg(n * 7919);
    values[journal::Notes] = QStringLiteral("Pagamento registrato in segreteria");
    values[journal::Tariff] = QStringLiteral("Tariffa ordinaria");
    values[journal::Settled] = journal::flagText(n % 4 == 0);
    return values;
}

// Microseconds to show the last movement of the year at `path` on the movement card, as its
// button does; the card is open on the year beforehand.
double lastMovementTime(const QString &path, int movements)
{
    ui::DesktopServices services;
    ui::AppContext context(services, QFileInfo(path).absolutePath());
    ui::MovementCardScreen card(context);
    context.navigator().enrol(ui::Screen::MovementCard, &card);
    card.openYear(nullptr, path, QFileInfo(path).baseName());
    auto *last = card.findChild<QAbstractButton *>(QStringLiteral("cmdUltimo"));
    require(last != nullptr, "the movement card has no button for the last movement");
    const double time = bestOf(50, [&] {
        card.lblPosizione()->clear();
        last->click();
    });
    require(card.lblPosizione()->text() == QString::number(movements),
        "the movement card did not show the last movement");
    card.hide();
    return time * 1000;
}

} // namespace

bool generateMovements(const QString &path, int records)
{
    return generateRecords(path, journal::movementLayout(), records, sampleMovement);
}

void journalBenchmarks(const QString &folder, int movements)
{
    const QString year = journal::journalPath(folder, QStringLiteral("2026"));
    require(generateMovements(year, movements), "cannot write the year");
    const double raw = rawRead(year);
    row(QStringLiteral("raw read of a year of %1 movements (%2 MiB)")
            .arg(movements)
            .arg(QFile(year).size() / (1 << 20)),
        raw, QStringLiteral("ms"));

    qsizetype lines = 0;
    journal::MovementFilters two;
    two[4] = QStringLiteral("socio 1");
    two[2] = QStringLiteral("anno 2026");
    const journal::MovementSearch search(two);
    const double found = scanTime([&] { return journal::searchMovements(year, search); }, lines);
    row(QStringLiteral("movement search, two filters (%1 found)").arg(lines), found,
        QStringLiteral("ms"), raw, 2);

    const double due = scanTime([&] { return journal::dueMovements(year, kToday); }, lines);
    row(QStringLiteral("payments due (%1 lines)").arg(lines), due, QStringLiteral("ms"), raw, 3);

    // The summary of the previous run goes when the next is assigned, as the screen shows one
    // summary at a time.
    std::optional<balance::BalanceSummary> summary;
    const balance::BalanceRequest wholeYear {year, QDate(2026, 1, 1), QDate(2026, 12, 31), {}};
    const double sum = bestOf(5, [&] { summary = balance::summarise(wholeYear); });
    require(summary && summary->lines.archiveOk && summary->lines.size() == movements,
        "the balance did not read every movement");
    row(QStringLiteral("balance of the whole year (%1 lines)").arg(summary->lines.size()), sum,
        QStringLiteral("ms"), raw, 2);
    const balance::BalanceRequest purpose {
        year, QDate(2026, 1, 1), QDate(2026, 12, 31), QStringLiteral("socio 12")};
    const double filtered = bestOf(5, [&] { summary = balance::summarise(purpose); });
    row(QStringLiteral("balance of one causale (%1 lines)").arg(summary->lines.size()), filtered,
        QStringLiteral("ms"), raw, 2);

    const QString small = journal::journalPath(folder, QStringLiteral("2025"));
    require(generateMovements(small, 1000), "cannot write the small year");
    const double smallCard = lastMovementTime(small, 1000);
    row(QStringLiteral("movement card on the last movement, 1,000 movements"), smallCard,
        QStringLiteral("us"));
    row(QStringLiteral("movement card on the last movement, %1 movements").arg(movements),
        lastMovementTime(year, movements), QStringLiteral("us"), smallCard, 1.5);
    QFile::remove(small);
    QFile::remove(year);
}

} // namespace almavest::bench
