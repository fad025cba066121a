#pragma once

#include <QFont>
#include <QString>

// The font families the program asks for by name, on screen and on paper. Where one is missing,
// fontconfig substitutes its nearest (Liberation Sans for Arial, Liberation Mono for Courier New).
namespace almavest::fonts {

inline constexpr char kArial[] = "Arial";
inline constexpr char kCourierNew[] = "Courier New";
inline constexpr char kTahoma[] = "Tahoma";
inline constexpr char kVerdana[] = "Verdana";

// `family` at `points`; Courier New falls back on another monospaced font, so columns align.
inline QFont named(const char *family, int points, QFont::Weight weight = QFont::Normal)
{
    QFont font(QString::fromLatin1(family), points, weight);
    if (QLatin1String(family) == QLatin1String(kCourierNew))
        font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace almavest::fonts
