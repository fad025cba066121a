#pragma once

class QDialog;
class QListView;

// Driving a shown per-use dialog the ways a person does: choosing a line of a list, leaving.
namespace almavest::test {

enum class Pick { Enter, DoubleClick };
// Makes line `row` of `list` current and chooses it with Enter or a double click.
void pickLine(QListView *list, int row, Pick how);

enum class Leave { Button, Escape, Close };
// Leaves `dialog` with its button `button`, with Escape, or as the window manager closes it.
void leaveDialog(QDialog &dialog, Leave way, const char *button = "btnChiudi");

} // namespace almavest::test
