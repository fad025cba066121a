#include "statement/YearTotals.h"

#include "balance/Balance.h"
#include "journal/MovementRecord.h"
#include "store/Cp1252.h"
#include "store/ListLines.h"
#include "text/TextRoutines.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace almavest::statement {

namespace {

using journal::MovementFieldIndex;

QByteArrayView fieldBytes(QByteArrayView record, int field)
{
    return journal::movementLayout().textBytes(record, field);
}

void addTo(std::map<QString, CausaleTotal> &totals, QStringView causale, qint64 cents)
{
    CausaleTotal &total = totals[causaleKey(causale)];
    if (total.movements == 0)
        total.causale = text::trimmed(causale);
    total.cents += cents;
    ++total.movements;
}

} // namespace

Channel channelOf(QStringView paymentMethod)
{
    const QString method = text::upperAZ(text::trimmedView(paymentMethod));
    if (method.isEmpty() || method.contains(QLatin1String("CONTANT"))
        || method == QLatin1String("CASSA"))
        return Channel::Cash;
    return Channel::Bank;
}

QString causaleKey(QStringView causale)
{
    QString key = text::upperAZ(text::trimmedView(causale));
    for (QChar &c : key) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return key;
}

YearTotals readYearTotals(const QString &path, int year, store::ScanControl *control)
{
    YearTotals totals;
    totals.year = year;
    constexpr std::array<int, 3> kFields = {MovementFieldIndex::SignedAmount,
        MovementFieldIndex::Purpose, MovementFieldIndex::PaymentMethod};
    QString causale;
    QString method;
    // No line is made: the scan only adds up, record by record.
    const store::ListLines lines = store::scanLines(
        path, journal::kMovementRecordSize,
        [&](QByteArrayView record, store::LineBuilder &) {
            const QByteArrayView amount = fieldBytes(record, MovementFieldIndex::SignedAmount);
            const std::optional<qint64> cents = balance::parseCents(amount);
            const bool income = amount.startsWith('+');
            if (!cents || (!income && !amount.startsWith('-'))) {
                ++totals.unreadable;
                return false;
            }
            const QStringView purpose
                = store::decodeCp1252(fieldBytes(record, MovementFieldIndex::Purpose), causale);
            addTo(income ? totals.income : totals.expenses, purpose, income ? *cents : -*cents);
            const Channel channel = channelOf(
                store::decodeCp1252(fieldBytes(record, MovementFieldIndex::PaymentMethod), method));
            (channel == Channel::Cash ? totals.cashNet : totals.bankNet) += *cents;
            return false;
        },
        journal::movementLayout().readAhead(kFields), control);
    totals.archiveOk = lines.archiveOk;
    if (totals.archiveOk && QFileInfo(path).size() % journal::kMovementRecordSize != 0)
        ++totals.unreadable;
    return totals;
}

std::vector<int> journalYears(const QString &folder)
{
    std::vector<int> years;
    const QStringList names = QDir(folder).entryList(
        {QStringLiteral("*") + QLatin1String(journal::kJournalExtension)}, QDir::Files);
    for (const QString &name : names) {
        const journal::JournalYear year = journal::readJournalYear(
            name.chopped(qsizetype(qstrlen(journal::kJournalExtension))));
        if (year.accepted() && name.size() == 8)
            years.push_back(year.year);
    }
    std::sort(years.begin(), years.end());
    return years;
}

} // namespace almavest::statement
