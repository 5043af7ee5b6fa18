#include "wallpaper/x11rootbackend.h"

#include "platform/imagedecoder.h"

#include <QSysInfo>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdlib>
#include <cstring>

namespace qelvo::wallpaper
{

namespace
{

// Xlib reports protocol errors through one process-wide handler whose default
// ends the process. While we talk to the server, errors are only counted.
int g_xErrors = 0;
int countXError(Display *, XErrorEvent *)
{
    ++g_xErrors;
    return 0;
}

class XErrorTrap
{
public:
    XErrorTrap() : m_previous(XSetErrorHandler(countXError)) { g_xErrors = 0; }
    ~XErrorTrap() { XSetErrorHandler(m_previous); }
    XErrorTrap(const XErrorTrap &) = delete;
    XErrorTrap &operator=(const XErrorTrap &) = delete;
    [[nodiscard]] int errors() const { return g_xErrors; }

private:
    XErrorHandler m_previous;
};

Pixmap readPixmapProperty(Display *dpy, Window root, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    Pixmap result = None;
    if (XGetWindowProperty(dpy, root, property, 0, 1, False, XA_PIXMAP, &type, &format, &count, &after,
                           &data) == Success &&
        type == XA_PIXMAP && format == 32 && count == 1 && data)
        result = *reinterpret_cast<Pixmap *>(data);
    if (data)
        XFree(data);
    return result;
}

bool pixmapExists(Display *dpy, Pixmap pixmap)
{
    const int before = g_xErrors;
    Window root;
    int x, y;
    unsigned int w, h, border, depth;
    const Status ok = XGetGeometry(dpy, pixmap, &root, &x, &y, &w, &h, &border, &depth);
    XSync(dpy, False);
    return ok != 0 && g_xErrors == before;
}

int maskShift(unsigned long mask)
{
    return mask == 0 ? 0 : std::countr_zero(mask);
}

int maskBits(unsigned long mask)
{
    return std::popcount(mask);
}

// The frame as an XImage for visual; the caller destroys it.
XImage *toXImage(Display *dpy, Visual *visual, int depth, const QImage &frame)
{
    const int w = frame.width();
    const int h = frame.height();
    XImage *image = XCreateImage(dpy, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                                 static_cast<unsigned>(w), static_cast<unsigned>(h), 32, 0);
    if (!image)
        return nullptr;
    image->data = static_cast<char *>(std::malloc(static_cast<std::size_t>(image->bytes_per_line) * h));
    if (!image->data) {
        XDestroyImage(image);
        return nullptr;
    }
    const bool standard32 = image->bits_per_pixel == 32 && visual->red_mask == 0xff0000 &&
                            visual->green_mask == 0xff00 && visual->blue_mask == 0xff;
    if (standard32) {
        // Our rows are host-order 0x00RRGGBB, which is this visual's pixel: only
        // say which byte order they are in and Xlib swaps if the server differs.
        image->byte_order = (QSysInfo::ByteOrder == QSysInfo::LittleEndian) ? LSBFirst : MSBFirst;
        for (int y = 0; y < h; ++y)
            std::memcpy(image->data + static_cast<std::size_t>(image->bytes_per_line) * y,
                        frame.constScanLine(y), static_cast<std::size_t>(w) * 4);
        return image;
    }
    const unsigned long masks[3] = {visual->red_mask, visual->green_mask, visual->blue_mask};
    for (int y = 0; y < h; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int channels[3] = {qRed(row[x]), qGreen(row[x]), qBlue(row[x])};
            unsigned long pixel = 0;
            for (int c = 0; c < 3; ++c) {
                const int bits = maskBits(masks[c]);
                const unsigned long value = bits >= 8 ? static_cast<unsigned long>(channels[c]) << (bits - 8)
                                                      : static_cast<unsigned long>(channels[c]) >> (8 - bits);
                pixel |= (value << maskShift(masks[c])) & masks[c];
            }
            XPutPixel(image, x, y, pixel);
        }
    }
    return image;
}

} // namespace

QImage coverScreen(const QImage &picture, QSize screen)
{
    if (picture.isNull() || screen.isEmpty())
        return {};
    const QImage scaled = picture.scaled(screen, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    if (scaled.isNull())
        return {};
    const QImage cropped =
        scaled.copy((scaled.width() - screen.width()) / 2, (scaled.height() - screen.height()) / 2,
                    screen.width(), screen.height());
    return cropped.convertToFormat(QImage::Format_RGB32);
}

X11RootBackend::X11RootBackend(QString displayName) : m_displayName(std::move(displayName)) {}

bool X11RootBackend::SetDeskWallPaper(const QString &bitmapPath)
{
    const QImage picture = decodeImage(bitmapPath);
    if (picture.isNull())
        return false;

    const XErrorTrap trap;
    const QByteArray name = m_displayName.toLocal8Bit();
    Display *dpy = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    if (!dpy)
        return false;
    const int screen = DefaultScreen(dpy);
    const Window root = RootWindow(dpy, screen);
    const int width = DisplayWidth(dpy, screen);
    const int height = DisplayHeight(dpy, screen);
    const int depth = DefaultDepth(dpy, screen);

    const QImage frame = coverScreen(picture, QSize(width, height));
    XImage *image = frame.isNull() ? nullptr : toXImage(dpy, DefaultVisual(dpy, screen), depth, frame);
    if (!image) {
        XCloseDisplay(dpy);
        return false;
    }
    const Pixmap pixmap = XCreatePixmap(dpy, root, static_cast<unsigned>(width),
                                        static_cast<unsigned>(height), static_cast<unsigned>(depth));
    GC gc = XCreateGC(dpy, pixmap, 0, nullptr);
    XPutImage(dpy, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(dpy, gc);
    XDestroyImage(image);
    XSync(dpy, False);
    if (trap.errors() != 0) {
        XCloseDisplay(dpy); // frees the half-made pixmap with the connection
        return false;
    }

    const Atom rootPmap = XInternAtom(dpy, "_XROOTPMAP_ID", False);
    const Atom esetroot = XInternAtom(dpy, "ESETROOT_PMAP_ID", False);
    // Only a pixmap both properties name was left behind by a setter like us,
    // whose connection holds nothing else: freeing its client frees just that.
    // A pixmap of a running desktop program is never touched.
    const Pixmap previous = readPixmapProperty(dpy, root, esetroot);
    if (previous != None && previous != pixmap && previous == readPixmapProperty(dpy, root, rootPmap) &&
        pixmapExists(dpy, previous))
        XKillClient(dpy, previous);

    XChangeProperty(dpy, root, rootPmap, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&pixmap), 1);
    XChangeProperty(dpy, root, esetroot, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&pixmap), 1);
    XSetWindowBackgroundPixmap(dpy, root, pixmap);
    XClearWindow(dpy, root);
    XSetCloseDownMode(dpy, RetainPermanent);
    XSync(dpy, False);
    XCloseDisplay(dpy);
    return true;
}

} // namespace qelvo::wallpaper
