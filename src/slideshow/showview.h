#pragma once

#include "slideshow/transition.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace qelvo::slideshow
{

// What the show's logic needs from its window: Timer1, the picture box
// Picture1 (with the hidden Picture2 behind presentImage), the text lines
// Text1 (status), Text2 (corner) and Text3 (title), and the ways out.
class ShowView
{
public:
    virtual ~ShowView() = default;

    // Timer1. Setting the interval restarts a running timer; 0 stops the
    // ticks; 1 means one tick per frame of the screen.
    virtual void setTimerInterval(int ms) = 0;
    [[nodiscard]] virtual bool timerEnabled() const = 0;
    virtual void setTimerEnabled(bool enabled) = 0;

    // Hiding or showing Picture1 drops any transition drawn over it; the
    // picture painted into it stays.
    virtual void setPictureVisible(bool visible) = 0;
    virtual void setTitleVisible(bool visible) = 0;
    virtual void setCornerTextVisible(bool visible) = 0;
    virtual void setStatusText(const QString &text) = 0;
    virtual void setStatusVisible(bool visible) = 0;
    // The title text and the three lines' places, once at load.
    virtual void prepareTexts(const QString &listName) = 0;

    // Where a picture of a natural size (pixels) stands on the screen.
    using BoxRule = std::function<QRect(QSize natural)>;

    // Empties Picture1 (black) and drops any transition drawn over it.
    virtual void clearPicture() = 0;
    // The upright natural size in pixels read with the prepared picture of
    // this unchanged file (invalid when it is not a picture); nothing when no
    // such picture is prepared. The file is not read: the window's thread
    // never reads a picture, whatever its file system does.
    [[nodiscard]] virtual std::optional<QSize> preparedNaturalSize(const QString &path) = 0;
    // Decodes the picture for the box and, only when that worked, moves
    // Picture1 to box (screen pixels) and paints the picture stretched into it.
    virtual bool presentImage(const QString &path, const QRect &box) = 0;
    // For a picture not prepared: its header is read and it is decoded off
    // the window's thread, for the box the rule gives; when it comes, Picture1
    // moves there and shows it, and the show hears its size (pictureShown).
    // A file that never answers leaves Picture1 black, and the window free.
    virtual void presentImage(const QString &path, BoxRule box) = 0;
    // Decodes the picture ahead of its change, for the box the rule gives once
    // its header is read, so that presentImage finds it ready; a later call
    // replaces it. The rule runs off the window's thread: it holds its values.
    virtual void prepareImage(const QString &path, BoxRule box) = 0;
    // Draws a transition step over the shown picture, not into it.
    virtual void drawFade(const FadeStep &step) = 0;

    // A message box. In the changer-only run nobody is there to click one: the
    // text goes to standard error instead, and the run ends as failed.
    virtual void showMessage(const QString &text) = 0;
    virtual void hideCursor() = 0;
    // WPChanger 3: the window stays out of sight.
    virtual void hideForBackgroundRun() = 0;
    virtual void setWallPaper(const QString &path) = 0;

    // Restores the cursor and ends the program at once: nothing is written.
    virtual void endProcess() = 0;
    // Restores the cursor and closes the show window only.
    virtual void closeWindow() = 0;
    // The show runs in a screen-saver host's window. A host starts one show
    // per monitor at once, so such a show writes no settings.
    [[nodiscard]] virtual bool hostedShow() const { return false; }
    // Beside the shows a host runs on its other monitors at once: choose gets
    // the pictures they have on screen for most of the time this show's next
    // picture is (from appearsInMs for showsForMs) and returns the one this
    // show takes, in one step no other show comes between.
    virtual void pickBesideOthers(int appearsInMs, int showsForMs,
                                  const std::function<QString(const QStringList &elsewhere)> &choose)
    {
        (void)appearsInMs;
        (void)showsForMs;
        choose({});
    }
};

} // namespace qelvo::slideshow
