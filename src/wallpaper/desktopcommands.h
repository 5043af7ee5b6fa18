#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <vector>

// Which desktop is running and what to tell it. Everything here is pure: the
// back ends run the commands these functions build. Paths only ever travel as
// one argument of their own (or quoted for the one tool that parses its
// arguments), never through a shell.
namespace qelvo::wallpaper
{

enum class Desktop {
    None,     // nothing we can set (an unknown Wayland session, no display at all)
    Gnome,    // GNOME, Ubuntu, Budgie, Unity, Pantheon
    Cinnamon, //
    Mate,     //
    Kde,      // KDE Plasma
    Xfce,     //
    Lxqt,     //
    Sway,     //
    X11,      // a plain X server: the root window's background
};

// The running desktop: the first known name of XDG_CURRENT_DESKTOP (names
// separated by ':', any case), else DESKTOP_SESSION, else sway when SWAYSOCK
// is set; otherwise plain X11 when DISPLAY is set and no Wayland compositor
// (WAYLAND_DISPLAY) would hide the root window.
[[nodiscard]] Desktop chooseDesktop(const QProcessEnvironment &env);

struct CommandLine {
    QString program;
    QStringList arguments;
    // Run for completeness only: its failure alone does not fail the change
    // (GNOME's dark-style key, which releases before 42 do not have).
    bool optional = false;
    friend bool operator==(const CommandLine &, const CommandLine &) = default;
};

// "file://" and the path with every byte but unreserved ones and '/'
// percent-encoded (UTF-8, or the file name's own bytes).
[[nodiscard]] QString fileUri(const QString &path);

// A GLib variant text for a string: in single quotes, with \ ' and control
// characters escaped, so gsettings stores it exactly.
[[nodiscard]] QString gvariantString(const QString &text);

// True when sway can be handed the path. sway splits its command text into
// words (double quotes keep blanks and commas inside one) and then
// expands the path like a shell word, without running commands: characters
// that expansion would act on or reject (quotes but the double one, $, `,
// the shell's operators, wildcards, control characters) cannot be quoted for
// it, and a relative path is refused too.
[[nodiscard]] bool isSwaySafePath(const QString &path);

// The path as one word of a sway command: in double quotes, with \ and "
// escaped. Only meaningful for a path isSwaySafePath takes.
[[nodiscard]] QString swayQuoted(const QString &path);

// The commands that set path as the wallpaper of desktop, in order; none for
// X11, Xfce (see xfceCommands), None, and a path sway cannot take safely.
// LXQt's are those of a fresh profile (see lxqtCommands).
// The change is taken when every command not marked optional succeeds.
[[nodiscard]] std::vector<CommandLine> desktopCommands(Desktop desktop, const QString &path);

// LXQt: asks pcmanfm-qt's desktop on the session bus, then hands it path,
// with the mode "fit" unless storedMode (the profile's WallpaperMode) is one
// that shows a picture.
[[nodiscard]] std::vector<CommandLine> lxqtCommands(const QString &path, const QString &storedMode);

// XFCE: lists the properties under /backdrop.
[[nodiscard]] CommandLine xfceListCommand();
// XFCE: sets every ".../last-image" property of listing (xfconf-query -l
// output); when there is none, creates the one of monitor on workspace 0.
[[nodiscard]] std::vector<CommandLine> xfceCommands(const QString &listing, const QString &path,
                                                    const QString &monitor);

} // namespace qelvo::wallpaper
