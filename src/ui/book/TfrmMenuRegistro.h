#pragma once

#include <QWidget>

class QLabel;

// The book menu: create a new book or work on an existing one. Its mode word says where closing
// it leads: the launcher, the creation window or the book list.
namespace almavest::ui {

class AppContext;

class TfrmMenuRegistro final : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmMenuRegistro(AppContext &context);
    ~TfrmMenuRegistro() override;

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
