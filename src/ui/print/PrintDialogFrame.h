#pragma once

#include <QList>

class QDialog;
class QPushButton;
class QWidget;

// The look the small print and preview dialogs share: the program's logo beside a heading and
// its note, an icon beside what the button does, any choices of the dialog's own, then the
// button and Annulla.
namespace almavest::ui {

struct PrintDialogTexts
{
    const char *name; // the dialog's objectName, which the style sheet refers to
    const char *caption;
    const char *heading;
    const char *note;
    const char *icon;
    const char *action;
    const char *button;
};

// The objectNames of the heading and of the action note.
struct PrintDialogNames
{
    const char *heading = "icoInf01";
    const char *action = "icoInf02";
};

// Builds the dialog's controls around `choices` (laid out between the notes and the buttons);
// Annulla rejects the dialog. Returns `btnStampa`, for the caller to connect.
QPushButton *buildPrintDialog(QDialog &dialog, const PrintDialogTexts &texts,
    const PrintDialogNames &names = {}, const QList<QWidget *> &choices = {});

} // namespace almavest::ui
