#pragma once

#include <QString>

class QHBoxLayout;
class QPushButton;
class QWidget;

// The button row of a small dialog that confirms or cancels what it shows.
namespace almavest::ui {

struct DialogButtons
{
    QHBoxLayout *row = nullptr;
    QPushButton *help = nullptr; // "Guida", on the left
    QPushButton *confirm = nullptr; // the default button, on the right
    QPushButton *cancel = nullptr; // "Annulla", after it
};

// Builds the row under `dialog`: only the confirming button, named `confirmName`, is pressed by
// Enter where no field takes it.
DialogButtons makeDialogButtons(
    QWidget *dialog, const char *confirmName, const QString &confirmText);

} // namespace almavest::ui
