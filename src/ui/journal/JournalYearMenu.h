#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// The year screen: asks for the calendar year whose movements the movement card works on.
// Closing it leads to the movement card or back to the launcher, as its mode word says.
namespace almavest::ui {

class AppContext;

class JournalYearMenu final : public QWidget
{
    Q_OBJECT
public:
    explicit JournalYearMenu(AppContext &context);
    ~JournalYearMenu() override;

    QLabel *lblMemory() const { return m_lblMemory; }

    // Opens the year typed in the year field, or says why it cannot.
    void openYear();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
    QLineEdit *m_txtAnnoPreventivi = nullptr;
    QLabel *m_lblMemory = nullptr;
    QString m_year; // the year accepted by the last Apri
};

// True when `year` is exactly four decimal digits, the only form a yearly archive name takes.
bool isJournalYear(const QString &year);

} // namespace almavest::ui
