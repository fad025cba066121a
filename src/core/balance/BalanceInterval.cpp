#include "balance/BalanceInterval.h"

#include "text/TextRoutines.h"

#include <optional>

namespace almavest::balance {

namespace {

// The date "dd/mm/yyyy" built from a day, a month name and the year, blanks removed.
QString builtDate(const QString &day, const QString &month, const QString &year)
{
    const QString number = monthNumber(month);
    if (number.isEmpty())
        return {};
    QString built = text::trimmed(day) + u'/' + number + u'/' + text::trimmed(year);
    return built.remove(u' ');
}

// The day `text` names when it is written exactly "dd/mm/yyyy" and exists in the calendar.
std::optional<QDate> existingDate(const QString &text)
{
    if (text.size() != 10 || text.at(2) != u'/' || text.at(5) != u'/')
        return std::nullopt;
    const QString digits = text.left(2) + text.mid(3, 2) + text.mid(6);
    if (!text::isDigitsOnly(digits))
        return std::nullopt;
    const QDate date(text.mid(6).toInt(), text.mid(3, 2).toInt(), text.left(2).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

} // namespace

const QStringList &monthNames()
{
    static const QStringList names {QStringLiteral("Gennaio"), QStringLiteral("Febbraio"),
        QStringLiteral("Marzo"), QStringLiteral("Aprile"), QStringLiteral("Maggio"),
        QStringLiteral("Giugno"), QStringLiteral("Luglio"), QStringLiteral("Agosto"),
        QStringLiteral("Settembre"), QStringLiteral("Ottobre"), QStringLiteral("Novembre"),
        QStringLiteral("Dicembre")};
    return names;
}

QString monthNumber(const QString &name)
{
    const QString wanted = text::trimmed(name).toLower();
    for (int i = 0; i < monthNames().size(); ++i) {
        if (monthNames().at(i).toLower() == wanted)
            return QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
    }
    return {};
}

IntervalCheck checkInterval(const IntervalChoice &choice)
{
    IntervalCheck check;
    const auto fail = [&check](IntervalProblem problem) {
        check.problem = problem;
        return check;
    };
    if (choice.year.size() != 4 || !text::isDigitsOnly(choice.year))
        return fail(IntervalProblem::Year);
    const std::pair<const QString &, IntervalProblem> required[] = {
        {choice.startDay, IntervalProblem::StartDay},
        {choice.startMonth, IntervalProblem::StartMonth},
        {choice.endDay, IntervalProblem::EndDay},
        {choice.endMonth, IntervalProblem::EndMonth},
    };
    for (const auto &[value, problem] : required) {
        if (text::trimmed(value).isEmpty())
            return fail(problem);
    }
    check.startText = builtDate(choice.startDay, choice.startMonth, choice.year);
    const std::optional<QDate> from = existingDate(check.startText);
    if (!from)
        return fail(IntervalProblem::StartDate);
    check.endText = builtDate(choice.endDay, choice.endMonth, choice.year);
    const std::optional<QDate> to = existingDate(check.endText);
    if (!to)
        return fail(IntervalProblem::EndDate);
    if (*from > *to)
        return fail(IntervalProblem::EndBeforeStart);
    check.from = *from;
    check.to = *to;
    return check;
}

} // namespace almavest::balance
