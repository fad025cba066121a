#pragma once

#include "ui/conventions/FieldTable.h"

#include <array>
#include <span>

// The member card's tables: where each box stands (its caption, typing rules and Enter chain
// come from the member record's table), its picture buttons and its hover hints.
namespace almavest::ui::membercard {

struct Box
{
    int field; // member field index
    int x;
    int y;
    int width;
};

struct Button
{
    const char *name;
    const char *picture;
    const char *caption;
    bool ready; // false: the dialog it opens is not part of the program yet
};

std::span<const Box> boxes();
std::span<const Button> sideButtons();
std::span<const HintSpec> hints();

inline constexpr int kPanelWidth = 995;
inline constexpr int kPanelHeight = 640;
inline constexpr int kFieldHeight = 22;
inline constexpr int kPhotoWidth = 366;
inline constexpr int kPhotoHeight = 274;

} // namespace almavest::ui::membercard
