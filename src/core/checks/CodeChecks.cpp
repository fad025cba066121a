#include "checks/CodeChecks.h"

#include "text/TextRoutines.h"

#include <array>
#include <optional>

namespace almavest::checks {

namespace {

// Values of the characters in odd places of a codice fiscale, by letter from A; the digits 0 to
// 9 count as the letters A to J. In even places a character is worth its letter's place.
constexpr std::array<int, 26> kOddValues = {
    1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18, 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

// The place of a digit or letter A to Z in the tables: 0 to 9 for the digits, 0 to 25 for the
// letters; nullopt for anything else.
std::optional<int> tablePlace(QChar character)
{
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9')
        return int(c - u'0');
    if (c >= u'A' && c <= u'Z')
        return int(c - u'A');
    return std::nullopt;
}

struct Office
{
    int code;
    const char *town;
};

// The provincial VAT offices by their three-digit code.
constexpr Office kOffices[] = {{1, "Torino"}, {2, "Vercelli"}, {3, "Novara"}, {4, "Cuneo"},
    {5, "Asti"}, {6, "Alessandria"}, {7, "Aosta"}, {8, "Imperia"}, {9, "Savona"}, {10, "Genova 1"},
    {11, "La Spezia"}, {12, "Varese"}, {13, "Como"}, {14, "Sondrio"}, {15, "Milano 1"},
    {16, "Bergamo"}, {17, "Brescia 1"}, {18, "Pavia"}, {19, "Cremona"}, {20, "Mantova"},
    {21, "Bolzano"}, {22, "Trento"}, {23, "Verona"}, {24, "Vicenza"}, {25, "Belluno"},
    {26, "Treviso"}, {27, "Venezia"}, {28, "Padova"}, {29, "Rovigo"}, {30, "Udine"},
    {31, "Gorizia"}, {32, "Trieste"}, {33, "Piacenza"}, {34, "Parma"}, {35, "Reggio Emilia"},
    {36, "Modena"}, {37, "Bologna 1"}, {38, "Ferrara"}, {39, "Ravenna"}, {40, "Forlì"},
    {41, "Pesaro"}, {42, "Ancona"}, {43, "Macerata"}, {44, "Ascoli Piceno"}, {45, "Massa Carrara"},
    {46, "Lucca"}, {47, "Pistoia"}, {48, "Firenze 1"}, {49, "Livorno"}, {50, "Pisa"},
    {51, "Arezzo"}, {52, "Siena"}, {53, "Grosseto"}, {54, "Perugia"}, {55, "Terni"},
    {56, "Viterbo"}, {57, "Rieti"}, {58, "Roma 1"}, {59, "Latina"}, {60, "Frosinone"},
    {61, "Caserta"}, {62, "Benevento"}, {63, "Napoli 1"}, {64, "Avellino"}, {65, "Salerno"},
    {66, "Aquila"}, {67, "Teramo"}, {68, "Pescara"}, {69, "Chieti"}, {70, "Campobasso"},
    {71, "Foggia"}, {72, "Bari"}, {73, "Taranto"}, {74, "Brindisi"}, {75, "Lecce"}, {76, "Potenza"},
    {77, "Matera"}, {78, "Cosenza"}, {79, "Catanzaro"}, {80, "Reggio Calabria"}, {81, "Trapani"},
    {82, "Palermo"}, {83, "Messina"}, {84, "Agrigento"}, {85, "Caltanissetta"}, {86, "Enna"},
    {87, "Catania"}, {88, "Ragusa"}, {89, "Siracusa"}, {90, "Sassari"}, {91, "Nuoro"},
    {92, "Cagliari"}, {93, "Pordenone"}, {94, "Isernia"}, {95, "Oristano"},
    {96, "Monza (Milano 2)"}, {97, "Prato (Firenze 2)"}, {98, "Brescia 2"},
    {99, "Chiavari (Genova 2)"}, {100, "Roma 2"}, {101, "Bologna 2"}, {102, "Napoli 2"},
    {120, "Bologna 2"}, {121, "Napoli 2"}};

// The number an IBAN stands for, as decimal digits: its first four characters moved to the end,
// each letter written as its number; nullopt when a character is neither a digit nor a letter.
std::optional<QString> ibanDigits(QStringView text)
{
    QString upper = text.toString().toUpper();
    const qsizetype marker = upper.indexOf(QLatin1String("IBAN"));
    if (marker >= 0)
        upper.remove(marker, 4);
    const QString moved = upper.mid(4) + upper.left(4);
    QString digits;
    for (const QChar character : moved) {
        const char16_t c = character.unicode();
        if (c >= u'0' && c <= u'9')
            digits.append(character);
        else if (c >= u'A' && c <= u'Z')
            digits.append(QString::number(int(c - u'A') + 10));
        else
            return std::nullopt;
    }
    return digits;
}

} // namespace

std::optional<QChar> taxCodeCheckCharacter(QStringView first)
{
    if (first.size() != kTaxCodeLength - 1)
        return std::nullopt;
    const QString upper = first.toString().toUpper();
    int sum = 0;
    for (int p = 0; p < kTaxCodeLength - 1; ++p) {
        const std::optional<int> place = tablePlace(upper.at(p));
        if (!place)
            return std::nullopt;
        // Counted from one, the first character stands in an odd place.
        sum += p % 2 == 0 ? kOddValues.at(size_t(*place)) : *place;
    }
    return QChar(u'A' + sum % 26);
}

bool taxCodeValid(QStringView code)
{
    if (code.size() != kTaxCodeLength)
        return false;
    const std::optional<QChar> check = taxCodeCheckCharacter(code.first(kTaxCodeLength - 1));
    return check && code.at(kTaxCodeLength - 1).toUpper() == *check;
}

bool vatNumberValid(QStringView number)
{
    if (number.size() != kVatNumberLength || !text::isDigitsOnly(number))
        return false;
    int sum = 0;
    for (int p = 0; p < kVatNumberLength - 1; ++p) {
        const int digit = number.at(p).unicode() - u'0';
        if (p % 2 == 0) {
            sum += digit;
        } else {
            const int doubled = digit * 2;
            sum += doubled >= 10 ? doubled - 9 : doubled;
        }
    }
    const int check = sum % 10 == 0 ? 0 : 10 - sum % 10;
    return number.at(kVatNumberLength - 1).unicode() - u'0' == check;
}

QString vatOfficeName(QStringView number)
{
    if (number.size() < 10)
        return {};
    const QStringView code = number.sliced(7, 3);
    if (!text::isDigitsOnly(code))
        return {};
    const int value = code.toInt();
    for (const Office &office : kOffices) {
        if (office.code == value)
            return QString::fromUtf8(office.town);
    }
    return {};
}

int ibanRemainder(QStringView text)
{
    const std::optional<QString> digits = ibanDigits(text);
    if (!digits || digits->isEmpty())
        return 0;
    int remainder = 0;
    for (const QChar digit : *digits)
        remainder = (remainder * 10 + (digit.unicode() - u'0')) % 97;
    return remainder;
}

bool ibanValid(QStringView text)
{
    QString compact = text.toString();
    compact.remove(QChar(u' '));
    return ibanRemainder(compact) == 1;
}

TaxCodeCheck checkForTaxCodeField(QStringView trimmed)
{
    return !trimmed.isEmpty() && text::isDigitsOnly(trimmed) ? TaxCodeCheck::VatNumber
                                                             : TaxCodeCheck::TaxCode;
}

} // namespace almavest::checks
