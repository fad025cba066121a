#pragma once

#include "ui/app/Navigator.h"
#include "ui/help/HelpTopics.h"

#include <QWidget>

#include <initializer_list>

class QLabel;

// A menu screen of a few choices: the book menu and the journal menu. Each choice names the screen
// that comes next and closes the menu; its exit icon closes it towards the launcher. Closing leads
// to the screen chosen, and a showing starts again from the launcher. lblMemory shows the word of
// the choice.
namespace almavest::ui {

class AppContext;

class ChoiceMenu : public QWidget
{
    Q_OBJECT
public:
    struct Texts
    {
        const char *name; // objectName of the window
        const char *title; // its caption
        const char *panel; // objectName of its centred panel
        const char *heading; // the title over the choices
        const char *note; // the instruction under it
        HelpTopic help; // the topic its help picture opens
    };
    struct Choice
    {
        const char *button; // objectName of the button
        const char *caption; // its text, UTF-8
        const char *word; // the word lblMemory shows once it is chosen
        Screen next; // where it leads
    };

    // Where closing the menu leads.
    Screen nextScreen() const { return m_next; }

protected:
    ChoiceMenu(AppContext &context, const Texts &texts, std::initializer_list<Choice> choices);

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void choose(const Choice &choice);
    void leaveForLauncher();

    AppContext &m_context;
    QLabel *m_lblMemory = nullptr;
    Screen m_next = Screen::Launcher;
};

} // namespace almavest::ui
