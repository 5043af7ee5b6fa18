#include "wallpaper/desktopcommands.h"

#include "platform/pathbytes.h"

#include <QFile>

#include <utility>

namespace qelvo::wallpaper
{

namespace
{

struct NameRule {
    const char *name;
    Desktop desktop;
};

// XDG_CURRENT_DESKTOP names, compared whole and in lower case.
constexpr NameRule kDesktopNames[] = {
    {"gnome", Desktop::Gnome},         {"gnome-classic", Desktop::Gnome}, {"gnome-flashback", Desktop::Gnome},
    {"ubuntu", Desktop::Gnome},        {"budgie", Desktop::Gnome},        {"budgie-desktop", Desktop::Gnome},
    {"unity", Desktop::Gnome},         {"pantheon", Desktop::Gnome},      {"cinnamon", Desktop::Cinnamon},
    {"x-cinnamon", Desktop::Cinnamon}, {"mate", Desktop::Mate},           {"kde", Desktop::Kde},
    {"plasma", Desktop::Kde},          {"xfce", Desktop::Xfce},           {"x-xfce", Desktop::Xfce},
    {"lxqt", Desktop::Lxqt},           {"sway", Desktop::Sway},
};

// DESKTOP_SESSION values (file names of session files), compared by prefix.
constexpr NameRule kSessionPrefixes[] = {
    {"gnome", Desktop::Gnome},  {"ubuntu", Desktop::Gnome},   {"budgie", Desktop::Gnome},
    {"unity", Desktop::Gnome},  {"pantheon", Desktop::Gnome}, {"cinnamon", Desktop::Cinnamon},
    {"mate", Desktop::Mate},    {"plasma", Desktop::Kde},     {"kde", Desktop::Kde},
    {"xfce", Desktop::Xfce},    {"xubuntu", Desktop::Xfce},   {"lxqt", Desktop::Lxqt},
    {"lubuntu", Desktop::Lxqt}, {"sway", Desktop::Sway},
};

Desktop fromCurrentDesktop(const QString &value)
{
    for (const QString &part : value.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed().toLower();
        for (const NameRule &rule : kDesktopNames)
            if (name == QLatin1String(rule.name))
                return rule.desktop;
    }
    return Desktop::None;
}

Desktop fromSession(const QString &value)
{
    // Some display managers put the session file's path here.
    const QString name = value.section(QLatin1Char('/'), -1).trimmed().toLower();
    if (name.isEmpty())
        return Desktop::None;
    for (const NameRule &rule : kSessionPrefixes)
        if (name.startsWith(QLatin1String(rule.name)))
            return rule.desktop;
    return Desktop::None;
}

CommandLine gsettingsSet(const char *schema, const char *key, const QString &value)
{
    return {QStringLiteral("gsettings"),
            {QStringLiteral("set"), QLatin1String(schema), QLatin1String(key), gvariantString(value)}};
}

const QString kXfconf = QStringLiteral("xfconf-query");
const QString kXfceChannel = QStringLiteral("xfce4-desktop");

} // namespace

Desktop chooseDesktop(const QProcessEnvironment &env)
{
    if (const Desktop d = fromCurrentDesktop(env.value(QStringLiteral("XDG_CURRENT_DESKTOP")));
        d != Desktop::None)
        return d;
    if (const Desktop d = fromSession(env.value(QStringLiteral("DESKTOP_SESSION"))); d != Desktop::None)
        return d;
    if (!env.value(QStringLiteral("SWAYSOCK")).isEmpty())
        return Desktop::Sway;
    if (!env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty())
        return Desktop::None;
    if (!env.value(QStringLiteral("DISPLAY")).isEmpty())
        return Desktop::X11;
    return Desktop::None;
}

QString fileUri(const QString &path)
{
    return QStringLiteral("file://") +
           QString::fromLatin1(encodePath(path).toPercentEncoding(QByteArrayLiteral("/")));
}

QString gvariantString(const QString &text)
{
    QString out = QStringLiteral("'");
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('\''))
            out += QLatin1Char('\\') + QString(c);
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('\'');
}

