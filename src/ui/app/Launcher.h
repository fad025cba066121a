#pragma once

#include <QWidget>

class QGridLayout;
class QLayout;

// The launcher: a maximised window with one column per environment (member registry, members'
// book, cash journal), the help and notice icons, the maker's web page and the exit icon.
namespace almavest::ui {

class AppContext;
struct ReminderChoice;

class Launcher final : public QWidget
{
    Q_OBJECT
public:
    explicit Launcher(AppContext &context);
    ~Launcher() override;

    // Switches to the member card screen, as every control of the registry column does.
    void openMemberRegistry();
    // Switches to the book menu, as every control of the members' book column does.
    void openBookMenu();
    // Switches to the journal menu, as every control of the cash journal column does.
    void openJournalMenu();
    // Reads the archives and opens the reminder board over the launcher.
    void openReminders();

Q_SIGNALS:
    // A card was chosen on the reminder board: Application opens its screen on it.
    void reminderChosen(const ReminderChoice &choice);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildPanel();
    QGridLayout *buildColumns(QWidget *panel);
    QLayout *buildTopRow();
    QLayout *buildBottomRow();
    void openWebSite();

    AppContext &m_context;
    bool m_shownBefore = false; // the first showing follows the password and offers the board
};

} // namespace almavest::ui
