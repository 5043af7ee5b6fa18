#include "platform/screens.h"

#include <QGuiApplication>
#include <QScreen>

namespace qelvo
{

QRect primaryScreenGeometry()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->geometry();
    return {0, 0, 1024, 768};
}

double primaryRefreshRate()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double rate = screen ? screen->refreshRate() : 0.0;
    return rate >= 1.0 ? rate : 60.0;
}

} // namespace qelvo
