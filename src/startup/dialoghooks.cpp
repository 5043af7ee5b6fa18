#include "startup/dialoghooks.h"

#include "picker/picker.h"
#include "slideshow/form2.h"

#include <QCoreApplication>

namespace qelvo
{

Form1::Hooks dialogHooks(const AppIdentity &identity)
{
    Form1::Hooks h;
    h.openPicker = [](QWidget *owner) { return picker::Open(owner); };
    h.setPickerFolder = [](const QString &folder) { return picker::SetFolder(folder); };
    h.setPickerDrive = [](const QString &drive) { return picker::SetDrive(drive); };
    h.pickerDriveOf = [](const QString &folder) { return picker::DriveOf(folder); };
    h.pickerFolder = [] { return picker::CurrentFolder(); };
    h.destroyPicker = [] { picker::Destroy(); };
    h.rememberPickerPlace = [] { picker::RememberPlace(); };
    h.showPreview = [identity] {
        auto *show = new Form2(identity);
        show->setAttribute(Qt::WA_DeleteOnClose);
        show->Form_Load();
        show->show();
    };
    h.quit = [] { QCoreApplication::quit(); };
    return h;
}

} // namespace qelvo
