#pragma once

#include <QString>
#include <QStringList>

namespace qelvo
{

enum class StartAction {
    SlideShow, // "/s" exactly: hidden settings dialog, then the modal slide show
    Settings,  // "/c..." in any case, or "/S...": the settings dialog
    Exit,      // anything else: end at once, show nothing
};

// The screen-saver host's switch decides what runs.
[[nodiscard]] StartAction dispatch(const QString &commandLine);

// The command line as one text: the arguments after the program's name joined
// by single blanks.
[[nodiscard]] QString joinCommandLine(const QStringList &arguments);

} // namespace qelvo
