#include "xsession.h"

#include <QProcess>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace qelvo::e2e
{

namespace
{
Display *dpy(void *d)
{
    return static_cast<Display *>(d);
}

pid_t spawn(const std::vector<std::string> &argv, const posix_spawn_file_actions_t *actions, char **env)
{
    std::vector<char *> args;
    for (const auto &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], actions, nullptr, args.data(), env) != 0)
        return -1;
    return pid;
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        QThread::msleep(20);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0;
}
} // namespace

bool waitUntil(const std::function<bool()> &cond, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (cond())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        QThread::msleep(25);
    }
}

void reportNoWindow(const std::string &awaited, std::chrono::milliseconds timeout, const QProcess &p,
                    const XSession &session)
{
    std::string fate;
    if (p.state() == QProcess::NotRunning) {
        fate = p.exitStatus() == QProcess::CrashExit
                   ? "the program crashed"
                   : "the program ended with exit code " + std::to_string(p.exitCode());
    } else {
        fate = "the program still runs; its windows:";
        const auto windows = session.windowsOf(p.processId());
        for (const auto &w : windows)
            fate += " \"" + w.name.toStdString() + '"';
        if (windows.empty())
            fate += " none";
    }
    std::cerr << "no " << awaited << " within " << timeout.count() << " ms; " << fate << '\n';
}

XSession::XSession(Options options)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    const std::string screen = std::to_string(options.width) + "x" + std::to_string(options.height) + "x24";
    std::vector<std::string> argv{
        "Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"};
    if (!options.secondScreen.isEmpty())
        argv.insert(argv.end(), {"-screen", "1",
                                 std::to_string(options.secondScreen.width()) + "x" +
                                     std::to_string(options.secondScreen.height()) + "x24"});
    m_xvfb = spawn(argv, &actions, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    std::string number;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    if (m_xvfb < 0 || number.empty())
        return;
    m_displayName = QStringLiteral(":") + QString::fromStdString(number);
    XSetErrorHandler(ignoreXErrors);
    waitUntil(
        [&] {
            m_display = XOpenDisplay(m_displayName.toLocal8Bit().constData());
            return m_display != nullptr;
        },
        std::chrono::seconds(10));
    if (!m_display || !options.windowManager)
        return;

    const QByteArray displayEnv = "DISPLAY=" + m_displayName.toLocal8Bit();
    std::vector<char *> env;
    for (char **e = environ; *e; ++e)
        if (std::strncmp(*e, "DISPLAY=", 8) != 0)
            env.push_back(*e);
    env.push_back(const_cast<char *>(displayEnv.constData()));
    env.push_back(nullptr);
    m_wm = spawn({"openbox", "--sm-disable"}, nullptr, env.data());
    // openbox announces itself through _NET_SUPPORTING_WM_CHECK on the root window.
    const Atom check = XInternAtom(dpy(m_display), "_NET_SUPPORTING_WM_CHECK", False);
    waitUntil(
        [&] {
            Atom type;
            int format;
            unsigned long count, after;
            unsigned char *data = nullptr;
            const bool found =
                XGetWindowProperty(dpy(m_display), DefaultRootWindow(dpy(m_display)), check, 0, 1, False,
                                   XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
                count == 1;
            if (data)
                XFree(data);
            return found;
        },
        std::chrono::seconds(10));
}

XSession::~XSession()
{
    stop(m_wm);
    if (m_display)
        XCloseDisplay(dpy(m_display));
    stop(m_xvfb);
}

QProcessEnvironment XSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_displayName);
    env.insert("QT_QPA_PLATFORM", "xcb");
    for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "WAYLAND_DISPLAY", "SWAYSOCK",
                             "XDG_SESSION_DESKTOP", "GNOME_DESKTOP_SESSION_ID", "KDE_FULL_SESSION"})
        env.remove(name);
    // Qelvo's own language (Japanese) whatever the user running the tests
    // speaks; a test that wants another one sets LANG.
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(name);
    env.insert("LANG", "C.UTF-8");
    return env;
}

std::vector<XSession::Window> XSession::windowsOf(qint64 pid) const
{
    std::vector<Window> result;
    if (!m_display)
        return result;
    Display *d = dpy(m_display);
    XSync(d, False);
    const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    const ::Window root = DefaultRootWindow(d);
    std::function<void(::Window)> visit = [&](::Window w) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success &&
            data && count == 1 && static_cast<qint64>(*reinterpret_cast<unsigned long *>(data)) == pid) {
            XWindowAttributes attrs;
            if (XGetWindowAttributes(d, w, &attrs) && attrs.map_state == IsViewable) {
                int x = 0, y = 0;
                ::Window child;
                XTranslateCoordinates(d, w, root, 0, 0, &x, &y, &child);
                char *name = nullptr;
                QString title;
                if (XFetchName(d, w, &name) && name) {
                    title = QString::fromLocal8Bit(name);
                    XFree(name);
                }
                result.push_back({w, QRect(x, y, attrs.width, attrs.height), title});
            }
        }
        if (data)
            XFree(data);
        ::Window rootRet, parent;
        ::Window *children = nullptr;
        unsigned int n = 0;
        if (XQueryTree(d, w, &rootRet, &parent, &children, &n)) {
            for (unsigned int i = 0; i < n; ++i)
                visit(children[i]);
            if (children)
                XFree(children);
        }
    };
    visit(root);
    return result;
}

bool XSession::requestClose(unsigned long window) const
{
    if (!m_display)
        return false;
    Display *d = dpy(m_display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "_NET_CLOSE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2; // from a pager: the user's own request
    const Status sent =
        XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(d, False);
    return sent != 0;
}

QImage XSession::screenshot() const
{
    if (!m_display)
        return {};
    Display *d = dpy(m_display);
    const ::Window root = DefaultRootWindow(d);
    XWindowAttributes attrs;
    XGetWindowAttributes(d, root, &attrs);
    XImage *img = XGetImage(d, root, 0, 0, attrs.width, attrs.height, AllPlanes, ZPixmap);
    if (!img)
        return {};
    QImage out(attrs.width, attrs.height, QImage::Format_RGB32);
    for (int y = 0; y < attrs.height; ++y)
        for (int x = 0; x < attrs.width; ++x)
            out.setPixel(x, y, static_cast<QRgb>(XGetPixel(img, x, y)) | 0xff000000u);
    XDestroyImage(img);
    return out;
}

QColor XSession::pixel(int x, int y) const
{
    if (!m_display)
        return {};
    Display *d = dpy(m_display);
    XImage *img = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img)
        return {};
    const QColor c = QColor::fromRgb(static_cast<QRgb>(XGetPixel(img, 0, 0)));
    XDestroyImage(img);
    return c;
}

bool XSession::xdotool(const QStringList &arguments) const
{
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start("xdotool", arguments);
    return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool near(const QColor &a, const QColor &b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace qelvo::e2e
