#include "platform/displaycounter.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>

namespace qelvo
{

int DisplayCounter::ShowCursor(bool show)
{
    const bool wasVisible = m_count >= 0;
    m_count += show ? 1 : -1;
    const bool visible = m_count >= 0;
    if (visible != wasVisible && m_hook)
        m_hook(visible);
    return m_count;
}

namespace
{
// A fully transparent picture rather than Qt::BlankCursor: some Wayland
// compositors are sent no cursor at all for the blank shape and keep the
// pointer they had, while a picture cursor is sent everywhere.
QCursor invisibleCursor()
{
    QPixmap transparent(1, 1);
    transparent.fill(Qt::transparent);
    return QCursor(transparent, 0, 0);
}
} // namespace

DisplayCounter &processDisplayCounter()
{
    static DisplayCounter counter([](bool visible) {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return;
        if (visible)
            QGuiApplication::restoreOverrideCursor();
        else
            QGuiApplication::setOverrideCursor(invisibleCursor());
    });
    return counter;
}

} // namespace qelvo
