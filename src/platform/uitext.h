#pragma once

#include <QCoreApplication>
#include <QString>

namespace qelvo
{

// Turns one of a window's own texts (UTF-8, in its texts.h) into the QString a
// control or a box takes. Each window's texts have one, named tr8, for the
// context their translations are filed under: a marked text comes back in the
// user's language (the installed translation, else the Japanese text itself);
// an unmarked one (a version caption, an initial value) is in no catalogue and
// comes back as it is.
class TextContext
{
public:
    explicit constexpr TextContext(const char *context) : m_context(context) {}
    [[nodiscard]] QString operator()(const char *text) const
    {
        return QCoreApplication::translate(m_context, text);
    }

private:
    const char *m_context;
};

} // namespace qelvo
