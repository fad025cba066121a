#pragma once

#include <QString>

#include <span>

class QLabel;
class QLineEdit;
class QWidget;

// Each screen describes its entry fields in one table; applyFieldTable() gives every field its
// maximum length, key filter, casing, halo and Enter successor from it.
namespace almavest::ui {

enum class KeyFilter { None, Digits, Amount, Alphanumeric };
enum class Casing { None, Upper, TrimOnly };

struct FieldSpec
{
    const char *name;       // objectName of the field
    int maxLength;          // 0 leaves the length free
    KeyFilter filter;
    Casing casing;
    const char *enterNext;  // objectName of the Enter successor, nullptr for none
    const char *halo = nullptr;  // objectName of the halo when not "eff" + name without "txt"
};

// One hover hint for the status line.
struct HintSpec
{
    const char *control;
    const char *text;
};

// Applies the table to the fields found under `screen` by objectName. Each field gets a halo
// named after it ("eff" + its name without "txt") unless its row names another.
void applyFieldTable(QWidget *screen, std::span<const FieldSpec> table);
// The same for one row, for screens whose tables carry more than the field settings.
void applyField(QWidget *screen, const FieldSpec &row);

// Writes each control's hint into `status` when the pointer enters it; moving over one of the
// `backgrounds` empties the line.
void installHints(QWidget *screen, QLabel *status, std::span<const HintSpec> hints,
                  std::initializer_list<QWidget *> backgrounds);

} // namespace almavest::ui
