#include "picker/picker.h"

#include "picker/driveroots.h"
#include "picker/form3.h"
#include "platform/appidentity.h"
#include "platform/filesystem.h"

#include <QMessageBox>
#include <QPointer>

namespace qelvo::picker
{

std::array<QString, kPickedSlots> PickedFiles;
std::uint8_t PickedCount = 0;
bool PickFolderMode = false;
QString LastPickDrive;
QString LastPickFolder;

namespace
{

QPointer<Form3> g_form;
DriveSource g_driveSource;
MessageHook g_messageHook;
DriveFolders g_driveFolders;

QStringList currentRoots()
{
    return g_driveSource ? g_driveSource() : mountedDriveRoots();
}

void showMessage(QWidget *parent, const QString &text)
{
    if (g_messageHook) {
        g_messageHook(parent, text);
        return;
    }
    QMessageBox::critical(parent, QString::fromUtf8(kAppTitle), text);
}

Form3 &ensureForm()
{
    if (!g_form) {
        g_form = new Form3(realFileSystem(), currentRoots, g_driveFolders, showMessage);
        g_form->Form_Load();
    }
    return *g_form;
}

} // namespace

PickResult Open(QWidget *owner)
{
    Form3 &form = ensureForm();
    if (form.isVisible())
        return Result();
    PickedCount = 0;
    if (owner && form.parentWidget() != owner) {
        // A child of the owner: no task-bar entry of its own, centred over it when shown.
        form.setParent(owner, form.windowFlags());
    }
    form.setWindowModality(Qt::ApplicationModal);
    form.exec();
    return Result();
}

PickResult Result()
{
    PickResult result{PickFolderMode, PickedCount, {}};
    result.files.reserve(PickedCount + 1);
    for (int slot = 0; slot <= PickedCount; ++slot)
        result.files << PickedFiles[static_cast<std::size_t>(slot)];
    return result;
}

bool SetFolder(const QString &path)
{
    const QString folder = cleanFolderPath(path);
    return !folder.isEmpty() && ensureForm().setDirPath(folder);
}

bool SetDrive(const QString &drive)
{
    const QString path = cleanFolderPath(drive);
    if (path.isEmpty() || !realFileSystem().folderExists(path))
        return false;
    Form3 &form = ensureForm();
    // A folder given as the drive stands for the root that holds it.
    const QStringList roots = currentRoots();
    return form.setDrive(roots.contains(path) ? path : driveOf(path, roots));
}

QString CurrentFolder()
{
    return ensureForm().dirPath();
}

void Destroy()
{
    Form3 *form = g_form;
    if (!form)
        return;
    g_form = nullptr;
    // Called from the window's own buttons too, so the window goes once its
    // handler and any modal loop over it have returned.
    form->done(QDialog::Rejected);
    form->deleteLater();
}

void RememberPlace()
{
    if (!g_form)
        return;
    LastPickDrive = g_form->drive();
    LastPickFolder = g_form->dirPath();
}

QString DriveOf(const QString &path)
{
    return driveOf(cleanFolderPath(path), currentRoots());
}

void SetDriveSource(DriveSource source)
{
    g_driveSource = std::move(source);
}

void SetMessageHook(MessageHook hook)
{
    g_messageHook = std::move(hook);
}

Form3 *Window()
{
    return g_form;
}

void ResetAll()
{
    Destroy();
    PickedFiles.fill(QString());
    PickedCount = 0;
    PickFolderMode = false;
    LastPickDrive.clear();
    LastPickFolder.clear();
    g_driveFolders.clear();
}

} // namespace qelvo::picker
