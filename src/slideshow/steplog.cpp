#include "slideshow/steplog.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>

namespace qelvo
{

namespace
{

// Waits until the X server has handled every request sent before.
void roundTrip()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11)
        return;
    xcb_connection_t *connection = x11->connection();
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

double millis(StepLog::Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

StepLog::StepLog()
{
    const QByteArray path = qgetenv("QELVO_STEP_LOG");
    if (path.isEmpty())
        return;
    m_file = std::make_unique<QFile>(QString::fromLocal8Bit(path));
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        m_file.reset();
}

void StepLog::step(const slideshow::Transition &transition, const QString &kind, Clock::time_point start)
{
    roundTrip();
    const Clock::time_point now = Clock::now();
    const double since = m_last == Clock::time_point{} ? 0 : millis(start - m_last);
    m_last = start;
    const QByteArray line = kind.toLatin1() + ' ' + QByteArray::number(int(transition.attributes.mode)) +
                            ' ' + QByteArray::number(millis(now - start), 'f', 3) + ' ' +
                            QByteArray::number(since, 'f', 3) + '\n';
    m_file->write(line);
}

} // namespace qelvo
