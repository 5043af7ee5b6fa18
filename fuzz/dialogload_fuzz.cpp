#include "fuzzsupport.h"

#include "dialog/settingsload.h"

// The dialog's three-pass load over any file, with a picker that takes some
// places and refuses others.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qelvo;
    const QString text = fuzz::settingsText(data, size);
    const dialog::PickerPlace picker{
        [](const QString &folder) { return folder.size() % 2 == 0; },
        [](const QString &drive) { return !drive.isEmpty(); },
        [](const QString &folder) { return folder.section(QLatin1Char('/'), 0, 1); },
    };
    const dialog::LoadedSettings loaded = dialog::loadDialogSettings(text, picker);
    fuzz::require(loaded.ok == loaded.error.isEmpty(), "an error exactly when the load fails");
    fuzz::require(loaded.selection < loaded.comboItems.size(), "the selection names a combo item");
    fuzz::require(loaded.comboItems.size() <= qsizetype(loaded.listSlots.size()), "one combo item per slot");
    return 0;
}
