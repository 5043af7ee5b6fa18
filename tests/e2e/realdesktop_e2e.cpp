// The changer-only run of the real binary against the desktops' own tools:
// gsettings with the dconf back end and xfconfd on a private session bus, and
// a headless sway. A test whose component is missing or does not start skips
// and says why.
#include "qelvorun.h"
#include "swaysession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

using namespace qelvo::e2e;
using namespace std::chrono_literals;

namespace
{

// A program the test owns, stopped (SIGTERM, then SIGKILL) when this ends.
class Owned
{
public:
    ~Owned() { stopProcess(process); }
    QProcess process;
};

// A user of the machine for one test: home, configuration, data and runtime
// folders of its own, a copy of the binary in a folder whose path holds a blank
// and a non-ASCII letter (where its settings and wallpaper bitmaps live), and
// two pictures, red then green.
class DesktopUser
{
public:
    explicit DesktopUser(const XSession &session)
        : m_install(QDir::tempPath() + QStringLiteral("/qelvo desktop 写-XXXXXX")), m_session(session)
    {
        // sway's background helper runs as another user and reads the bitmaps.
        QFile::setPermissions(m_install.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                    QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                                    QFileDevice::ExeGroup);
        const QString exe = m_install.filePath("qelvo");
        QFile::copy(QStringLiteral(QELVO_BINARY), exe);
        QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        for (const char *sub : {"config", "data"})
            QDir(m_home.path()).mkdir(sub);
        const std::pair<const char *, Qt::GlobalColor> pictures[] = {{"red.jpg", Qt::red},
                                                                     {"green.jpg", Qt::green}};
        for (const auto &[name, colour] : pictures) {
            QImage image(320, 240, QImage::Format_RGB32);
            image.fill(colour);
            image.save(m_install.filePath(name), "JPG");
        }
    }

    [[nodiscard]] QString folder() const { return m_install.path(); }

    [[nodiscard]] QProcessEnvironment environment() const
    {
        QProcessEnvironment env = m_session.environment();
        env.insert("HOME", m_home.path());
        env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        env.insert("XDG_DATA_HOME", m_home.filePath("data"));
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        env.insert("GSETTINGS_BACKEND", "dconf");
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        return env;
    }

    // One changer-only start (with these arguments) that sets picture index
    // (0 red, 1 green); its exit code.
    std::optional<int> changeTo(int index, const QProcessEnvironment &env,
                                const QStringList &arguments = {"/s"}) const
    {
        QFile ini(m_install.filePath("Qelvo.ini"));
        if (!ini.open(QIODevice::WriteOnly))
            return std::nullopt;
        // A minute ago, so the start is not taken for a quick restart.
        const QByteArray last =
            QDateTime::currentDateTime().addSecs(-60).toString("yyyy/MM/dd H:mm:ss").toUtf8();
        ini.write("[AppState]\r\nAppName=qelvo\r\nAppVersion=1.0.0\r\nAppLastAccPath=/\r\n\r\n"
                  "[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=3\r\nWPIndex=" +
                  QByteArray::number(index) + "\r\nLastExecute=" + last +
                  "\r\n\r\n[SettingLists]\r\n***StartList***\r\nListName=壁紙\r\nChgTime=5\r\nZoomMax=1\r\n"
                  "RandomView=0\r\nMouseDisable=1\r\nEffect=0\r\nPathes\r\nred.jpg," +
                  QFile::encodeName(m_install.filePath("red.jpg")) + "\r\ngreen.jpg," +
                  QFile::encodeName(m_install.filePath("green.jpg")) + "\r\n***EndList***\r\n");
        ini.close();
        const auto run = runTool(m_install.filePath("qelvo"), arguments, env, 20s);
        return run ? std::optional<int>(run->code) : std::nullopt;
    }

