#pragma once

#include "ui/conventions/ModeWord.h"

class QWidget;

// The attachments button of the three card screens.
namespace almavest::ui {

class AppContext;
class CardForm;

// Opens the attachments dialog for `card` (named by `mode`) on the six hidden attachment
// labels of `form` and, when the user applies it, writes the six texts back into them: they
// reach the archive with the card's next save.
void editCardAttachments(
    AppContext &context, QWidget *card, const CardForm &form, AttachmentsMode mode);

} // namespace almavest::ui
