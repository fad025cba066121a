#pragma once

class QDialog;
class QLabel;
class QString;
class QWidget;

// The two window looks, the one way a per-use dialog is opened, and the hand cursor over
// everything that can be clicked.
namespace almavest::ui {

class Services;

// Fixed size, fixed border, a title and no title-bar buttons: left only through its own buttons.
void makeDialogWindow(QWidget *window);
// Centres `window` on `over`, or on the screen when `over` is null.
void centreWindow(QWidget *window, const QWidget *over = nullptr);
// Opens a per-use dialog: centred over its owner (its parent), run modally through the services
// until it closes. Returns its result code.
int runPerUseDialog(Services &services, QDialog &dialog);
// Buttons, check boxes, radio buttons and links under `root` show the pointing hand.
void applyHandCursor(QWidget *root);

// A label carrying its objectName, as every label that code or tests look up does.
QLabel *namedLabel(const char *name, const QString &text, QWidget *parent);

} // namespace almavest::ui
