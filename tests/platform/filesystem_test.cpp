#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace qelvo;

namespace
{
void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}
} // namespace

TEST(RealFileSystem, ListsTheFolderOwnRegularFilesAndFolders)
{
    QTemporaryDir dir;
    touch(dir.filePath("a.jpg"));
    touch(dir.filePath("b c'd.gif"));
    QDir(dir.path()).mkdir("sub");
    touch(dir.filePath("sub/inner.jpg"));
    QFile::link(dir.filePath("a.jpg"), dir.filePath("link.jpg"));
    QFile::link(dir.filePath("missing"), dir.filePath("dangling.jpg"));

    const RealFileSystem fs;
    auto files = fs.listFiles(dir.path());
    std::vector<QString> names;
    for (const auto &f : files)
        names.push_back(f.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<QString>{"a.jpg", "b c'd.gif", "link.jpg"}));
    for (const auto &f : files)
        EXPECT_EQ(f.path, dir.filePath(f.name));

    EXPECT_TRUE(fs.isNormalFile(dir.filePath("link.jpg")));
    EXPECT_FALSE(fs.isNormalFile(dir.filePath("sub")));
    EXPECT_FALSE(fs.isNormalFile(dir.filePath("dangling.jpg")));
    EXPECT_FALSE(fs.isNormalFile(QString()));
    EXPECT_TRUE(fs.folderExists(dir.filePath("sub")));
    EXPECT_FALSE(fs.folderExists(dir.filePath("a.jpg")));
    EXPECT_TRUE(fs.listFiles(dir.filePath("nope")).empty());

    // Folders, through links too; files and dangling links are not folders.
    QFile::link(dir.filePath("sub"), dir.filePath("sublink"));
    QStringList folders = fs.listFolders(dir.path());
    folders.sort();
    EXPECT_EQ(folders, (QStringList{"sub", "sublink"}));
    EXPECT_TRUE(fs.listFolders(dir.filePath("nope")).isEmpty());
}
