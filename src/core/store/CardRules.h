#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// The rules every card screen follows: where its four browsing arrows lead, and the checks a
// card must pass before it is saved.
namespace almavest::store {

enum class Arrow { First, Previous, Next, Last };

// What an arrow does on an archive of `count` records when the card shows `shown` (the text of
// its position label; empty for a card not saved yet).
struct BrowseStep
{
    enum Action {
        Nothing, // stay on the card, say nothing
        Read, // read the record at `position`
        EmptyArchive, // say that the archive holds no card
    };
    Action action = Nothing;
    qint64 position = 0;
    bool clearPosition = false; // with EmptyArchive: the position label is emptied

    friend bool operator==(const BrowseStep &, const BrowseStep &) = default;
};

BrowseStep browseStep(Arrow arrow, const QString &shown, qint64 count);

// One check of a card before saving, on the trimmed text of field `field`.
struct SaveCheck
{
    enum Kind {
        Required, // not empty; refused with a warning holding `text`
        ValidDate, // a real date dd/mm/yyyy; refused with a plain message: `text`, the date,
                   // " non esiste." and the request for a valid date
        Fits, // at most `limit` characters; refused with a warning: `text`, then the value
    };
    Kind kind;
    int field;
    const char *text;
    int limit = 0;
};

// Why a card cannot be saved: the message, whether it is a plain message rather than a warning,
// and the field to put the focus in.
struct SaveRefusal
{
    QString message;
    bool plain = false;
    int field = -1;
};

// The first check, in table order, that `values` fail; nullopt when the card may be saved.
std::optional<SaveRefusal> firstRefusal(
    std::span<const SaveCheck> checks, const QStringList &values, QDate today);

} // namespace almavest::store
