#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace almavest::places {
class PlaceRegister;
}

// The codice fiscale of a person born in Italy or abroad, made from the birth data, and the
// birth data read back from a code: three letters of the surname, three of the name, the year,
// the month's letter, the day (plus 40 for a woman), the Belfiore code of the birth place (a
// comune, or Z and three digits for a foreign state) and the check character.
namespace almavest::checks {

enum class Sex { Male, Female };

struct TaxCodePerson
{
    QString surname;
    QString name;
    Sex sex = Sex::Male;
    QDate birthDate;
    QString placeCode; // the Belfiore code, a letter and three digits
};

// The letters of `text` a code is made of: A to Z, upper case, accents dropped; a name of other
// letters alone (Greek, Cyrillic) has none.
QString codeLetters(QStringView text);
// The three letters of a surname: its consonants, then its vowels, then X, the first three.
// Accents are dropped (È is E), and anything that is not a letter (blanks, apostrophes) is left
// out.
QString surnameLetters(QStringView surname);
// The three letters of a name: the first, third and fourth consonant when it has four or more,
// otherwise as for a surname.
QString nameLetters(QStringView name);

// The codice fiscale of `person`; nullopt when the surname or the name has no letter, the birth
// date is not valid, or the place code is not a letter and three digits.
std::optional<QString> taxCodeOf(const TaxCodePerson &person);

// What a valid codice fiscale says of its holder.
struct TaxCodeBirth
{
    QDate birthDate;
    Sex sex = Sex::Male;
    QString placeCode; // with its digits restored when the code was changed for a homonym
    int substitutions = 0; // how many digits were replaced by letters (0 to 7)
};

// The birth data of `code` (either case), homonym codes included: the Agenzia replaces digits
// with the letters L M N P Q R S T U V for 0 to 9, starting from the last. The two-digit year is
// taken in the century that puts the birth no later than `today`. nullopt when the check
// character is wrong or a piece cannot be read (a month letter that is none, day 0 or 32 to 40,
// a date that does not exist, a letter where no digit may be replaced).
std::optional<TaxCodeBirth> readTaxCode(QStringView code, QDate today);

// What a code says of its holder, in a sentence or two: "Nato il 10/12/1985 a ROMA (RM).", "Nata
// il 31/12/1970 all'estero (STATI UNITI D'AMERICA).", with the place's name on the birth date
// from `places`, and a second line for a homonym's code.
QString birthDescription(const TaxCodeBirth &birth, const places::PlaceRegister &places);

// A card's "Cognome e nome" split into the surname and the name: the first word is the surname,
// with the word after it when it is a particle of one ("De Luca", "D'Amico", "Della Rovere");
// the rest is the name.
struct FullName
{
    QString surname;
    QString name;
};
FullName splitFullName(QStringView fullName);

// What of a card disagrees with its codice fiscale, each as "la data di nascita (nel codice:
// 10/12/1985)" or "il luogo di nascita (nel codice: ROMA (RM))": the birth date as the card's
// date boxes read it, and the birth place when `places` knows its name and none of the places of
// that name has the code's Belfiore code. Empty when they agree, and when the code cannot be read
// or the card says nothing to compare.
QStringList taxCodeDisagreements(QStringView code, QStringView birthDate, QStringView birthPlace,
    QDate today, const places::PlaceRegister &places);

} // namespace almavest::checks
