#include "dialog/form1.h"
#include "platform/appidentity.h"
#include "platform/clock.h"
#include "platform/endsignals.h"
#include "platform/filesystem.h"
#include "platform/language.h"
#include "platform/picturememory.h"
#include "platform/singleinstance.h"
#include "platform/standarderror.h"
#include "platform/xsaverkeeper.h"
#include "settings/settingsfile.h"
#include "slideshow/form2.h"
#include "slideshow/texts.h"
#include "slideshow/writeback.h"
#include "startup/dialoghooks.h"
#include "startup/dispatch.h"
#include "startup/hostedshow.h"
#include "startup/module1.h"

#include <QApplication>
#include <QLocale>
#include <QLoggingCategory>

#include <cstdio>
#include <unistd.h>

using namespace qelvo;

namespace
{

// Nothing remains to be written once a window's loop has returned: the
// process ends now, without waiting for a decode under way or for the
// display's teardown (on Wayland that teardown can wait for good on Qt's
// event thread), so a program that was told to end always ends, and the
// next start runs.
[[noreturn]] void endNow(SingleInstance &instance, int status)
{
    instance.release();
    std::fflush(nullptr);
    _exit(status);
}

// Another instance runs. A changer-only start (a timer's, nobody watching)
// that sets nothing says so and fails, so its unit shows it; any other start
// simply ends, as a second screen saver should.
int refusedStart(StartAction action, int argc, char *argv[])
{
    if (action != StartAction::SlideShow)
        return 0;
    // Read as it stands: the running instance may be rewriting it, and the
    // recovery of an interrupted save is that instance's business.
    const auto text = settings::SettingsFile(AppIdentity::current()).readTextAsItStands();
    if (!text || !slideshow::isChangerOnlyStart(*text, realFileSystem(), systemClock().now()))
        return 0;
    // The line in the user's language, as every other line of that run.
    const QCoreApplication app(argc, argv);
    const Translations translations(chooseUiLanguage(QLocale().uiLanguages()));
    tellStandardError(slideshow::tr8(slideshow::texts::kAlreadyRunning));
    return Form2::kRunFailed;
}

} // namespace

// Main: one instance, then the command line decides what runs.
int main(int argc, char *argv[])
{
    endOnSignals();
    setRunMode(kScreenSaverMode);

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString hostWindow = qEnvironmentVariable("XSCREENSAVER_WINDOW");
    const StartAction action = dispatch(joinCommandLine(arguments), hostWindow);
    if (action == StartAction::HostedShow)
        runHostedShow(*parseHostWindow(hostWindow), argc, argv);

    const QString lockPath = SingleInstance::defaultLockPath();
    SingleInstance instance(lockPath);
    if (!instance.acquired())
        return refusedStart(action, argc, argv);
    if (!lockPath.isEmpty())
        removeOnEndSignal(lockPath);
    if (action == StartAction::Exit)
        return 0;

    returnFreedPicturesToSystem();
    // A decode abandoned part-way ends its data early, and the JPEG reader
    // warns about that on every one; a damaged file shows what decodes of it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.jpeg.warning=false"));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(kAppTitle));
    // Every text in the user's language, the changer-only run's standard-error lines too.
    const Translations translations(chooseUiLanguage(QLocale().uiLanguages()));
    const AppIdentity identity = AppIdentity::current();
    // An installed copy's per-user folders; a failure shows later, where a file is read or written.
    identity.makeFolders();

    if (action == StartAction::SlideShow) {
        // The dialog loads hidden first so that its read-error message comes
        // before the show's own. A changer-only start runs with nobody at the
        // screen (a timer starts it): the dialog's messages then go to
        // standard error, for a box nobody clicks would hold the single
        // instance for good.
        Form1 dialog(identity, dialogHooks(identity));
        const auto text = settings::SettingsFile(identity).readText();
        if (text && slideshow::isChangerOnlyStart(*text, realFileSystem(), systemClock().now()))
            dialog.setPrompter(std::make_unique<dialog::StandardErrorPrompter>());
        dialog.Form_Load();
        Form2 show(identity);
        show.Form_Load();
        const XSaverKeeper keepXSaverOff;
        show.exec();
        endNow(instance, show.exitStatus());
    }

    auto *dialog = new Form1(identity, dialogHooks(identity));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->Form_Load();
    dialog->show();
    // Every save is written while the dialog is open; its closing writes nothing more.
    endNow(instance, QApplication::exec());
}
