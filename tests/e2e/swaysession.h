#pragma once

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <optional>

namespace qelvo::e2e
{

// How a tool run to its end went: its exit code (-1 when it crashed) and its
// standard output, raw and as trimmed text.
struct Finished {
    int code = -1;
    QByteArray bytes;
    QString out;
};
// Runs a tool to its end; nothing when it cannot start or does not end in time.
std::optional<Finished> runTool(const QString &program, const QStringList &arguments,
                                const QProcessEnvironment &env,
                                std::chrono::milliseconds timeout = std::chrono::seconds(10));
// Stops a program the test started: SIGTERM, then SIGKILL when it lingers.
void stopProcess(QProcess &process);

// A headless sway of its own: outputs of a fixed size side by side
// (HEADLESS-1, HEADLESS-2, ...), a background of one colour, no input device
// until addPointer. sway refuses to run as root: under root it runs as nobody,
// from folders nobody may read, with a runtime folder of its own. Stops only
// the compositor it started.
//
// With a pointer plugged in, sway 1.7's headless back end keeps giving grim
// the last composited frame (the desktop before the window came) of an output
// the pointer is not on while it scans a full-screen window out directly.
// Real outputs cannot scan a window's shared-memory buffer out.
// The session turns direct scan-out off so that pictures show what is drawn.
class SwaySession
{
public:
    struct Options {
        int width = 1024;
        int height = 768;
        int outputs = 1;
        QColor background = Qt::black;
    };

    explicit SwaySession(Options options);
    SwaySession() : SwaySession(Options{}) {}
    ~SwaySession();
    SwaySession(const SwaySession &) = delete;
    SwaySession &operator=(const SwaySession &) = delete;

    // Empty once sway runs; otherwise why it does not, for a skip.
    [[nodiscard]] QString failure() const { return m_failure; }
    [[nodiscard]] bool ok() const { return m_failure.isEmpty(); }
    // The compositor's socket as an absolute path, which WAYLAND_DISPLAY also takes.
    [[nodiscard]] QString waylandSocket() const { return m_runtime + QStringLiteral("/wayland-1"); }
    // What sway's clients need: its runtime folder, display and IPC socket.
    [[nodiscard]] QProcessEnvironment toolEnvironment() const;

    // Runs a tool against the session to its end; its standard output, or
    // nothing when it cannot start, fails or does not end in time.
    [[nodiscard]] std::optional<QByteArray>
    run(const QString &tool, const QStringList &arguments,
        std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    // Every output as grim takes it (with the pointer drawn in when
    // withPointer), or only the named one; a null image when grim fails.
    [[nodiscard]] QImage screenshot(bool withPointer = false, const QString &output = {}) const;
    // The window that has the keyboard focus, as get_tree describes it.
    struct Focused {
        qint64 pid = 0;
        bool floating = false; // a dialog's box, not a tiled or full-screen window
        bool visible = false;
        bool fullScreen = false;
    };
    [[nodiscard]] std::optional<Focused> focusedWindow() const;
    // The process whose window has the keyboard focus; nothing when no window has it.
    [[nodiscard]] std::optional<qint64> focusedProcess() const;
    // Plugs a pointer into the seat (sway draws no pointer without one); it
    // stays plugged while the session lives. False when sway does not offer
    // virtual pointers.
    bool addPointer();
    // Plugs a keyboard into the seat for as long as the session lives. Without
    // one, a key typed by wtype's short-lived keyboard is gone before a client
    // has bound the keyboard it brings.
    bool addKeyboard();

private:
    QTemporaryDir m_home;
    QString m_runtime;
    QString m_ipcSocket;
    QProcess m_sway;
    QString m_failure;
    int m_pointerConnection = -1;
    QProcess m_keyboard;
};

} // namespace qelvo::e2e
