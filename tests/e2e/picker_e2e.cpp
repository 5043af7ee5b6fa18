#include "xsession.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace qelvo::e2e;
using namespace std::chrono_literals;

// The picker on a real X server with a window manager, opened over an owner
// window by a small harness and driven with the mouse and keyboard.
class PickerE2E : public SessionTest
{
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(m_tmp.isValid());
        m_pics = QDir(m_tmp.path()).canonicalPath() + "/pics";
        ASSERT_TRUE(QDir().mkpath(m_pics));
        saveFilled(m_pics + "/a.jpg", {40, 40}, Qt::blue);
        saveFilled(m_pics + "/b.jpg", {40, 40}, Qt::blue);
        saveFilled(m_pics + "/c.jpg", {200, 100}, Qt::red);
    }
    void TearDown() override
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    static void saveFilled(const QString &path, QSize size, Qt::GlobalColor color)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(path, "JPG", 95));
    }

    void startHarness()
    {
        m_process.setProcessEnvironment(s_session->environment());
        m_process.start(QStringLiteral(QELVO_PICKER_HARNESS), {m_pics});
        ASSERT_TRUE(m_process.waitForStarted(10000));
    }

    // The picker is the process's window of the picker's fixed size.
    std::optional<XSession::Window> waitForPicker(std::optional<XSession::Window> *owner = nullptr)
    {
        std::optional<XSession::Window> picker;
        waitUntil(
            [&] {
                for (const auto &w : s_session->windowsOf(m_process.processId())) {
                    if (w.geometry.size() == QSize(439, 233))
                        picker = w;
                    else if (owner && w.name == "owner")
                        *owner = w;
                }
                return picker.has_value() && (!owner || owner->has_value());
            },
            15s);
        return picker;
    }

    QString xprop(unsigned long window, const QString &property) const
    {
        QProcess xp;
        QProcessEnvironment env = s_session->environment();
        xp.setProcessEnvironment(env);
        xp.start("xprop", {"-id", QString::number(window), property});
        xp.waitForFinished(5000);
        return QString::fromUtf8(xp.readAllStandardOutput());
    }

    // Whether a click reached the window: the window manager focuses a window
    // clicked into, some time after the click.
    bool waitForFocus(unsigned long window) const
    {
        return waitUntil(
            [&] {
                QProcess xp;
                xp.setProcessEnvironment(s_session->environment());
                xp.start("xprop", {"-root", "_NET_ACTIVE_WINDOW"});
                xp.waitForFinished(5000);
                const QString out = QString::fromUtf8(xp.readAllStandardOutput());
                return out.section('#', 1).trimmed().toULong(nullptr, 16) == window;
            },
            10s);
    }

    QStringList finishedOutput()
    {
        if (!m_process.waitForFinished(15000))
            return {};
        return QString::fromUtf8(m_process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir m_tmp;
    QString m_pics;
    QProcess m_process;
};

TEST_F(PickerE2E, DialogOverItsOwnerPicksFilesWithMouseAndKeyboard)
{
    startHarness();
    std::optional<XSession::Window> owner;
    const auto picker = waitForPicker(&owner);
    ASSERT_TRUE(picker.has_value());
    ASSERT_TRUE(owner.has_value());

    // Centred over its owner, a dialog tied to it (no task-bar entry of its
    // own) that can be neither minimised nor maximised.
    const QPoint offset = picker->geometry.center() - owner->geometry.center();
    EXPECT_LE(offset.manhattanLength(), 60) << offset.x() << "," << offset.y();
    EXPECT_TRUE(xprop(picker->id, "WM_TRANSIENT_FOR").contains("window id"));
    EXPECT_TRUE(xprop(picker->id, "_NET_WM_WINDOW_TYPE").contains("_NET_WM_WINDOW_TYPE_DIALOG"));
    EXPECT_FALSE(xprop(picker->id, "_NET_WM_ALLOWED_ACTIONS").contains("MAXIMIZE"));
    // Motif hints: flags, functions, decorations. Neither the minimise (0x8)
    // nor the maximise (0x10) function, nor their buttons (0x20, 0x40).
    const QString motif = xprop(picker->id, "_MOTIF_WM_HINTS");
    const QStringList hints = motif.section('=', 1).split(',', Qt::SkipEmptyParts);
    ASSERT_GE(hints.size(), 3) << motif.toStdString();
    bool ok = false;
    const uint functions = hints[1].trimmed().toUInt(&ok, 16);
    ASSERT_TRUE(ok) << motif.toStdString();
    const uint decorations = hints[2].trimmed().toUInt(&ok, 16);
    ASSERT_TRUE(ok) << motif.toStdString();
    EXPECT_EQ(functions & 0x18u, 0u) << motif.toStdString();
    EXPECT_EQ(decorations & 0x60u, 0u) << motif.toStdString();

    // Click the first file, extend to the last with Shift+End, confirm with Enter.
    const QPoint firstRow = picker->geometry.topLeft() + QPoint(8 + 30, 48 + 6);
    ASSERT_TRUE(
        s_session->xdotool({"mousemove", QString::number(firstRow.x()), QString::number(firstRow.y())}));
    ASSERT_TRUE(s_session->xdotool({"click", "1"}));
    ASSERT_TRUE(s_session->xdotool({"key", "shift+End"}));

    // The preview shows c.jpg, the last file of the list, in red.
    const QPoint preview = picker->geometry.topLeft() + QPoint(356 + 33, 80 + 16);
    EXPECT_TRUE(
        waitUntil([&] { return near(s_session->pixel(preview.x(), preview.y()), QColor(Qt::red), 40); }, 10s))
        << "preview pixel " << s_session->pixel(preview.x(), preview.y()).name().toStdString();

    ASSERT_TRUE(s_session->xdotool({"key", "Return"}));
    const QStringList lines = finishedOutput();
    EXPECT_EQ(lines, (QStringList{"count=3", "mode=0", "0=" + m_pics, "1=a.jpg", "2=b.jpg", "3=c.jpg"}));
}

TEST_F(PickerE2E, ClosingTheWindowCancels)
{
    startHarness();
    const auto picker = waitForPicker();
    ASSERT_TRUE(picker.has_value());
    const QPoint firstRow = picker->geometry.topLeft() + QPoint(8 + 30, 48 + 6);
    ASSERT_TRUE(
        s_session->xdotool({"mousemove", QString::number(firstRow.x()), QString::number(firstRow.y())}));
    ASSERT_TRUE(s_session->xdotool({"click", "1"}));
    ASSERT_TRUE(waitForFocus(picker->id));
    // The window manager's close request, as from the title bar's close button.
    ASSERT_TRUE(s_session->requestClose(picker->id));
    const QStringList lines = finishedOutput();
    EXPECT_EQ(lines, (QStringList{"count=0", "mode=0", "0="}));
}
