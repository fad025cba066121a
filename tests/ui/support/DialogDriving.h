#pragma once

class QDialog;
class QListView;
class QWidget;

// Driving a shown per-use dialog the ways a person does: choosing a line of a list, leaving.
namespace almavest::test {

enum class Pick { Enter, DoubleClick };
// Makes line `row` of `list` current and chooses it with Enter or a double click.
void pickLine(QListView *list, int row, Pick how);

// Whether lines `first` and `second` of `list` look different where the list shows them, at its
// present size, scrolled sideways to `scroll` (a fraction of the way, 0 to 1), with no line
// selected: two lines that differ only in their last column look the same while it is out of
// sight.
bool linesLookDifferent(QListView *list, int first, int second, double scroll);

enum class Leave { Button, Escape, Close };
// Leaves `dialog` with its button `button`, with Escape, or as the window manager closes it.
void leaveDialog(QDialog &dialog, Leave way, const char *button = "btnChiudi");

// Waits, with events running, until no scan runs over `window` or any window inside it: the
// list or summary a search there started has been handed back.
void waitForScan(QWidget *window);

} // namespace almavest::test
