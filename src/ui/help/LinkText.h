#pragma once

#include <initializer_list>

class QLabel;
class QString;
class QWidget;

// The link texts of the help window and the maker's notice: dark blue, orange while a mouse
// button is held down on the link or on a picture that does the same thing.
namespace almavest::ui {

class ClickablePicture;

inline constexpr char kLinkColour[] = "#00008B";
inline constexpr char kLinkPressedColour[] = "#FFA500";

// A clickable link text `name` in dark blue at `points`.
ClickablePicture *makeLinkText(const char *name, const QString &text, int points, QWidget *parent);

// Turns `link` orange while a mouse button is down on it or on any of `companions`, and dark
// blue again when the button is released.
void colourWhilePressed(QLabel *link, std::initializer_list<QWidget *> companions);

// Paints `link` in `colour` ("#RRGGBB").
void paintLink(QLabel *link, const char *colour);

} // namespace almavest::ui
