#pragma once

#include "settings/settinglist.h"

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// The dialog's pure operations on setting-list slots and file lists.
namespace qelvo::dialog
{

// ---- List sets ----

// A new list: 10 seconds, zoom 1, in order, mouse off, no entries. Effect is
// left at 0 like any free slot.
[[nodiscard]] settings::SettingList newSettingList(const QString &name);

// Removes list c of count lists: every later list moves down one slot whole,
// entries included, and the slot the last list held becomes free (empty name,
// options 0). Out-of-range c changes nothing.
void deleteListSlot(settings::SettingSlots &listSlots, int c, int count);

enum class NameCheck { Empty, TooLong, LineBreak, Ok };
// Empty names are a cancel; names longer than the 99 characters a reader takes
// back would come back cut, so they are refused.
[[nodiscard]] NameCheck checkListName(const QString &name);

// ---- File lists ----

struct FormedEntries {
    QVector<settings::FileEntry> entries;
    QStringList refused; // picked paths that could not be stored so that they read back
};

// Entries from the picker's result. files: DispName = lower-case name,
// FullPath = folder + '/' + name (a root folder already ends in '/'), in the
// file system's case. folderMode: DispName = "(" + lower-case last name + ")",
// FullPath = the folder, so the root "/" gives "()". A path with a comma or a
// line break, or a name beginning with a double quote or a blank, is refused.
[[nodiscard]] FormedEntries formEntries(bool folderMode, int pickedCount,
                                        std::span<const QString> pickedFiles);

// Removes row r; returns the row to select afterwards (the row that followed,
// or the new last row, -1 when the list became empty). Out-of-range r: no change,
// returns the last row.
int deleteEntry(QVector<settings::FileEntry> &entries, int r);

// Exchanges rows r and r + d (d = -1 up, +1 down); returns the new row of the
// moved entry, or nothing when the move is impossible (first row up, last row
// down, no selection, empty list).
std::optional<int> moveEntry(QVector<settings::FileEntry> &entries, int r, int d);

// ---- Sample ----

inline constexpr float kSampleBoxWidth = 1500.0f; // twips
inline constexpr float kSampleBoxHeight = 1000.0f;

// Scales a picture's natural size (twips) up or down to the largest size that
// fits 1500 x 1000 with its proportions; ties go to the width. Nothing for a
// picture whose sides are both 0.
[[nodiscard]] std::optional<QSizeF> fitSample(QSizeF natural);

// ---- Number boxes ----

// The value of a seconds or zoom box: the forms the settings file takes, with
// full-width characters ("１２", "１．５", as a Japanese input method types
// them) read as their ASCII forms. Nothing when the text is not a number.
[[nodiscard]] std::optional<float> readNumber(const QString &text);
// A number in one of those forms that is too large for the value's type
// (1e40): the box says so instead of calling it no number.
[[nodiscard]] bool numberTooLarge(const QString &text);

// ---- Captions ----

[[nodiscard]] QString listsLabel(int lists);
[[nodiscard]] QString filesLabel(int files);
// "サンプル(W x H)" with both sides in the general number format.
[[nodiscard]] QString sampleCaption(double width, double height);
// The about box's text, one line per line break.
[[nodiscard]] QString aboutText(const QString &baseName, const QString &version, const QString &legalNotice);

} // namespace qelvo::dialog
