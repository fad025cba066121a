#pragma once

#include "ui/help/HelpTopics.h"

#include <initializer_list>

class QBoxLayout;
class QFrame;
class QLabel;
class QString;
class QWidget;

// What the three windows of the book catalogue share: a maximised window with one panel in the
// middle, an instruction panel on top of it and a hidden state label or two.
namespace almavest::ui {

class AppContext;

// Names and titles `window`, maximised; returns the layout of its centred panel `panelName`.
QBoxLayout *buildCatalogueWindow(
    QWidget *window, const char *name, const char *title, const char *panelName);

// A heading in bold over its notes in italics, as the instruction panels show them.
QFrame *instructionPanel(
    QWidget *parent, const char *heading, std::initializer_list<const char *> notes);

// A hidden label carrying a screen state value.
QLabel *stateLabel(const char *name, const QString &text, QWidget *parent);

// The help picture: a click opens the help window on `topic` over the window holding it.
QWidget *helpPicture(AppContext &context, QWidget *parent, HelpTopic topic);

} // namespace almavest::ui
