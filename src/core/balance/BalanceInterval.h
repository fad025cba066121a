#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The interval a balance is asked for: a year typed with four digits and, for each end, a day and
// a month picked from their lists. Both ends fall in that year.
namespace almavest::balance {

// "Gennaio" to "Dicembre", in the order of the year.
const QStringList &monthNames();

// "01" to "12" for a month name in any case and with blanks around, or empty when it names no
// month.
QString monthNumber(const QString &name);

// What was picked, as the boxes hold it.
struct IntervalChoice
{
    QString year;
    QString startDay;
    QString startMonth;
    QString endDay;
    QString endMonth;
};

// The first check the choice fails, in the order they are made.
enum class IntervalProblem {
    None,
    Year, // not exactly four digits
    StartDay, // empty
    StartMonth,
    EndDay,
    EndMonth,
    StartDate, // no such day
    EndDate,
    EndBeforeStart,
};

struct IntervalCheck
{
    IntervalProblem problem = IntervalProblem::None;
    // "dd/mm/yyyy" as built from the choice, blanks removed; empty when its month names no month
    // or its check was not reached.
    QString startText;
    QString endText;
    QDate from; // valid when problem is None
    QDate to;
};

// Checks the choice step by step and builds both ends of the interval.
IntervalCheck checkInterval(const IntervalChoice &choice);

} // namespace almavest::balance
