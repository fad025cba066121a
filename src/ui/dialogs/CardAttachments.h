#pragma once

class QWidget;

// The attachments button of the three card screens.
namespace almavest::ui {

class AppContext;
class CardForm;

// Opens the attachments dialog for `card` (named by `modeWord`) on the six hidden attachment
// labels of `form` and, when the user applies it, writes the six texts back into them: they
// reach the archive with the card's next save.
void editCardAttachments(
    AppContext &context, QWidget *card, const CardForm &form, const char *modeWord);

} // namespace almavest::ui
