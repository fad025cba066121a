#pragma once

#include "ui/conventions/CardFrame.h"
#include "ui/conventions/FieldTable.h"

#include <QRect>

#include <span>
#include <vector>

// The page screen's tables: where each box stands (its caption, typing rules and Enter chain come
// from the page table), the one member row layout placed four times, the toolbar and the hover
// hints.
namespace almavest::ui::bookpage {

// A box: its field (a page field index for the book-level fields, a field within the row for a
// member row) and its place; for a row, relative to the row's top.
using Box = CardBox;
using ToolButton = CardButton;

std::span<const Box> bookBoxes();
std::span<const Box> rowBoxes();
std::span<const ToolButton> toolButtons();
// Every hint of the screen, the row controls' included.
std::span<const HintSpec> hints();

// The top of member row `row` (0 for row A) on the panel.
constexpr int rowTop(int row)
{
    return 206 + 118 * row;
}

// Whether member row `row` rests on linen rather than white.
constexpr bool isShadedRow(int row)
{
    return row % 2 == 1;
}

inline constexpr int kPanelWidth = 994;
inline constexpr int kPanelHeight = 692;
inline constexpr int kBookFieldHeight = 28;
inline constexpr int kRowFieldHeight = 22;
inline constexpr int kRowHeight = 92;
// Within a row: the second line of boxes and the import button after the member name.
inline constexpr int kSecondLine = 44;
inline constexpr QRect kImportButton {264, 18, 24, 22};
// The button that makes the row's codice fiscale, between the code and the address.
inline constexpr QRect kMakeCodeButton {686, 18, 24, 22};
inline constexpr QRect kRowMarker {8, 24, 12, 12};

} // namespace almavest::ui::bookpage
