// Form2 inside a screen-saver host's window (XScreenSaver, xsecurelock, or a
// preview pane): the host made the window and owns input, blanking and the
// lock; the show is a child window filling it.
#include "platform/hostwindow.h"
#include "slideshow/form2.h"

#include <QDateTime>
#include <QWindow>

#include <algorithm>

namespace qelvo
{

void Form2::embedInto(HostWindow &host)
{
    m_host = &host;
    // A child of the host's window: no window manager sees it, no state of
    // full screen, no focus taken from the host.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowState(Qt::WindowNoState);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    winId();
    windowHandle()->setParent(host.asParent());
    fitHost(host.size());
    connect(&host, &HostWindow::resized, this, &Form2::fitHost);
}

void Form2::pickBesideOthers(int appearsInMs, int showsForMs,
                             const std::function<QString(const QStringList &elsewhere)> &choose)
{
    if (!m_host) {
        choose({});
        return;
    }
    // Wall-clock times: the shows on the other monitors are other processes.
    const qint64 from = QDateTime::currentMSecsSinceEpoch() + appearsInMs;
    m_host->pickBesideOthers(static_cast<std::uint32_t>(winId()), from, from + std::max(showsForMs, 1),
                             choose);
}

void Form2::fitHost(QSize pixels)
{
    const qreal ratio = windowHandle() ? windowHandle()->devicePixelRatio() : 1.0;
    m_screen = QRect(QPoint(0, 0), (QSizeF(pixels) / ratio).toSize());
    setGeometry(m_screen);
    m_show->screenResized(m_screen.size());
    placeStatusLine();
}

} // namespace qelvo
