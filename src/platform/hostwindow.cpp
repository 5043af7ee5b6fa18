#include "platform/hostwindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>

namespace qelvo
{

namespace
{

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

HostWindow::HostWindow(std::uint32_t id) : m_id(id)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    // The mask is this client's own on the host's window: the host's and
    // every other client's selections stay as they are.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, m_id, XCB_CW_EVENT_MASK, &mask);
    xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, m_id), nullptr);
    if (!geometry)
        return;
    m_exists = true;
    m_size = QSize(geometry->width, geometry->height);
    std::free(geometry);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

HostWindow::~HostWindow()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    // A foreign window's object destroys nothing of the host's.
    delete m_parent;
}

QWindow *HostWindow::asParent()
{
    if (!m_parent)
        m_parent = QWindow::fromWinId(m_id);
    return m_parent;
}

bool HostWindow::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_CONFIGURE_NOTIFY: {
        const auto *configure = static_cast<const xcb_configure_notify_event_t *>(message);
        const QSize size(configure->width, configure->height);
        if (configure->window == m_id && size != m_size) {
            m_size = size;
            emit resized(size);
        }
        break;
    }
    case XCB_DESTROY_NOTIFY:
        if (static_cast<const xcb_destroy_notify_event_t *>(message)->window == m_id)
            emit gone();
        break;
    default:
        break;
    }
    // Qt's own handling goes on: it ignores windows it does not know.
    return false;
}

} // namespace qelvo
