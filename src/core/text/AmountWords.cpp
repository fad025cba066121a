#include "text/AmountWords.h"

#include <array>

namespace almavest::text {

namespace {

constexpr std::array<const char *, 20> kUnits = {"zero", "uno", "due", "tre", "quattro", "cinque",
    "sei", "sette", "otto", "nove", "dieci", "undici", "dodici", "tredici", "quattordici",
    "quindici", "sedici", "diciassette", "diciotto", "diciannove"};
constexpr std::array<const char *, 10> kTens = {"", "", "venti", "trenta", "quaranta", "cinquanta",
    "sessanta", "settanta", "ottanta", "novanta"};
constexpr qint64 kThousand = 1000;
constexpr qint64 kMillion = kThousand * kThousand;
constexpr qint64 kBillion = kThousand * kMillion;

// 1 to 999, for the end of a number or before "mila"; empty for 0.
QString belowThousand(int number)
{
    QString words;
    const int hundreds = number / 100;
    const int rest = number % 100;
    if (hundreds > 0)
        words = (hundreds > 1 ? QLatin1String(kUnits.at(size_t(hundreds))) : QString())
            + QStringLiteral("cento");
    if (rest == 0)
        return words;
    QString tail;
    if (rest < 20) {
        tail = QLatin1String(kUnits.at(size_t(rest)));
    } else {
        QString ten = QLatin1String(kTens.at(size_t(rest / 10)));
        const int unit = rest % 10;
        // "ventuno", "trentotto": the ten drops its vowel before uno and otto.
        if (unit == 1 || unit == 8)
            ten.chop(1);
        tail = ten + (unit > 0 ? QLatin1String(kUnits.at(size_t(unit))) : QLatin1String(""));
    }
    // "centottanta": cento drops its vowel before ottanta (but not before otto: "centootto").
    if (hundreds > 0 && rest / 10 == 8)
        words.chop(1);
    return words + tail;
}

} // namespace

std::optional<QString> numberInWords(qint64 number)
{
    if (number < 0 || number >= kThousand * kBillion)
        return std::nullopt;
    if (number == 0)
        return QStringLiteral("zero");
    const auto group = [](qint64 count, const char *one, const char *many) -> QString {
        if (count == 0)
            return QString();
        if (count == 1)
            return QString::fromUtf8(one);
        return QString(belowThousand(int(count)) + QString::fromUtf8(many));
    };
    QString words = group(number / kBillion, "unmiliardo", "miliardi")
        + group(number / kMillion % kThousand, "unmilione", "milioni")
        + group(number / kThousand % kThousand, "mille", "mila")
        + belowThousand(int(number % kThousand));
    // A final "tre" of more than one word is written with its accent: "ventitré", "milletré".
    if (words.endsWith(QLatin1String("tre")) && words.size() > 3)
        words.replace(words.size() - 1, 1, QStringLiteral("é"));
    return words;
}

std::optional<QString> amountInWords(qint64 cents)
{
    if (cents < 0)
        return std::nullopt;
    const std::optional<QString> euros = numberInWords(cents / 100);
    if (!euros)
        return std::nullopt;
    return *euros + u'/' + QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
}

} // namespace almavest::text
