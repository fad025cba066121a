#pragma once

#include <QString>

#include <initializer_list>

// Mode words: the short lower-case words that tell a per-use dialog why it was opened.
namespace almavest::ui {

// Stops the program when `word`, trimmed, is not one of `known`: the words are fixed in the code
// that opens `dialog`, so another one is a programming error that must not pass unnoticed.
void requireModeWord(
    const char *dialog, const QString &word, std::initializer_list<const char *> known);

} // namespace almavest::ui
