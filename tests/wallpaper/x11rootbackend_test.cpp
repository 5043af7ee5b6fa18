#include "wallpaper/x11rootbackend.h"

#include "wallpapertestutil.h"
#include "xsession.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// Xlib last: its macros (None, Status, ...) clash with GoogleTest's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace qelvo;
using namespace qelvo::wallpaper;
using namespace std::chrono_literals;

namespace
{

// A connection of the test's own to look at the root window.
class Observer
{
public:
    explicit Observer(const QString &display) : m_dpy(XOpenDisplay(display.toLocal8Bit().constData())) {}
    ~Observer()
    {
        if (m_dpy)
            XCloseDisplay(m_dpy);
    }
    [[nodiscard]] bool ok() const { return m_dpy != nullptr; }
    [[nodiscard]] Display *dpy() const { return m_dpy; }
    [[nodiscard]] Window root() const { return DefaultRootWindow(m_dpy); }

    [[nodiscard]] Pixmap property(const char *name) const
    {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        Pixmap result = None;
        if (XGetWindowProperty(m_dpy, root(), XInternAtom(m_dpy, name, False), 0, 1, False, XA_PIXMAP, &type,
                               &format, &count, &after, &data) == Success &&
            data && count == 1)
            result = *reinterpret_cast<Pixmap *>(data);
        if (data)
            XFree(data);
        return result;
    }
    void setProperty(const char *name, Pixmap pixmap) const
    {
        XChangeProperty(m_dpy, root(), XInternAtom(m_dpy, name, False), XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(&pixmap), 1);
        XSync(m_dpy, False);
    }
    [[nodiscard]] bool exists(Pixmap pixmap) const
    {
        Window r;
        int x, y;
        unsigned w, h, b, d;
        const bool found = XGetGeometry(m_dpy, pixmap, &r, &x, &y, &w, &h, &b, &d) != 0;
        XSync(m_dpy, False);
        return found;
    }

private:
    Display *m_dpy;
};

class X11RootTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_session = new e2e::XSession(e2e::XSession::Options{640, 480, false, {}});
    }
    static void TearDownTestSuite()
    {
        delete s_session;
        s_session = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_session->ok()) << "Xvfb did not start"; }

    QString picture(const char *name, const QColor &colour, const char *format = "BMP")
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(wallpapertest::savePicture(path, colour, format, {64, 48}));
        return path;
    }
    static bool rootShows(const QColor &colour)
    {
        return e2e::waitUntil(
            [&] {
                return e2e::near(s_session->pixel(320, 240), colour) &&
                       e2e::near(s_session->pixel(2, 2), colour) &&
                       e2e::near(s_session->pixel(637, 477), colour);
            },
            5s);
    }

    static e2e::XSession *s_session;
    QTemporaryDir m_dir;
};
e2e::XSession *X11RootTest::s_session = nullptr;

TEST_F(X11RootTest, RootShowsThePictureAndTheNextOneFreesTheFirst)
{
    Observer x(s_session->displayName());
    ASSERT_TRUE(x.ok());
    X11RootBackend backend(s_session->displayName());

    ASSERT_TRUE(backend.SetDeskWallPaper(picture("red.bmp", Qt::red)));
    const Pixmap first = x.property("_XROOTPMAP_ID");
    ASSERT_NE(first, static_cast<Pixmap>(0));
    EXPECT_EQ(x.property("ESETROOT_PMAP_ID"), first);
    EXPECT_TRUE(x.exists(first)) << "the pixmap outlives the connection that made it";
    EXPECT_TRUE(rootShows(Qt::red));

    ASSERT_TRUE(backend.SetDeskWallPaper(picture("blue.jpg", Qt::blue, "JPG")));
    const Pixmap second = x.property("_XROOTPMAP_ID");
    EXPECT_NE(second, first);
    EXPECT_EQ(x.property("ESETROOT_PMAP_ID"), second);
    EXPECT_TRUE(x.exists(second));
    EXPECT_FALSE(x.exists(first)) << "the earlier pixmap is freed";
    EXPECT_TRUE(rootShows(Qt::blue));
}

TEST_F(X11RootTest, APixmapSomeoneElseStillUsesIsLeftAlone)
{
    Observer x(s_session->displayName());
    ASSERT_TRUE(x.ok());
    // A desktop program's own pixmap, announced without ESETROOT_PMAP_ID.
    const Pixmap theirs =
        XCreatePixmap(x.dpy(), x.root(), 8, 8, DefaultDepth(x.dpy(), DefaultScreen(x.dpy())));
    x.setProperty("_XROOTPMAP_ID", theirs);
    XDeleteProperty(x.dpy(), x.root(), XInternAtom(x.dpy(), "ESETROOT_PMAP_ID", False));
    XSync(x.dpy(), False);

    X11RootBackend backend(s_session->displayName());
    ASSERT_TRUE(backend.SetDeskWallPaper(picture("green.bmp", Qt::green)));
    EXPECT_TRUE(rootShows(Qt::green));
    EXPECT_TRUE(x.exists(theirs)) << "its owner (this connection) is still alive";
    EXPECT_NE(x.property("_XROOTPMAP_ID"), theirs);
}

TEST_F(X11RootTest, UnreadablePicturesAndMissingDisplaysFail)
{
    X11RootBackend backend(s_session->displayName());
    const QString broken = m_dir.filePath("broken.bmp");
    ASSERT_TRUE(wallpapertest::writeBytes(broken, "BM but nothing else"));
    EXPECT_FALSE(backend.SetDeskWallPaper(broken));
    EXPECT_FALSE(backend.SetDeskWallPaper(m_dir.filePath("missing.bmp")));

    X11RootBackend nowhere(":4711");
    EXPECT_FALSE(nowhere.SetDeskWallPaper(picture("red.bmp", Qt::red)));
}

TEST(CoverScreen, FillsTheScreenKeepingTheAspectAndCutsTheOverflowEvenly)
{
    QImage wide(200, 100, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 50; ++x) {
            wide.setPixel(x, y, qRgb(255, 0, 0));       // cut off on the left
            wide.setPixel(199 - x, y, qRgb(0, 255, 0)); // and on the right
        }
    const QImage square = coverScreen(wide, {100, 100});
    ASSERT_EQ(square.size(), QSize(100, 100));
    EXPECT_EQ(square.format(), QImage::Format_RGB32);
    for (int x : {0, 50, 99})
        EXPECT_TRUE(wallpapertest::near(square.pixelColor(x, 50), Qt::blue)) << x;

    // A small picture is enlarged to cover a larger screen.
    const QImage big = coverScreen(wide, {800, 300});
    ASSERT_EQ(big.size(), QSize(800, 300));
    EXPECT_TRUE(wallpapertest::near(big.pixelColor(2, 150), Qt::red));
    EXPECT_TRUE(wallpapertest::near(big.pixelColor(797, 150), Qt::green));

    EXPECT_TRUE(coverScreen(QImage(), {10, 10}).isNull());
    EXPECT_TRUE(coverScreen(wide, {0, 10}).isNull());
}

} // namespace
