#pragma once

#include <QStringList>
#include <QWidget>

#include <memory>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace almavest::registry {
struct MemberLines;
}

// The list part shared by the member search and the expiry summaries: instructions, the quick
// find box, the list of member lines, and the buttons to close and to print. A double click (or
// Enter) on a line chooses the card behind that line.
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

    // Shows the lines of a scan, each remembering its card.
    void setLines(registry::MemberLines found);
    void clear();
    QStringList lines() const;
    // Ready for a new showing: no remembered quick-find text, the first line selected, an empty
    // find box with the focus.
    void restart();
    // Prints the list through the summary report with `title`.
    void print(const QString &title);

    // Puts `status` at the left of the buttons (the search's count of cards).
    void addStatus(QWidget *status);

    QListView *list() const { return m_lstRecords; }
    QPushButton *closeButton() const { return m_btnChiudi; }
    QPushButton *printButton() const { return m_btnStampa; }

Q_SIGNALS:
    // A line was chosen: `position` is the record position of its card.
    void chosen(qint64 position);

private:
    AppContext &m_context;
    QLineEdit *m_txtTrova = nullptr;
    QListView *m_lstRecords = nullptr;
    RecordListModel *m_model = nullptr;
    QPushButton *m_btnChiudi = nullptr;
    QPushButton *m_btnStampa = nullptr;
    QHBoxLayout *m_buttons = nullptr;
    std::unique_ptr<QuickFind> m_quickFind;
};

} // namespace almavest::ui
