#pragma once

#include <QString>

#include <cstdio>

namespace qelvo
{

// A message for a run with nobody at the screen: one line on the stream
// (standard error unless given), "qelvo: " and the text with each run of line
// breaks turned into one blank, so a log keeps one message per line.
void tellStandardError(const QString &text, std::FILE *stream = stderr);

} // namespace qelvo
