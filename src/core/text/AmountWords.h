#pragma once

#include <QString>

#include <optional>

// An amount written in Italian words, as a receipt or a cheque writes it: the euros in one word,
// then a slash and the cents in figures ("settantasette/47").
namespace almavest::text {

// A whole number from 0 to 999,999,999,999 in one word: "ventuno", "centottanta", "ventitré",
// "milleuno", "duemila", "unmilione", "duemilioniduecentomila"; nullopt beyond.
std::optional<QString> numberInWords(qint64 number);

// `cents` (0 or more) as euros in words and the cents in figures: 7747 gives "settantasette/47",
// 1 gives "zero/01"; nullopt for a negative amount or one past the words.
std::optional<QString> amountInWords(qint64 cents);

} // namespace almavest::text
