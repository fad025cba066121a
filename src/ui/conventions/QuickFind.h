#pragma once

#include <QString>

class QAbstractItemView;

// The quick find of the list screens: each press of "Trova" selects the next entry that holds
// the text (A-Z case-blind), wrapping from the last entry to the first; a new text starts again
// from the top.
namespace almavest::ui {

class Services;

class QuickFind final
{
public:
    QuickFind(QAbstractItemView *list, Services &services);

    // One press of "Trova" with `text`.
    void find(const QString &text);
    // Forgets the last text, as each showing of a list screen does.
    void reset() { m_last.clear(); }

private:
    QAbstractItemView *m_list;
    Services &m_services;
    QString m_last;
};

} // namespace almavest::ui
