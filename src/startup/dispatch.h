#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace qelvo
{

enum class StartAction {
    SlideShow,  // "/s" exactly: hidden settings dialog, then the modal slide show
    Settings,   // "/c..." in any case, or "/S...": the settings dialog
    Exit,       // anything else: end at once, show nothing
    HostedShow, // a screen-saver host's window named, "", "-root" or "--root": the show in that window
};

// The screen-saver host's switch decides what runs. hostWindow is the value of
// XSCREENSAVER_WINDOW, through which XScreenSaver and xsecurelock name the
// window (a monitor's, or a preview pane) the show is to draw into.
[[nodiscard]] StartAction dispatch(const QString &commandLine, const QString &hostWindow = {});

// The X window id in XSCREENSAVER_WINDOW's value: decimal or 0x hexadecimal,
// blanks around it allowed; nothing for anything else, 0 included.
[[nodiscard]] std::optional<std::uint32_t> parseHostWindow(const QString &value);

// The command line as one text: the arguments after the program's name joined
// by single blanks.
[[nodiscard]] QString joinCommandLine(const QStringList &arguments);

} // namespace qelvo
