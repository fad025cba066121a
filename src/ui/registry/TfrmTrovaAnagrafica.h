#pragma once

#include <QDialog>

class QLabel;
class QStackedWidget;

// The member search: up to ten filters used together, the list of the cards found, the quick
// find, printing, and the chosen card handed to the screen named by the mode word.
namespace almavest::ui {

class AppContext;
class MemberListPanel;

class TfrmTrovaAnagrafica final : public QDialog
{
    Q_OBJECT
public:
    TfrmTrovaAnagrafica(AppContext &context, QWidget *owner);

    QLabel *lblMemory() const { return m_lblMemory; }
    MemberListPanel *results() const { return m_results; }

    // Opens the search over `owner` for the mode word, and waits until it closes.
    static void open(AppContext &context, QWidget *owner, const QString &modeWord);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;

private:
    QWidget *buildFilterPanel();
    QWidget *buildResultPanel();
    void showWaitNotice();
    void search();
    void openChosen(const QString &line);

    AppContext &m_context;
    QStackedWidget *m_panels = nullptr;
    MemberListPanel *m_results = nullptr;
    QLabel *m_lblMemory = nullptr;
    QLabel *m_lblConta = nullptr;
    QLabel *m_lblAttendere = nullptr;
    QLabel *m_lblTrovate = nullptr;
};

} // namespace almavest::ui
