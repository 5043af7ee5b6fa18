#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

namespace qelvo
{

// Linux file names are bytes, not text. A name in valid UTF-8 becomes its
// text; in any other name (an old disk's CP932 or Latin-1 names) each byte
// that does not decode is kept as one of U+DC80..U+DCFF, which no real text
// holds, so the name still opens and lists as the same file.
[[nodiscard]] QString decodePath(const QByteArray &bytes);
[[nodiscard]] QByteArray encodePath(const QString &path);
// False for a name holding kept bytes: it cannot be stored as text.
[[nodiscard]] bool isTextPath(const QString &path);
// Opens a file for reading whatever the bytes of its name; not open on failure.
[[nodiscard]] std::unique_ptr<QFile> openForReading(const QString &path);

} // namespace qelvo
