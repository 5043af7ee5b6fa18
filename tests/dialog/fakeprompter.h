#pragma once

#include "dialog/prompter.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace qelvo::fakes
{

// Records every box and answers from a script; an unscripted box gets the
// answer a user closing it would give (Cancel, No or Ok), an unscripted input
// box an empty text (Cancel).
class FakePrompter final : public dialog::Prompter
{
public:
    struct Input {
        QString prompt, title, initial;
    };

    Answer ask(const Message &message) override
    {
        messages.push_back(message);
        if (!answers.empty()) {
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return closedAnswer(message.buttons);
    }
    QString input(const QString &prompt, const QString &title, const QString &initial) override
    {
        inputs.push_back({prompt, title, initial});
        if (texts.empty())
            return {};
        const QString t = texts.front();
        texts.pop_front();
        return t;
    }

    [[nodiscard]] QStringList messageTexts() const
    {
        QStringList out;
        for (const auto &m : messages)
            out << m.text;
        return out;
    }

    std::deque<Answer> answers;
    std::deque<QString> texts;
    std::vector<Message> messages;
    std::vector<Input> inputs;
};

} // namespace qelvo::fakes
