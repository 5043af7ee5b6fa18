#include "slideshow/form2.h"

#include "platform/cursor.h"
#include "platform/fonts.h"
#include "platform/screens.h"
#include "platform/standarderror.h"
#include "qelvo/version.h"
#include "slideshow/picturebox.h"
#include "wallpaper/backends.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>

#include <chrono>
#include <cmath>

namespace qelvo
{

namespace
{

constexpr int kTitlePointSize = 20;
constexpr char16_t kDeleteCharacter = 0x7f;
const QColor kTitleColour(224, 224, 224);

QLabel *makeTextLine(QWidget *parent, const QColor &colour, int pointSize)
{
    auto *label = new QLabel(parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    label->setFont(uiGothicFont(pointSize));
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setFocusPolicy(Qt::NoFocus);
    label->hide();
    return label;
}

WallpaperBackend &resolveBackend(Form2::Services &services, std::unique_ptr<WallpaperBackend> &own)
{
    if (services.backend)
        return *services.backend;
    own = makeDesktopBackend();
    return *own;
}

RandomSource &resolveRandom(Form2::Services &services, std::unique_ptr<RandomSource> &own)
{
    if (services.random)
        return *services.random;
    own = std::make_unique<Mt19937Random>();
    return *own;
}

// One frame of the primary screen.
std::chrono::nanoseconds frameLength()
{
    return std::chrono::nanoseconds(std::max<long long>(1000000, std::llround(1e9 / primaryRefreshRate())));
}

} // namespace

Form2::Form2(const AppIdentity &identity, QWidget *parent, Services services)
    : QDialog(parent), m_identity(identity), m_services(std::move(services)), m_settingsFile(identity),
      m_screen(primaryScreenGeometry()),
      m_covers(*this, {[this](QKeyEvent *event) { keyPressEvent(event); },
                       [this](const QPointF &global) { pointerEntered(global); },
                       [this](const QPointF &global) {
                           const QPointF at = mapFromGlobal(global);
                           Form_MouseMove(at.x(), at.y());
                       },
                       [this] { Form_Click(); }})
{
    // The services the show and the wallpaper take are resolved here, in this
    // order, so nothing depends on the order the members are declared in.
    const FileSystem &fs = m_services.fs ? *m_services.fs : realFileSystem();
    WallpaperBackend &backend = resolveBackend(m_services, m_ownBackend);
    RandomSource &random = resolveRandom(m_services, m_ownRandom);
    const Clock &clock = m_services.clock ? *m_services.clock : systemClock();
    m_loader = std::make_unique<PictureLoader>(m_services.render);
    m_wallpaper = std::make_unique<mWallPaper>(identity, backend, fs);
    slideshow::ShowView &view = *this; // a private base: make_unique could not convert
    m_show = std::make_unique<slideshow::SlideShow>(
        view, identity, slideshow::SlideShow::Services{fs, random, clock, m_settingsFile}, m_screen.size());

    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QLatin1String(kAppTitle));
    makeBlackFullScreen(*this, m_screen);

    m_picture1 = new PictureBox(this);
    m_picture1->hide();
    m_text1 = makeTextLine(this, Qt::white, kUiPointSize);
    m_text2 = makeTextLine(this, Qt::white, kUiPointSize);
    m_text3 = makeTextLine(this, kTitleColour, kTitlePointSize);
    m_text1->setWordWrap(true);
    m_text1->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    // In place from the start: a load that stops early never places the texts.
    placeStatusLine();

    connect(m_loader.get(), &PictureLoader::loaded, this, &Form2::pictureLoaded);
    // Monitors plugged in, removed or resized during a long run: the show
    // keeps covering everything the user sees.
    auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    const auto followResizes = [this](QScreen *screen) {
        connect(screen, &QScreen::geometryChanged, this, &Form2::followScreens);
    };
    for (QScreen *screen : QGuiApplication::screens())
        followResizes(screen);
    connect(gui, &QGuiApplication::screenAdded, this, [this, followResizes](QScreen *screen) {
        followResizes(screen);
        followScreens();
    });
    connect(gui, &QGuiApplication::screenRemoved, this, &Form2::followScreens);
    connect(gui, &QGuiApplication::primaryScreenChanged, this, &Form2::followScreens);

