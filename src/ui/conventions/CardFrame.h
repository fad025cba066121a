#pragma once

#include "store/CardRules.h"
#include "ui/conventions/FieldTable.h"

#include <QAbstractButton>
#include <QRect>
#include <QSize>

#include <functional>
#include <map>
#include <span>
#include <string_view>

class QFrame;
class QString;
class QLabel;
class QWidget;

// The frame every card screen is laid in: a panel of fixed size centred on the maximised
// window, the status line along the bottom that says what the pointer is over, and the toolbar
// of picture buttons along the panel's top with the card's position among them.
namespace almavest::ui {

// An entry box of a card: its record field index and its place on the panel.
struct CardBox
{
    int field;
    int x;
    int y;
    int width;
};

// A picture button of a card's toolbar.
struct CardButton
{
    const char *name;
    const char *picture;
    const char *caption; // "" for the arrows, which are smaller
    bool ready; // false: the dialog it opens is not part of the program yet
    int gapBefore = 0; // extra room left before it
    bool flushRight = false; // it and the buttons after it stand against the panel's right edge
};

// The buttons of a card kept as building made them, by objectName. Asking for one the card
// was not built with stops the program, naming it, in every build type.
class CardButtons final
{
public:
    void add(QAbstractButton *button);
    QAbstractButton *operator[](std::string_view name) const;

private:
    std::map<QString, QAbstractButton *, std::less<>> m_buttons;
};

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

// Lays `buttons` out left to right along the top of `panel`, captioned ones `captionWidth`
// wide, keeps them in `built`, and puts the position label "lblPosizione" right after
// "cmdIndietro"; returns it.
QLabel *buildCardToolbar(
    QWidget *panel, std::span<const CardButton> buttons, int captionWidth, CardButtons &built);

} // namespace almavest::ui
