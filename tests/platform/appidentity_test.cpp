#include "platform/appidentity.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qelvo;

TEST(JoinPath, RootAlreadyEndsInSeparator)
{
    EXPECT_EQ(joinPath("/", "a.jpg"), "/a.jpg");
    EXPECT_EQ(joinPath("/home/u/Pics", "a.jpg"), "/home/u/Pics/a.jpg");
}

TEST(AppIdentity, InstalledCopiesKeepEachUsersFilesInTheirXdgFolders)
{
    struct Row {
        const char *exe;
        const char *configHome; // nullptr: unset
        const char *dataHome;
        bool settingsBeside;
        const char *settings;
        const char *bitmap;
    };
    const Row rows[] = {
        // Installed: the user's XDG folders, or their defaults under HOME.
        {"/usr/bin/qelvo", nullptr, nullptr, false, "/home/u/.config/qelvo/Qelvo.ini",
         "/home/u/.local/share/qelvo/qelvowp.bmp"},
        {"/home/u/.local/bin/qelvo", "/x/cfg", "/x/data/", false, "/x/cfg/qelvo/Qelvo.ini",
         "/x/data/qelvo/qelvowp.bmp"},
        {"/usr/local/bin/saver", "", "", false, "/home/u/.config/qelvo/Qelvo.ini",
         "/home/u/.local/share/qelvo/saverwp.bmp"},
        // A relative XDG value is not to be used.
        {"/usr/bin/qelvo", "cfg", "data", false, "/home/u/.config/qelvo/Qelvo.ini",
         "/home/u/.local/share/qelvo/qelvowp.bmp"},
        // A settings file beside an installed executable keeps it portable.
        {"/usr/bin/qelvo", "/x/cfg", nullptr, true, "/usr/bin/Qelvo.ini", "/usr/bin/qelvowp.bmp"},
        // Build folders and copies elsewhere keep everything beside the executable.
        {"/home/u/qelvo/build/qelvo", "/x/cfg", nullptr, false, "/home/u/qelvo/build/Qelvo.ini",
         "/home/u/qelvo/build/qelvowp.bmp"},
        {"/opt/qelvo/qelvo", nullptr, nullptr, false, "/opt/qelvo/Qelvo.ini", "/opt/qelvo/qelvowp.bmp"},
        {"/qelvo", nullptr, nullptr, false, "/Qelvo.ini", "/qelvowp.bmp"},
    };
    for (const Row &row : rows) {
        QProcessEnvironment env;
        env.insert("HOME", "/home/u");
        if (row.configHome)
            env.insert("XDG_CONFIG_HOME", row.configHome);
        if (row.dataHome)
            env.insert("XDG_DATA_HOME", row.dataHome);
        const AppIdentity id = AppIdentity::locate(row.exe, env, "/elsewhere", row.settingsBeside);
        EXPECT_EQ(id.settingsPath(), row.settings) << row.exe;
        EXPECT_EQ(id.wallpaperBitmapPath(), row.bitmap) << row.exe;
    }
    // Without HOME in the environment, the account's home folder.
    EXPECT_EQ(AppIdentity::locate("/usr/bin/qelvo", {}, "/home/v", false).settingsPath(),
              "/home/v/.config/qelvo/Qelvo.ini");
}

TEST(AppIdentity, MakesTheFoldersOfAnInstalledCopy)
{
    QTemporaryDir dir;
    QProcessEnvironment env;
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    const AppIdentity id = AppIdentity::locate("/usr/bin/qelvo", env, dir.path(), false);
    EXPECT_TRUE(id.makeFolders());
    EXPECT_TRUE(QFileInfo(QFileInfo(id.settingsPath()).path()).isDir());
    EXPECT_TRUE(QFileInfo(id.wallpaperBitmapFolder()).isDir());

    const AppIdentity current = AppIdentity::current();
    EXPECT_EQ(current.settingsPath(), joinPath(current.folder, "Qelvo.ini"));
    EXPECT_EQ(current.baseName, "platform_test");
}
