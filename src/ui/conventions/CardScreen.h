#pragma once

#include "store/CardRules.h"
#include "ui/conventions/CardFrame.h"
#include "ui/conventions/FieldTable.h"
#include "ui/conventions/ResidentScreen.h"

#include <QAbstractButton>
#include <QStringList>

#include <memory>
#include <optional>
#include <string_view>

class QLabel;
class QLineEdit;

namespace almavest::store {
class ArchiveFile;
class RecordTable;
} // namespace almavest::store

namespace almavest::ui {

class AppContext;
class CardForm;

// A screen that shows one record of an archive at a time as a card: reading a record, the four
// browsing arrows, New, Duplicate, Save with its refusals, the date picker, the amount boxes,
// the position of the record shown and closing back to the launcher. A card adds only what is
// its own through the hooks below.
class CardScreen : public ResidentScreen
{
    Q_OBJECT
public:
    ~CardScreen() override;

    // The position of the record the card shows; nullopt for a card not saved yet.
    std::optional<qint64> position() const;
    // The label that shows the position; it is written, never read back.
    QLabel *lblPosizione() const;
    // The box of field `field` (an edit or date box).
    QLineEdit *box(int field) const;
    // The card's values as it shows them, saved or not, by field index.
    QStringList values() const;

    // Reads the record at `position` into the card; false when the archive cannot be read,
    // after the archive access message unless `quietly`. Used by browsing and by the lists and
    // searches that open a card.
    bool loadCard(qint64 position, bool quietly = false);

protected:
    // The controls every card is built with.
    struct CardControls
    {
        QLabel *position = nullptr;
        CardButtons buttons; // holds the four arrows and the card's own buttons
        const char *newCard; // the objectNames of New, Duplicate, Save and Exit
        const char *duplicate;
        const char *save;
        const char *exit;
    };

    // Why the card changes what it shows.
    enum class Change { New, Read, Duplicated };

    CardScreen(AppContext &context, const store::RecordTable &table);

    AppContext &context() const { return m_context; }
    CardForm &form() const;
    const store::RecordTable &table() const { return m_table; }
    const CardButtons &buttons() const { return m_controls.buttons; }
    // Runs `action` when the card's button `name` is clicked.
    template <typename Action> void onClick(std::string_view name, Action action)
    {
        connect(m_controls.buttons[name], &QAbstractButton::clicked, this, action);
    }

    // Builds every control of the card; CardForm binds the record's fields after it.
    virtual CardControls buildCard() = 0;
    // Dresses the boxes and connects what the card adds, once the form is bound.
    virtual void finishCard() { }
    // How the box of `field` is marked while it has the focus.
    virtual Highlight highlightOf(int field) const;
    // The archive the card reads and writes.
    virtual QString archivePath() const = 0;
    // The values New shows.
    virtual QStringList newValues() const = 0;
    // The field that takes the focus on a new, read or duplicated card.
    virtual int firstField() const = 0;
    // Why `values` cannot be saved, in the card's order of checks; nullopt when they can.
    virtual std::optional<store::SaveRefusal> saveRefusal(const QStringList &values) const = 0;
    // The values to write from what the form shows (a derived field is computed here).
    virtual QStringList completed(QStringList values) const { return values; }
    // Called after the card shows other values (`values` is what it shows now).
    virtual void cardChanged(Change change, const QStringList &values);
    // Called when Save has moved no box text into the card yet: the card's own preparation.
    virtual void beforeSave() { }
    // Asked once the card passed its refusals: false when the user, warned of something the card
    // may hold by mistake, chose not to save it.
    virtual bool confirmSave(const QStringList &values)
    {
        Q_UNUSED(values);
        return true;
    }
    // Called once the record is written at position(); false when something of the card could
    // not follow it and the user has been told, so no success is reported.
    virtual bool afterSave() { return true; }
    // How a field is named to the user.
    virtual QString fieldName(int field) const;
    // What the screen shows each time it is shown: a new card, unless the card says otherwise.
    virtual void prepareOnShow() { newCard(); }

    // Shows `values` on the card and `position` as the record shown.
    void showCard(const QStringList &values, std::optional<qint64> position);
    void setPosition(std::optional<qint64> position);
    void newCard();
    // Reads the last record, or shows a new card when there is none; a failure to read is said.
    void showLastRecord();
    // The archive access message as an error.
    void archiveFailed();
    // Settles every amount box as leaving it would; false when one holds no amount.
    bool settleAmounts();
    // The record shown as the archive holds it, for an action that works on saved cards only;
    // nullopt after telling the user when the card is not saved (`notSaved` says so), shows
    // changes not saved yet, or the archive cannot be read.
    std::optional<QStringList> savedRecordShown(const QString &notSaved);

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build() final;
    void connectActions();
    store::ArchiveFile archive() const;
    bool readCard(store::ArchiveFile &archive, qint64 position, bool quietly);
    void browse(store::Arrow arrow);
    void duplicate();
    void save();
    bool refuseSave(const QStringList &values);
    // Shows the amount of `field` as the box should show it; false, after a warning naming the
    // box with the focus back in it, when its text is no amount.
    bool settleAmount(int field);
    void reportStored(bool appended, const QStringList &values);
    void openDatePicker(int field);

    AppContext &m_context;
    const store::RecordTable &m_table;
    CardControls m_controls;
    std::unique_ptr<CardForm> m_form;
    std::optional<qint64> m_position;
};

} // namespace almavest::ui
