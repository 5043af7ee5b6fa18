#pragma once

#include "xsession.h"

#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace qelvo::e2e
{

// A private installation of the real binary: its own folder (where Qelvo.ini
// and the wallpaper bitmap live) and its own runtime folder (where the
// single-instance lock lives). Every process it starts is stopped with it.
class QelvoInstall
{
public:
    explicit QelvoInstall(const XSession &session);
    // Without an X server: the processes start in base (waitForWindow finds nothing).
    explicit QelvoInstall(QProcessEnvironment base);
    ~QelvoInstall();

    [[nodiscard]] QString folder() const { return m_dir.path(); }
    [[nodiscard]] QString path(const QString &name) const { return m_dir.filePath(name); }
    [[nodiscard]] QString settingsPath() const { return path("Qelvo.ini"); }
    void writeSettings(const QByteArray &bytes) const;
    [[nodiscard]] QByteArray readSettings() const;

    // Starts the binary with these arguments; returns the process (owned here).
    // environment ("NAME=value") is added to the session's; with
    // captureErrors, standard error is kept for readAllStandardError.
    QProcess &start(const QStringList &arguments, const QStringList &environment = {},
                    bool captureErrors = false);
    // Exit code once the process has ended within the timeout.
    static std::optional<int> waitForExit(QProcess &process, std::chrono::milliseconds timeout);
    // The first viewable window of the process, once it shows one within the timeout.
    std::optional<XSession::Window> waitForWindow(QProcess &process, std::chrono::milliseconds timeout) const;

private:
    const XSession *m_session = nullptr;
    QProcessEnvironment m_base;
    QTemporaryDir m_dir;
    QTemporaryDir m_runtime;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace qelvo::e2e
