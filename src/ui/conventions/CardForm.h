#pragma once

#include "store/RecordTable.h"
#include "ui/conventions/FieldTable.h"

#include <QObject>
#include <QRect>
#include <QStringList>

#include <functional>
#include <vector>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QWidget;

// A card screen's controls bound once from its record table: the edit boxes with their typing
// rules, halos and Enter chain, the date boxes, the hidden labels and the flags. It lives as long
// as the card's controls can be used, so it guards what they call back. The card is read
// into record values and shown from them here, so no screen looks its fields up by name.
namespace almavest::ui {

class CardForm final : public QObject
{
public:
    // Called with a date box's field index when a key asks for the date picker.
    using DateRequest = std::function<void(int field)>;
    // How the box of a field is marked while it has the focus; without one, every box has a halo.
    using HighlightOf = std::function<Highlight(int field)>;

    // Binds every field of `table` to the control of its name under `screen` (built beforehand)
    // and gives the boxes their behaviours. Enter in a box moves to the next box or date box in
    // table order, the last one back to the first; a date box has no successor. Stops the
    // program when the screen lacks a control the table names.
    CardForm(QWidget *screen, const store::RecordTable &table, const DateRequest &onDateKey,
        const HighlightOf &highlightOf = {});

    const store::RecordTable &table() const { return m_table; }

    // Every field's text as the card shows it, trimmed, by field index; a flag gives "Sì" or
    // "No" and a derived field an empty text.
    QStringList values() const;
    // Shows `values` (by field index) on the card as they are: nothing is cut or recased, and a
    // long text shows from its start. A flag whose text is neither "Sì" nor "No" leaves its
    // control as it was.
    void show(const QStringList &values);
    // Shows `text` in the box of `field` from its start, as a read or imported text.
    void setText(int field, const QString &text) const;

    QLineEdit *edit(int field) const;
    QLabel *hiddenLabel(int field) const;
    QAbstractButton *flag(int field) const;

    // An edit box for `field` at `place` under `panel`, with the field's caption just above it:
    // the box for CardForm to bind, named after the field's control. The caption is named "tit"
    // and the control's name without "txt".
    static QLineEdit *addBox(QWidget *panel, const store::RecordTable::Field &field, QRect place);
    // The caption addBox() put above `box`.
    static QLabel *captionOf(const QLineEdit *box);
    // The hidden labels of every Hidden field of `table`, under `panel`.
    static void addHiddenLabels(QWidget *panel, const store::RecordTable &table);

private:
    QWidget *control(int field, store::ControlKind kind) const;

    const store::RecordTable &m_table;
    std::vector<QWidget *> m_controls; // by field index; null for derived fields
};

} // namespace almavest::ui
