#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

// The small routines every screen shares. Dates are always dd/mm/yyyy and amounts always use a
// decimal comma with no thousands separator, whatever the system locale says.
namespace almavest::text {

// Removes every character at or below the blank (blanks and control characters) at both ends.
QString trimmed(QStringView text);
// The same, as a view of `text`: for the scans, which read every record.
QStringView trimmedView(QStringView text);
// Casing of the letters A to Z only; accented letters stay as they are.
QString upperAZ(QStringView text);
QString lowerAZ(QStringView text);
// True when every character is 0-9; the empty text is digits-only.
bool isDigitsOnly(QStringView text);

QString leftPart(QStringView text, int count);
QString rightPart(QStringView text, int count);

// Reads day/month[/year][/] with blanks allowed before each number; a missing year is today's,
// a one- or two-digit year falls in the hundred years starting 50 years before today.
std::optional<QDate> parseDate(QStringView text, QDate today);
bool isValidDate(QStringView text, QDate today);
// dd/mm/yyyy.
QString formatDate(QDate date);

// Half away from zero: whole part of value * 10^decimals + 0.5 (- 0.5 for a negative value),
// the multiplication and the addition carried out in extended precision, divided by
// 10^decimals.
double roundDecimal(double value, int decimals);

// Reads an amount typed with a decimal comma (optional sign and exponent, as a number field
// would); nullopt when it is not a number.
std::optional<double> parseAmount(QStringView text);
// Shortest decimal form of a number with a decimal comma: 12, 12,5, 12,3457.
QString formatShortest(double value);
// What an amount field shows once left: "0,00" for blank or unreadable text, otherwise the
// value rounded to `decimals` places with at least two decimals shown.
QString normaliseAmount(QStringView text, int decimals);
// An amount written as people write it elsewhere ("1.234,50", "1,234.50", "€ 25.00 EUR"), as
// plain digits with a decimal comma and every decimal kept ("1234,50", "25,00"). A point or a
// comma before the last one or two digits, or the only comma, is the decimal separator; points,
// commas, blanks and apostrophes between groups of three digits are thousands separators; a euro
// sign or "EUR" before or after is dropped. Nullopt when the text is no amount, is negative (an
// amount box holds no sign) or groups its digits wrongly ("12.5.3", "1,2,3").
std::optional<QString> plainAmount(QStringView input);
// The amount in `input` as an amount box shows it once left (see normaliseAmount), read as
// plainAmount() reads it; a blank text is "0,00". Nullopt when it cannot be read as an amount or
// has more significant digits than the rounding keeps exactly (15), which would change it.
std::optional<QString> amountFromInput(const QString &input, int decimals);

// The text trimmed of blanks, padded with blanks and cut to exactly `width` characters.
QString fixedColumn(QStringView text, int width);

} // namespace almavest::text
