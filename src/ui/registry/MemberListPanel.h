#pragma once

#include <QStringList>
#include <QWidget>

#include <memory>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace almavest::store {
class ListLines;
}

// The list part shared by the member search, the expiry summaries, the member import and the
// page search: instructions, the quick find box, the list of lines, and the buttons to close and
// to print. A double click (or Enter) on a line chooses the record behind that line.
namespace almavest::ui {

class AppContext;
class QuickFind;
class RecordListModel;

class MemberListPanel final : public QWidget
{
    Q_OBJECT
public:
    MemberListPanel(AppContext &context, QWidget *parent);
    ~MemberListPanel() override;

    // Shows the lines of a scan, each remembering its record.
    void setLines(store::ListLines found);
    void clear();
    QStringList lines() const;
    // The record positions behind the lines, top to bottom.
    QList<qint64> positions() const;
    enum class Selection { FirstLine, None };
    // Ready for a new showing: no remembered quick-find text, the first line or none selected, an
    // empty find box with the focus.
    void restart(Selection selection = Selection::FirstLine);
    // Prints the list through the summary report with `title`.
    void print(const QString &title);

    // Keeps the amount that ends each movement line in sight at the list's right edge while the
    // line is wider than the list.
    void keepAmountsInSight();

    // Puts `status` at the left of the buttons (the search's count of cards).
    void addStatus(QWidget *status);

    QListView *list() const { return m_lstRecords; }
    QPushButton *closeButton() const { return m_btnChiudi; }
    QPushButton *printButton() const { return m_btnStampa; }
    // Hidden until a list offers its records as a workbook.
    QPushButton *workbookButton() const { return m_btnFoglio; }

Q_SIGNALS:
    // A line was chosen: `position` is the position of the record behind it.
    void chosen(qint64 position);

private:
    AppContext &m_context;
    QLineEdit *m_txtTrova = nullptr;
    QListView *m_lstRecords = nullptr;
    RecordListModel *m_model = nullptr;
    QPushButton *m_btnChiudi = nullptr;
    QPushButton *m_btnStampa = nullptr;
    QPushButton *m_btnFoglio = nullptr;
    QHBoxLayout *m_buttons = nullptr;
    std::unique_ptr<QuickFind> m_quickFind;
};

} // namespace almavest::ui
