// The balance of a whole year of movements against the raw read of the same yearly archive.
#include "BenchSupport.h"

#include "balance/Balance.h"
#include "journal/MovementRecord.h"

#include <QDate>
#include <QFile>

#include <optional>

namespace almavest::bench {

namespace {

const char *const kPurposes[] = {"Quota associativa", "Affitto sede", "Cancelleria", "Donazione",
    "Rimborso spese viaggio", "Bolletta luce", "Iscrizione torneo"};
const char *const kParties[] = {"Rossi Mario", "Bianchi Anna", "Verdi Giuseppe",
    "Associazione Sportiva Nuoto", "Ferrari Lucia", "Esposito Carlo"};

// Movement `n` of the year: spread over its days, income and expenses in turn, amounts with
// cents that do not add up exactly in binary.
QStringList sampleMovement(int n, int year)
{
    QStringList values = journal::blankMovement(QDate(year, 1, 1));
    const bool expense = n % 3 == 0;
    values[journal::Income] = journal::flagText(!expense);
    values[journal::Expense] = journal::flagText(expense);
    values[journal::OperationDate]
        = QDate(year, 1, 1).addDays(n % 365).toString(QStringLiteral("dd/MM/yyyy"));
    values[journal::Purpose] = QString::fromLatin1(kPurposes[n % std::size(kPurposes)]);
    values[journal::DueDate] = values[journal::OperationDate];
    values[journal::Amount]
        = QStringLiteral("%1,%2").arg(n % 2000).arg(n % 100, 2, 10, QLatin1Char('0'));
    values[journal::SignedAmount] = journal::signedAmount(values);
    values[journal::Payer] = QString::fromLatin1(kParties[n % std::size(kParties)]);
    values[journal::Beneficiary] = QString::fromLatin1(kParties[(n + 1) % std::size(kParties)]);
    values[journal::PaymentMethod] = QStringLiteral("Bonifico bancario");
    values[journal::Notes] = QStringLiteral("Movimento generato n. %1").arg(n);
    return values;
}

} // namespace

bool generateMovements(const QString &path, int records, int year)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block;
    QByteArray record = journal::movementLayout().blankRecord();
    for (int n = 1; n <= records; ++n) {
        journal::movementLayout().setFields(record, sampleMovement(n, year));
        block.append(record);
        if (block.size() > (4 << 20) || n == records) {
            if (file.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return true;
}

void balanceBenchmarks(const QString &folder, int records)
{
    const QString archive = journal::journalPath(folder, QStringLiteral("2026"));
    require(generateMovements(archive, records, 2026), "cannot write the movement archive");
    QTextStream(stdout) << "Movement archive: " << records << " records, "
                        << QFile(archive).size() / (1 << 20) << " MiB" << Qt::endl;
    const double raw = rawRead(archive);
    row(QStringLiteral("raw read of the year"), raw, QStringLiteral("ms"));
    // The summary of the previous run goes when the next is assigned, as a screen shows one
    // summary at a time.
    std::optional<balance::BalanceSummary> summary;
    const balance::BalanceRequest year {archive, QDate(2026, 1, 1), QDate(2026, 12, 31), {}};
    const double whole = bestOf(3, [&] { summary = balance::summarise(year); });
    require(summary && summary->lines.archiveOk && summary->lines.size() == records,
        "the balance did not read every movement");
    row(QStringLiteral("balance of the whole year"), whole, QStringLiteral("ms"), raw, 2);
    const balance::BalanceRequest purpose {
        archive, QDate(2026, 1, 1), QDate(2026, 12, 31), QStringLiteral("affitto")};
    const double filtered = bestOf(3, [&] { summary = balance::summarise(purpose); });
    row(QStringLiteral("balance of one purpose"), filtered, QStringLiteral("ms"), raw, 2);
    QFile::remove(archive);
}

} // namespace almavest::bench
