#include "fakes/fakes.h"
#include "slideshow/form2.h"
#include "slideshow/picturebox.h"
#include "slideshow/scaling.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>

#include <qpa/qplatformnativeinterface.h>

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::slideshow;

namespace
{

// The offscreen platform's screens, plugged, resized and removed at run time
// through its native interface; the first configuration comes back at the end.
class OffscreenScreens
{
public:
    OffscreenScreens() : m_native(QGuiApplication::platformNativeInterface())
    {
        if (!m_native)
            return;
        m_set = reinterpret_cast<Set>(m_native->nativeResourceForIntegration("setConfiguration"));
        m_get = reinterpret_cast<Get>(m_native->nativeResourceForIntegration("configuration"));
        if (ok())
            m_saved = m_get(m_native);
    }
    ~OffscreenScreens()
    {
        if (!ok())
            return;
        m_set(m_saved, m_native);
        // A resize reaches the screens through the event queue.
        QCoreApplication::processEvents();
    }
    [[nodiscard]] bool ok() const { return m_set && m_get; }
    // The primary as the platform started it; the screens' names are their identity.
    [[nodiscard]] QJsonObject primary() const { return m_saved["screens"].toArray().at(0).toObject(); }
    void set(const QJsonArray &screens)
    {
        QJsonObject configuration = m_saved;
        configuration["screens"] = screens;
        m_set(configuration, m_native);
    }
    static QJsonObject screen(QJsonObject base, const QRect &geometry)
    {
        base["x"] = geometry.x();
        base["y"] = geometry.y();
        base["width"] = geometry.width();
        base["height"] = geometry.height();
        return base;
    }

private:
    using Set = void (*)(const QJsonObject &, QPlatformNativeInterface *);
    using Get = QJsonObject (*)(QPlatformNativeInterface *);
    QPlatformNativeInterface *m_native;
    Set m_set = nullptr;
    Get m_get = nullptr;
    QJsonObject m_saved;
};

class NullBackend final : public WallpaperBackend
{
public:
    bool SetDeskWallPaper(const QString &) override { return true; }
};

bool waitUntil(const std::function<bool()> &cond)
{
    QElapsedTimer clock;
    clock.start();
    while (!cond() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return cond();
}

// The black windows the show put over other screens.
std::vector<QWidget *> coversOf(const Form2 &form)
{
    std::vector<QWidget *> covers;
    for (QWidget *w : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w->isWindow() && w->isVisible())
            covers.push_back(w);
    return covers;
}

void tick(Form2 &form)
{
    form.Timer1_Timer();
    ASSERT_TRUE(waitUntil([&] { return form.picturesSettled(); }));
}

} // namespace

// A monitor plugged in, the primary resized, the monitor removed, all during
// the show: every other screen stays covered, the show window follows the
// primary and the next picture is placed and decoded for its new size.
TEST(Form2Screens, CoversFollowScreensAddedResizedAndRemoved)
{
    OffscreenScreens screens;
    if (!screens.ok())
        GTEST_SKIP() << "the platform cannot change its screens (not offscreen)";
    const QJsonObject primary = screens.primary();
    const QRect first(0, 0, primary["width"].toInt(), primary["height"].toInt());
    const QRect resized(0, 0, first.width() + 224, first.height() - 32);
    const QRect second(first.width() + 300, 0, 640, 480);
    QJsonObject plugged = OffscreenScreens::screen(primary, second);
    plugged["name"] = "plugged";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Larger than either primary size, so the box depends on the size.
    for (const auto &[name, colour] : {std::pair{"red.jpg", Qt::red}, std::pair{"green.jpg", Qt::green}}) {
        QImage image(1600, 1200, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(dir.filePath(name), "JPEG", 90));
    }
    QFile ini(dir.filePath("Qelvo.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(("[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=1\r\nWPIndex=0\r\n"
               "LastExecute=2000/01/01 0:00:00\r\n\r\n[SettingLists]\r\n***StartList***\r\n"
               "ListName=Screens\r\nChgTime=30\r\nZoomMax=1\r\nRandomView=0\r\nMouseDisable=1\r\n"
               "Effect=1\r\nPathes\r\nred.jpg," +
               dir.filePath("red.jpg") + "\r\ngreen.jpg," + dir.filePath("green.jpg") +
               "\r\n***EndList***\r\n")
                  .toUtf8());
    ini.close();

    NullBackend backend;
    fakes::ScriptedRandom random;
    Form2Services services;
    services.backend = &backend;
    services.random = &random;
    services.endProcess = [] {};
    services.message = [](const QString &) {};
    Form2 form(AppIdentity{dir.path(), "qelvo"}, nullptr, services);
    form.Form_Load();
    form.show();
    ASSERT_EQ(form.geometry(), first);
    EXPECT_TRUE(coversOf(form).empty());
    for (int i = 0; i <= kTitleTicks; ++i)
        tick(form);
    EXPECT_EQ(form.picture1()->geometry(), scaleToScreen({1600, 1200}, first.size(), 1));

    screens.set({primary, plugged});
    ASSERT_TRUE(waitUntil([&] { return coversOf(form).size() == 1; }));
    QPointer<QWidget> cover = coversOf(form).front();
    EXPECT_EQ(cover->geometry(), second);
    EXPECT_EQ(cover->screen()->name(), "plugged");
    EXPECT_EQ(cover->grab().toImage().pixelColor(320, 240), QColor(Qt::black));

    screens.set({OffscreenScreens::screen(primary, resized), plugged});
    ASSERT_TRUE(waitUntil([&] { return form.geometry() == resized; }));
    EXPECT_EQ(form.text1()->geometry().bottom(), resized.bottom());
    tick(form);
    const QRect box = scaleToScreen({1600, 1200}, resized.size(), 1);
    ASSERT_NE(box.size(), scaleToScreen({1600, 1200}, first.size(), 1).size());
    EXPECT_EQ(form.picture1()->geometry(), box);
    // Decoded for the new box, not the picture prepared for the old one.
    EXPECT_EQ(form.picture1()->shownImage().size(), box.size() * form.devicePixelRatio());
    ASSERT_EQ(coversOf(form).size(), 1U);
    cover = coversOf(form).front();
    EXPECT_EQ(cover->geometry(), second);

    screens.set({OffscreenScreens::screen(primary, resized)});
    ASSERT_TRUE(waitUntil([&] { return coversOf(form).empty(); }));
    EXPECT_TRUE(cover.isNull());
    tick(form);
    EXPECT_EQ(form.geometry(), resized);
}
