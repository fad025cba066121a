#include "checks/TaxCodeRules.h"

#include "checks/CodeChecks.h"
#include "places/PlaceRegister.h"
#include "text/TextRoutines.h"

#include <algorithm>
#include <array>

namespace almavest::checks {

namespace {

// The month letters, January to December.
constexpr std::array<char16_t, 12> kMonthLetters
    = {u'A', u'B', u'C', u'D', u'E', u'H', u'L', u'M', u'P', u'R', u'S', u'T'};
// The letters that stand for the digits 0 to 9 in a homonym's code.
constexpr std::array<char16_t, 10> kDigitLetters
    = {u'L', u'M', u'N', u'P', u'Q', u'R', u'S', u'T', u'U', u'V'};
// The places of the seven digits a homonym's code may replace, last first.
constexpr std::array<int, 7> kDigitPlaces = {14, 13, 12, 10, 9, 7, 6};
constexpr int kWomanDayOffset = 40;

bool isVowel(QChar letter)
{
    return QStringView(u"AEIOU").contains(letter);
}

QString threeLetters(const QString &consonants, const QString &vowels)
{
    return QString(consonants + vowels + QStringLiteral("XXX")).left(3);
}

void split(QStringView text, QString &consonants, QString &vowels)
{
    for (const QChar c : codeLetters(text))
        (isVowel(c) ? vowels : consonants).append(c);
}

// The digit that `c` stands for in place of a digit: itself, or its homonym letter.
std::optional<int> digitAt(QChar c, int &substitutions)
{
    if (c >= u'0' && c <= u'9')
        return int(c.unicode() - u'0');
    for (size_t digit = 0; digit < kDigitLetters.size(); ++digit) {
        if (c == kDigitLetters.at(digit)) {
            ++substitutions;
            return int(digit);
        }
    }
    return std::nullopt;
}

} // namespace

QString codeLetters(QStringView text)
{
    QString letters;
    for (const QChar c : places::nameKey(text)) {
        if (c >= u'A' && c <= u'Z')
            letters.append(c);
    }
    return letters;
}

QString surnameLetters(QStringView surname)
{
    QString consonants;
    QString vowels;
    split(surname, consonants, vowels);
    return threeLetters(consonants, vowels);
}

QString nameLetters(QStringView name)
{
    QString consonants;
    QString vowels;
    split(name, consonants, vowels);
    if (consonants.size() >= 4)
        return QString(consonants.at(0)) + consonants.at(2) + consonants.at(3);
    return threeLetters(consonants, vowels);
}

std::optional<QString> taxCodeOf(const TaxCodePerson &person)
{
    const QString place = person.placeCode.trimmed().toUpper();
    const bool placeReadable = place.size() == 4 && place.at(0) >= u'A' && place.at(0) <= u'Z'
        && std::all_of(place.begin() + 1, place.end(), [](QChar c) { return c.isDigit(); });
    if (codeLetters(person.surname).isEmpty() || codeLetters(person.name).isEmpty()
        || !person.birthDate.isValid() || !placeReadable)
        return std::nullopt;
    const QDate &birth = person.birthDate;
    const int day = birth.day() + (person.sex == Sex::Female ? kWomanDayOffset : 0);
    const QString first = surnameLetters(person.surname) + nameLetters(person.name)
        + QStringLiteral("%1").arg(birth.year() % 100, 2, 10, QLatin1Char('0'))
        + QChar(kMonthLetters.at(size_t(birth.month() - 1)))
        + QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')) + place;
    const std::optional<QChar> check = taxCodeCheckCharacter(first);
    if (!check)
        return std::nullopt;
    return first + *check;
}

std::optional<TaxCodeBirth> readTaxCode(QStringView code, QDate today)
{
    if (!taxCodeValid(code))
        return std::nullopt;
    const QString upper = code.toString().toUpper();
    for (int p = 0; p < 6; ++p) {
        if (upper.at(p) < u'A' || upper.at(p) > u'Z')
            return std::nullopt;
    }
    // Digits are replaced from the last one back, so a digit never stands after a letter.
    TaxCodeBirth birth;
    QString digits;
    bool replacing = true;
    for (const int place : kDigitPlaces) {
        int replaced = 0;
        const std::optional<int> digit = digitAt(upper.at(place), replaced);
        if (!digit || (replaced > 0 && !replacing))
            return std::nullopt;
        replacing = replaced > 0;
        birth.substitutions += replaced;
        digits.prepend(QChar(u'0' + *digit));
    }
    // digits: year (2), day (2), place (3), in the order of the code.
    const int year = digits.mid(0, 2).toInt();
    const int dayCode = digits.mid(2, 2).toInt();
    const qsizetype month
        = QStringView(kMonthLetters.data(), kMonthLetters.size()).indexOf(upper.at(8));
    if (month < 0 || upper.at(11) < u'A' || upper.at(11) > u'Z')
        return std::nullopt;
    birth.sex = dayCode > kWomanDayOffset ? Sex::Female : Sex::Male;
    const int day = dayCode > kWomanDayOffset ? dayCode - kWomanDayOffset : dayCode;
    const int century = 2000 + year <= today.year() ? 2000 : 1900;
    birth.birthDate = QDate(century + year, int(month) + 1, day);
    if (!birth.birthDate.isValid() || day == 0)
        return std::nullopt;
    birth.placeCode = upper.at(11) + digits.mid(4, 3);
    return birth;
}

QString birthDescription(const TaxCodeBirth &birth, const places::PlaceRegister &places)
{
    const bool woman = birth.sex == Sex::Female;
    QString text = (woman ? QStringLiteral("Nata il ") : QStringLiteral("Nato il "))
        + birth.birthDate.toString(QStringLiteral("dd/MM/yyyy"));
    const std::optional<places::Place> place = places.byCode(birth.placeCode, birth.birthDate);
    if (!place) {
        text += QStringLiteral(" nel luogo di codice ") + birth.placeCode
            + QStringLiteral(", che non risulta nell'elenco dei comuni e degli stati esteri.");
    } else if (place->isForeign()) {
        text += QStringLiteral(" all'estero (") + place->name + QStringLiteral(").");
    } else {
        text += QStringLiteral(" a ") + place->label() + u'.';
    }
    if (birth.substitutions == 1) {
        text += QStringLiteral(
            "\r\nCodice di un caso di omocodia: 1 cifra sostituita da una lettera.");
    } else if (birth.substitutions > 1) {
        text += QStringLiteral("\r\nCodice di un caso di omocodia: %1 cifre sostituite da lettere.")
                    .arg(birth.substitutions);
    }
    return text;
}

FullName splitFullName(QStringView fullName)
{
    // Words that begin a surname of two: "De Luca", "La Rosa", "Van Gogh".
    static const QStringList particles = {QStringLiteral("DA"), QStringLiteral("DAL"),
        QStringLiteral("DALLA"), QStringLiteral("DALLE"), QStringLiteral("DE"),
        QStringLiteral("DEI"), QStringLiteral("DEL"), QStringLiteral("DELL"),
        QStringLiteral("DELLA"), QStringLiteral("DELLE"), QStringLiteral("DEGLI"),
        QStringLiteral("DI"), QStringLiteral("D"), QStringLiteral("LA"), QStringLiteral("LE"),
        QStringLiteral("LI"), QStringLiteral("LO"), QStringLiteral("SAN"), QStringLiteral("SANTA"),
        QStringLiteral("VAN"), QStringLiteral("VON")};
    const QStringList words = fullName.toString().simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    qsizetype surnameWords = 1;
    // "D'Amico" is one word already; "D' Amico" two.
    QString first = words.at(0).toUpper();
    if (first.endsWith(u'\''))
        first.chop(1);
    if (words.size() > 2 && particles.contains(first))
        surnameWords = 2;
    return {words.first(surnameWords).join(u' '), words.mid(surnameWords).join(u' ')};
}

QStringList taxCodeDisagreements(QStringView code, QStringView birthDate, QStringView birthPlace,
    QDate today, const places::PlaceRegister &places)
{
    const std::optional<TaxCodeBirth> birth = readTaxCode(code.trimmed(), today);
    if (!birth)
        return {};
    QStringList disagree;
    const std::optional<QDate> cardDate
        = birthDate.trimmed().isEmpty() ? std::nullopt : text::parseDate(birthDate, today);
    if (cardDate && *cardDate != birth->birthDate) {
        disagree.append(QStringLiteral("la data di nascita (nel codice: ")
            + birth->birthDate.toString(QStringLiteral("dd/MM/yyyy")) + u')');
    }
    const QList<places::Place> named = places.byName(birthPlace, birth->birthDate);
    const bool placeAgrees = std::any_of(named.begin(), named.end(),
        [&](const places::Place &place) { return place.code == birth->placeCode; });
    if (!named.isEmpty() && !placeAgrees) {
        const std::optional<places::Place> coded
            = places.byCode(birth->placeCode, birth->birthDate);
        disagree.append(QStringLiteral("il luogo di nascita (nel codice: ")
            + (coded ? coded->label() : birth->placeCode) + u')');
    }
    return disagree;
}

} // namespace almavest::checks
