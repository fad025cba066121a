#pragma once

#include "ui/app/Navigator.h"

#include <QWidget>

class QLabel;
class QLineEdit;

// The year screen: asks for the calendar year whose movements the movement card works on.
// Closing it leads to the movement card on the year accepted by Apri, else back to the launcher;
// lblMemory shows which.
namespace almavest::ui {

class AppContext;

class JournalYearMenu final : public QWidget
{
    Q_OBJECT
public:
    explicit JournalYearMenu(AppContext &context);
    ~JournalYearMenu() override;

    // Where closing the screen leads: the movement card on the year accepted, or the launcher.
    Screen nextScreen() const { return m_next; }

    // Opens the year typed in the year field, or says why it cannot.
    void openYear();

Q_SIGNALS:
    // Closing after Apri: the movement card is to open `year`, kept in the archive at `path`.
    void yearChosen(const QString &path, int year);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
    QLineEdit *m_txtAnnoPreventivi = nullptr;
    QLabel *m_lblMemory = nullptr;
    Screen m_next = Screen::Launcher;
    int m_year = 0; // the year accepted by the last Apri
};

} // namespace almavest::ui
