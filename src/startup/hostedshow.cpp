#include "startup/hostedshow.h"

#include "platform/appidentity.h"
#include "platform/hostwindow.h"
#include "platform/standarderror.h"
#include "slideshow/form2.h"

#include <QApplication>

#include <cstdio>
#include <unistd.h>

namespace qelvo
{

namespace
{

constexpr const char *kNoHostWindow = "the screen saver's window %1 (XSCREENSAVER_WINDOW) does not exist";

[[noreturn]] void endHostedShow(int status)
{
    std::fflush(nullptr);
    _exit(status);
}

} // namespace

void runHostedShow(std::uint32_t window, int argc, char *argv[])
{
    // The hosts are X11 programs: their window is on the X display, whichever
    // platform the session would give Qt.
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("xcb")))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(kAppTitle));
    const AppIdentity identity = AppIdentity::current();

    HostWindow host(window);
    if (!host.exists()) {
        tellStandardError(QString::fromLatin1(kNoHostWindow).arg(window));
        endHostedShow(1);
    }
    // The host ended or its monitor went: nothing of ours is left to show.
    QObject::connect(&host, &HostWindow::gone, [] { endHostedShow(0); });

    Form2 show(identity);
    show.embedInto(host);
    show.Form_Load();
    // Not modal: a modal window asks for a window manager's state, and in a
    // host's window there is none to ask.
    show.show();
    QApplication::exec();
    endHostedShow(show.exitStatus());
}

} // namespace qelvo
