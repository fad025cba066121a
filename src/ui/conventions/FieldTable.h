#pragma once

#include "store/RecordTable.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <span>

class QLabel;
class QLineEdit;

// Each screen describes its entry fields in one table; applyFieldTable() gives every field its
// typing limit, key filter, casing, halo and Enter successor from it. A table that names a
// control the screen does not have stops the program at start, whatever the build type.
namespace almavest::ui {

using store::Casing;
using store::KeyFilter;

// How a focused field is marked: a yellow halo behind it, or its own background painted yellow
// (the style sheet paints it, on fields carrying the property "recoloured").
enum class Highlight { Halo, Background };

// How one entry field of a screen is typed into and where Enter leaves it.
struct FieldSettings
{
    const char *name; // objectName of the field
    int typingLimit; // most characters typed or pasted; 0 leaves the length free
    KeyFilter filter;
    Casing casing;
    const char *enterNext; // objectName of the Enter successor, nullptr for none
    const char *halo = nullptr; // objectName of the halo when not "eff" + name without "txt"
    Highlight highlight = Highlight::Halo;
};

// One hover hint for the status line.
struct HintSpec
{
    const char *control;
    const char *text;
};

// Applies the table to the fields found under `screen` by objectName. Each field gets a halo
// named after it ("eff" + its name without "txt") unless its row names another.
void applyFieldTable(QWidget *screen, std::span<const FieldSettings> table);
// The same for one row, for screens whose tables carry more than the field settings.
void applyField(QWidget *screen, const FieldSettings &row);

// The objectNames in `names` that no child of `screen` of type T carries.
template <typename T> QStringList missingControls(const QWidget *screen, const QStringList &names)
{
    QStringList missing;
    for (const QString &name : names) {
        if (!screen->findChild<T *>(name))
            missing.append(name);
    }
    return missing;
}

// Stops the program with a message naming `screen` and the controls its tables name but it
// lacks; does nothing when `missing` is empty. A missing control is a mistake in the program
// that must show on the first start, never a silently dead field.
void requireNoneMissing(const QWidget *screen, const QStringList &missing);

// The child of `screen` of type T named `name`; stops the program when there is none.
template <typename T> T *requireControl(const QWidget *screen, const QString &name)
{
    T *control = screen->findChild<T *>(name);
    if (!control)
        requireNoneMissing(screen, {name});
    return control;
}

// Writes each control's hint into `status` when the pointer enters it; moving over one of the
// `backgrounds` empties the line.
void installHints(QWidget *screen, QLabel *status, std::span<const HintSpec> hints,
    std::initializer_list<QWidget *> backgrounds);
void installHints(QWidget *screen, QLabel *status, std::span<const HintSpec> hints,
    const QList<QWidget *> &backgrounds);

} // namespace almavest::ui
