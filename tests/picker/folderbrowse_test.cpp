#include "picker/folderbrowse.h"

#include "fakes/fakes.h"
#include "printers.h"

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::picker;

namespace
{
// /p holds pictures in file-system order, hidden entries and three folders.
fakes::FakeFileSystem pictureTree()
{
    fakes::FakeFileSystem fs;
    for (const char *path : {"/p/img10.jpg", "/p/B.gif", "/p/img2.JPG", "/p/.hidden.jpg", "/p/notes.txt",
                             "/p/a.jpeg", "/p/zoo/z.bmp"})
        fs.addFile(QString::fromLatin1(path));
    for (const char *path : {"/p/Zoo2", "/p/.cache", "/p/alpha/deep", "/home/u"})
        fs.addFolder(QString::fromLatin1(path));
    return fs;
}
} // namespace

TEST(FolderBrowse, ListsInNameOrderWithoutHiddenEntries)
{
    const fakes::FakeFileSystem fs = pictureTree();
    struct Case {
        const char *folder;
        const char *pattern;
        QStringList files;
    };
    const Case cases[] = {
        {"/p", "*.jp*;*.gif;*.bmp", {"a.jpeg", "B.gif", "img2.JPG", "img10.jpg"}},
        {"/p", "*.gif", {"B.gif"}},
        {"/p", "*.*", {"a.jpeg", "B.gif", "img2.JPG", "img10.jpg", "notes.txt"}},
        {"/p", "", {}},
        {"/p/zoo", "*.bmp", {"z.bmp"}},
        {"/missing", "*.*", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(matchingFileNames(fs, c.folder, c.pattern), c.files) << c.folder << " " << c.pattern;

    EXPECT_EQ(subfolderNames(fs, "/p"), (QStringList{"alpha", "zoo", "Zoo2"}));
    EXPECT_EQ(subfolderNames(fs, "/"), (QStringList{"home", "p"}));
    EXPECT_EQ(subfolderNames(fs, "/p/zoo"), QStringList{});
}

TEST(FolderBrowse, PlacesThatHaveGoneFallBackToWhatExists)
{
    const fakes::FakeFileSystem fs = pictureTree();
    struct Case {
        const char *asked;
        const char *shown;
    };
    const Case nearest[] = {
        {"/p/alpha/deep", "/p/alpha/deep"},
        {"/p/alpha/gone/too", "/p/alpha"},
        {"/p/alpha/deep/", "/p/alpha/deep"},
        {"/gone", "/"},
        {"relative/p", ""},
        {"", ""},
    };
    for (const Case &c : nearest)
        EXPECT_EQ(nearestExistingFolder(fs, c.asked), c.shown) << c.asked;

    EXPECT_EQ(startFolder(fs, "/p/zoo", "/home/u"), "/p/zoo");
    EXPECT_EQ(startFolder(fs, "/p/gone", "/home/u"), "/home/u");
    EXPECT_EQ(startFolder(fs, "", "/home/gone"), "/");
}

TEST(FolderBrowse, FoldersBelowTheTopOpenOneByOne)
{
    EXPECT_EQ(foldersBelow("/", "/p/alpha"), (QStringList{"/p", "/p/alpha"}));
    EXPECT_EQ(foldersBelow("/home/u", "/home/u/a/b"), (QStringList{"/home/u/a", "/home/u/a/b"}));
    EXPECT_EQ(foldersBelow("/home/u", "/home/u"), QStringList{});
    EXPECT_EQ(foldersBelow("/home/u", "/home/users"), QStringList{});
}
