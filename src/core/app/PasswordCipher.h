#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The running-key scrambling of the stored password: two upper-case hex digits per character.
// The start key and the two constants are part of the password file format.
namespace almavest::app {

// Scrambles the first (length mod 256) characters, one byte each (the low byte of the code).
QString scramblePassword(QStringView plain);
// Undoes scramblePassword; accepts lower-case digits, ignores an odd last digit, reads the first
// (pairs mod 256) pairs. nullopt when a pair is not hexadecimal.
std::optional<QString> unscramblePassword(QStringView hex);

// The form in which a password is stored and compared: A-Z upper-cased, trimmed.
QString canonicalPassword(QStringView typed);

} // namespace almavest::app
