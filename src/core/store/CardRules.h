#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// The rules every card screen follows: where its four browsing arrows lead, the checks a card
// must pass before it is saved, how it is written back, and what the user is told.
namespace almavest::store {

class ArchiveFile;
class RecordLayout;
class RecordTable;

enum class Arrow { First, Previous, Next, Last };

// What an arrow does on an archive of `count` records when the card shows the record at
// `shown` (nullopt for a card not saved yet; a position below 1 counts as one).
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

BrowseStep browseStep(Arrow arrow, std::optional<qint64> shown, qint64 count);

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

// Writes a card's `values` over the record at `shown`, or appends them when the card is new
// (nullopt), from a blank record of `layout`. The position written, or nullopt
// when the archive could not be opened or written. An append takes its position under the
// archive's lock: another copy of the program may have appended meanwhile.
[[nodiscard]] std::optional<qint64> storeCard(ArchiveFile &archive, const RecordLayout &layout,
    const QStringList &values, std::optional<qint64> shown);

// The values Save writes for a card showing `values`: every empty field that has a text for
// when it is empty gets it.
QStringList valuesToSave(const RecordTable &table, QStringList values);

// The values of the copy of a card showing `values`, made by Duplicate on `today`: each field
// as its table says (the attachments and their descriptions always go).
QStringList duplicateValues(const RecordTable &table, QStringList values, QDate today);

// `values` as the archive holds them once stored with `layout`: letters the archive cannot
// hold become the nearest ones, and a text too long is cut.
QStringList asStored(const RecordLayout &layout, const QStringList &values);
// The fields whose stored text differs from `values`.
QList<int> changedByStoring(const RecordLayout &layout, const QStringList &values);

// "La scheda corrente è stata inserita in archivio." after an append, the saved changes
// otherwise.
QString savedMessage(bool appended);
// The refusal to duplicate a card that has not been saved yet.
QString duplicateNeedsSavedCardMessage();
// The invitation to edit the duplicate and save it.
QString duplicateReadyMessage();

} // namespace almavest::store