    m_timer1.setTimerType(Qt::PreciseTimer);
    connect(&m_timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
}

Form2::~Form2() = default;

void Form2::Form_Load()
{
    m_show->Form_Load();
}

void Form2::Timer1_Timer()
{
    m_tickStart = slideshow::FramePacer::Clock::now();
    const bool paced = m_pacer.running();
    // The variant under way, or after the step the one it began.
    const QString kind = m_show->state().transition.Tag;
    const bool fading = m_show->state().NextEffect == slideshow::NextEffectKind::Fade;
    m_held.gather();
    m_show->Timer1_Timer();
    m_held.settle(!m_waitingFor.isEmpty());
    if (fading && m_stepLog.active()) {
        const auto &transition = m_show->state().transition;
        m_stepLog.step(transition, kind.isEmpty() ? transition.Tag : kind, m_tickStart);
    }
    // A transition's steps keep to the frames counted from its first step.
    if (paced && m_pacer.running())
        m_timer1.start(m_pacer.next(slideshow::FramePacer::Clock::now()));
}

bool Form2::event(QEvent *event)
{
    // Every character key goes to the show, Tab included, before the dialog
    // can use it to move the focus.
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    // Where the pointer first moves into the window after it appeared, the
    // platform may report that position with the entering alone (Qt then
    // passes on no move for it): it is a changed position all the same. The
    // entering at the place the pointer sat when the window appeared is not.
    if (event->type() == QEvent::Enter)
        pointerEntered(static_cast<QEnterEvent *>(event)->globalPosition());
    paintStateChange(*this, *event);
    return QDialog::event(event);
}

void Form2::pointerEntered(const QPointF &global)
{
    if (global.toPoint() == m_pointerAtShow)
        return;
    const QPointF at = mapFromGlobal(global);
    Form_MouseMove(at.x(), at.y());
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    // Keys that give no character (arrows, function keys, Shift) do nothing.
    // Delete gives DEL here, but no character where the show's keys were
    // defined: it must not end the show.
    const QString text = event->text();
    if (m_host || text.isEmpty() || text.at(0) == QChar(kDeleteCharacter))
        return;
    m_held.gather();
    Form_KeyPress(text.at(0).unicode());
    m_held.settle(!m_waitingFor.isEmpty());
}

void Form2::mouseMoveEvent(QMouseEvent *event)
{
    if (m_host)
        return;
    Form_MouseMove(event->position().x(), event->position().y());
}

void Form2::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_host && rect().contains(event->position().toPoint()))
        Form_Click();
}

void Form2::showEvent(QShowEvent *event)
{
    m_pointerAtShow = QCursor::pos();
    QDialog::showEvent(event);
    if (m_closeWhenShown) {
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    if (m_backgroundRun || m_host)
        return;
    m_covers.coverOtherScreens();
    raise();
    activateWindow();
    setFocus();
}

void Form2::hideEvent(QHideEvent *event)
{
    m_covers.hide();
    QDialog::hideEvent(event);
}

void Form2::followScreens()
{
    // Deferred: a removed screen is still listed while its signal runs.
    QTimer::singleShot(0, this, [this] {
        if (m_host)
            return; // the host's window is followed instead
        const QRect primary = primaryScreenGeometry();
        if (primary != m_screen && !m_backgroundRun) {
            m_screen = primary;
            m_show->screenResized(m_screen.size());
            makeBlackFullScreen(*this, m_screen);
            placeStatusLine();
        }
        if (isVisible() && !m_backgroundRun)
            m_covers.coverOtherScreens();
    });
}

QWidget *Form2::coverScreen(const QRect &geometry)
{
    return m_covers.cover(geometry);
}

// --- Timer1 ---------------------------------------------------------------

void Form2::setTimerInterval(int ms)
{
    m_interval = std::max(ms, 0); // a negative interval acts as 0
    applyTimer();
}

void Form2::setTimerEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    applyTimer();
}