    // The fresh copies of the wallpaper bitmap handed to the desktop.
    [[nodiscard]] QStringList freshCopies() const
    {
        return QDir(m_install.path()).entryList({"qelvowp-*.bmp"}, QDir::Files);
    }

private:
    QTemporaryDir m_install;
    QTemporaryDir m_home;
    QTemporaryDir m_runtime;
    const XSession &m_session;
};

// A private session bus (dbus-daemon with the session configuration), on
// which dconf-service and xfconfd start on demand.
class SessionBus
{
public:
    // The services started on the bus get env: the user's own folders.
    explicit SessionBus(const QProcessEnvironment &env)
    {
        const QString socket = env.value("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
        m_daemon.process.setProcessEnvironment(env);
        m_daemon.process.start("dbus-daemon", {"--session", "--nofork", "--address=unix:path=" + socket});
        if (m_daemon.process.waitForStarted(5000) && waitUntil([&] { return QFileInfo::exists(socket); }, 5s))
            m_address = "unix:path=" + socket;
    }
    [[nodiscard]] QString address() const { return m_address; }

private:
    Owned m_daemon;
    QString m_address;
};

QString sourceText(const char *path)
{
    QFile file(QStringLiteral(QELVO_SOURCE_DIR "/") + QLatin1String(path));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The names an import-environment line lists (continued over lines with a
// backslash, in the manual page's escapes too).
QStringList importedNames(QString text)
{
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"))
        .replace(QStringLiteral("\\e"), QStringLiteral("\\"));
    const qsizetype at = text.indexOf(QStringLiteral("import-environment "));
    if (at < 0)
        return {};
    QStringList names;
    for (const QString &line : text.mid(at + 19).split(QLatin1Char('\n'))) {
        for (const QString &word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (word != QLatin1String("\\"))
                names << word;
        if (!line.trimmed().endsWith(QLatin1Char('\\')))
            break;
    }
    return names;
}

// What the user manager gives a unit of its own, then the session's variables
// the README has the session import, where the session has them.
QProcessEnvironment unitEnvironment(const QProcessEnvironment &session)
{
    QProcessEnvironment env;
    for (const char *own : {"HOME", "PATH", "XDG_RUNTIME_DIR"})
        env.insert(own, session.value(own));
    for (const QString &name : importedNames(sourceText("README.md")))
        if (session.contains(name))
            env.insert(name, session.value(name));
    return env;
}

// The wallpaper unit's start line after the executable: its arguments.
QStringList unitArguments()
{
    const QString unit = sourceText("data/examples/qelvo-wallpaper.service");
    const QRegularExpression start(QStringLiteral("^ExecStart=\"@QELVO_EXECUTABLE@\"(.*)$"),
                                   QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = start.match(unit);
    return match.hasMatch() ? match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts) : QStringList();
}

class RealDesktopE2E : public SessionTest
{
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        if (HasFatalFailure())
            return;
        m_user = std::make_unique<DesktopUser>(*s_session);
        m_env = m_user->environment();
    }

    // Starts the bus; false (with the reason in m_skip) when it does not come up.
    bool startBus()
    {
        if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
            return (m_skip = "dbus-daemon is not installed"), false;
        m_bus = std::make_unique<SessionBus>(m_env);
        if (m_bus->address().isEmpty())
            return (m_skip = "the session bus did not start"), false;
        m_env.insert("DBUS_SESSION_BUS_ADDRESS", m_bus->address());
        return true;
    }

    // The string a gsettings key holds, without GLib's quotes.
    QString gsettingsGet(const char *schema, const char *key) const
    {
        const auto got = runTool("gsettings", {"get", schema, key}, m_env);
        if (!got || got->code != 0 || got->out.size() < 2)
            return {};
        return got->out.mid(1, got->out.size() - 2);
    }

    // Skips unless gsettings can store the schema's keys in dconf here.
    bool gsettingsReady(const char *schema)
    {
        if (QStandardPaths::findExecutable("gsettings").isEmpty())
            return (m_skip = "gsettings is not installed"), false;
        if (!startBus())
            return false;
        const auto keys = runTool("gsettings", {"list-keys", schema}, m_env);
        if (!keys || keys->code != 0)
            return (m_skip = std::string("schema ") + schema + " is not installed"), false;
        const auto backend = runTool("gsettings", {"set", schema, "picture-options", "'zoom'"}, m_env);
        if (!backend || backend->code != 0 ||
            !waitUntil([&] { return QFileInfo::exists(m_env.value("XDG_CONFIG_HOME") + "/dconf/user"); }, 5s))
            return (m_skip = "the dconf back end does not store settings here"), false;
        return true;
    }

    // Two changes through one key: each names a new file holding the picture
    // (read through toPath), and the copy named before is gone.
    void expectTwoChanges(const std::function<QString()> &value,
                          const std::function<QString(QString)> &toPath)
    {
        ASSERT_EQ(m_user->changeTo(0, m_env), 0);
        const QString first = value();
        const QString firstPath = toPath(first);
        ASSERT_FALSE(firstPath.isEmpty()) << "stored: " << first.toStdString();
        EXPECT_TRUE(firstPath.startsWith(m_user->folder() + "/qelvowp-")) << firstPath.toStdString();
        EXPECT_TRUE(near(QImage(firstPath).pixelColor(160, 120), Qt::red)) << firstPath.toStdString();

        ASSERT_EQ(m_user->changeTo(1, m_env), 0);
        const QString second = value();
        EXPECT_NE(second, first) << "a change must hand the desktop a new value";
        const QString secondPath = toPath(second);
        EXPECT_TRUE(near(QImage(secondPath).pixelColor(160, 120), Qt::green)) << secondPath.toStdString();
        EXPECT_FALSE(QFileInfo::exists(firstPath)) << "the copy shown before is removed";
        EXPECT_EQ(m_user->freshCopies().size(), 1) << m_user->freshCopies().join(' ').toStdString();
    }

    static QString fromUri(const QString &uri)
    {
        const QUrl url(uri, QUrl::StrictMode);
        if (!url.isValid() || !url.isLocalFile() || !uri.startsWith("file:///"))
            return {};
        // Percent-encoded as a whole: no blank or non-ASCII letter is left bare.
        for (const QChar c : uri)
            if (c.unicode() <= 0x20 || c.unicode() >= 0x7f)
                return {};
        return url.toLocalFile();
    }

    std::unique_ptr<DesktopUser> m_user;
    QProcessEnvironment m_env;
    std::unique_ptr<SessionBus> m_bus;
    std::string m_skip;
};

TEST_F(RealDesktopE2E, GnomeSetsBothStylesThroughDconf)
{
    if (!gsettingsReady("org.gnome.desktop.background"))
        GTEST_SKIP() << m_skip;
    m_env.insert("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    expectTwoChanges(
        [&] {
            const QString light = gsettingsGet("org.gnome.desktop.background", "picture-uri");
            EXPECT_EQ(gsettingsGet("org.gnome.desktop.background", "picture-uri-dark"), light);
            return light;
        },
        fromUri);
}

TEST_F(RealDesktopE2E, CinnamonThroughDconf)
{
    if (!gsettingsReady("org.cinnamon.desktop.background"))
        GTEST_SKIP() << m_skip;
    m_env.insert("XDG_CURRENT_DESKTOP", "X-Cinnamon");
    expectTwoChanges([&] { return gsettingsGet("org.cinnamon.desktop.background", "picture-uri"); }, fromUri);
}

TEST_F(RealDesktopE2E, MateTakesAPlainPathThroughDconf)
{
    if (!gsettingsReady("org.mate.background"))
        GTEST_SKIP() << m_skip;
    m_env.insert("XDG_CURRENT_DESKTOP", "MATE");
    expectTwoChanges([&] { return gsettingsGet("org.mate.background", "picture-filename"); },
                     [](const QString &path) { return path; });
}

// XFCE: a real xfconfd on the bus, first with no backdrop properties at all,
// then with two monitors' properties that must both follow.
TEST_F(RealDesktopE2E, XfceThroughXfconfd)
{
    if (QStandardPaths::findExecutable("xfconf-query").isEmpty())
        GTEST_SKIP() << "xfconf-query is not installed";
    if (!startBus())
        GTEST_SKIP() << m_skip;
    const auto list = [&] {
        const auto got = runTool("xfconf-query", {"-c", "xfce4-desktop", "-p", "/backdrop", "-l"}, m_env);
        return got && got->code == 0 ? got->out.split('\n', Qt::SkipEmptyParts) : QStringList();
    };
    const auto value = [&](const QString &property) {
        const auto got = runTool("xfconf-query", {"-c", "xfce4-desktop", "-p", property}, m_env);
        return got && got->code == 0 ? got->out : QString();
    };
    const auto probe = runTool("xfconf-query", {"-l"}, m_env);
    if (!probe || probe->code != 0)
        GTEST_SKIP() << "xfconfd did not answer on the session bus";
    m_env.insert("XDG_CURRENT_DESKTOP", "XFCE");

    ASSERT_EQ(m_user->changeTo(0, m_env), 0);
    const QStringList created = list();
    ASSERT_EQ(created.size(), 1) << created.join(' ').toStdString();
    EXPECT_TRUE(created[0].startsWith("/backdrop/screen0/monitor")) << created[0].toStdString();
    EXPECT_TRUE(created[0].endsWith("/workspace0/last-image")) << created[0].toStdString();
    EXPECT_TRUE(near(QImage(value(created[0])).pixelColor(160, 120), Qt::red));

    const QString other = "/backdrop/screen0/monitorHDMI-2/workspace1/last-image";
    ASSERT_EQ(runTool("xfconf-query",
                      {"-c", "xfce4-desktop", "-p", other, "-n", "-t", "string", "-s", "/old.bmp"}, m_env)
                  ->code,
              0);
    const QString before = value(created[0]);
    ASSERT_EQ(m_user->changeTo(1, m_env), 0);
    EXPECT_EQ(list().size(), 2) << "no property is added where some exist";
    const QString after = value(created[0]);
    EXPECT_NE(after, before);
    EXPECT_EQ(value(other), after);
    EXPECT_TRUE(near(QImage(after).pixelColor(160, 120), Qt::green)) << after.toStdString();
    EXPECT_FALSE(QFileInfo::exists(before));
}

// sway runs headless, as nobody under root: the pictures are readable for it.
TEST_F(RealDesktopE2E, SwayShowsTheNewBackgroundFromAFolderWithABlank)
{
    if (QStandardPaths::findExecutable("swaybg").isEmpty())
        GTEST_SKIP() << "swaybg is not installed";
    const SwaySession sway;
    if (!sway.ok())
        GTEST_SKIP() << sway.failure().toStdString();
    const QProcessEnvironment tools = sway.toolEnvironment();
    const auto centre = [&] { return sway.screenshot().pixelColor(320, 240); };

    for (const char *name : {"XDG_RUNTIME_DIR", "WAYLAND_DISPLAY", "SWAYSOCK"})
        m_env.insert(name, tools.value(name));
    m_env.insert("XDG_CURRENT_DESKTOP", "sway");
    m_env.insert("QT_QPA_PLATFORM", "offscreen");
    ASSERT_EQ(m_user->changeTo(0, m_env), 0);
    EXPECT_TRUE(waitUntil([&] { return near(centre(), Qt::red); }, 10s)) << centre().name().toStdString();
    ASSERT_EQ(m_user->changeTo(1, m_env), 0);
    EXPECT_TRUE(waitUntil([&] { return near(centre(), Qt::green); }, 10s)) << centre().name().toStdString();
}

} // namespace

// LXQt: the real pcmanfm-qt desktop with a fresh profile (no wallpaper mode
// of its own), on the private X server and bus. Without a desktop running the
// change is a failure.
TEST_F(RealDesktopE2E, LxqtShowsEachPictureOnAFreshProfileAndFailsWithoutItsDesktop)
{
    if (QStandardPaths::findExecutable("pcmanfm-qt").isEmpty())
        GTEST_SKIP() << "pcmanfm-qt is not installed";
    if (!startBus())
        GTEST_SKIP() << m_skip;
    m_env.insert("XDG_CURRENT_DESKTOP", "LXQt");
    EXPECT_EQ(m_user->changeTo(0, m_env), 1) << "no desktop runs: the change cannot be done";

    Owned desktop;
    desktop.process.setProcessEnvironment(m_env);
    desktop.process.start("pcmanfm-qt", {"--desktop", "--profile=lxqt"});
    const auto answers = [&] {
        const auto ping = runTool("dbus-send",
                                  {"--session", "--print-reply", "--dest=org.pcmanfm.PCManFM", "/Application",
                                   "org.freedesktop.DBus.Peer.Ping"},
                                  m_env);
        return ping && ping->code == 0;
    };
    ASSERT_TRUE(waitUntil(answers, 15s)) << "the pcmanfm-qt desktop did not start";
    const auto centre = [&] { return s_session->pixel(512, 384); };
    for (const auto &[index, colour] : {std::pair{0, QColor(Qt::red)}, std::pair{1, QColor(Qt::green)}}) {
        ASSERT_EQ(m_user->changeTo(index, m_env), 0);
        EXPECT_TRUE(waitUntil([&, colour = colour] { return near(centre(), colour); }, 10s))
            << centre().name().toStdString();
    }
}

// The session's variables: README and the manual page list the same, and the
// wallpaper unit's start line, run with exactly those (and what the user
// manager gives every unit), changes the wallpaper on GNOME and on sway.
TEST_F(RealDesktopE2E, TheUnitWithTheDocumentedVariablesChangesGnomeAndSway)
{
    const QStringList names = importedNames(sourceText("README.md"));
    for (const char *needed :
         {"DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK", "XDG_CURRENT_DESKTOP", "DBUS_SESSION_BUS_ADDRESS"})
        EXPECT_TRUE(names.contains(QLatin1String(needed))) << needed;
    EXPECT_EQ(importedNames(sourceText("data/qelvo.1")), names) << "README and the manual page differ";
    const QStringList arguments = unitArguments();
    ASSERT_EQ(arguments, QStringList{"/s"}) << "the unit's start line is not the changer's";

    {
        SCOPED_TRACE("GNOME");
        if (!gsettingsReady("org.gnome.desktop.background"))
            GTEST_SKIP() << m_skip;
        m_env.insert("XDG_CURRENT_DESKTOP", "GNOME");
        const QProcessEnvironment unit = unitEnvironment(m_env);
        ASSERT_EQ(m_user->changeTo(0, unit, arguments), 0);
        EXPECT_TRUE(gsettingsGet("org.gnome.desktop.background", "picture-uri").contains("qelvowp-"));
    }
    SCOPED_TRACE("sway");
    const SwaySession sway;
    if (!sway.ok())
        GTEST_SKIP() << sway.failure().toStdString();
    // A sway session without an X server: its own runtime folder, display and socket.
    QProcessEnvironment session = sway.toolEnvironment();
    session.insert("HOME", m_env.value("HOME"));
    session.insert("XDG_CURRENT_DESKTOP", "sway");
    session.insert("DBUS_SESSION_BUS_ADDRESS", m_env.value("DBUS_SESSION_BUS_ADDRESS"));
    ASSERT_EQ(m_user->changeTo(1, unitEnvironment(session), arguments), 0);
    const auto centre = [&] { return sway.screenshot().pixelColor(320, 240); };
    EXPECT_TRUE(waitUntil([&] { return near(centre(), Qt::green); }, 10s)) << centre().name().toStdString();
}
