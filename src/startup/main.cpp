#include "dialog/form1.h"
#include "platform/appidentity.h"
#include "platform/singleinstance.h"
#include "slideshow/form2.h"
#include "startup/dispatch.h"
#include "startup/module1.h"

#include <QApplication>

using namespace qelvo;

// Main: one instance, then the command line decides what runs.
int main(int argc, char *argv[])
{
    const SingleInstance instance;
    if (!instance.acquired())
        return 0;

    setRunMode(kScreenSaverMode);

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartAction action = dispatch(joinCommandLine(arguments));
    if (action == StartAction::Exit)
        return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(kAppTitle));
    const AppIdentity identity = AppIdentity::current();
    // An installed copy's per-user folders; a failure shows later, where a file is read or written.
    identity.makeFolders();

    if (action == StartAction::SlideShow) {
        // The dialog loads hidden first so that its read-error message comes
        // before the show's own.
        Form1 dialog(identity);
        dialog.Form_Load();
        Form2 show(identity);
        show.Form_Load();
        show.exec();
        return 0;
    }

    auto *dialog = new Form1(identity);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->Form_Load();
    dialog->show();
    return app.exec();
}
