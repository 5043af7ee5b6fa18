#include "picker/picker.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <iostream>

// Opens the file picker over a plain owner window, the way the settings
// dialog's Add button does, and prints the result once it closes:
// "count=N", "mode=0|1", then "slot=text" for slots 0..N.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);

    QWidget owner;
    owner.setWindowTitle(QStringLiteral("owner"));
    owner.setGeometry(200, 150, 600, 450);
    owner.show();

    namespace pk = qelvo::picker;
    if (!pk::SetFolder(folder) || !pk::SetDrive(pk::DriveOf(folder)))
        return 3;
    QTimer::singleShot(0, &owner, [&] {
        const pk::PickResult picked = pk::Open(&owner);
        std::cout << "count=" << int(picked.count) << "\nmode=" << int(picked.folderMode) << "\n";
        for (int slot = 0; slot <= picked.count; ++slot)
            std::cout << slot << "=" << picked.files[slot].toStdString() << "\n";
        std::cout.flush();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
