#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// The creation window: makes an empty book file under the name typed, then returns to the
// launcher.
namespace almavest::ui {

class AppContext;

class BookCreationScreen final : public QWidget
{
    Q_OBJECT
public:
    explicit BookCreationScreen(AppContext &context);
    ~BookCreationScreen() override;

    QLabel *lblFile() const { return m_lblFile; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void apply();
    // Warns with `text` and hands the name box back to the user.
    void refuse(const QString &text);

    AppContext &m_context;
    QLineEdit *m_txtFile = nullptr;
    QLabel *m_lblFile = nullptr;
};

} // namespace almavest::ui
