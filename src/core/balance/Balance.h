#pragma once

#include "store/ListLines.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The cash journal of one interval of one year: a line per movement and the totals of income,
// expenses and balance, kept in whole cents so that they are right to the cent.
namespace almavest::balance {

// Which movements a summary takes: those of the archive at `archivePath` dated from `from` to
// `to`, both days included, whose purpose contains `purpose` as typed, with A-Z in any case; a
// purpose made only of blanks takes them all.
struct BalanceRequest
{
    QString archivePath;
    QDate from;
    QDate to;
    QString purpose;
};

struct BalanceSummary
{
    store::ListLines lines; // archiveOk is false when the archive could not be read
    qint64 incomeCents = 0;
    qint64 expenseCents = 0; // zero or negative
    qint64 balanceCents = 0;
    // Movements whose date or signed amount cannot be read, and a record cut short at the end of
    // the file: left out of the lines and totals.
    int unreadable = 0;
    // The year has no archive and none could be made, as in a folder the user may not write.
    bool yearMissing = false;
};

// Reads a signed amount such as "+150,00" or "-42,5" into cents; a third decimal rounds half
// away from zero. nullopt for anything else, or beyond a 14-digit amount.
std::optional<qint64> parseCents(QByteArrayView text);

// "150,50", "-20,25", "0,00": always two decimals, a decimal comma and no thousands separator.
QString formatCents(qint64 cents);
// The total as shown on screen and in the print: formatCents() followed by " €".
QString totalText(qint64 cents);

// "Dal   01/01/2024   al   31/12/2024".
QString intervalText(QDate from, QDate to);

// The summary line of one movement record: type, purpose, date, payer, beneficiary and the
// signed amount in fixed columns (the amount starts in column 146).
QString balanceLine(QByteArrayView record);

// Reads the archive once and builds the lines and totals of `request`.
// With a `control`, the scan reports its progress to it and stops once it is cancelled.
BalanceSummary summarise(const BalanceRequest &request, store::ScanControl *control = nullptr);

// The five lines that close the printed summary: a rule, the interval and the three totals.
QStringList summaryFooter(const QString &interval, const BalanceSummary &summary);

} // namespace almavest::balance
