#include "picker/picker.h"

#include <QDir>

// Placeholder until the picker window exists: remembers the folder only.
namespace qelvo::picker {

std::array<QString, kPickedSlots> PickedFiles;
std::uint8_t PickedCount = 0;
bool PickFolderMode = false;
QString LastPickDrive;
QString LastPickFolder;

namespace {
QString g_folder = QDir::currentPath();
}

void Open(QWidget *) { PickedCount = 0; }
bool SetFolder(const QString &path)
{
    if (!QDir(path).exists())
        return false;
    g_folder = path;
    return true;
}
bool SetDrive(const QString &drive) { return QDir(drive).exists(); }
QString CurrentFolder() { return g_folder; }
void Destroy() {}

} // namespace qelvo::picker
