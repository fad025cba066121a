#pragma once

#include <QWidget>

// The balance query: a purpose filter, a year and a range of days, and the door to the balance
// summary. The journal menu opens it; closing it returns to the launcher.
namespace almavest::ui {

class AppContext;

class TfrmMenuBilancio final : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmMenuBilancio(AppContext &context);
    ~TfrmMenuBilancio() override;

    // Shows the query in place of the screen `from`.
    void open(QWidget *from);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
};

} // namespace almavest::ui
