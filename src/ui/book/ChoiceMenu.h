#pragma once

#include "ui/help/HelpTopics.h"

#include <QWidget>

#include <initializer_list>
#include <vector>

class QLabel;

// A menu screen of a few choices: the book menu and the journal menu. Each choice sets the mode
// word and closes the screen; its exit icon closes it with "avvio". Closing leads where the word
// says, and a showing starts again with "avvio".
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
        const char *word; // the mode word it sets
    };

    QLabel *lblMemory() const { return m_lblMemory; }

protected:
    ChoiceMenu(AppContext &context, const Texts &texts, std::initializer_list<Choice> choices);

    // Switches to the screen that `word` names: "avvio" or one of the choices' words.
    virtual void leaveFor(const QString &word) = 0;

    AppContext &context() const { return m_context; }
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void choose(const char *word);

    AppContext &m_context;
    std::vector<Choice> m_choices;
    QLabel *m_lblMemory = nullptr;
};

} // namespace almavest::ui
