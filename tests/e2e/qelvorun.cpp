#include "qelvorun.h"

#include <QCoreApplication>
#include <QFile>

namespace qelvo::e2e
{

QelvoInstall::QelvoInstall(const XSession &session) : QelvoInstall(session.environment())
{
    m_session = &session;
}

QelvoInstall::QelvoInstall(QProcessEnvironment base) : m_base(std::move(base))
{
    QFile::copy(QStringLiteral(QELVO_BINARY), m_dir.filePath("qelvo"));
    QFile::setPermissions(m_dir.filePath("qelvo"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QelvoInstall::~QelvoInstall()
{
    for (auto &p : m_processes) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
}

void QelvoInstall::writeSettings(const QByteArray &bytes) const
{
    QFile f(settingsPath());
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray QelvoInstall::readSettings() const
{
    QFile f(settingsPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QProcess &QelvoInstall::start(const QStringList &arguments, const QStringList &environment,
                              bool captureErrors)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = m_base;
    env.insert("XDG_RUNTIME_DIR", m_runtime.path());
    for (const QString &setting : environment)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(m_dir.path());
    process->setProcessChannelMode(captureErrors ? QProcess::SeparateChannels
                                                 : QProcess::ForwardedErrorChannel);
    process->start(m_dir.filePath("qelvo"), arguments);
    process->waitForStarted(10000);
    m_processes.push_back(std::move(process));
    return *m_processes.back();
}

std::optional<int> QelvoInstall::waitForExit(QProcess &process, std::chrono::milliseconds timeout)
{
    if (!process.waitForFinished(static_cast<int>(timeout.count())) &&
        process.state() != QProcess::NotRunning)
        return std::nullopt;
    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

std::optional<XSession::Window> QelvoInstall::waitForWindow(QProcess &process,
                                                            std::chrono::milliseconds timeout) const
{
    std::optional<XSession::Window> found;
    waitUntil(
        [&] {
            const auto windows =
                m_session ? m_session->windowsOf(process.processId()) : std::vector<XSession::Window>();
            if (!windows.empty())
                found = windows.front();
            return found.has_value();
        },
        timeout);
    if (!found && m_session && timeout.count() > 0)
        reportNoWindow("window", timeout, process, *m_session);
    return found;
}

} // namespace qelvo::e2e
