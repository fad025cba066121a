#pragma once

#include "ui/conventions/ResidentScreen.h"

#include <QStringList>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;

// The book page screen: the pages of one book, one at a time, with their book-level fields and
// four member rows; browsing, new page, duplicate and save, and the doors to the page's print
// and preview. The book list opens it on a book; closing it returns to the launcher.
namespace almavest::store {
class ArchiveFile;
enum class Arrow;
} // namespace almavest::store

namespace almavest::ui {

class AppContext;
class CardForm;

class BookPageScreen final : public ResidentScreen
{
    Q_OBJECT
public:
    explicit BookPageScreen(AppContext &context);
    ~BookPageScreen() override;

    // Shows the screen on the book file at `path`, named `name` in its header bar, in place of
    // the screen `from`; the book's last page is shown.
    void openBook(QWidget *from, const QString &path, const QString &name);

    // Reads page `position` of the open book into the screen; false, after the archive access
    // message, when the book cannot be read. Used by browsing and by the page search.
    bool loadPage(qint64 position);

    // The page's 63 values as the screen shows them, saved or not, by page field index.
    QStringList pageValues() const;
    // The box of page field `field` (book-level or row field; not an attachment).
    QLineEdit *box(int field) const;

    // The screen's state values.
    QString position() const;
    QLabel *lblFile() const;
    QLabel *lblNome() const;
    QLabel *lblPosizione() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build() override;
    void buildScreen();
    void buildHeader(QWidget *panel);
    void buildBookFields(QWidget *panel);
    void buildRow(QWidget *panel, int row);
    void buildToolbar(QWidget *panel);
    void dressBoxes();
    void connectActions();

    void showLastPage();
    void newPage();
    void browse(store::Arrow arrow);
    void duplicate();
    void save();
    bool refuseSave(const QStringList &values);
    void openDatePicker(int field);
    // Opens the print or the preview dialog on the page as it stands.
    template <typename Dialog> void printPage();
    // The page search: shows the page chosen.
    void findPage();
    // The member import into row `row` (0 for row A): fills that row from the member chosen.
    void importMember(int row);

    store::ArchiveFile bookArchive() const;
    bool readPage(store::ArchiveFile &archive, qint64 position);
    // Writes `values` as the shown page: in place when it is stored, else after the last page.
    // The position written, or nothing when the book cannot be written.
    void archiveFailed();

    AppContext &m_context;
    QLabel *m_lblFile = nullptr;
    QLabel *m_lblNome = nullptr;
    QLabel *m_lblPosizione = nullptr;
    QLabel *m_panInfo = nullptr;
    QWidget *m_panel = nullptr;
    QList<QWidget *> m_backgrounds; // surfaces that empty the status line
    std::unique_ptr<CardForm> m_form;
};

} // namespace almavest::ui
