#pragma once

#include <QString>

#include <memory>

class QMessageBox;
class QWidget;

namespace qelvo::dialog
{

// The dialog's message and input boxes behind one small interface, so that the
// dialog's handlers can be driven headless with scripted answers.
class Prompter
{
public:
    enum class Icon { None, Information, Question, Warning, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Message {
        QString title; // empty: the application's title
        QString text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
    };

    virtual ~Prompter() = default;
    // Shows a modal box and returns the button chosen; closing the box counts
    // as Cancel, No or Ok, whichever the box has (in that order).
    virtual Answer ask(const Message &message) = 0;
    // Asks for one line of text; Cancel gives an empty text.
    virtual QString input(const QString &prompt, const QString &title, const QString &initial) = 0;

    // The answer of a box closed by its title-bar button or Escape.
    [[nodiscard]] static Answer closedAnswer(Buttons buttons)
    {
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::YesNo:
            return Answer::No;
        default:
            return Answer::Cancel;
        }
    }
};

// QMessageBox and QInputDialog over a parent window.
class QtPrompter final : public Prompter
{
public:
    explicit QtPrompter(QWidget *parent) : m_parent(parent) {}
    Answer ask(const Message &message) override;
    // The box ask() shows, ready to be shown.
    [[nodiscard]] static std::unique_ptr<QMessageBox> messageBox(const Message &message, QWidget *parent);
    QString input(const QString &prompt, const QString &title, const QString &initial) override;

private:
    QWidget *m_parent;
};

// For a run with nobody at the screen: each message goes to standard error
// and gets the answer of a box closed unanswered; an input box gets no text.
class StandardErrorPrompter final : public Prompter
{
public:
    Answer ask(const Message &message) override;
    QString input(const QString &prompt, const QString &title, const QString &initial) override;
};

} // namespace qelvo::dialog
