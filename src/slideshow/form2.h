#pragma once

#include "platform/appidentity.h"
#include "platform/clock.h"
#include "platform/filesystem.h"
#include "platform/randomsource.h"
#include "settings/settingsfile.h"
#include "slideshow/framepacer.h"
#include "slideshow/heldchanges.h"
#include "slideshow/pictureloader.h"
#include "slideshow/screencovers.h"
#include "slideshow/showview.h"
#include "slideshow/slideshow.h"
#include "slideshow/steplog.h"
#include "wallpaper/mwallpaper.h"

#include <QDialog>
#include <QPoint>
#include <QTimer>

#include <functional>
#include <memory>

class QLabel;

namespace qelvo
{

class HostWindow;
class PictureBox;

// Form2's test seams; every one left empty takes the real service.
struct Form2Services {
    WallpaperBackend *backend = nullptr; // default: the running desktop's back end
    const FileSystem *fs = nullptr;
    RandomSource *random = nullptr;
    const Clock *clock = nullptr;
    // Ends the program at once; default: leave the event loops, nothing written.
    std::function<void()> endProcess;
    // Reads and decodes a picture for its box, on the loader's worker;
    // default: renderPicture.
    PictureLoader::Render render;
    // Message boxes; default a QMessageBox titled "qelvo".
    std::function<void(const QString &)> message;
};

// The full-screen slide-show window: a thin shell around slideshow::SlideShow
// that owns the controls (Picture1, Text1, Text2, Text3, Timer1) and hands
// keys, pointer and ticks to it.
class Form2 : public QDialog, private slideshow::ShowView
{
    Q_OBJECT
public:
    using Services = Form2Services;

    explicit Form2(const AppIdentity &identity, QWidget *parent = nullptr, Services services = {});
    ~Form2() override;

    void Form_Load();
    void Timer1_Timer();
    void chgImg() { m_show->chgImg(); }
    void FadeOut() { m_show->FadeOut(); }
    void chwo() { m_show->chwo(); }
    void Form_KeyPress(int charCode) { m_show->Form_KeyPress(charCode); }
    void Form_MouseMove(double x, double y) { m_show->Form_MouseMove(x, y); }
    void Form_Click() { m_show->Form_Click(); }

    [[nodiscard]] const slideshow::SlideShow &logic() const { return *m_show; }
    [[nodiscard]] PictureBox *picture1() const { return m_picture1; }
    [[nodiscard]] QLabel *text1() const { return m_text1; }
    [[nodiscard]] QLabel *text2() const { return m_text2; }
    [[nodiscard]] QLabel *text3() const { return m_text3; }
    [[nodiscard]] const QTimer &timer1() const { return m_timer1; }
    // Timer1's interval as the show set it (1 = one step per frame).
    [[nodiscard]] int timerInterval() const { return m_interval; }
    [[nodiscard]] bool backgroundRun() const { return m_backgroundRun; }
    // The program's exit status once the show has ended: kRunFailed after a
    // changer-only run that could not store its state or set the wallpaper.
    [[nodiscard]] int exitStatus() const { return m_runFailed ? kRunFailed : 0; }
    static constexpr int kRunFailed = 1;
    // No picture is being decoded or waited for.
    [[nodiscard]] bool picturesSettled() const { return m_loader->idle() && m_waitingFor.isEmpty(); }

    // Puts a black window over another screen (geometry in device-independent
    // pixels) for as long as the show is seen. Its keys, clicks and pointer
    // moves act as this window's own. The show places one on every screen but
    // the primary when it is shown.
    QWidget *coverScreen(const QRect &geometry);

    // Runs the show inside a screen-saver host's window instead of full
    // screen (before Form_Load): sized to it and following its resizes, no
    // covers, no keys or pointer (the host owns input), messages to standard
    // error, no settings written.
    void embedInto(HostWindow &host);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // The pointer entered the show or a cover at global: a move, unless it
    // sits where it was when the window appeared.
    void pointerEntered(const QPointF &global);

    // ShowView
    void setTimerInterval(int ms) override;
    [[nodiscard]] bool timerEnabled() const override { return m_enabled; }
    void setTimerEnabled(bool enabled) override;
    void setPictureVisible(bool visible) override;
    void setTitleVisible(bool visible) override;
    void setCornerTextVisible(bool visible) override;
    void setStatusText(const QString &text) override;
    void setStatusVisible(bool visible) override;
    void prepareTexts(const QString &listName) override;
    void clearPicture() override;
    [[nodiscard]] std::optional<QSize> preparedNaturalSize(const QString &path) override;
    bool presentImage(const QString &path, const QRect &box) override;
    void presentImage(const QString &path, BoxRule box) override;
    void prepareImage(const QString &path, BoxRule box) override;
    void drawFade(const slideshow::FadeStep &step) override;
    void showMessage(const QString &text) override;
    void hideCursor() override;
    void hideForBackgroundRun() override;
    void setWallPaper(const QString &path) override;
    void endProcess() override;
    void closeWindow() override;
    [[nodiscard]] bool hostedShow() const override { return m_host != nullptr; }
    void pickBesideOthers(int appearsInMs, int showsForMs,
                          const std::function<QString(const QStringList &elsewhere)> &choose) override;

    void applyTimer();
    void followScreens();
    void placeStatusLine();
    void pictureLoaded(const QString &path, const QImage &image, QSize natural);
    // The rule as the loader's worker takes it: the box's size in device pixels.
    [[nodiscard]] TargetRule deviceTargetRule(BoxRule box) const;
    void fitHost(QSize pixels);

    AppIdentity m_identity;
    Services m_services;
    settings::SettingsFile m_settingsFile;
    std::unique_ptr<WallpaperBackend> m_ownBackend;
    std::unique_ptr<RandomSource> m_ownRandom;
    std::unique_ptr<mWallPaper> m_wallpaper;
    QRect m_screen; // the primary screen, device-independent pixels

    PictureBox *m_picture1 = nullptr;
    QLabel *m_text1 = nullptr;
    QLabel *m_text2 = nullptr;
    QLabel *m_text3 = nullptr;
    QTimer m_timer1;
    int m_interval = 0;
    slideshow::FramePacer m_pacer; // while the interval is one frame
    slideshow::FramePacer::Clock::time_point m_tickStart;
    StepLog m_stepLog; // QELVO_STEP_LOG
    bool m_enabled = true;
    bool m_backgroundRun = false;
    bool m_runFailed = false;
    bool m_closeWhenShown = false;
    QPoint m_pointerAtShow; // global, when the window last appeared
    HostWindow *m_host = nullptr;

    std::unique_ptr<PictureLoader> m_loader;
    QString m_waitingFor;  // the picture the screen waits for
    QSize m_waitingTarget; // its size in device pixels
    BoxRule m_waitingBox;  // for a picture not prepared: its box, from its header
    HeldChanges m_held;    // the picture box's changes, held while the screen waits

    std::unique_ptr<slideshow::SlideShow> m_show;
    ScreenCovers m_covers; // last: its windows go first
};

} // namespace qelvo
