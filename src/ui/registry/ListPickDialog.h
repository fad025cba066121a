#pragma once

#include "exporting/SheetExport.h"
#include "store/ListLines.h"
#include "ui/registry/MemberListPanel.h"

#include <QDialog>

#include <functional>
#include <optional>

namespace almavest::store {
class ListLines;
class ScanControl;
} // namespace almavest::store

// A per-use dialog around a list panel: it lists the lines of one archive scan, finds and prints
// them, and hands back the position of the record behind the line the user chooses. An archive
// that could not be read is reported instead of showing an empty list.
namespace almavest::ui {

class AppContext;

class ListPickDialog : public QDialog
{
    Q_OBJECT
public:
    MemberListPanel *list() const { return m_list; }
    // The position of the record chosen in the list, once one has been.
    std::optional<qint64> chosenPosition() const { return m_chosen; }

protected:
    ListPickDialog(
        AppContext &context, QWidget *owner, const QString &caption, const QString &printTitle);
    // Shows the lines of a scan, with the first line or none selected.
    void setLines(store::ListLines found,
        MemberListPanel::Selection selection = MemberListPanel::Selection::FirstLine);
    void done(int result) override;
    // Runs the dialog over its owner: the position chosen, or nothing. When the scan could not
    // read its archive, the archive access message is shown instead and nothing is chosen.
    std::optional<qint64> run();
    // Runs the dialog over its owner as it stands: the position chosen, or nothing.
    std::optional<qint64> runChoosing();

    AppContext &context() const { return m_context; }

    // Offers the records behind the lines, read from the archive at `archivePath`, as a
    // workbook named after the printed list, with the columns of `form` the user chose.
    void offerWorkbook(const exporting::SheetForm &form, const QString &archivePath);
    // Offers the lines as a workbook that `save` makes from the record positions behind them and
    // the printed list's name.
    void offerWorkbook(std::function<void(const QList<qint64> &, const QString &)> save);

    // Scans for a list with `owner` kept free behind its wait notice (ScanRunner): the lines,
    // or nothing when the person cancelled the scan.
    using ListScan = std::function<store::ListLines(store::ScanControl &)>;
    static std::optional<store::ListLines> scanOver(
        AppContext &context, QWidget *owner, ListScan scan);

private:
    void openChosen(qint64 position);

    AppContext &m_context;
    MemberListPanel *m_list = nullptr;
    std::optional<qint64> m_chosen;
    QString m_printTitle;
    bool m_archiveRead = false;
};

} // namespace almavest::ui
