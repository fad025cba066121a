#pragma once

#include "store/RecordLayout.h"

#include <QAnyStringView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <span>
#include <vector>

// One table per record format: every field once, with its place in the record, the control
// that shows it on its card and how that control is typed into. Reading, writing, the card's
// form, prints, list lines and exports all take their fields from here by index.
namespace almavest::store {

// Which characters a box lets in, typed or pasted. FileName keeps out what a file name in the
// program folder may not hold.
enum class KeyFilter { None, Digits, Amount, Alphanumeric, FileName };
// What a box does to its text while it is typed: nothing, trim and upper-case A-Z, or trim.
enum class Casing { None, Upper, TrimOnly };

// The kind of control a field is shown in on its card.
enum class ControlKind {
    Edit, // an edit box the user types into
    Date, // a read-only date box filled by the date picker
    Hidden, // a hidden label that travels with the card (attachments)
    Flag, // a radio button or check box stored as "Sì" or "No"
    Derived, // no control: computed from other fields when the card is saved
};

// What duplicating a card does to a field: keeps it, empties it, sets it to the day's date, or
// unsets a flag.
enum class OnDuplicate { Keep, Clear, Today, Unset };

// A flag field's texts: "Sì" when set, "No" when not.
QString flagText(bool set);
// Reads a flag field's text, trimmed; nullopt when it is neither "Sì" nor "No".
std::optional<bool> flagValue(QStringView text);

// One row of a record table as it is written in the code. Texts are UTF-8; a null caption means
// that nothing shows one.
struct FieldDefinition
{
    const char *control; // objectName of the control that shows the field; "" when Derived
    int capacity; // most bytes the field holds, 0 to 255
    int typed = 0; // most characters that can be typed into the box; 0 when not typed
    KeyFilter filter = KeyFilter::None;
    Casing casing = Casing::None;
    ControlKind kind = ControlKind::Edit;
    const char *caption = nullptr; // the caption beside the control on the card
    const char *printCaption = nullptr; // the caption on the printed card, when not `caption`
    const char *heading = nullptr; // the column heading of a grid or an exported sheet
    int decimals = 0; // an amount box: the decimals it is rounded to when left; 0 keeps it
    const char *whenEmpty = nullptr; // the text Save writes in place of an empty box
    OnDuplicate onDuplicate = OnDuplicate::Keep;
};

// The three attached files and their descriptions that every card keeps in hidden labels and
// stores at the end of its record; the attachments dialog sets them, never the keyboard.
inline constexpr FieldDefinition kAttachmentFields[] = {
    {"lblFile01", 250, 0, KeyFilter::None, Casing::None, ControlKind::Hidden, nullptr, nullptr,
        nullptr, 0, nullptr, OnDuplicate::Clear},
    {"lblFile02", 250, 0, KeyFilter::None, Casing::None, ControlKind::Hidden, nullptr, nullptr,
        nullptr, 0, nullptr, OnDuplicate::Clear},
    {"lblFile03", 250, 0, KeyFilter::None, Casing::None, ControlKind::Hidden, nullptr, nullptr,
        nullptr, 0, nullptr, OnDuplicate::Clear},
    {"lblDesc01", 250, 0, KeyFilter::None, Casing::None, ControlKind::Hidden, nullptr, nullptr,
        nullptr, 0, nullptr, OnDuplicate::Clear},
    {"lblDesc02", 250, 0, KeyFilter::None, Casing::None, ControlKind::Hidden, nullptr, nullptr,
        nullptr, 0, nullptr, OnDuplicate::Clear},
    {"lblDesc03", 250, 0, KeyFilter::None, Casing::None, ControlKind::Hidden, nullptr, nullptr,
        nullptr, 0, nullptr, OnDuplicate::Clear},
};

// A record table built from its definitions: every field with its index and offset. A group of
// definitions can be added several times with a suffix (the four member rows of a book page).
class RecordTable final
{
public:
    struct Field
    {
        int index;
        int offset;
        int capacity;
        int typed;
        KeyFilter filter;
        Casing casing;
        ControlKind kind;
        QString control;
        QString caption;
        QString printCaption;
        QString heading;
        int decimals;
        QString whenEmpty;
        OnDuplicate onDuplicate;
    };

    RecordTable() = default;

    // Appends `definitions`; the suffix is added to every control name ("txtSocio" + "_A").
    RecordTable &add(std::span<const FieldDefinition> definitions, QStringView suffix = {});

    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const Field &field(int index) const { return m_fields.at(static_cast<size_t>(index)); }
    const std::vector<Field> &fields() const { return m_fields; }
    // The index of the field shown in `control`; -1 when no field is.
    int indexOf(QAnyStringView control) const;
    int recordSize() const { return m_layout.recordSize(); }
    const RecordLayout &layout() const { return m_layout; }

private:
    std::vector<Field> m_fields;
    RecordLayout m_layout;
};

} // namespace almavest::store
