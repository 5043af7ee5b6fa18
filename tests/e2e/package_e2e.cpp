// The settings dialog of the packaged program, extracted into a throw-away
// root named by QELVO_PACKAGE_ROOT, for users whose homes hold no settings.
#include "qelvorun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace qelvo::e2e;
using namespace std::chrono_literals;

namespace
{

class PackageE2E : public SessionTest
{
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        if (HasFatalFailure())
            return;
        const QString root = qEnvironmentVariable("QELVO_PACKAGE_ROOT");
        if (root.isEmpty())
            GTEST_SKIP() << "QELVO_PACKAGE_ROOT does not name an extracted package";
        m_exe = root + "/usr/bin/qelvo";
        ASSERT_TRUE(QFileInfo(m_exe).isExecutable()) << m_exe.toStdString() << " is not in the package";
    }

    static bool type(const XSession::Window &w, const QString &keys)
    {
        return s_session->xdotool({"windowactivate", "--sync", QString::number(w.id)}) &&
               s_session->xdotool({"key", "--clearmodifiers", keys});
    }

    // A first start for a new user: the read error, then an empty dialog whose
    // Ctrl+S writes the user's own settings file, which is returned.
    QByteArray firstRun(const QString &home)
    {
        QTemporaryDir runtime;
        QProcessEnvironment env = s_session->environment();
        env.insert("HOME", home);
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.remove("XDG_CONFIG_HOME");
        env.remove("XDG_DATA_HOME");
        QProcess qelvo;
        qelvo.setProcessEnvironment(env);
        qelvo.setWorkingDirectory(home);
        qelvo.start(m_exe, {"/c"});
        qelvo.waitForStarted(10000);
        QByteArray saved;
        const QString file = home + "/.config/qelvo/Qelvo.ini";
        const auto box = waitForTitle(qelvo, "qelvo", 15s);
        EXPECT_TRUE(box.has_value()) << "no read-error box";
        if (box && type(*box, "Return")) {
            const auto dialog = waitForTitle(qelvo, "Qelvo - Version ", 15s);
            EXPECT_TRUE(dialog.has_value()) << "no dialog after the box";
            if (dialog && type(*dialog, "ctrl+s") &&
                waitUntil([&] { return QFileInfo::exists(file) && QFileInfo(file).size() > 0; }, 10s)) {
                QFile f(file);
                saved = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            }
        }
        qelvo.kill();
        qelvo.waitForFinished(5000);
        return saved;
    }

    QString m_exe;
};

TEST_F(PackageE2E, EachNewUserGetsTheReadErrorThenAnEmptyDialogAndFilesOfTheirOwn)
{
    QTemporaryDir first;
    QTemporaryDir second;
    const QByteArray firstFile = firstRun(first.path());
    ASSERT_TRUE(firstFile.endsWith("[SettingLists]\r\n")) << "an empty list set: " << firstFile.toStdString();
    // The second user starts from nothing too: the first one's file is not theirs.
    const QByteArray secondFile = firstRun(second.path());
    EXPECT_TRUE(secondFile.endsWith("[SettingLists]\r\n"));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(m_exe).absolutePath() + "/Qelvo.ini"))
        << "nothing is written beside the installed executable";
    EXPECT_TRUE(QFileInfo::exists(first.path() + "/.config/qelvo/Qelvo.ini"));
}

} // namespace
