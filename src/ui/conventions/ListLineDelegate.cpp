#include "ui/conventions/ListLineDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QScrollBar>

namespace almavest::ui {

namespace {

// The room kept for the pinned end: its label and the widest amount (14 characters and a sign),
// so that the amounts of all the lines stand right-aligned in one column.
constexpr int kAmountRoom = 15;
// Blank room between the text that scrolls and the pinned end.
constexpr int kGap = 12;

} // namespace

ListLineDelegate::ListLineDelegate(
    QAbstractItemView *view, int lineWidth, const QString &pinnedFrom)
    : QStyledItemDelegate(view)
    , m_view(view)
    , m_lineWidth(lineWidth)
    , m_pinnedFrom(pinnedFrom)
{
    // Scrolling moves what is already drawn, the pinned ends with it: the view is drawn afresh.
    if (!m_pinnedFrom.isEmpty()) {
        connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, view->viewport(),
            [viewport = view->viewport()] { viewport->update(); });
    }
}

std::optional<QString> ListLineDelegate::pinnedAmount(const QModelIndex &index) const
{
    if (m_pinnedFrom.isEmpty())
        return std::nullopt;
    const QString line = index.data(Qt::DisplayRole).toString();
    const qsizetype at = line.lastIndexOf(m_pinnedFrom);
    if (at < 0)
        return std::nullopt;
    return line.mid(at + m_pinnedFrom.size()).trimmed();
}

QRect ListLineDelegate::pinnedRect(
    const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const std::optional<QString> amount = pinnedAmount(index);
    if (!amount)
        return {};
    const QFontMetrics metrics(option.font);
    const QRect visible = m_view->viewport()->rect();
    const int margin
        = m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1;
    const int lineEnd = option.rect.left() + margin
        + metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + margin;
    if (lineEnd <= visible.right())
        return {};
    const int label = metrics.horizontalAdvance(m_pinnedFrom.trimmed() + QLatin1Char(' '));
    const int figures = std::max(metrics.horizontalAdvance(QString(kAmountRoom, QLatin1Char('0'))),
        metrics.horizontalAdvance(*amount));
    const int width = label + figures + 2 * margin;
    return QRect(visible.right() - width + 1, option.rect.top(), width, option.rect.height());
}

void ListLineDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect pinned = pinnedRect(option, index);
    if (pinned.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The line scrolls to the left of the pinned end, a gap apart...
    painter->save();
    painter->setClipRect(
        QRect(option.rect.topLeft(), QPoint(pinned.left() - kGap - 1, option.rect.bottom())),
        Qt::IntersectClip);
    QStyledItemDelegate::paint(painter, option, index);
    painter->restore();

    // ...and the end is drawn in the same colours as the line, its amount against the right edge.
    QStyleOptionViewItem end = option;
    initStyleOption(&end, index);
    end.rect = QRect(QPoint(pinned.left() - kGap, option.rect.top()),
        QPoint(pinned.right(), option.rect.bottom()));
    end.text.clear();
    end.state &= ~QStyle::State_HasFocus;
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &end, painter, widget);
    painter->save();
    const QPalette::ColorGroup group
        = option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->setPen(option.palette.color(
        group, option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect text = pinned.adjusted(margin, 0, -margin, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_pinnedFrom.trimmed());
    painter->drawText(
        text, Qt::AlignRight | Qt::AlignVCenter, pinnedAmount(index).value_or(QString()));
    painter->setPen(option.palette.color(group, QPalette::Mid));
    painter->drawLine(pinned.left() - kGap / 2, option.rect.top(), pinned.left() - kGap / 2,
        option.rect.bottom());
    painter->restore();
}

QSize ListLineDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize natural = QStyledItemDelegate::sizeHint(option, index);
    return m_lineWidth > 0 ? QSize(m_lineWidth, natural.height()) : natural;
}

} // namespace almavest::ui
