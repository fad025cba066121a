#pragma once

#include "ui/app/Navigator.h"

#include <QWidget>

class QBoxLayout;
class QLabel;
class QListView;
class QStringListModel;

// The book list: the books of the program folder, to open on the page screen, to delete after a
// clear question, and the door to the title page. Closing it leads to the book chosen with Apri
// archivio, else back to the launcher; lblMemory shows which.
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
    // Where closing the screen leads: the page screen on the book chosen, or the launcher.
    Screen nextScreen() const { return m_next; }

Q_SIGNALS:
    // Closing after Apri archivio: the page screen is to open the book at `path`, named `name`.
    void bookChosen(const QString &path, const QString &name);

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
    // Closing leads to the launcher; lblMemory says "avvio".
    void leaveForLauncher();

    AppContext &m_context;
    QListView *m_lstFiles = nullptr;
    QStringListModel *m_books = nullptr;
    QLabel *m_lblCreati = nullptr;
    QLabel *m_lblFile = nullptr;
    QLabel *m_lblMemory = nullptr;
    Screen m_next = Screen::Launcher;
    QString m_chosenPath; // the book being opened
    QString m_chosenName;
};

} // namespace almavest::ui
