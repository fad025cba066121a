#pragma once

#include <QString>
#include <QStyledItemDelegate>

#include <optional>

class QAbstractItemView;

// Draws the fixed-width lines of a list screen. Lines may be given a width of their own, so that
// every line scrolls sideways as far as the longest. A list whose lines end with an amount keeps
// that end in sight: while the line does not fit in the list, its end from the amount's label on
// is drawn against the right edge, over the text that scrolls under it, and the line is whole
// again once scrolled far enough to the right.
namespace almavest::ui {

class ListLineDelegate final : public QStyledItemDelegate
{
public:
    // `lineWidth`, when above 0, is the width of every line in pixels. `pinnedFrom` is the text
    // after which, from its last occurrence in a line, the end of the line stays in sight; empty,
    // nothing is pinned.
    ListLineDelegate(QAbstractItemView *view, int lineWidth, const QString &pinnedFrom = {});

    // Where the end of the line at `index` is drawn, in the list's viewport, when the line shown
    // in `option` does not fit; an empty rectangle when it is drawn where it stands in the line.
    QRect pinnedRect(const QStyleOptionViewItem &option, const QModelIndex &index) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // The amount after the last pinned label of the line at `index`, trimmed; none when the line
    // has no such label.
    std::optional<QString> pinnedAmount(const QModelIndex &index) const;

    QAbstractItemView *m_view;
    int m_lineWidth;
    QString m_pinnedFrom;
};

} // namespace almavest::ui
