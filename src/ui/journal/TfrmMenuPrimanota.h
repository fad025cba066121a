#pragma once

#include <QWidget>

class QLabel;

// The journal menu: register the movements of a year or get the balance. Its mode word says
// where closing it leads: the launcher, the year screen or the balance query.
namespace almavest::ui {

class AppContext;

class TfrmMenuPrimanota final : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmMenuPrimanota(AppContext &context);
    ~TfrmMenuPrimanota() override;

    QLabel *lblMemory() const { return m_lblMemory; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void choose(const char *word);

    AppContext &m_context;
    QLabel *m_lblMemory = nullptr;
};

} // namespace almavest::ui
