#include "fakes/rawnames.h"
#include "platform/filesystem.h"
#include "platform/imagedecoder.h"
#include "platform/pathbytes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include <sys/stat.h>

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

struct NameBytesRow {
    const char *what;
    QByteArray bytes;
    bool text;
};
void PrintTo(const NameBytesRow &row, std::ostream *os)
{
    *os << row.what;
}

class NameBytes : public ::testing::TestWithParam<NameBytesRow>
{
};

// Every name comes back as the same bytes; only valid UTF-8 counts as text.
TEST_P(NameBytes, RoundTripWhateverTheBytes)
{
    const NameBytesRow &row = GetParam();
    const QString name = decodePath(row.bytes);
    EXPECT_EQ(encodePath(name), row.bytes);
    EXPECT_EQ(isTextPath(name), row.text);
}

INSTANTIATE_TEST_SUITE_P(Names, NameBytes,
                         ::testing::Values(NameBytesRow{"ascii", "/p/a b.jpg", true},
                                           NameBytesRow{"utf-8 japanese", "/p/\xe5\x86\x99\xe7\x9c\x9f.jpg",
                                                        true},
                                           NameBytesRow{"cp932", "/p/\x83\x65\x83\x58\x83\x67.jpg", false},
                                           NameBytesRow{"latin-1", "/p/caf\xe9.jpg", false},
                                           NameBytesRow{"utf-8 cut short", "/p/\xe5\x86.jpg", false},
                                           NameBytesRow{"overlong slash", "/p/\xc0\xaf.jpg", false},
                                           NameBytesRow{"encoded surrogate", "/p/\xed\xb2\x80.jpg", false}));

// An old disk's CP932 name is listed, found and opened as the same file, and
// a save that fails there is told apart as anywhere else.
TEST(RealFileSystem, ANameThatIsNotUtf8OpensAsTheSameFile)
{
    QTemporaryDir dir;
    const QByteArray raw = QFile::encodeName(dir.path()) + "/" + fakes::kCp932Name + ".bmp";
    ASSERT_TRUE(fakes::savePictureAtBytes(raw, {3, 2}, Qt::green, "BMP"));

    const auto files = realFileSystem().listFiles(dir.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_FALSE(isTextPath(files[0].path));
    EXPECT_TRUE(realFileSystem().isNormalFile(files[0].path));
    EXPECT_EQ(readNaturalSize(files[0].path), QSize(3, 2));
    EXPECT_EQ(decodeImage(files[0].path).pixel(1, 1), qRgb(0, 255, 0));

    const QString folder = decodePath(QFile::encodeName(dir.path()) + "/" + fakes::kCp932Name);
    ASSERT_EQ(::mkdir(encodePath(folder).constData(), 0700), 0);
    EXPECT_EQ(diagnoseWriteFailure(folder, 1), WriteProblem::FolderInPlace);
    EXPECT_EQ(diagnoseWriteFailure(folder + "/Qelvo.ini", 1), WriteProblem::Other);
}
