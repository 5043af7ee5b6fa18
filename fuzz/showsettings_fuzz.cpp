#include "fuzzsupport.h"

#include "fakes/fakes.h"
#include "slideshow/showsettings.h"
#include "slideshow/writeback.h"

// The show's reader, and the check for a changer-only start, over any file, with a small tree to expand
// folder entries in: "/p" holds pictures and a subfolder, "/e" is empty.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qelvo;
    static const fakes::FakeFileSystem *tree = [] {
        auto *fs = new fakes::FakeFileSystem;
        for (const char *path : {"/p/a.jpg", "/p/b.GIF", "/p/c.bmp", "/p/notes.txt", "/p/sub/d.jpeg"})
            fs->addFile(QString::fromLatin1(path));
        fs->addFolder(QStringLiteral("/e"));
        return fs;
    }();
    static const QDateTime now(QDate(2026, 3, 14), QTime(15, 9, 26));

    const slideshow::ShowSettings show =
        slideshow::readShowSettings(fuzz::settingsText(data, size), *tree, now);
    fuzz::require(show.PlayList.size() <= std::size_t(slideshow::kPlayListSlots), "the play list's bound");
    fuzz::require(show.ExecuteNumber.size() <= 2, "ExecuteNumber is read as two characters");
    return 0;
}
