#pragma once

class QLineEdit;

namespace almavest::ui {

// Completes a birth-place box from the register of places as it is typed: the comuni and foreign
// states whose name begins with the typed letters (case and accents aside, two letters at least),
// current places first. The list is made on the first letter typed, not when the screen is built.
void completePlaces(QLineEdit *box);

} // namespace almavest::ui