bool isSwaySafePath(const QString &path)
{
    if (path.isEmpty() || !path.startsWith(QLatin1Char('/')))
        return false;
    static const QString kRefused = QStringLiteral("'$`|&;<>(){}*?[");
    for (const QChar c : path)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || kRefused.contains(c))
            return false;
    return true;
}

QString swayQuoted(const QString &path)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : path) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

std::vector<CommandLine> desktopCommands(Desktop desktop, const QString &path)
{
    switch (desktop) {
    case Desktop::Gnome: {
        const QString uri = fileUri(path);
        // GNOME before 42 (and Budgie, Unity, Pantheon on that schema) has no
        // dark-style key; setting it there fails while the picture does change.
        CommandLine dark = gsettingsSet("org.gnome.desktop.background", "picture-uri-dark", uri);
        dark.optional = true;
        return {gsettingsSet("org.gnome.desktop.background", "picture-uri", uri), std::move(dark)};
    }
    case Desktop::Cinnamon:
        return {gsettingsSet("org.cinnamon.desktop.background", "picture-uri", fileUri(path))};
    case Desktop::Mate:
        return {gsettingsSet("org.mate.background", "picture-filename", path)};
    case Desktop::Kde:
        return {{QStringLiteral("plasma-apply-wallpaperimage"), {path}}};
    case Desktop::Lxqt:
        return lxqtCommands(path, {});
    case Desktop::Sway:
        if (!isSwaySafePath(path))
            return {};
        return {{QStringLiteral("swaymsg"),
                 {QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"), swayQuoted(path),
                  QStringLiteral("fill")}}};
    case Desktop::Xfce:
    case Desktop::X11:
    case Desktop::None:
        break;
    }
    return {};
}

std::vector<CommandLine> lxqtCommands(const QString &path, const QString &storedMode)
{
    // pcmanfm-qt hands the picture to the desktop it runs; with none running
    // it stores nothing and still ends with 0, so the desktop (which owns its
    // name on the session bus) is asked first.
    std::vector<CommandLine> commands{
        {QStringLiteral("dbus-send"),
         {QStringLiteral("--session"), QStringLiteral("--print-reply"),
          QStringLiteral("--dest=org.pcmanfm.PCManFM"), QStringLiteral("/Application"),
          QStringLiteral("org.freedesktop.DBus.Peer.Ping")}},
        {QStringLiteral("pcmanfm-qt"), {QStringLiteral("--set-wallpaper"), path}}};
    // A fresh profile's mode ("none") shows no picture at all; a mode the
    // user chose is kept.
    static const QStringList kPictureModes{QStringLiteral("stretch"), QStringLiteral("fit"),
                                           QStringLiteral("center"), QStringLiteral("tile"),
                                           QStringLiteral("zoom")};
    if (!kPictureModes.contains(storedMode.trimmed().toLower()))
        commands.back().arguments << QStringLiteral("--wallpaper-mode") << QStringLiteral("fit");
    return commands;
}

CommandLine xfceListCommand()
{
    return {kXfconf,
            {QStringLiteral("-c"), kXfceChannel, QStringLiteral("-p"), QStringLiteral("/backdrop"),
             QStringLiteral("-l")}};
}

std::vector<CommandLine> xfceCommands(const QString &listing, const QString &path, const QString &monitor)
{
    std::vector<CommandLine> commands;
    for (const QString &line : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString property = line.trimmed();
        if (property.startsWith(QLatin1String("/backdrop/")) &&
            property.endsWith(QLatin1String("/last-image")))
            commands.push_back({kXfconf,
                                {QStringLiteral("-c"), kXfceChannel, QStringLiteral("-p"), property,
                                 QStringLiteral("-s"), path}});
    }
    if (commands.empty()) {
        const QString property =
            QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image").arg(monitor);
        commands.push_back(
            {kXfconf,
             {QStringLiteral("-c"), kXfceChannel, QStringLiteral("-p"), property, QStringLiteral("-n"),
              QStringLiteral("-t"), QStringLiteral("string"), QStringLiteral("-s"), path}});
    }
    return commands;
}

} // namespace qelvo::wallpaper
