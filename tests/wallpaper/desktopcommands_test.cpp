#include "wallpaper/desktopcommands.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace qelvo::wallpaper;

namespace qelvo::wallpaper
{
void PrintTo(const CommandLine &c, std::ostream *os)
{
    *os << c.program.toStdString();
    for (const QString &a : c.arguments)
        *os << " [" << a.toStdString() << "]";
}
} // namespace qelvo::wallpaper

namespace
{

struct EnvCase {
    const char *what;
    std::initializer_list<std::pair<const char *, const char *>> vars;
    Desktop expected;
};

QProcessEnvironment envOf(const EnvCase &c)
{
    QProcessEnvironment env;
    for (const auto &[name, value] : c.vars)
        env.insert(name, value);
    return env;
}

TEST(ChooseDesktop, FromTheDesktopVariables)
{
    const EnvCase cases[] = {
        {"GNOME", {{"XDG_CURRENT_DESKTOP", "GNOME"}, {"DISPLAY", ":0"}}, Desktop::Gnome},
        {"Ubuntu list", {{"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}, Desktop::Gnome},
        {"Budgie", {{"XDG_CURRENT_DESKTOP", "Budgie:GNOME"}}, Desktop::Gnome},
        {"Unity", {{"XDG_CURRENT_DESKTOP", "Unity:Unity7:ubuntu"}}, Desktop::Gnome},
        {"Pantheon", {{"XDG_CURRENT_DESKTOP", "Pantheon"}}, Desktop::Gnome},
        {"unknown first", {{"XDG_CURRENT_DESKTOP", "pop:GNOME"}}, Desktop::Gnome},
        {"Cinnamon", {{"XDG_CURRENT_DESKTOP", "X-Cinnamon"}}, Desktop::Cinnamon},
        {"MATE", {{"XDG_CURRENT_DESKTOP", "MATE"}}, Desktop::Mate},
        {"KDE", {{"XDG_CURRENT_DESKTOP", "KDE"}, {"WAYLAND_DISPLAY", "wayland-0"}}, Desktop::Kde},
        {"mixed case", {{"XDG_CURRENT_DESKTOP", "xFcE"}}, Desktop::Xfce},
        {"LXQt", {{"XDG_CURRENT_DESKTOP", "LXQt"}}, Desktop::Lxqt},
        {"sway", {{"XDG_CURRENT_DESKTOP", "sway"}, {"WAYLAND_DISPLAY", "wayland-1"}}, Desktop::Sway},
        {"blanks and empty parts", {{"XDG_CURRENT_DESKTOP", ": KDE :"}}, Desktop::Kde},
        {"session only", {{"DESKTOP_SESSION", "plasmawayland"}}, Desktop::Kde},
        {"session path", {{"DESKTOP_SESSION", "/usr/share/xsessions/xfce"}}, Desktop::Xfce},
        {"xubuntu session", {{"DESKTOP_SESSION", "xubuntu"}}, Desktop::Xfce},
        {"gnome-xorg session",
         {{"XDG_CURRENT_DESKTOP", ""}, {"DESKTOP_SESSION", "gnome-xorg"}},
         Desktop::Gnome},
        {"desktop beats session",
         {{"XDG_CURRENT_DESKTOP", "MATE"}, {"DESKTOP_SESSION", "gnome"}},
         Desktop::Mate},
        {"sway socket",
         {{"SWAYSOCK", "/run/user/1000/sway-ipc.sock"}, {"WAYLAND_DISPLAY", "w"}},
         Desktop::Sway},
        {"unknown X desktop", {{"XDG_CURRENT_DESKTOP", "i3"}, {"DISPLAY", ":1"}}, Desktop::X11},
        {"plain X", {{"DISPLAY", ":0"}}, Desktop::X11},
        {"empty desktop on X", {{"XDG_CURRENT_DESKTOP", ""}, {"DISPLAY", ":0"}}, Desktop::X11},
        {"unknown Wayland", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, Desktop::None},
        {"nothing", {}, Desktop::None},
    };
    for (const EnvCase &c : cases)
        EXPECT_EQ(chooseDesktop(envOf(c)), c.expected) << c.what;
}

// Names that must reach the desktop exactly as they are and run nothing.
const QString kHostile[] = {
    QStringLiteral("/home/u/a'; touch x; '.bmp"),
    QStringLiteral("/home/u/$(id).bmp"),
    QStringLiteral("/home/u/my photos/\"quoted\" `x` \\ back.bmp"),
    QStringLiteral("/home/u/写真 ﾃｽﾄ　全角.bmp"),
    QStringLiteral("/home/u/-rf --help.bmp"),
};

TEST(DesktopCommands, ToolsThatTakeAPathGetItAsOneArgumentUnchanged)
{
    for (const QString &path : kHostile) {
        EXPECT_EQ(desktopCommands(Desktop::Kde, path),
                  (std::vector<CommandLine>{{"plasma-apply-wallpaperimage", {path}}}));
        EXPECT_EQ(desktopCommands(Desktop::Lxqt, path).back(),
                  (CommandLine{"pcmanfm-qt", {"--set-wallpaper", path, "--wallpaper-mode", "fit"}}));
        const auto xfce = xfceCommands("/backdrop/screen0/monitorDP-1/workspace0/last-image\n", path, "DP-1");
        ASSERT_EQ(xfce.size(), 1u);
        EXPECT_EQ(xfce[0].arguments.last(), path);
    }
}

TEST(DesktopCommands, GnomeSetsBothStylesToAPercentEncodedUri)
{
    const QString uri = "'file:///home/u/a%27%3B%20touch%20x%3B%20%27.bmp'";
    const auto commands = desktopCommands(Desktop::Gnome, kHostile[0]);
    EXPECT_EQ(commands, (std::vector<CommandLine>{
                            {"gsettings", {"set", "org.gnome.desktop.background", "picture-uri", uri}},
                            {"gsettings",
                             {"set", "org.gnome.desktop.background", "picture-uri-dark", uri},
                             /*optional=*/true},
                        }));
    EXPECT_EQ(desktopCommands(Desktop::Cinnamon, "/p/$(id).bmp"),
              (std::vector<CommandLine>{{"gsettings",
                                         {"set", "org.cinnamon.desktop.background", "picture-uri",
                                          "'file:///p/%24%28id%29.bmp'"}}}));
}

TEST(DesktopCommands, OnlyGnomesDarkStyleKeyIsOptional)
{
    // Without it the change on GNOME before 42 fails although the picture did
    // change, and any other optional command would hide a real failure.
    for (Desktop desktop :
         {Desktop::Gnome, Desktop::Cinnamon, Desktop::Mate, Desktop::Kde, Desktop::Lxqt, Desktop::Sway}) {
        const auto commands = desktopCommands(desktop, "/p/w.bmp");
        ASSERT_FALSE(commands.empty());
        EXPECT_FALSE(commands.front().optional) << "the first command carries the change";
        for (const CommandLine &c : commands)
            EXPECT_EQ(c.optional, c.arguments.contains("picture-uri-dark"))
                << c.arguments.join(' ').toStdString();
    }
    for (const CommandLine &c : xfceCommands("/backdrop/screen0/monitorA/workspace0/last-image\n"
                                             "/backdrop/screen0/monitorB/workspace0/last-image\n",
                                             "/p/w.bmp", "A"))
        EXPECT_FALSE(c.optional);
    EXPECT_FALSE(xfceCommands("", "/p/w.bmp", "A").front().optional);
}

TEST(DesktopCommands, FileUrisEncodeEverythingButUnreservedCharactersAndSlashes)
{
    EXPECT_EQ(fileUri("/a/b-c_d.e~f/G9.bmp"), "file:///a/b-c_d.e~f/G9.bmp");
    EXPECT_EQ(fileUri("/my photos/写.bmp"), "file:///my%20photos/%E5%86%99.bmp");
    EXPECT_EQ(fileUri("/a\\b%c?d#e.bmp"), "file:///a%5Cb%25c%3Fd%23e.bmp");
}

TEST(DesktopCommands, MateTakesThePlainPathAsQuotedVariantText)
{
    EXPECT_EQ(desktopCommands(Desktop::Mate, kHostile[0]),
              (std::vector<CommandLine>{{"gsettings",
                                         {"set", "org.mate.background", "picture-filename",
                                          R"('/home/u/a\'; touch x; \'.bmp')"}}}));
    EXPECT_EQ(gvariantString(R"(/a "b" \c)"), R"('/a "b" \\c')");
    EXPECT_EQ(gvariantString("/a\nb\x01.bmp"), R"('/a\u000ab\u0001.bmp')");
    EXPECT_EQ(gvariantString("/写真.bmp"), "'/写真.bmp'");
}

TEST(DesktopCommands, SwayGetsTheQuotedPathOrNothing)
{
    const std::pair<const char *, const char *> quoted[] = {
        {"/home/u/写真/qelvowp-17.bmp", R"("/home/u/写真/qelvowp-17.bmp")"},
        {"/home/u/my  photos/a,exec x.bmp", R"("/home/u/my  photos/a,exec x.bmp")"},
        {R"(/a "b" \c/~#=%!].bmp)", R"("/a \"b\" \\c/~#=%!].bmp")"},
    };
    for (const auto &[path, word] : quoted)
        EXPECT_EQ(desktopCommands(Desktop::Sway, path),
                  (std::vector<CommandLine>{{"swaymsg", {"output", "*", "bg", word, "fill"}}}))
            << path;
    for (const char *path :
         {"/home/u/a'; touch x; '.bmp", "/home/u/$(id).bmp", "/a`x`.bmp", "/a;x.bmp", "/a|b&c.bmp",
          "/a{b}.bmp", "/x*.bmp", "/x?.bmp", "/x[1].bmp", "/a\tb.bmp", "/a\nb.bmp", "relative.bmp", ""})
        EXPECT_TRUE(desktopCommands(Desktop::Sway, path).empty()) << path;
}

TEST(XfceCommands, SetsEveryLastImageOfTheListing)
{
    const QString listing = "/backdrop/screen0/monitorDP-1/workspace0/color-style\n"
                            "/backdrop/screen0/monitorDP-1/workspace0/last-image\n"
                            "/backdrop/screen0/monitorHDMI-2/workspace1/last-image  \n"
                            "/backdrop/screen0/monitorHDMI-2/workspace1/last-image-old\n";
    EXPECT_EQ(xfceListCommand(),
              (CommandLine{"xfconf-query", {"-c", "xfce4-desktop", "-p", "/backdrop", "-l"}}));
    EXPECT_EQ(xfceCommands(listing, "/p/w.bmp", "eDP-1"),
              (std::vector<CommandLine>{
                  {"xfconf-query",
                   {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitorDP-1/workspace0/last-image", "-s",
                    "/p/w.bmp"}},
                  {"xfconf-query",
                   {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitorHDMI-2/workspace1/last-image",
                    "-s", "/p/w.bmp"}},
              }));
}

TEST(XfceCommands, CreatesThePrimaryMonitorsPropertyWhenThereIsNone)
{
    const std::vector<CommandLine> create{
        {"xfconf-query",
         {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitoreDP-1/workspace0/last-image", "-n", "-t",
          "string", "-s", "/p/w.bmp"}}};
    EXPECT_EQ(xfceCommands("", "/p/w.bmp", "eDP-1"), create);
    EXPECT_EQ(xfceCommands("/backdrop/screen0/monitoreDP-1/workspace0/color1\n", "/p/w.bmp", "eDP-1"),
              create);
}

} // namespace

// LXQt: the desktop is asked first; the mode goes with the picture unless the
// profile already stores one that shows a picture.
TEST(DesktopCommands, LxqtAsksItsDesktopAndKeepsAPictureModeTheUserChose)
{
    const struct {
        const char *stored;
        QStringList arguments;
    } rows[] = {
        {"", {"--set-wallpaper", "/p/w.bmp", "--wallpaper-mode", "fit"}},
        {"none", {"--set-wallpaper", "/p/w.bmp", "--wallpaper-mode", "fit"}},
        {"color", {"--set-wallpaper", "/p/w.bmp", "--wallpaper-mode", "fit"}},
        {"zoom", {"--set-wallpaper", "/p/w.bmp"}},
        {"Stretch", {"--set-wallpaper", "/p/w.bmp"}},
    };
    for (const auto &row : rows) {
        const auto commands = lxqtCommands("/p/w.bmp", row.stored);
        ASSERT_EQ(commands.size(), 2u);
        EXPECT_EQ(commands[0].program, "dbus-send");
        EXPECT_TRUE(commands[0].arguments.contains("--dest=org.pcmanfm.PCManFM"));
        EXPECT_EQ(commands[1], (CommandLine{"pcmanfm-qt", row.arguments})) << row.stored;
    }
    EXPECT_EQ(desktopCommands(Desktop::Lxqt, "/p/w.bmp"), lxqtCommands("/p/w.bmp", {}));
}
