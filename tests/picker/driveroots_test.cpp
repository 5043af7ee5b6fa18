#include "picker/driveroots.h"

#include "platform/pathbytes.h"
#include "printers.h"

#include <gtest/gtest.h>

#include <set>

using namespace qelvo::picker;

TEST(DriveRootsFromMounts, RootHomeThenMediaOnceEachSorted)
{
    const QByteArray mounts = "sysfs /sys sysfs rw 0 0\n"
                              "/dev/sda1 / ext4 rw 0 0\n"
                              "/dev/sdb1 /media/ann/USB\\040STICK vfat rw 0 0\n"
                              "/dev/sdc1 /run/media/ann/Camera exfat rw 0 0\n"
                              "/dev/sdg1 /media/ann/caf\xe9 vfat rw 0 0\n"
                              "/dev/sdd1 /run/media/bob/Other exfat rw 0 0\n"
                              "/dev/sde1 /mnt/data ext4 rw 0 0\n"
                              "/dev/sdf1 /mnt ext4 rw 0 0\n"
                              "/dev/loop0 /snap/core/1 squashfs ro 0 0\n"
                              "/dev/sdb1 /media/ann/USB\\040STICK vfat rw 0 0\n"
                              "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                              "/dev/sda2 /home ext4 rw 0 0\n"
                              "broken\n\n";
    EXPECT_EQ(driveRootsFromMounts(mounts, "/home/ann/", "ann"),
              (QStringList{"/", "/home/ann", "/media/ann/USB STICK", qelvo::decodePath("/media/ann/caf\xe9"),
                           "/mnt", "/mnt/data", "/run/media/ann/Camera"}));
}

TEST(DriveRootsFromMounts, WithoutHomeOrMountsThereIsTheRoot)
{
    EXPECT_EQ(driveRootsFromMounts({}, {}, {}), QStringList{"/"});
    EXPECT_EQ(driveRootsFromMounts({}, "/", "root"), QStringList{"/"});
    EXPECT_EQ(driveRootsFromMounts("x /media ext4 rw 0 0\n", "relative", {}), QStringList{"/"});
}

TEST(DriveOf, LongestRootHoldingThePathByWholeComponents)
{
    const QStringList roots{"/", "/home/ann", "/media/ann/USB"};
    EXPECT_EQ(driveOf("/home/ann/pics", roots), "/home/ann");
    EXPECT_EQ(driveOf("/home/ann", roots), "/home/ann");
    EXPECT_EQ(driveOf("/home/anna/pics", roots), "/");
    EXPECT_EQ(driveOf("/media/ann/USB/a/b", roots), "/media/ann/USB");
    EXPECT_EQ(driveOf("/", roots), "/");
    EXPECT_EQ(driveOf("", roots), "");
    EXPECT_EQ(driveOf("/etc", QStringList{"/home/ann"}), "");
}

TEST(DriveFolders, ReturnsToTheLastFolderOrItsNearestExistingParent)
{
    DriveFolders folders;
    std::set<QString> existing{"/m", "/m/a", "/m/a/b"};
    const auto exists = [&](const QString &p) { return existing.count(p) > 0; };

    EXPECT_EQ(folders.folderFor("/m", exists), "/m");
    folders.remember("/m", "/m/a/b/c");
    EXPECT_EQ(folders.folderFor("/m", exists), "/m/a/b");
    existing.erase("/m/a/b");
    existing.erase("/m/a");
    EXPECT_EQ(folders.folderFor("/m", exists), "/m");
    // A folder remembered for one root never sends another root elsewhere.
    folders.remember("/n", "/m/a");
    EXPECT_EQ(folders.folderFor("/n", exists), "/n");
    folders.clear();
    folders.remember("/", "/m/a/b");
    existing.insert("/m/a/b");
    EXPECT_EQ(folders.folderFor("/", exists), "/m/a/b");
}
