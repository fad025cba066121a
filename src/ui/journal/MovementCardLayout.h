#pragma once

#include "ui/conventions/CardFrame.h"
#include "ui/conventions/FieldTable.h"

#include <QRect>

#include <span>

// The movement card's tables: where each box stands (its caption, typing rules and Enter chain
// come from the movement table), the section frames, the toolbar, the small buttons beside the
// boxes and the hover hints.
namespace almavest::ui::movementcard {

// A box: its movement field index and its place on the panel; the caption stands above it.
using Box = CardBox;
using ToolButton = CardButton;

// A small picture button just right of the control `beside`.
struct SmallButton
{
    const char *name;
    const char *picture;
    const char *beside;
    bool ready;
};

// A plain surface of the panel that empties the status line.
struct Section
{
    const char *name;
    QRect place;
};

std::span<const Box> boxes();
std::span<const ToolButton> toolButtons();
std::span<const SmallButton> smallButtons();
std::span<const Section> sections();
std::span<const HintSpec> hints();

inline constexpr int kPanelWidth = 994;
inline constexpr int kPanelHeight = 552;
inline constexpr int kFieldHeight = 22;
// The movement type: its panel, and the two options on the first line of boxes.
inline constexpr QRect kTypePanel {12, 76, 200, 50};
inline constexpr int kFirstLine = 98;
// The amount: its caption above a larger box, right of the causale.
inline constexpr QRect kAmountBox {690, 146, 276, 30};
inline constexpr QRect kSettled {690, 194, 160, 22};
// "Avvisa n." before the notice days and the rest of the sentence after them.
inline constexpr int kNoticeCaptionX = 552;

} // namespace almavest::ui::movementcard
