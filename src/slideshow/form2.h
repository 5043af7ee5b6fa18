#pragma once

#include "platform/appidentity.h"
#include "platform/clock.h"
#include "platform/filesystem.h"
#include "platform/randomsource.h"
#include "slideshow/pointermemory.h"
#include "slideshow/showsettings.h"
#include "slideshow/showstate.h"
#include "slideshow/transition.h"
#include "wallpaper/mwallpaper.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace qelvo {

namespace slideshow {
class PictureBox;
class ShowTimer;
class TextBox;
} // namespace slideshow

// What the show talks to outside itself; every member has a working default,
// tests replace them.
struct Form2Services {
    const FileSystem *fileSystem = nullptr; // default: the real one
    RandomSource *random = nullptr;         // default: seeded from the system
    const Clock *clock = nullptr;           // default: the system clock
    std::function<std::unique_ptr<WallpaperBackend>()> makeBackend; // default: the running desktop's
    // Ends the whole program at once: no closing handlers, nothing written.
    std::function<void()> endProcess;       // default: QCoreApplication::exit(0)
    // A message box with an OK button and the program's title.
    std::function<void(const QString &)> showMessage;
    // The whole screen in device-independent pixels; default: the primary screen.
    std::optional<QRect> screen;
};

// The full-screen slide-show window. Form_Load reads the settings file and
// prepares everything; the timer then shows the title, the images and the
// transitions between them; keys and the mouse control and end the show.
class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(const AppIdentity &identity, QWidget *parent = nullptr, Form2Services services = {});
    ~Form2() override;

    void Form_Load();
    void Timer1_Timer();
    void chgImg();
    void FadeOut();
    void chwo();
    void Form_KeyPress(char16_t keyAscii);
    void Form_Click();

    // A missing settings file ends the show before it is seen.
    int exec() override;
    void setVisible(bool visible) override;

    // For tests and the benchmark.
    [[nodiscard]] const slideshow::ShowSettings &showSettings() const { return m_settings; }
    [[nodiscard]] slideshow::ShowState *state() const { return m_state.get(); }
    [[nodiscard]] slideshow::ShowTimer &timer() const { return *Timer1; }
    [[nodiscard]] slideshow::PictureBox &picture() const { return *Picture1; }
    [[nodiscard]] const slideshow::Transition &transition() const { return m_transition; }
    [[nodiscard]] slideshow::TextBox &statusLine() const { return *Text1; }
    [[nodiscard]] slideshow::TextBox &cornerText() const { return *Text2; }
    [[nodiscard]] slideshow::TextBox &titleText() const { return *Text3; }
    [[nodiscard]] const slideshow::PointerMemory &pointer() const { return m_pointer; }
    [[nodiscard]] QSize naturalSize() const;
    [[nodiscard]] bool endedAfterLoad() const { return m_endAfterLoad; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void endShow();
    void setWallPaperFrom(int index);
    [[nodiscard]] QString entry(int index) const;
    [[nodiscard]] QString pauseText(const char *head, int index) const;
    void layoutTexts();
    void coverOtherScreens(bool show);

    AppIdentity m_identity;
    Form2Services m_services;
    std::unique_ptr<RandomSource> m_ownRandom;
    RandomSource &m_random;
    const FileSystem &m_fs;
    const Clock &m_clock;
    std::unique_ptr<WallpaperBackend> m_backend;
    std::unique_ptr<mWallPaper> m_wallpaper;
    QRect m_screen;

    slideshow::PictureBox *Picture1 = nullptr;
    QWidget *Picture2 = nullptr; // hidden; takes each image's natural size
    slideshow::TextBox *Text1 = nullptr;
    slideshow::TextBox *Text2 = nullptr;
    slideshow::TextBox *Text3 = nullptr;
    slideshow::ShowTimer *Timer1 = nullptr;

    slideshow::ShowSettings m_settings;
    std::unique_ptr<slideshow::ShowState> m_state;
    slideshow::Transition m_transition;
    slideshow::PointerMemory m_pointer;
    bool m_endAfterLoad = false;
    bool m_pressed = false;
    std::vector<QPointer<QWidget>> m_covers;
};

} // namespace qelvo
