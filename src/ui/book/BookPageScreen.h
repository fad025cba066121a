#pragma once

#include "ui/conventions/CardScreen.h"

#include <QList>
#include <QString>

class QLabel;

// The book page screen: the pages of one book, one at a time, with their book-level fields and
// four member rows; browsing, new page, duplicate and save, and the doors to the page's print
// and preview. The book list opens it on a book; closing it returns to the launcher.
namespace almavest::ui {

class AppContext;

class BookPageScreen final : public CardScreen
{
    Q_OBJECT
public:
    explicit BookPageScreen(AppContext &context);
    ~BookPageScreen() override;

    // Shows the screen on the book file at `path`, named `name` in its header bar, in place of
    // the screen `from`; the book's last page is shown.
    void openBook(QWidget *from, const QString &path, const QString &name);

    // The book file the screen shows; `lblFile` shows it.
    QString bookPath() const { return m_bookPath; }
    QLabel *lblFile() const;
    QLabel *lblNome() const;

private:
    CardControls buildCard() override;
    void finishCard() override;
    Highlight highlightOf(int field) const override;
    QString archivePath() const override { return m_bookPath; }
    QStringList newValues() const override;
    int firstField() const override;
    std::optional<store::SaveRefusal> saveRefusal(const QStringList &values) const override;
    QString fieldName(int field) const override;
    void prepareOnShow() override { showLastRecord(); }

    void buildHeader(QWidget *panel);
    void buildBookFields(QWidget *panel, CardButtons &buttons);
    void buildRow(QWidget *panel, int row, CardButtons &buttons);
    void dressBoxes();

    // Opens the print or the preview dialog on the page as it stands.
    template <typename Dialog> void printPage();
    // The page search: shows the page chosen.
    void findPage();
    // The member import into row `row` (0 for row A): fills that row from the member chosen.
    void importMember(int row);
    // Offers a codice fiscale made from the data of member row `row` (0 to 3) and puts it in the
    // row if the user takes it.
    void makeTaxCode(int row);
    bool confirmSave(const QStringList &values) override;

    QString m_bookPath;
    QLabel *m_lblFile = nullptr;
    QLabel *m_lblNome = nullptr;
    QList<QWidget *> m_backgrounds; // surfaces that empty the status line
};

} // namespace almavest::ui
