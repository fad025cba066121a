#pragma once

#include <QRect>
#include <QSize>

class QFrame;
class QString;
class QLabel;
class QWidget;

// The frame every card screen is laid in: a panel of fixed size centred on the maximised
// window, and the status line along the bottom that says what the pointer is over.
namespace almavest::ui {

struct CardFrame
{
    QWidget *panel = nullptr;
    QLabel *panInfo = nullptr;
};

// Lays `screen` out as a card screen around a panel named `panelName` of `size`; the status
// line starts ready for a new card.
CardFrame buildCardFrame(QWidget *screen, const char *panelName, QSize size);

// A plain surface of a card's panel at `place`, styled by its name: a frame behind a group of
// fields, which empties the status line when the pointer moves over it.
QFrame *cardSurface(const QString &name, QRect place, QWidget *panel);

} // namespace almavest::ui
