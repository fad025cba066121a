#pragma once

#include <QWidget>

class QLabel;

// The book page screen: the pages of one book, one at a time. The book list opens it on a book;
// closing it returns to the launcher.
namespace almavest::ui {

class AppContext;

class TfrmRegistro final : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmRegistro(AppContext &context);
    ~TfrmRegistro() override;

    // Shows the screen on the book file at `path`, named `name` in its header bar, in place of
    // the screen `from`.
    void openBook(QWidget *from, const QString &path, const QString &name);

    // The screen's state values.
    QLabel *lblFile() const { return m_lblFile; }
    QLabel *lblNome() const { return m_lblNome; }
    QLabel *lblPosizione() const { return m_lblPosizione; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &m_context;
    QLabel *m_lblFile = nullptr;
    QLabel *m_lblNome = nullptr;
    QLabel *m_lblPosizione = nullptr;
};

} // namespace almavest::ui
