#pragma once

#include <QString>
#include <QStringList>

namespace qelvo::settings {

// The file's lines, CR LF or LF ended; a final line without an end still counts,
// a final line end adds no empty line.
[[nodiscard]] QStringList splitLines(const QString &text);

// Reads a text item by item: an item ends at a comma or at a line end, so an
// entry line "name,path" gives two items.
class ItemScanner {
public:
    explicit ItemScanner(const QString &text) : m_text(text) {}

    [[nodiscard]] bool atEnd() const { return m_pos >= m_text.size(); }
    // The next item; empty at the end.
    QString next();

private:
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
