#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The checks of the Italian codes a card holds: the codice fiscale's check character, the
// partita IVA's check digit with the office that issued it, and the IBAN's remainder 97.
namespace almavest::checks {

inline constexpr int kTaxCodeLength = 16;
inline constexpr int kVatNumberLength = 11;
inline constexpr int kIbanLength = 27;

// The check character of the first fifteen characters of a codice fiscale, upper case; nullopt
// when `first` is not fifteen digits and letters A to Z (either case).
std::optional<QChar> taxCodeCheckCharacter(QStringView first);
// True when `code` has 16 characters and its last one is the check character of the first
// fifteen. A character that is neither a digit nor a letter A to Z makes the code invalid.
bool taxCodeValid(QStringView code);

// True when `number` is 11 digits whose last one is the check digit of the first ten.
bool vatNumberValid(QStringView number);
// The town of the VAT office named by the 8th to 10th digits of `number`; empty when the office
// table has no such code.
QString vatOfficeName(QStringView number);

// The remainder modulo 97 of the number an IBAN stands for, once its first four characters are
// moved to the end and its letters turned into numbers (A = 10 ... Z = 35); 0 when a character
// is neither a digit nor a letter A to Z.
int ibanRemainder(QStringView text);
// True when the IBAN, without its blanks, has remainder 1.
bool ibanValid(QStringView text);

// The check that a card's codice fiscale button opens for the field's trimmed text: a text of
// digits only is a partita IVA (an association's code), anything else a codice fiscale.
enum class TaxCodeCheck { TaxCode, VatNumber };
TaxCodeCheck checkForTaxCodeField(QStringView trimmed);

} // namespace almavest::checks
