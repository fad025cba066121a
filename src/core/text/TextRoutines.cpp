#include "text/TextRoutines.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>

namespace almavest::text {

namespace {

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= u' ';
}

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Reads the text left to right; every step either consumes what it expects or leaves the
// position where it was.
class Scanner final
{
public:
    explicit Scanner(QStringView text)
        : m_text(text)
    { }

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text[m_pos]; }

    void skipSpaces()
    {
        while (!atEnd() && m_text[m_pos] == u' ')
            ++m_pos;
    }

    bool take(QChar c)
    {
        if (atEnd() || m_text[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }

    // A decimal number below 10000, leading zeros allowed; `digits` counts the digits typed.
    bool number(int &value, int &digits)
    {
        skipSpaces();
        const qsizetype start = m_pos;
        value = 0;
        while (!atEnd() && isDigit(m_text[m_pos]) && value < 1000) {
            value = value * 10 + (m_text[m_pos].unicode() - u'0');
            ++m_pos;
        }
        digits = static_cast<int>(m_pos - start);
        return digits > 0;
    }

    // Copies a run of digits into `out`; the number of digits copied.
    int digitRun(QByteArray &out)
    {
        int count = 0;
        while (!atEnd() && isDigit(m_text[m_pos])) {
            out.append(static_cast<char>(m_text[m_pos].unicode()));
            ++m_pos;
            ++count;
        }
        return count;
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

int windowedYear(int year, int today)
{
    const int centuryBase = today - 50;
    year += centuryBase / 100 * 100;
    if (year < centuryBase)
        year += 100;
    return year;
}

// Rewrites an exponent form of Qt's ("1.5e+20") as plain digits, so that an amount never
// reaches a field in a form that cannot be read back.
QString expandExponent(const QString &general)
{
    const qsizetype e = general.indexOf(u'e');
    if (e < 0)
        return general;
    const int exponent = general.mid(e + 1).toInt();
    QString mantissa = general.left(e);
    const bool negative = mantissa.startsWith(u'-');
    if (negative)
        mantissa.remove(0, 1);
    QString digits = mantissa;
    digits.remove(u'.');
    QString plain;
    if (exponent >= 0) {
        const int whole = exponent + 1;
        if (digits.size() <= whole)
            plain = digits + QString(whole - digits.size(), u'0');
        else
            plain = digits.left(whole) + u'.' + digits.mid(whole);
    } else {
        plain = QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
    }
    return negative ? u'-' + plain : plain;
}

} // namespace

QStringView trimmedView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QString trimmed(QStringView text)
{
    return trimmedView(text).toString();
}

QString upperAZ(QStringView text)
{
    QString result = text.toString();
    for (QChar &c : result) {
        if (c.unicode() >= u'a' && c.unicode() <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return result;
}

QString lowerAZ(QStringView text)
{
    QString result = text.toString();
    for (QChar &c : result) {
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(c.unicode() - u'A' + u'a');
    }
    return result;
}

bool isDigitsOnly(QStringView text)
{
    for (const QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

QString leftPart(QStringView text, int count)
{
    return count <= 0 ? QString() : text.left(count).toString();
}

QString rightPart(QStringView text, int count)
{
    return count <= 0 ? QString() : text.right(count).toString();
}

std::optional<QDate> parseDate(QStringView text, QDate today)
{
    Scanner scan(text);
    int day = 0, month = 0, year = today.year();
    int digits = 0;
    if (!scan.number(day, digits) || !scan.take(u'/') || !scan.number(month, digits))
        return std::nullopt;
    if (scan.take(u'/')) {
        scan.skipSpaces();
        if (isDigit(scan.peek())) {
            scan.number(year, digits);
            if (digits <= 2)
                year = windowedYear(year, today.year());
            scan.take(u'/');
        }
    }
    scan.skipSpaces();
    if (!scan.atEnd() || year < 1 || year > 9999)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

bool isValidDate(QStringView text, QDate today)
{
    return parseDate(text, today).has_value();
}

QString formatDate(QDate date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

double roundDecimal(double value, int decimals)
{
    long double factor = 1.0L;
    for (int i = 0; i < decimals; ++i)
        factor *= 10.0L;
    // Half away from zero: a negative value is rounded as its positive counterpart.
    const long double half = std::signbit(value) ? -0.5L : 0.5L;
    const long double scaled = static_cast<long double>(value) * factor + half;
    // Beyond 2^63 there is no fraction left to drop, and NaN has none either.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 0x1p63L)
        return value;
    // A negative value that rounds to nothing is zero, not minus zero.
    return static_cast<double>(std::trunc(scaled) / factor) + 0.0;
}

std::optional<double> parseAmount(QStringView text)
{
    const QString clean = trimmed(text);
    Scanner scan(clean);
    QByteArray number;
    if (scan.take(u'-'))
        number.append('-');
    else
        scan.take(u'+');
    int digits = scan.digitRun(number);
    if (scan.take(u',')) {
        number.append('.');
        digits += scan.digitRun(number);
    }
    if (digits == 0)
        return std::nullopt;
    if (scan.take(u'e') || scan.take(u'E')) {
        number.append('e');
        if (scan.take(u'-'))
            number.append('-');
        else
            scan.take(u'+');
        if (scan.digitRun(number) == 0)
            return std::nullopt;
    }
    if (!scan.atEnd())
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString formatShortest(double value)
{
    if (value == 0.0)
        return QStringLiteral("0"); // never "-0"
    QString text = expandExponent(QString::number(value, 'g', 15));
    text.replace(u'.', u',');
    return text;
}

QString normaliseAmount(QStringView text, int decimals)
{
    const std::optional<double> value = parseAmount(text);
    if (!value)
        return QStringLiteral("0,00"); // blank or unreadable alike
    QString result = formatShortest(roundDecimal(*value, decimals));
    if (!result.contains(u','))
        result += QStringLiteral(",00");
    else if (result.size() >= 2 && result[result.size() - 2] == u',')
        result += u'0';
    return result;
}

namespace {

// The most significant digits a double carries through the rounding and the shortest form
// unchanged.
constexpr int kExactDigits = 15;

bool isAmountBlank(QChar c)
{
    return c.isSpace() || c.category() == QChar::Separator_Space;
}

QStringView withoutBlanks(QStringView text)
{
    while (!text.isEmpty() && isAmountBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isAmountBlank(text.back()))
        text.chop(1);
    return text;
}

// Drops one currency mark ("€", "EUR", "Euro") from the front or the back of `text`.
QStringView withoutCurrency(QStringView text, bool front)
{
    for (const QStringView mark :
        {QStringView(u"\u20AC"), QStringView(u"EURO"), QStringView(u"EUR")}) {
        if (front && text.startsWith(mark, Qt::CaseInsensitive))
            return withoutBlanks(text.sliced(mark.size()));
        if (!front && text.endsWith(mark, Qt::CaseInsensitive))
            return withoutBlanks(text.first(text.size() - mark.size()));
    }
    return text;
}

bool isGroupSeparator(QChar c)
{
    return isAmountBlank(c) || c == u'\'' || c == u'\u2019';
}

// True when the digit groups before the decimal separator are one group of one to three digits
// that does not start with 0, then groups of exactly three.
bool wellGrouped(const QList<QStringView> &groups)
{
    if (groups.isEmpty() || groups.front().isEmpty() || groups.front().size() > 3
        || groups.front().front() == u'0')
        return false;
    return std::all_of(
        groups.begin() + 1, groups.end(), [](QStringView group) { return group.size() == 3; });
}

} // namespace

std::optional<QString> plainAmount(QStringView input)
{
    QStringView text = withoutBlanks(input);
    bool signSeen = false;
    const auto takeSign = [&] {
        if (signSeen || text.isEmpty() || (text.front() != u'+' && text.front() != u'-'))
            return true;
        signSeen = true;
        const bool negative = text.front() == u'-';
        text = withoutBlanks(text.sliced(1));
        return !negative;
    };
    if (!takeSign())
        return std::nullopt;
    text = withoutCurrency(text, true);
    if (!takeSign())
        return std::nullopt;
    text = withoutCurrency(text, false);

    // Split into runs of digits and the one separator after each.
    QList<QStringView> groups;
    QList<QChar> separators;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && isDigit(text[i]))
            continue;
        groups.append(text.sliced(start, i - start));
        if (i == text.size())
            break;
        const QChar c = text[i];
        if (c != u'.' && c != u',' && !isGroupSeparator(c))
            return std::nullopt;
        separators.append(isGroupSeparator(c) ? QChar(u' ') : c);
        start = i + 1;
    }
    const qsizetype points = separators.count(u'.');
    const qsizetype commas = separators.count(u',');

    // Which separator, if any, stands before the decimals.
    qsizetype decimal = -1;
    if (points > 0 && commas > 0) {
        decimal = std::max(separators.lastIndexOf(u'.'), separators.lastIndexOf(u','));
        if (separators.count(separators[decimal]) != 1)
            return std::nullopt;
    } else if (commas == 1) {
        decimal = separators.indexOf(u','); // our own decimal comma, however many decimals
    } else if (points == 1) {
        decimal = separators.indexOf(u'.');
        // "1.234" is a thousand two hundred and thirty-four, as Italians write it.
        const bool groupOfThousand = groups[decimal + 1].size() == 3
            && decimal == separators.size() - 1 && wellGrouped(groups.first(decimal + 1));
        if (groupOfThousand)
            decimal = -1;
    }
    const qsizetype wholeGroups = decimal < 0 ? groups.size() : decimal + 1;
    if (decimal >= 0 && decimal != separators.size() - 1)
        return std::nullopt; // no separator among the decimals
    // Every separator before the decimals is a thousands separator, all of one kind.
    const QList<QChar> thousands = separators.first(wholeGroups - 1);
    if (!thousands.isEmpty()) {
        if (thousands.count(thousands.front()) != thousands.size()
            || !wellGrouped(groups.first(wholeGroups)))
            return std::nullopt;
    }

    QString whole;
    for (qsizetype i = 0; i < wholeGroups; ++i)
        whole += groups[i];
    const QStringView decimals = decimal < 0 ? QStringView() : groups.back();
    if (whole.isEmpty() && decimals.isEmpty())
        return std::nullopt;
    while (whole.size() > 1 && whole.front() == u'0')
        whole.remove(0, 1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    return decimals.isEmpty() ? whole : whole + u',' + decimals;
}

std::optional<QString> amountFromInput(const QString &input, int decimals)
{
    if (trimmedView(input).isEmpty())
        return normaliseAmount(input, decimals);
    const std::optional<QString> plain = plainAmount(input);
    if (!plain)
        return std::nullopt;
    // The digits that survive the rounding: the whole part without its leading zeros and the
    // decimals kept, without their trailing zeros.
    const qsizetype comma = plain->indexOf(u',');
    const QStringView whole = QStringView(*plain).first(comma < 0 ? plain->size() : comma);
    QStringView fraction = comma < 0 ? QStringView() : QStringView(*plain).sliced(comma + 1);
    fraction = fraction.first(std::min<qsizetype>(fraction.size(), std::max(decimals, 0)));
    while (!fraction.isEmpty() && fraction.back() == u'0')
        fraction.chop(1);
    const qsizetype wholeDigits = whole == u"0" ? 0 : whole.size();
    if (wholeDigits + fraction.size() > kExactDigits)
        return std::nullopt;
    return normaliseAmount(*plain, decimals);
}

QString fixedColumn(QStringView text, int width)
{
    if (width <= 0)
        return {};
    const QString padded = trimmed(text) + QString(width, u' ');
    return padded.left(width);
}

} // namespace almavest::text
