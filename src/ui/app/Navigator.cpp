#include "ui/app/Navigator.h"

#include <QWidget>
#include <QtGlobal>

namespace almavest::ui {

void Navigator::enrol(Screen screen, QWidget *widget)
{
    m_screens.at(static_cast<std::size_t>(screen)) = widget;
}

void Navigator::go(Screen to, QWidget *from) const
{
    QWidget *target = m_screens.at(static_cast<std::size_t>(to));
    if (!target)
        qFatal("No screen is enrolled as screen %d", static_cast<int>(to));
    switchScreen(from, target);
}

void Navigator::switchScreen(QWidget *from, QWidget *to)
{
    to->show();
    if (from && from != to)
        from->hide();
}

} // namespace almavest::ui