void Form2::applyTimer()
{
    if (!m_enabled || m_interval == 0) {
        m_pacer.stop();
        m_timer1.stop();
        return;
    }
    if (m_interval != slideshow::kFrameInterval) {
        m_pacer.stop();
        m_timer1.setSingleShot(false);
        m_timer1.start(m_interval);
        return;
    }
    // 1 ms means as fast as the screen shows: one transition step per frame.
    // Every step sets it again; that must not restart the count, or each
    // frame would come late by the step's own work.
    if (m_pacer.running())
        return;
    // Counted from the start of the tick that drew the first step (outside a
    // tick that start is long past, and the next step comes a frame from now).
    const auto now = slideshow::FramePacer::Clock::now();
    m_pacer.start(m_tickStart, frameLength());
    m_timer1.setSingleShot(true);
    m_timer1.start(m_pacer.next(now));
}

// --- Controls -------------------------------------------------------------

void Form2::setPictureVisible(bool visible)
{
    m_held.apply([this, visible] { m_picture1->setVisible(visible); });
}

void Form2::setTitleVisible(bool visible)
{
    m_text3->setVisible(visible);
}

void Form2::setCornerTextVisible(bool visible)
{
    m_text2->setVisible(visible);
}

void Form2::setStatusText(const QString &text)
{
    m_text1->setText(text);
}

void Form2::setStatusVisible(bool visible)
{
    m_text1->setVisible(visible);
    if (visible)
        m_text1->raise();
}

void Form2::prepareTexts(const QString &listName)
{
    const int sw = m_screen.width();
    const int sh = m_screen.height();
    placeStatusLine();

    m_text2->setText(QString::fromUtf8(version::kFileDescription) + QLatin1Char('\n') +
                     QString::fromUtf8(version::kLegalNotice));
    m_text2->adjustSize();
    m_text2->move(sw - m_text2->width(), sh - m_text2->height());
    m_text2->show();

    m_text3->setText(listName);
    m_text3->adjustSize();
    m_text3->move(0, 0);
}

void Form2::placeStatusLine()
{
    // The pause text has two lines; room for a third keeps a long first line
    // readable when it wraps on a narrow screen.
    const int statusHeight = 3 * m_text1->fontMetrics().lineSpacing() + 4;
    m_text1->setGeometry(0, m_screen.height() - statusHeight, m_screen.width(), statusHeight);
}

void Form2::clearPicture()
{
    m_held.apply([this] { m_picture1->clearPicture(); });
}

std::optional<QSize> Form2::preparedNaturalSize(const QString &path)
{
    // The prepared picture's header was read with it: a look at the file's
    // stamp is all its change needs.
    return m_loader->preparedNaturalSize(path, stampOf(path));
}

bool Form2::presentImage(const QString &path, const QRect &box)
{
    // The picture box takes its place now; the picture follows from the
    // loader, at once when it was prepared. The window's thread never waits
    // for a decode, so keys and the pointer are answered meanwhile.
    // Until it comes the screen keeps what it shows (HeldChanges).
    m_held.apply([this, box] { m_picture1->setGeometry(box); });
    const QSize target = m_picture1->deviceSize(box.size());
    m_waitingFor.clear();
    m_waitingBox = {};
    if (target.isEmpty()) {
        m_held.apply([this] { m_picture1->showPicture(QImage()); });
        return true;
    }
    if (auto prepared = m_loader->takePrepared(path, target)) {
        // A prepared picture that could not be decoded leaves the box black.
        if (!prepared->isNull())
            m_held.apply([this, image = std::move(*prepared)] { m_picture1->showPicture(image); });
        return true;
    }
    m_waitingFor = path;
    m_waitingTarget = target;
    if (m_loader->preparing(path))
        m_loader->adopt();
    else
        m_loader->load(path, target);
    return true;
}

void Form2::presentImage(const QString &path, BoxRule box)
{
    // Even the header is read on the worker: a file on a mount that stopped
    // answering holds the worker, never the window.
    m_waitingFor = path;
    m_waitingTarget = {};
    m_waitingBox = box;
    if (m_loader->preparing(path))
        m_loader->adopt();
    else
        m_loader->load(path, deviceTargetRule(std::move(box)));
}

TargetRule Form2::deviceTargetRule(BoxRule box) const
{
    // The worker cannot ask the picture box: its pixel ratio goes with the rule.
    const qreal ratio = m_picture1->devicePixelRatioF();
    return [box = std::move(box), ratio](QSize natural) {
        return (QSizeF(box(natural).size()) * ratio).toSize(); // as PictureBox::deviceSize
    };
}

