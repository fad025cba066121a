#include "ui/conventions/Halo.h"

#include <QLinearGradient>
#include <QPainter>

namespace almavest::ui {

namespace {
constexpr int kMargin = 4;
}

Halo::Halo(QWidget *field, const QString &name)
    : QWidget(field->parentWidget())
    , m_field(field)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    follow();
    hide();
}

void Halo::follow()
{
    setGeometry(m_field->geometry().adjusted(-kMargin, -kMargin, kMargin, kMargin));
    stackUnder(m_field);
}

void Halo::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient border(outer.topLeft(), outer.bottomLeft());
    border.setColorAt(0.0, QColor(255, 255, 0));
    border.setColorAt(1.0, Qt::white);
    painter.setPen(QPen(QBrush(border), 1.5));
    painter.setBrush(QColor(255, 255, 0));
    painter.drawRoundedRect(outer, 3, 3);
}

} // namespace almavest::ui
