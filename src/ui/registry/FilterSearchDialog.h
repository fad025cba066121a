#pragma once

#include "store/ListLines.h"
#include "ui/conventions/FieldTable.h"
#include "ui/registry/ListPickDialog.h"

#include <functional>
#include <span>
#include <vector>

class QLabel;
class QLineEdit;
class QStackedWidget;

namespace almavest::store {
class ScanControl;
}

// A search over one archive: a panel of filter boxes first, then the list of the records the
// filled filters found, with quick find and printing; the record chosen is handed back by its
// position. An archive that cannot be read during the search is reported and the filters stay.
namespace almavest::ui {

// One filter box: how it is typed into and where Enter leaves it, and its caption.
struct SearchFilter
{
    FieldSettings field;
    const char *caption;
};

// What makes one filter search: its window's objectName (which the style sheet knows it by), its
// caption, the title of its print, and its filter boxes in the order of the Enter chain, which
// is also the order of the texts handed to scan().
struct FilterSearchSetup
{
    const char *objectName;
    const char *caption; // UTF-8, as is the print title
    const char *printTitle;
    std::span<const SearchFilter> filters;
};

// What one search found: the number of filters filled and the lines of the records found.
struct FilterScan
{
    int filledCount = 0;
    store::ListLines lines;
};

// One search, ready to run on the scan's thread: it holds copies of all it needs.
using FilterScanJob = std::function<FilterScan(store::ScanControl &)>;

class ScanRunner;

class FilterSearchDialog : public ListPickDialog
{
    Q_OBJECT
public:
    QLabel *lblMemory() const { return m_lblMemory; }
    MemberListPanel *results() const { return list(); }

protected:
    // `modeWord`, the word of the search's mode, is shown on lblMemory.
    FilterSearchDialog(AppContext &context, QWidget *owner, const FilterSearchSetup &setup,
        const QString &modeWord);

    // The search that reads the archive once and lists the records that `texts`, one per
    // filter box, find.
    virtual FilterScanJob scanJob(std::span<const QString> texts) const = 0;

    // Copies the box texts into a search's fixed array of filters, in table order.
    template <typename Filters> static Filters toFilters(std::span<const QString> texts)
    {
        Filters filters;
        for (size_t i = 0; i < filters.size() && i < texts.size(); ++i)
            filters[i] = texts[i];
        return filters;
    }

    bool eventFilter(QObject *watched, QEvent *event) override;
    void done(int result) override;

private:
    QWidget *buildFilterPanel(std::span<const SearchFilter> filters);
    QWidget *buildResultPanel();
    void showWaitNotice();
    void search();
    void showFound(FilterScan found);

    QStackedWidget *m_panels = nullptr;
    QLabel *m_lblMemory = nullptr;
    QLabel *m_lblConta = nullptr;
    QLabel *m_lblAttendere = nullptr;
    QLabel *m_lblTrovate = nullptr;
    std::vector<QLineEdit *> m_filterBoxes;
    ScanRunner *m_scans = nullptr;
};

} // namespace almavest::ui
