#include "swaysession.h"

#include "xsession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <cstring>
#include <initializer_list>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace qelvo::e2e
{

using namespace std::chrono_literals;

namespace
{

constexpr uid_t kNobody = 65534;

// The little of the Wayland wire format a virtual pointer needs: a message is
// the object, (size in bytes << 16 | opcode), then 32-bit words in the host's
// byte order; a string is its length with the NUL, then its bytes padded to a word.
QByteArray words(std::initializer_list<quint32> values)
{
    QByteArray out;
    for (const quint32 v : values)
        out.append(reinterpret_cast<const char *>(&v), sizeof v);
    return out;
}

QByteArray wireString(const QByteArray &text)
{
    QByteArray out = words({static_cast<quint32>(text.size() + 1)}) + text + '\0';
    while (out.size() % 4)
        out += '\0';
    return out;
}

QByteArray message(quint32 object, quint32 opcode, const QByteArray &arguments = {})
{
    return words({object, static_cast<quint32>(8 + arguments.size()) << 16 | opcode}) + arguments;
}

bool sendAll(int fd, const QByteArray &bytes)
{
    return ::send(fd, bytes.constData(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL) == bytes.size();
}

// Reads events until the callback object reports done; each event goes to
// seen(object, opcode, body). False on a protocol error, a closed socket or
// after a few seconds.
template <typename Seen> bool readUntilDone(int fd, quint32 callback, Seen seen)
{
    QByteArray pending;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char chunk[4096];
        const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
        if (got <= 0)
            return false;
        pending.append(chunk, static_cast<int>(got));
        while (pending.size() >= 8) {
            quint32 header[2];
            std::memcpy(header, pending.constData(), sizeof header);
            const int size = static_cast<int>(header[1] >> 16);
            if (size < 8 || pending.size() < size)
                break;
            const quint32 object = header[0], opcode = header[1] & 0xffff;
            const QByteArray body = pending.mid(8, size - 8);
            pending.remove(0, size);
            if (object == 1 && opcode == 0) // wl_display.error
                return false;
            if (object == callback)
                return true;
            seen(object, opcode, body);
        }
    }
    return false;
}

// True once the seat's capabilities hold every bit of wanted (1 pointer, 2 keyboard).
bool seatHas(const SwaySession &sway, int wanted)
{
    const auto seats = sway.run("swaymsg", {"-r", "-t", "get_seats"});
    const QJsonArray list = seats ? QJsonDocument::fromJson(*seats).array() : QJsonArray();
    return !list.isEmpty() && (list.first().toObject().value("capabilities").toInt() & wanted) == wanted;
}

std::optional<SwaySession::Focused> focusedIn(const QJsonObject &node, bool floating = false)
{
    if (node.value("focused").toBool() && node.contains("pid"))
        return SwaySession::Focused{node.value("pid").toInteger(), floating, node.value("visible").toBool(),
                                    node.value("fullscreen_mode").toInt() != 0};
    for (const char *children : {"nodes", "floating_nodes"})
        for (const QJsonValue child : node.value(children).toArray())
            if (const auto found = focusedIn(child.toObject(), floating || children[0] == 'f'))
                return found;
    return std::nullopt;
}

} // namespace

SwaySession::SwaySession(Options options)
{
    for (const char *tool : {"sway", "swaymsg", "grim"})
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            m_failure = QStringLiteral("%1 is not installed").arg(tool);
            return;
        }
    const bool root = ::geteuid() == 0;
    if (root && QStandardPaths::findExecutable("setpriv").isEmpty()) {
        m_failure = "running as root without setpriv to start sway as another user";
        return;
    }
    m_runtime = m_home.filePath("run");
    QDir().mkdir(m_runtime);
    QFile::setPermissions(m_home.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                             QFileDevice::ExeOther);
    QFile config(m_home.filePath("config"));
    if (!config.open(QIODevice::WriteOnly)) {
        m_failure = "cannot write sway's configuration";
        return;
    }
    for (int i = 0; i < options.outputs; ++i)
        config.write(QStringLiteral("output HEADLESS-%1 resolution %2x%3 position %4 0\n")
                         .arg(i + 1)
                         .arg(options.width)
                         .arg(options.height)
                         .arg(i * options.width)
                         .toUtf8());
    config.write(QStringLiteral("output * bg %1 solid_color\n").arg(options.background.name()).toUtf8());
    config.close();
    QFile::setPermissions(config.fileName(), QFileDevice::ReadOwner | QFileDevice::ReadOther);

    QStringList command{"env",
                        "-i",
                        "HOME=" + m_home.path(),
                        "XDG_RUNTIME_DIR=" + m_runtime,
                        "PATH=/usr/bin:/bin",
                        "WLR_BACKENDS=headless",
                        "WLR_HEADLESS_OUTPUTS=" + QString::number(options.outputs),
                        "WLR_LIBINPUT_NO_DEVICES=1",
                        "WLR_RENDERER=pixman",
                        "sway",
                        "-Dnoscanout",
                        "-c",
                        config.fileName()};
    if (root) {
        if (::chown(QFile::encodeName(m_runtime).constData(), kNobody, kNobody) != 0) {
            m_failure = "cannot hand sway's runtime folder to nobody";
            return;
        }
        command = QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"} + command;
    }
    QFile::setPermissions(m_runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_sway.setProcessChannelMode(QProcess::MergedChannels);
    m_sway.start(command.takeFirst(), command);
    waitUntil(
        [&] {
            const QStringList found = QDir(m_runtime).entryList({"sway-ipc.*.sock"}, QDir::System);
            if (!found.isEmpty() && QFileInfo::exists(waylandSocket()))
                m_ipcSocket = m_runtime + "/" + found.front();
            return !m_ipcSocket.isEmpty() || m_sway.state() == QProcess::NotRunning;
        },
        10s);
    if (m_ipcSocket.isEmpty()) {
        m_failure = "sway did not start headless: " + QString::fromUtf8(m_sway.readAll().right(400));
        return;
    }
    // The output is ready once grim can take a picture of it.
    if (!waitUntil([&] { return !screenshot().isNull(); }, 5s))
        m_failure = "grim cannot take a picture of the headless output";
}

SwaySession::~SwaySession()
{
    if (m_pointerConnection >= 0)
        ::close(m_pointerConnection);
    stopProcess(m_keyboard);
    stopProcess(m_sway);
}

QProcessEnvironment SwaySession::toolEnvironment() const
{
    QProcessEnvironment env;
    env.insert("PATH", "/usr/bin:/bin");
    env.insert("XDG_RUNTIME_DIR", m_runtime);
    env.insert("WAYLAND_DISPLAY", "wayland-1");
    env.insert("SWAYSOCK", m_ipcSocket);
    return env;
}

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

std::optional<Finished> runTool(const QString &program, const QStringList &arguments,
                                const QProcessEnvironment &env, std::chrono::milliseconds timeout)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForStarted(5000))
        return std::nullopt;
    if (!p.waitForFinished(static_cast<int>(timeout.count()))) {
        p.kill();
        p.waitForFinished(2000);
        return std::nullopt;
    }
    Finished done;
    done.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    done.bytes = p.readAllStandardOutput();
    done.out = QString::fromUtf8(done.bytes).trimmed();
    return done;
}

