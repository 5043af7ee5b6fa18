#pragma once

#include "picker/pickresult.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>

class QWidget;

namespace qelvo
{
class Form3;
}

// The file picker's operations and its result, which outlive the picker window.
namespace qelvo::picker
{

// The picker's own state, which its window fills; others read it through
// Result(). Slot 0: the folder of the chosen files; slots 1..PickedCount: the
// chosen names in list order, or in folder mode slot 1: the chosen folder.
extern std::array<QString, kPickedSlots> PickedFiles;
extern std::uint8_t PickedCount;
extern bool PickFolderMode;
extern QString LastPickDrive;  // drive root at the last OK, empty before
extern QString LastPickFolder; // folder at the last OK, empty before

// Creates the picker if needed, empties the result, shows it modally over
// owner and returns the result when it closes.
PickResult Open(QWidget *owner);
// The result as it stands: the mode and slots 0..PickedCount.
[[nodiscard]] PickResult Result();
// Point the picker at a folder or a drive, creating it hidden if needed. A
// drive is one of the drive box's roots (see DriveOf); an existing folder
// given as the drive stands for the root that holds it. A drive opens at the
// folder last shown on it, so SetFolder(f) then SetDrive(DriveOf(f)) shows f.
// False when that place cannot be shown; the picker then stays where it was.
bool SetFolder(const QString &path);
bool SetDrive(const QString &drive);
// The folder the picker shows, creating it if needed.
[[nodiscard]] QString CurrentFolder();
// Closes and discards the picker window; the result stays.
void Destroy();
// The place the picker shows becomes the remembered one, as at an OK but
// without a result, so that a picker made later opens there too.
void RememberPlace();

// The drive box's root that holds a stored path (the "drive" of that path),
// empty when no root does.
[[nodiscard]] QString DriveOf(const QString &path);

// Where the drive box takes its roots from; unset means the mounted roots.
using DriveSource = std::function<QStringList()>;
void SetDriveSource(DriveSource source);
// How the picker shows its error message; unset means a critical message box
// titled "qelvo" over parent.
using MessageHook = std::function<void(QWidget *parent, const QString &text)>;
void SetMessageHook(MessageHook hook);

// The picker window while it exists, else null; for tests that drive it.
[[nodiscard]] Form3 *Window();
// Discards the window and forgets the result, the remembered place and each
// drive's folder, as at program start.
void ResetAll();

} // namespace qelvo::picker
