#pragma once

#include "ui/conventions/FieldTable.h"

#include <array>
#include <span>

// The member card's tables: its boxes (caption, place, key rule, Enter successor), its picture
// buttons and its hover hints.
namespace almavest::ui::membercard {

struct Box
{
    FieldSpec field;
    const char *caption;
    int x;
    int y;
    int width;
};

struct Button
{
    const char *name;
    const char *picture;
    const char *caption;
    bool ready;  // false: the dialog it opens is not part of the program yet
};

std::span<const Box> boxes();
// The boxes' field rows, for applyFieldTable(); maximum lengths come from the member record.
std::span<const FieldSpec> fieldTable();
std::span<const Button> sideButtons();
std::span<const HintSpec> hints();

inline constexpr int kPanelWidth = 995;
inline constexpr int kPanelHeight = 640;
inline constexpr int kFieldHeight = 22;
inline constexpr int kPhotoWidth = 366;
inline constexpr int kPhotoHeight = 274;

} // namespace almavest::ui::membercard
