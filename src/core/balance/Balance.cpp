#include "balance/Balance.h"

#include "journal/MovementRecord.h"
#include "journal/MovementSelection.h"
#include "registry/MemberSelection.h"
#include "store/Cp1252.h"
#include "store/FieldSearch.h"
#include "store/IndexedLines.h"
#include "text/TextRoutines.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

namespace almavest::balance {

namespace {

using journal::MovementFieldIndex;

constexpr int kTypeWidth = 9;
constexpr int kPurposeWidth = 40;
constexpr int kDateWidth = 10;
constexpr int kPartyWidth = 28;
constexpr QByteArrayView kIncomeType = "ENTRATA";
constexpr QByteArrayView kExpenseType = "USCITA";
constexpr QByteArrayView kDateLabel = "  Data: ";
constexpr QByteArrayView kPayerLabel = "  Da: ";
constexpr QByteArrayView kBeneficiaryLabel = "  A: ";
// An amount field holds 14 characters: never more than 14 digits.
constexpr int kMaxDigits = 14;

QByteArrayView fieldBytes(QByteArrayView record, int field)
{
    return journal::movementLayout().textBytes(record, field);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Writes the balance line of the movement whose fields `textOf` gives into `line`.
template <typename TextOf> void buildLine(const TextOf &textOf, store::LineBuilder &line)
{
    const QByteArrayView amount = textOf(MovementFieldIndex::SignedAmount);
    const bool income = amount.startsWith('+');
    const bool expense = amount.startsWith('-');
    line.appendColumn(income ? kIncomeType : expense ? kExpenseType : QByteArrayView(), kTypeWidth);
    line.appendColumn(textOf(MovementFieldIndex::Purpose), kPurposeWidth);
    line.append(kDateLabel);
    line.appendColumn(textOf(MovementFieldIndex::OperationDate), kDateWidth);
    line.append(kPayerLabel);
    line.appendColumn(textOf(MovementFieldIndex::Payer), kPartyWidth);
    line.append(kBeneficiaryLabel);
    line.appendColumn(textOf(MovementFieldIndex::Beneficiary), kPartyWidth);
    line.append(journal::kAmountLabel);
    line.append(amount);
}

} // namespace

std::optional<qint64> parseCents(QByteArrayView text)
{
    const QByteArrayView clean = text.trimmed();
    qsizetype i = 0;
    const bool negative = clean.startsWith('-');
    if (negative || clean.startsWith('+'))
        ++i;
    qint64 whole = 0;
    int digits = 0;
    // The count is checked before each digit is taken in, so that a long run of digits cannot
    // overflow the whole part.
    for (; i < clean.size() && isDigit(clean[i]); ++i, ++digits) {
        if (digits == kMaxDigits)
            return std::nullopt;
        whole = whole * 10 + (clean[i] - '0');
    }
    qint64 cents = 0;
    int decimals = 0;
    bool roundUp = false;
    if (i < clean.size() && clean[i] == ',') {
        for (++i; i < clean.size() && isDigit(clean[i]); ++i, ++decimals) {
            if (decimals < 2)
                cents = cents * 10 + (clean[i] - '0');
            else if (decimals == 2)
                roundUp = clean[i] >= '5';
        }
    }
    if (i != clean.size() || digits + decimals == 0)
        return std::nullopt;
    for (int d = std::min(decimals, 2); d < 2; ++d)
        cents *= 10;
    const qint64 value = whole * 100 + cents + (roundUp ? 1 : 0);
    return negative ? -value : value;
}

QString formatCents(qint64 cents)
{
    const bool negative = cents < 0;
    // Held as unsigned so that the most negative value keeps its digits.
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(cents) : quint64(cents);
    const quint64 fraction = magnitude % 100;
    return QStringLiteral("%1%2,%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(fraction, 2, 10, QLatin1Char('0'));
}

QString totalText(qint64 cents)
{
    return formatCents(cents) + QStringLiteral(" €");
}

QString intervalText(QDate from, QDate to)
{
    return QStringLiteral("Dal   %1   al   %2").arg(text::formatDate(from), text::formatDate(to));
}

QString balanceLine(QByteArrayView record)
{
    store::LineBuilder line;
    buildLine([record](int field) { return fieldBytes(record, field); }, line);
    return line.line();
}

BalanceSummary summarise(const BalanceRequest &request, store::ScanControl *control)
{
    BalanceSummary summary;
    // The purpose is compared as typed, A-Z in any case, as the movement search compares it, so
    // that the same text lists the same movements in both.
    constexpr std::array<int, 1> kPurposeField = {MovementFieldIndex::Purpose};
    const std::array<QString, 1> typed = {request.purpose};
    const store::FieldSearch purpose(journal::movementLayout(), kPurposeField, typed);
    const bool filtered = purpose.filledCount() > 0;
    // Every movement's date and amount are read into the totals, unless the purpose leaves it
    // out first; its line is made from the fields below, when it is shown where the year has a
    // compact copy, and while the year is scanned where it has none.
    constexpr std::array<int, 5> kLineFields = {MovementFieldIndex::SignedAmount,
        MovementFieldIndex::Purpose, MovementFieldIndex::OperationDate, MovementFieldIndex::Payer,
        MovementFieldIndex::Beneficiary};
    std::vector<int> readAhead
        = filtered ? purpose.readAhead() : journal::movementLayout().readAhead(kLineFields);
    summary.lines = store::linesOf(
        request.archivePath, journal::movementLayout(), journal::movementIndexedFields(),
        kLineFields,
        [&](const auto &textOf) {
            if (filtered && !purpose.matchesTexts(textOf))
                return false;
            const auto date
                = registry::recordDate(textOf(MovementFieldIndex::OperationDate), request.to);
            if (date && (*date < request.from || *date > request.to))
                return false;
            const QByteArrayView amountBytes = textOf(MovementFieldIndex::SignedAmount);
            const auto cents = parseCents(amountBytes);
            if (!date || !cents) {
                ++summary.unreadable;
                return false;
            }
            if (amountBytes.startsWith('+'))
                summary.incomeCents += *cents;
            else if (amountBytes.startsWith('-'))
                summary.expenseCents += *cents;
            summary.balanceCents += *cents;
            return true;
        },
        [](const auto &textOf, store::LineBuilder &line) { buildLine(textOf, line); },
        std::move(readAhead), control,
        // A copy that could not be read to the end counted part of the year.
        [&summary] { summary = BalanceSummary(); });
    // Reading never creates the year where the folder cannot be written: nothing was there.
    const QFileInfo file(request.archivePath);
    summary.yearMissing = summary.lines.archiveOk && !file.exists();
    // A record cut short at the end of the file is left out by the scan: it still counts as one
    // the summary could not read.
    if (summary.lines.archiveOk && file.size() % journal::kMovementRecordSize != 0)
        ++summary.unreadable;
    return summary;
}

QStringList summaryFooter(const QString &interval, const BalanceSummary &summary)
{
    return {QStringLiteral("- - - - - - - - - - - - - - - -"),
        QStringLiteral("INTERVALLO SELEZIONATO :      ") + text::trimmed(interval),
        QStringLiteral("TOTALE ENTRATE :              ") + totalText(summary.incomeCents),
        QStringLiteral("TOTALE USCITE :               ") + totalText(summary.expenseCents),
        QStringLiteral("BILANCIO ENTRATE E USCITE :   ") + totalText(summary.balanceCents)};
}

} // namespace almavest::balance
