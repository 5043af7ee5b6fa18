# The Debian package's maintainer, description and the screen-saver hosts it
# works with (included by the top-level CMakeLists.txt before CPack). The
# description's lines stay under 80 columns, as Debian's policy asks.
set(QELVO_MAINTAINER "The Qelvo developers <qelvo@example.org>")
set(CPACK_PACKAGE_CONTACT "${QELVO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "image slide show screen saver and wallpaper changer")
set(CPACK_PACKAGE_DESCRIPTION "A full-screen slide show of JPEG, GIF and BMP picture lists, with a
shutter, curtain or iris between pictures. It runs as a module of
XScreenSaver and xsecurelock on every monitor, or under an idle watcher
(xautolock, swayidle), and doubles as a desktop-wallpaper changer (GNOME,
Cinnamon, MATE, KDE Plasma, Xfce, LXQt, sway and plain X11).")
set(CPACK_DEBIAN_PACKAGE_ENHANCES "xscreensaver, xsecurelock")
