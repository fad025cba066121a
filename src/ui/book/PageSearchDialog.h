#pragma once

#include "ui/registry/ListPickDialog.h"

#include <optional>

class QLabel;

// The page search: one line per page of a book, describing the member of its first row, with
// quick find and printing; the page chosen is handed back by its page number.
namespace almavest::ui {

class AppContext;

class PageSearchDialog final : public ListPickDialog
{
    Q_OBJECT
public:
    // Lists `lines`, the pages of a book.
    PageSearchDialog(AppContext &context, QWidget *owner, store::ListLines lines);

    // The mode word the page screen opens the search with, "registro".
    QLabel *lblMemory() const { return m_lblMemory; }

    // Scans the book at `bookPath`, then opens its search over `owner` and waits until it closes:
    // the number of the page chosen (its own, even when another page gives the same line), or
    // nothing. A book that cannot be read is reported and chooses nothing.
    static std::optional<qint64> choose(
        AppContext &context, QWidget *owner, const QString &bookPath);

private:
    QLabel *m_lblMemory = nullptr;
};

} // namespace almavest::ui
