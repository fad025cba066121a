#pragma once

#include "ui/help/HelpTopics.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;

// The help window: one topic's title and text, and the way to the user guide "Guida.pdf" of
// the program folder. Made anew for each use and filled by the screen that opens it.
namespace almavest::ui {

class AppContext;
class ClickablePicture;

class HelpWindow final : public QDialog
{
    Q_OBJECT
public:
    HelpWindow(AppContext &context, QWidget *owner);

    // Writes a topic's title and text into the window.
    void showTopic(const HelpText &topic);
    // Opens the user guide through the desktop shell, or says why it cannot.
    void openUserGuide();

private:
    QWidget *buildLinkRow();

    AppContext &m_context;
    QLabel *m_lblTitolo = nullptr;
    QPlainTextEdit *m_txtGuida = nullptr;
    ClickablePicture *m_lnkWeb = nullptr;
};

// Opens the help window over `owner` on `topic` and waits until it closes.
void showHelpTopic(AppContext &context, QWidget *owner, HelpTopic topic);

inline constexpr char kUserGuideFile[] = "Guida.pdf";

} // namespace almavest::ui
