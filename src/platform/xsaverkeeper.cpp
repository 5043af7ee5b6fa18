#include "platform/xsaverkeeper.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

#include <xcb/dpms.h>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace qelvo
{

namespace
{

xcb_connection_t *connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

template <typename T> std::unique_ptr<T, decltype(&std::free)> owned(T *reply)
{
    return {reply, &std::free};
}

bool hasExtension(xcb_connection_t *c, xcb_extension_t *extension)
{
    const xcb_query_extension_reply_t *data = xcb_get_extension_data(c, extension);
    return data && data->present;
}

XSaverTimes readTimes(xcb_connection_t *c)
{
    XSaverTimes times;
    if (auto saver = owned(xcb_get_screen_saver_reply(c, xcb_get_screen_saver(c), nullptr)))
        times.saverTimeout = saver->timeout;
    if (!hasExtension(c, &xcb_dpms_id))
        return times;
    auto info = owned(xcb_dpms_info_reply(c, xcb_dpms_info(c), nullptr));
    auto timeouts = owned(xcb_dpms_get_timeouts_reply(c, xcb_dpms_get_timeouts(c), nullptr));
    if (info && timeouts) {
        times.dpmsEnabled = info->state != 0;
        times.standby = timeouts->standby_timeout;
        times.suspend = timeouts->suspend_timeout;
        times.off = timeouts->off_timeout;
    }
    return times;
}

long long serverIdleMs(xcb_connection_t *c)
{
    if (!hasExtension(c, &xcb_screensaver_id))
        return 0;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    auto info =
        owned(xcb_screensaver_query_info_reply(c, xcb_screensaver_query_info(c, screen->root), nullptr));
    return info ? info->ms_since_user_input : 0;
}

} // namespace

XSaverStep xsaverStep(long long idleMs, const XSaverTimes &times)
{
    XSaverStep step;
    if (times.dpmsEnabled) {
        const std::pair<int, int> levels[] = {{XCB_DPMS_DPMS_MODE_OFF, times.off},
                                              {XCB_DPMS_DPMS_MODE_SUSPEND, times.suspend},
                                              {XCB_DPMS_DPMS_MODE_STANDBY, times.standby}};
        for (const auto &[level, seconds] : levels) {
            if (seconds > 0 && idleMs >= seconds * 1000LL) {
                step.dpmsLevel = level;
                return step;
            }
        }
    }
    step.resetSaver = times.saverTimeout > 0;
    return step;
}

XSaverKeeper::XSaverKeeper()
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    m_idleBase = serverIdleMs(c);
    m_idle.start();
    QCoreApplication::instance()->installEventFilter(this);
    connect(&m_timer, &QTimer::timeout, this, &XSaverKeeper::tick);
    tick();
}

bool XSaverKeeper::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
        m_idleBase = 0;
        m_idle.restart();
        m_level = 0;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void XSaverKeeper::tick()
{
    xcb_connection_t *c = connection();
    const XSaverTimes times = readTimes(c);
    const XSaverStep step = xsaverStep(m_idleBase + m_idle.elapsed(), times);
    if (step.resetSaver)
        xcb_force_screen_saver(c, XCB_SCREEN_SAVER_RESET);
    if (step.dpmsLevel && *step.dpmsLevel > m_level) {
        xcb_dpms_force_level(c, static_cast<std::uint16_t>(*step.dpmsLevel));
        m_level = *step.dpmsLevel;
    }
    xcb_flush(c);
    // Well inside the saver's timeout, and soon enough for the power settings' times
    // (read again each time: the user may change them meanwhile).
    const int seconds = times.saverTimeout > 0 ? std::clamp(times.saverTimeout / 2, 1, 10) : 10;
    m_timer.start(seconds * 1000);
}

} // namespace qelvo
