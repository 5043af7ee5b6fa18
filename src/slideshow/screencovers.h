#pragma once

#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

class QKeyEvent;

namespace qelvo
{

// A black window that takes the keyboard and every pointer move. Without a
// window manager a full-screen request alone leaves the default size: place
// the window over its screen first, then ask for full screen.
void makeBlackFullScreen(QWidget &window, const QRect &geometry);

// sway applies a configure it sent only once the window commits a frame
// after acking it (or its transaction times out). Qt acks a full-screen
// configure of an unchanged size without painting, so each output would wait
// for the timeout; every change of the window's state is painted at once.
void paintStateChange(QWidget &window, const QEvent &event);

// The show window's handlers a cover hands its input to.
struct CoverInput {
    std::function<void(QKeyEvent *)> keyPress; // Tab included
    std::function<void(const QPointF &global)> pointerEntered;
    std::function<void(const QPointF &global)> pointerMoved;
    std::function<void()> clicked;
};

// Black windows over the screens other than the primary, for as long as the
// show is seen. They have no handling of their own: the user must be able to
// end the show from any screen, so their keys, clicks and pointer moves go to
// the show window's handlers, as if the show window spanned the desk.
class ScreenCovers
{
public:
    ScreenCovers(QWidget &show, CoverInput input);
    ~ScreenCovers();
    ScreenCovers(const ScreenCovers &) = delete;
    ScreenCovers &operator=(const ScreenCovers &) = delete;

    // A cover over geometry (device-independent pixels), shown.
    QWidget *cover(const QRect &geometry);
    // The covers made anew: one on every screen but the primary.
    void coverOtherScreens();
    void hide();

private:
    void removeAll();

    QWidget &m_show;
    CoverInput m_input;
    std::vector<QPointer<QWidget>> m_covers;
};

} // namespace qelvo
