#pragma once

#include "attachments/AttachmentFolder.h"
#include "ui/conventions/ModeWord.h"

#include <QDialog>
#include <QString>

#include <array>
#include <optional>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;

// The attachments dialog: three slots, each a file copied into the attachments folder and a
// free description. "Applica e chiudi" hands the six texts back to the card that opened it,
// "Annulla" hands back nothing; a file already copied stays in the folder either way.
namespace almavest::ui {

class AppContext;

// The three attached file names and their descriptions of one card, each trimmed.
struct AttachmentSlots
{
    std::array<QString, 3> files;
    std::array<QString, 3> descriptions;

    bool operator==(const AttachmentSlots &) const = default;
};

class AttachmentsDialog final : public QDialog
{
    Q_OBJECT
public:
    // The dialog for the card that `mode` names, showing `slots`.
    AttachmentsDialog(
        AppContext &context, QWidget *owner, AttachmentsMode mode, const AttachmentSlots &slots);

    QLabel *lblMemory() const { return m_lblMemory; }
    // The six fields as they stand, trimmed.
    AttachmentSlots typed() const;
    // The texts handed back, once "Applica e chiudi" has been pressed.
    std::optional<AttachmentSlots> applied() const { return m_applied; }

    // Opens the dialog over `owner` and waits until it closes: the texts applied, or nothing
    // when it was left with "Annulla".
    static std::optional<AttachmentSlots> edit(
        AppContext &context, QWidget *owner, AttachmentsMode mode, const AttachmentSlots &slots);

private:
    struct Slot
    {
        QLineEdit *file = nullptr;
        QPushButton *browse = nullptr;
        QPushButton *open = nullptr;
        QAbstractButton *clear = nullptr;
        QLineEdit *description = nullptr;
    };

    void buildSlots(QWidget *area);
    void showSlots(const AttachmentSlots &slots);
    // Slot by slot: name, "Sfoglia...", "Apri", description; then `apply` and `cancel`.
    void orderTabs(QWidget *apply, QWidget *cancel);
    void connectSlot(Slot &slot);
    // Picks a file, copies it into the attachments folder and names it in the slot.
    void attachFile(Slot &slot);
    // Copies `chosen` into the folder unless it is the folder's own copy; false after saying why.
    bool storeChosen(const QString &chosen, const QString &name);
    void openFile(const Slot &slot);
    void apply();

    AppContext &m_context;
    attachments::AttachmentFolder m_folder;
    std::array<Slot, 3> m_slots;
    QLabel *m_lblMemory = nullptr;
    std::optional<AttachmentSlots> m_applied;
};

} // namespace almavest::ui
