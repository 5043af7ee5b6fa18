#pragma once

#include <QString>

#include <array>
#include <cstdint>

class QWidget;

// The file picker's operations and its result, which outlive the picker window.
namespace qelvo::picker {

inline constexpr int kPickedSlots = 32768;

// Slot 0: the folder of the chosen files; slots 1..PickedCount: the chosen
// names in list order, or in folder mode slot 1: the chosen folder.
extern std::array<QString, kPickedSlots> PickedFiles;
extern std::uint8_t PickedCount;
extern bool PickFolderMode;
extern QString LastPickDrive;  // drive root at the last OK, empty before
extern QString LastPickFolder; // folder at the last OK, empty before

// Creates the picker if needed, empties the result, shows it modally over
// owner and returns when it closes.
void Open(QWidget *owner);
// Point the picker at a folder or a drive root, creating it hidden if needed.
// False when that place cannot be shown; the picker then stays where it was.
bool SetFolder(const QString &path);
bool SetDrive(const QString &drive);
// The folder the picker shows, creating it if needed.
[[nodiscard]] QString CurrentFolder();
// Closes and discards the picker window; the result stays.
void Destroy();

} // namespace qelvo::picker