std::optional<QByteArray> SwaySession::run(const QString &tool, const QStringList &arguments,
                                           std::chrono::milliseconds timeout) const
{
    const auto done = runTool(tool, arguments, toolEnvironment(), timeout);
    if (!done || done->code != 0)
        return std::nullopt;
    return done->bytes;
}

QImage SwaySession::screenshot(bool withPointer, const QString &output) const
{
    QStringList arguments{"-t", "ppm", "-"};
    if (withPointer)
        arguments.prepend("-c");
    if (!output.isEmpty())
        arguments = QStringList{"-o", output} + arguments;
    const auto shot = run("grim", arguments);
    return shot ? QImage::fromData(*shot, "PPM") : QImage();
}

std::optional<SwaySession::Focused> SwaySession::focusedWindow() const
{
    const auto tree = run("swaymsg", {"-r", "-t", "get_tree"});
    return tree ? focusedIn(QJsonDocument::fromJson(*tree).object()) : std::nullopt;
}

std::optional<qint64> SwaySession::focusedProcess() const
{
    const auto focused = focusedWindow();
    return focused ? std::optional<qint64>(focused->pid) : std::nullopt;
}

// zwlr_virtual_pointer_manager_v1 through a connection of its own: the
// registry (object 2) names the manager, bound as 4; its pointer is 5; each
// wl_display.sync's callback (3, then 6) says the requests before it are done.
bool SwaySession::addPointer()
{
    const QByteArray managerName = "zwlr_virtual_pointer_manager_v1";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(waylandSocket());
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    m_pointerConnection = fd;
    std::optional<quint32> manager;
    const bool listed = sendAll(fd, message(1, 1, words({2})) + message(1, 0, words({3}))) &&
                        readUntilDone(fd, 3, [&](quint32 object, quint32 opcode, const QByteArray &body) {
                            if (object != 2 || opcode != 0 || body.size() < 8) // wl_registry.global
                                return;
                            quint32 fields[2];
                            std::memcpy(fields, body.constData(), sizeof fields);
                            if (body.mid(8, static_cast<int>(fields[1]) - 1) == managerName)
                                manager = fields[0];
                        });
    if (!listed || !manager)
        return false;
    return sendAll(fd, message(2, 0, words({*manager}) + wireString(managerName) + words({1, 4})) +
                           message(4, 0, words({0, 5})) + message(1, 0, words({6}))) &&
           readUntilDone(fd, 6, [](quint32, quint32, const QByteArray &) {}) && seatHas(*this, 1);
}

// wtype's keyboard lives while it waits: an hour is longer than any suite.
bool SwaySession::addKeyboard()
{
    m_keyboard.setProcessEnvironment(toolEnvironment());
    m_keyboard.start("wtype", {"-s", "3600000"});
    return m_keyboard.waitForStarted(5000) &&
           waitUntil([&] { return seatHas(*this, 2) || m_keyboard.state() == QProcess::NotRunning; }, 5s) &&
           m_keyboard.state() == QProcess::Running;
}

} // namespace qelvo::e2e
