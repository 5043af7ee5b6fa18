#pragma once

#include "picker/pickresult.h"
#include "platform/screens.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The picker's rules that need no window: type patterns, the folder label,
// the preview's size and how a file selection becomes the result.
namespace qelvo::picker
{

// Patterns for the type box's items, in the same order. "*.jp*" deliberately
// also takes .jpeg and .jpe.
inline constexpr std::array<const char *, 5> kFilePatterns = {"*.jp*;*.gif;*.bmp", "*.bmp", "*.jp*", "*.gif",
                                                              "*.*"};

inline constexpr int kPreviewTwips = 1000;   // the preview's longer side
inline constexpr int kMaxPicked = 255;       // PickedCount is eight bits wide
inline constexpr int kLabelShortenFrom = 35; // folder paths this long are shortened
inline constexpr int kLabelHead = 15;
inline constexpr int kLabelTail = 20;

// Whether a file name matches one of the ';'-separated wildcard patterns
// ("*" any run, "?" any one character), ignoring case. "*.*" and "*" take
// every name, with or without a dot.
[[nodiscard]] bool matchesPattern(const QString &name, const QString &patterns);

// The folder label's text: paths shorter than 35 characters whole, longer
// ones as their first 15 characters, "..." and their last 20. Characters are
// code points, so a character outside the BMP is never cut in half.
[[nodiscard]] QString shortenFolderLabel(const QString &path);

// The preview's size in twips for a picture of the given natural size in
// twips: the longer side becomes 1000, the other keeps the proportions (small
// pictures grow). Invalid for an empty picture.
[[nodiscard]] QSize previewSizeTwips(QSize naturalTwips);

// Twips to whole screen pixels at 96 dpi, at least 1 for any positive length.
[[nodiscard]] int visiblePixels(int twips);

// The file and folder lists' order: case-insensitive, runs of digits by their
// value ("img2" before "img10"); names equal that way fall back to their code
// units, so the order is total.
[[nodiscard]] bool naturalLess(const QString &a, const QString &b);

struct Collected {
    std::uint8_t count = 0;
    QString display;      // " name" for each chosen file, for the name box
    bool tooMany = false; // more than 255 chosen: count is 255 and display unusable
};

// Turns the selected names, in list order, into result slots 1..n. On the
// 256th name it stops: slots 1 to 255 stay filled and tooMany is set.
Collected collectPicked(const QStringList &selectedInListOrder, std::array<QString, kPickedSlots> &picked);

} // namespace qelvo::picker
