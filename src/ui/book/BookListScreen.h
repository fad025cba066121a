#pragma once

#include <QWidget>

class QBoxLayout;
class QLabel;
class QListView;
class QStringListModel;

// The book list: the books of the program folder, to open on the page screen, to delete after a
// clear question, and the door to the title page. Its mode word says where closing it leads.
namespace almavest::ui {

class AppContext;

class BookListScreen final : public QWidget
{
    Q_OBJECT
public:
    explicit BookListScreen(AppContext &context);
    ~BookListScreen() override;

    // Reads the program folder again into the list and the count; no book is selected.
    void fillList();

    QLabel *lblFile() const { return m_lblFile; }
    QLabel *lblMemory() const { return m_lblMemory; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildButtons(QBoxLayout *layout);
    // The selected entry; empty after a warning when the list is empty or nothing is selected.
    QString selectedBook(const QString &noSelection);
    void openBook();
    void deleteBook();
    void openTitlePage();

    AppContext &m_context;
    QListView *m_lstFiles = nullptr;
    QStringListModel *m_books = nullptr;
    QLabel *m_lblCreati = nullptr;
    QLabel *m_lblFile = nullptr;
    QLabel *m_lblMemory = nullptr;
    QString m_chosen; // the entry being opened
};

} // namespace almavest::ui
