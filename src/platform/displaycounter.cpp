#include "platform/displaycounter.h"

#include <QCursor>
#include <QGuiApplication>

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

DisplayCounter &processDisplayCounter()
{
    static DisplayCounter counter([](bool visible) {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return;
        if (visible)
            QGuiApplication::restoreOverrideCursor();
        else
            QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    });
    return counter;
}

} // namespace qelvo
