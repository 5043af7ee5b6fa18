#include "wallpaper/backends.h"

#include "wallpaper/commandbackend.h"
#include "wallpaper/desktopcommands.h"
#include "wallpaper/x11rootbackend.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace qelvo
{

namespace
{
class NullBackend final : public WallpaperBackend
{
public:
    bool SetDeskWallPaper(const QString &) override { return false; }
};

// XFCE names its backdrop properties after the monitor's connector, which is
// also the name Qt gives the screen on X11.
QString primaryMonitorName()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return {};
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->name() : QString();
}

// The wallpaper mode of the profile LXQt's session runs its desktop with
// (pcmanfm-qt --desktop --profile=lxqt); empty when it has none yet.
QString lxqtStoredMode(const QProcessEnvironment &env)
{
    QString config = env.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (!QDir::isAbsolutePath(config)) {
        const QString home = env.value(QStringLiteral("HOME"));
        if (!QDir::isAbsolutePath(home))
            return {};
        config = QDir(home).filePath(QStringLiteral(".config"));
    }
    const QSettings profile(QDir(config).filePath(QStringLiteral("pcmanfm-qt/lxqt/settings.conf")),
                            QSettings::IniFormat);
    return profile.value(QStringLiteral("Desktop/WallpaperMode")).toString();
}
} // namespace

std::unique_ptr<WallpaperBackend> makeDesktopBackend(const QProcessEnvironment &env)
{
    return makeDesktopBackend(env, AppIdentity::current(), std::make_shared<wallpaper::ProcessRunner>());
}

std::unique_ptr<WallpaperBackend> makeDesktopBackend(const QProcessEnvironment &env,
                                                     const AppIdentity &identity,
                                                     std::shared_ptr<wallpaper::CommandRunner> runner)
{
    using wallpaper::Desktop;
    const Desktop desktop = wallpaper::chooseDesktop(env);
    switch (desktop) {
    case Desktop::None:
        return std::make_unique<NullBackend>();
    case Desktop::X11:
        return std::make_unique<wallpaper::X11RootBackend>(env.value(QStringLiteral("DISPLAY")));
    default:
        break;
    }
    auto tools = std::make_unique<wallpaper::CommandBackend>(desktop, std::move(runner), primaryMonitorName,
                                                             [env] { return lxqtStoredMode(env); });
    return std::make_unique<wallpaper::FreshNameBackend>(std::move(tools), identity.wallpaperBitmapFolder(),
                                                         identity.baseName);
}

} // namespace qelvo
