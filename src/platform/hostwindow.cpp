#include "platform/hostwindow.h"
#include "platform/pathbytes.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

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

namespace
{

// Children of each window, asked for all at once.
std::vector<xcb_window_t> childrenOf(xcb_connection_t *c, const std::vector<xcb_window_t> &windows)
{
    std::vector<xcb_query_tree_cookie_t> cookies;
    for (xcb_window_t w : windows)
        cookies.push_back(xcb_query_tree(c, w));
    std::vector<xcb_window_t> children;
    for (const auto &cookie : cookies) {
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(c, cookie, nullptr);
        if (!tree)
            continue;
        const xcb_window_t *list = xcb_query_tree_children(tree);
        children.insert(children.end(), list, list + xcb_query_tree_children_length(tree));
        std::free(tree);
    }
    return children;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

// A claim's line "from until path" taken for more than half of [from, until).
bool takenMeanwhile(const QByteArray &line, qint64 from, qint64 until, QString *path)
{
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() < 3)
        return false;
    const qint64 claimFrom = parts[0].toLongLong();
    const qint64 claimUntil = parts[1].toLongLong();
    const qint64 overlap = std::min(until, claimUntil) - std::max(from, claimFrom);
    *path = decodePath(line.mid(parts[0].size() + parts[1].size() + 2));
    return 2 * overlap > until - from;
}

} // namespace

void HostWindow::pickBesideOthers(std::uint32_t ownWindow, qint64 fromMs, qint64 untilMs,
                                  const std::function<QString(const QStringList &elsewhere)> &choose)
{
    xcb_connection_t *c = connection();
    if (!c) {
        choose({});
        return;
    }
    const xcb_atom_t claims = atom(c, "_QELVO_PICTURES");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    xcb_grab_server(c);
    // The host's windows are the children of one window (xsecurelock's), or
    // of the roots of every X screen (XScreenSaver's); the shows are theirs.
    std::vector<xcb_window_t> parents;
    if (xcb_query_tree_reply_t *tree = xcb_query_tree_reply(c, xcb_query_tree(c, m_id), nullptr)) {
        parents.push_back(tree->parent);
        if (tree->parent == tree->root)
            for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem; xcb_screen_next(&it))
                if (it.data->root != tree->root)
                    parents.push_back(it.data->root);
        std::free(tree);
    }
    std::vector<xcb_get_property_cookie_t> cookies;
    for (xcb_window_t show : childrenOf(c, childrenOf(c, parents)))
        if (show != ownWindow)
            cookies.push_back(xcb_get_property(c, 0, show, claims, utf8, 0, 4096));
    QStringList elsewhere;
    for (const auto &cookie : cookies) {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(c, cookie, nullptr);
        if (!reply)
            continue;
        const QByteArray value(static_cast<const char *>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
        std::free(reply);
        for (const QByteArray &line : value.split('\n')) {
            QString path;
            if (takenMeanwhile(line, fromMs, untilMs, &path))
                elsewhere << path;
        }
    }
    // The earlier claim is the picture on screen until this one comes.
    const QByteArray claim =
        QByteArray::number(fromMs) + ' ' + QByteArray::number(untilMs) + ' ' + encodePath(choose(elsewhere));
    const QByteArray value = m_claim.isEmpty() ? claim : m_claim + '\n' + claim;
    m_claim = claim;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, ownWindow, claims, utf8, 8,
                        static_cast<std::uint32_t>(value.size()), value.constData());
    xcb_ungrab_server(c);
    xcb_flush(c);
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
