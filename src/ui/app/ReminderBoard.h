#pragma once

#include "reminders/Reminders.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QPushButton;
class QTreeView;

// The reminder board: who has lapsed or is about to, and which payments of the year are due,
// each count a click away from its list and every member a double click away from the card;
// one e-mail to all the chosen members and printed letters for those without e-mail.
namespace almavest::ui {

class AppContext;
class ReminderMemberModel;

// The card the person chose on the board, for the launcher to open.
struct ReminderChoice
{
    enum class Kind { Member, Movement };
    Kind kind = Kind::Member;
    qint64 position = 0;
    QString journalPath; // for a movement: its year's archive
    int year = 0;
};

class ReminderBoard final : public QDialog
{
    Q_OBJECT
public:
    ReminderBoard(AppContext &context, QWidget *owner, reminders::Reminders found);
    ~ReminderBoard() override;

    // At start-up, with the setting on: reads the archives on `launcher`'s scan runner while it
    // stays usable, then opens the board over it when there is something to show and the
    // launcher is still in sight. `open` receives the card chosen there.
    static void offerAtStart(
        AppContext &context, QWidget *launcher, std::function<void(const ReminderChoice &)> open);
    // On request: reads the archives with `owner` free, then opens the board whatever it holds.
    // The card chosen, or nothing.
    static std::optional<ReminderChoice> choose(AppContext &context, QWidget *owner);

    // Runs the board over its owner: the card chosen, or nothing.
    std::optional<ReminderChoice> run();

private:
    QWidget *buildCounts();
    QWidget *buildMembers();
    QLayout *buildButtons();
    void openExpired();
    void openExpiring();
    void openDuePayments();
    void chooseMember(qint64 position);
    void storeShowAtStart(bool show);
    void writeToAll();
    void editLetter();
    // Opens one e-mail (or as few as the addresses need) to `addresses` in Bcc; false when the
    // person gave up or a message could not be opened, after telling why.
    bool sendMail(const QStringList &addresses);
    // Writes and shows the letters of `rows`; false after a failure, told.
    bool writeLetters(const std::vector<qsizetype> &rows);

    AppContext &m_context;
    reminders::Reminders m_found;
    ReminderMemberModel *m_model = nullptr;
    QTreeView *m_lstSoci = nullptr;
    QCheckBox *m_chkAvvio = nullptr;
    std::optional<ReminderChoice> m_chosen;
};

} // namespace almavest::ui