void Form2::prepareImage(const QString &path, BoxRule box)
{
    m_loader->prepare(path, deviceTargetRule(std::move(box)));
}

void Form2::pictureLoaded(const QString &path, const QImage &image, QSize natural)
{
    if (path != m_waitingFor)
        return;
    if (m_waitingBox) {
        // The header came with the picture: now the box is known.
        if (!natural.isValid() || natural.isEmpty()) {
            m_waitingFor.clear();
            m_waitingBox = {};
            m_held.release();
            return;
        }
        const QRect box = m_waitingBox(natural);
        m_waitingBox = {};
        m_held.apply([this, box] { m_picture1->setGeometry(box); });
        m_waitingTarget = m_picture1->deviceSize(box.size());
        m_show->pictureShown(box.size());
    }
    // A prepare adopted after the screen changed size was decoded for the old one.
    if (!image.isNull() && image.size() != m_waitingTarget) {
        m_loader->load(path, m_waitingTarget);
        return;
    }
    m_waitingFor.clear();
    // A picture that cannot be decoded leaves the box black.
    if (!image.isNull())
        m_held.apply([this, image] { m_picture1->showPicture(image); });
    m_held.release();
}

void Form2::drawFade(const slideshow::FadeStep &step)
{
    m_held.apply([this, step] { m_picture1->drawFade(step); });
}

void Form2::showMessage(const QString &text)
{
    // Only failures are told once the changer-only run has begun.
    if (m_backgroundRun)
        m_runFailed = true;
    if (m_services.message) {
        m_services.message(text);
        return;
    }
    // Nobody can answer a box under a host's window.
    if (m_backgroundRun || m_host) {
        tellStandardError(text);
        return;
    }
    // A child of the show: a compositor puts a box without a parent (on
    // Wayland, no xdg_toplevel.set_parent) behind the full-screen show, where
    // no key reaches it and the modal box blocks the show's keys for good.
    QMessageBox box(QMessageBox::NoIcon, QLatin1String(kAppTitle), text, QMessageBox::Ok, this);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    // sway shows a child over a full-screen window but never gives it the
    // keyboard (a request for it only marks the box urgent). On Wayland the
    // show leaves full screen while its box is open.
    const bool leaveFullScreen = QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
                                 windowState().testFlag(Qt::WindowFullScreen);
    if (leaveFullScreen)
        setWindowState(windowState() & ~Qt::WindowFullScreen);
    box.exec();
    if (leaveFullScreen)
        setWindowState(windowState() | Qt::WindowFullScreen);
}

void Form2::hideCursor()
{
    if (RunMode() == kScreenSaverMode)
        HideCursor();
}

void Form2::hideForBackgroundRun()
{
    // The window is never seen, yet it runs its timer like a shown one.
    m_backgroundRun = true;
    setAttribute(Qt::WA_DontShowOnScreen, true);
    setWindowState(Qt::WindowNoState);
    resize(1, 1);
    hide();
}

void Form2::setWallPaper(const QString &path)
{
    WallpaperUi ui;
    ui.showStatus = [this](const QString &text) {
        setStatusText(text);
        setStatusVisible(true);
    };
    ui.showError = [this](const QString &text) { showMessage(text); };
    m_wallpaper->SetWallPaper(path, ui);
}

void Form2::endProcess()
{
    RestoreCursor();
    if (m_services.endProcess) {
        m_services.endProcess();
        return;
    }
    // Ends the application's loop (a preview from the settings dialog) and
    // this window's own modal loop (the screen saver, where the application's
    // loop never ran); no closing handler runs on either path.
    QCoreApplication::exit(exitStatus());
    done(QDialog::Rejected);
}

void Form2::closeWindow()
{
    RestoreCursor();
    if (isVisible()) {
        close();
        return;
    }
    // Not shown yet (the settings file was missing): close as soon as it is,
    // without ever putting it on screen.
    m_closeWhenShown = true;
    setAttribute(Qt::WA_DontShowOnScreen, true);
}

} // namespace qelvo
