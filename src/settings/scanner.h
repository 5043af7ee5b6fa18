#pragma once

#include <QString>
#include <QStringList>

namespace qelvo::settings
{

// The file's lines, CR LF or LF ended; a final line without an end still counts,
// a final line end adds no empty line.
[[nodiscard]] QStringList splitLines(const QString &text);

// Reads a text line by line or item by item from one shared position, the way
// a record's key lines are read before its entries. An item ends at a comma or
// at a line end, so an entry line "name,path" gives two items; a line ends at
// a line end only. A CR is dropped only where it ends a line.
class TextScanner
{
public:
    explicit TextScanner(const QString &text) : m_text(text) {}

    [[nodiscard]] bool atEnd() const { return m_pos >= m_text.size(); }
    // The next item; empty at the end.
    QString nextItem() { return read(true); }
    // The rest of the current line; empty at the end.
    QString nextLine() { return read(false); }

private:
    QString read(bool stopAtComma);

    QString m_text;
    qsizetype m_pos = 0;
};

// Key recognition: the first five characters of a line or item equal those of
// the key, case-sensitively.
[[nodiscard]] bool hasKeyPrefix(const QString &text, const char *key);

// The value at a fixed character position (1-based), at most maxLength
// characters; empty when the text is shorter.
[[nodiscard]] QString valueAt(const QString &text, int position, int maxLength);

// The value just after a full key text ("ChgTime=") for at most maxLength characters.
[[nodiscard]] QString valueAfterKey(const QString &text, const char *key, int maxLength);

} // namespace qelvo::settings
