#pragma once

#include <QWidget>

class QLabel;

// The movement card: the movements of one yearly archive, one at a time. The year screen opens
// it on a year; closing it returns to the launcher.
namespace almavest::ui {

class AppContext;

class TfrmMovimenti final : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmMovimenti(AppContext &context);
    ~TfrmMovimenti() override;

    // Shows the card on the yearly archive at `path` of year `year`, in place of the screen
    // `from`.
    void openYear(QWidget *from, const QString &path, const QString &year);

    // The screen's state values.
    QLabel *lblFile() const { return m_lblFile; }
    QLabel *lblPosizione() const { return m_lblPosizione; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
    QLabel *m_lblFile = nullptr;
    QLabel *m_lblPosizione = nullptr;
};

} // namespace almavest::ui
