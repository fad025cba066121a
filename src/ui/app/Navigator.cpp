#include "ui/app/Navigator.h"

#include <QWidget>
#include <QtGlobal>

namespace almavest::ui {

void Navigator::enrol(Screen screen, Builder build)
{
    m_screens.at(static_cast<std::size_t>(screen)) = std::move(build);
}

void Navigator::enrol(Screen screen, QWidget *widget)
{
    enrol(screen, [widget] { return widget; });
}

void Navigator::go(Screen to, QWidget *from) const
{
    const Builder &build = m_screens.at(static_cast<std::size_t>(to));
    QWidget *target = build ? build() : nullptr;
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
