#pragma once

#include "store/RecordTable.h"

#include <QString>
#include <QStringView>

// What an entry box lets in while the user types or pastes: its key filter, its casing and its
// typing limit. Text shown from a record is never passed through here, so it is never cut.
namespace almavest::text {

// True when `character` may be typed into a box with `filter`.
bool acceptsCharacter(store::KeyFilter filter, QChar character);
// True when a key that types `typed` may reach a box with `filter`: every character is
// accepted, or it is the point an amount box takes as its decimal comma.
bool acceptsKey(store::KeyFilter filter, QStringView typed);
// `text` without the characters that `filter` refuses.
QString filteredText(store::KeyFilter filter, QStringView text);
// `text` as a box with `casing` keeps it: trimmed and A-Z upper-cased, trimmed, or unchanged.
QString casedText(store::Casing casing, QStringView text);

// A box's text after one edit, with the cursor to put after it.
struct TypedText
{
    QString text;
    int cursor = 0;

    friend bool operator==(const TypedText &, const TypedText &) = default;
};

// Applies the box's rules to one edit that turned `before` into `after` (a typed key, a paste, a
// drop or a cut): the text that came in is filtered first (an upper-cased box holds a code and
// drops its blanks too), the whole is cased, and only then is what came in cut so that the text
// is no longer than `limit` (0: no limit). A text already longer than the limit, shown from a
// record, may still be edited but not lengthened. In an amount box a lone point is taken as the
// decimal comma, and text with other characters than digits and commas is read as an amount as
// a whole (plainAmount): one that cannot be read or would not fit leaves the box as it was.
TypedText applyEdit(QStringView before, QStringView after, store::KeyFilter filter,
    store::Casing casing, int limit);

} // namespace almavest::text
