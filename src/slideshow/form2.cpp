#include "slideshow/form2.h"

#include "platform/imagedecoder.h"
#include "platform/screens.h"
#include "qelvo/version.h"
#include "settings/textcodec.h"
#include "settings/writer.h"
#include "slideshow/keytable.h"
#include "slideshow/picturebox.h"
#include "slideshow/scaling.h"
#include "slideshow/showtimer.h"
#include "slideshow/textbox.h"
#include "slideshow/texts.h"
#include "slideshow/writeback.h"
#include "startup/module1.h"
#include "wallpaper/backends.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>

namespace qelvo {

using namespace slideshow;

namespace {

constexpr int kStatusPointSize = 9;
constexpr int kTitlePointSize = 20;
const QColor kStatusColor(255, 255, 255);
const QColor kTitleColor(224, 224, 224);

void defaultMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QLatin1String(kAppTitle), text, QMessageBox::Ok);
    box.exec();
}

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

} // namespace

Form2::Form2(const AppIdentity &identity, QWidget *parent, Form2Services services)
    : QDialog(parent), m_identity(identity), m_services(std::move(services)),
      m_ownRandom(m_services.random ? nullptr : std::make_unique<Mt19937Random>()),
      m_random(m_services.random ? *m_services.random : *m_ownRandom),
      m_fs(m_services.fileSystem ? *m_services.fileSystem : realFileSystem()),
      m_clock(m_services.clock ? *m_services.clock : systemClock()),
      m_screen(m_services.screen.value_or(primaryScreenGeometry()))
{
    if (!m_services.endProcess)
        m_services.endProcess = [] { QCoreApplication::exit(0); };
    if (!m_services.showMessage)
        m_services.showMessage = defaultMessage;
    m_backend = m_services.makeBackend ? m_services.makeBackend() : makeDesktopBackend();
    m_wallpaper = std::make_unique<mWallPaper>(m_identity, *m_backend, m_fs);

    // A screen saver covers the screen with or without a window manager: on
    // X11 the window bypasses the manager and takes the screen's geometry
    // itself (a managed full-screen request alone leaves a small window where
    // no manager runs).
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
    if (onX11())
        flags |= Qt::X11BypassWindowManagerHint | Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    setWindowTitle(QLatin1String(kAppTitle));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(m_screen);

    Picture2 = new QWidget(this);
    Picture2->hide();
    Picture1 = new PictureBox(this);
    Picture1->hide();
    Text1 = new TextBox(kStatusColor, kStatusPointSize, this);
    Text1->hide();
    Text2 = new TextBox(kStatusColor, kStatusPointSize, this);
    Text3 = new TextBox(kTitleColor, kTitlePointSize, this);
    Text3->hide();
    Timer1 = new ShowTimer(this);
    Timer1->setEnabled(false);
    connect(Timer1, &ShowTimer::Timer, this, &Form2::Timer1_Timer);

    m_state = std::make_unique<ShowState>(ShowOptions{}, m_random);
    m_state->CurrentIndex = 0;
}

Form2::~Form2()
{
    coverOtherScreens(false);
}

QSize Form2::naturalSize() const
{
    return Picture2->size();
}

void Form2::Form_Load()
{
    setGeometry(m_screen);
    const QString path = m_identity.settingsPath();
    const std::optional<QString> text =
        QFileInfo(path).isFile() ? settings::readSettingsText(path) : std::optional<QString>();
    if (!text) {
        m_services.showMessage(QString::fromUtf8(texts::kNoSettingsFile1) + QLatin1Char('\n') +
                               QString::fromUtf8(texts::kNoSettingsFile2) + QLatin1Char('\n') +
                               QString::fromUtf8(texts::kNoSettingsFile3));
        // Nothing to show: the show ends.
        m_endAfterLoad = true;
        return;
    }

    m_settings = readShowSettings(*text, m_fs);
    const ShowOptions options{static_cast<int>(m_settings.PlayList.size()), m_settings.ChangeInterval,
                              m_settings.RandomView, m_settings.Effect, m_settings.WPChanger};
    m_state = std::make_unique<ShowState>(options, m_random);
    if (m_settings.folderNotFound) {
        m_state->CurrentIndex = 0;
        m_services.showMessage(QString::fromUtf8(texts::kFolderNotFound));
        return;
    }

    if (RunMode() == kScreenSaverMode)
        HideCursor();
    Timer1->setInterval(kFirstTickMs);
    Timer1->setEnabled(true);
    Text2->setBoxText(QString::fromUtf8(version::kFileDescription) + QLatin1String(texts::kLineBreak) +
                      QString::fromUtf8(version::kLegalNotice));
    Text3->setBoxText(m_settings.ListName);
    layoutTexts();

    const bool recent = isRecentStart(m_settings.LastExecute, m_clock.now());
    if (m_settings.WPChanger == 3 && !recent) {
        // The changer-only run: no show, the next wallpaper, then the end.
        Timer1->setInterval(kChangerOnlyTickMs);
        setAttribute(Qt::WA_DontShowOnScreen);
        resize(1, 1);
        hide();
        chwo();
    }
}

void Form2::layoutTexts()
{
    const int sw = m_screen.width();
    const int sh = m_screen.height();
    const int lineHeight = Text1->fontMetrics().height();
    Text1->setGeometry(0, sh - 2 * lineHeight - 4, sw, 2 * lineHeight + 4);
    Text2->adjustSize();
    Text2->move(sw - Text2->width(), sh - Text2->height());
    Text3->adjustSize();
    Text3->move(0, 0);
}

QString Form2::entry(int index) const
{
    if (index < 1 || index > m_settings.PlayList.size())
        return {};
    return m_settings.PlayList.at(index - 1);
}

QString Form2::pauseText(const char *head, int index) const
{
    return QString::fromUtf8(head) + QLatin1String(texts::kLineBreak) + QString::fromUtf8(texts::kPauseListName) +
           m_settings.ListName + QString::fromUtf8(texts::kPauseFileShown) + entry(index);
}

void Form2::Timer1_Timer()
{
    const ShowState::TickResult tick = m_state->tick();
    if (tick.interval)
        Timer1->setInterval(*tick.interval);
    switch (tick.action) {
    case ShowState::Tick::EndRun:
        endShow();
        return;
    case ShowState::Tick::Title:
        Picture1->hide();
        Text3->show();
        if (tick.titleEnded) {
            Text3->hide();
            Text2->hide();
        }
        return;
    case ShowState::Tick::ImageChange: {
        Picture1->hide();
        chgImg();
        Picture1->show();
        const int index = m_state->CurrentIndex;
        if (!entry(index).isEmpty() && m_settings.WPChanger == 2 && m_state->autoWallpaperDue())
            setWallPaperFrom(index);
        return;
    }
    case ShowState::Tick::Fade:
        FadeOut();
        return;
    case ShowState::Tick::Nothing:
        return;
    }
}

void Form2::chgImg()
{
    Text3->hide();
    const std::optional<int> index = m_state->imageToShow();
    if (!index)
        return;
    const QString path = entry(*index);
    if (!m_fs.isNormalFile(path)) {
        Text1->setBoxText(QLatin1String(texts::kFileNotFoundPrefix) + path +
                          QLatin1String(texts::kFileNotFoundSuffix));
        Text1->show();
        return;
    }
    if (Timer1->isEnabled()) {
        Text1->hide();
    } else {
        Text1->setBoxText(pauseText(texts::kPauseHeadImageChange, *index));
        Text1->show();
    }
    Picture1->clearPicture();
    const QSize natural = readNaturalSize(path);
    if (!natural.isValid())
        return;
    Picture2->resize(natural);
    const ImageBox box = scaleToScreen(natural, m_screen.size(), m_settings.ZoomMax);
    Picture1->setGeometry(box.pixels);
    if (!box.pixels.isEmpty()) {
        const qreal ratio = devicePixelRatioF();
        const QSize target = box.pixels.size() * ratio;
        QImage image = decodeImage(path, target);
        if (!image.isNull()) {
            if (image.size() != target)
                image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            image.setDevicePixelRatio(ratio);
            Picture1->setPicture(std::move(image));
        }
    }
    Picture1->show();
}

void Form2::FadeOut()
{
    const TransitionStep step = m_transition.step(Picture1->size(), m_random);
    Picture1->drawStep(step);
    if (step.frameInterval)
        Timer1->setInterval(kStepIntervalMs);
    if (step.finished && m_state->finishTransition())
        Picture1->hide();
}

void Form2::chwo()
{
    const QString path = m_identity.settingsPath();
    const QString oldText = settings::readSettingsText(path).value_or(QString());
    const int count = static_cast<int>(m_settings.PlayList.size());
    const int index = nextWallpaperIndex(m_settings.WPIndex, count, m_settings.RandomView != 0, m_random);
    m_settings.WPIndex = static_cast<std::int16_t>(index);

    settings::SettingsHead head;
    head.appName = m_identity.baseName;
    head.appVersion = versionText();
    head.appLastAccPath = m_identity.folder;
    head.executeNumber = m_settings.ExecuteNumber;
    head.wpChanger = m_settings.WPChanger;
    head.wpIndex = index;
    head.lastExecute = m_clock.now();
    // Written beside the file and renamed over it: an interrupted run never
    // leaves the user's lists half written.
    (void)settings::saveFileAtomically(path, settings::encodeSettingsText(rewriteSettingsText(head, oldText)));

    setWallPaperFrom(index);
}

void Form2::setWallPaperFrom(int index)
{
    WallpaperUi ui;
    ui.showStatus = [this](const QString &text) {
        Text1->setBoxText(text);
        Text1->show();
    };
    ui.showError = [this](const QString &text) { m_services.showMessage(text); };
    // A copy: the play list keeps naming its own image.
    const QString path = entry(index);
    m_wallpaper->SetWallPaper(path, ui);
}

void Form2::Form_KeyPress(char16_t keyAscii)
{
    switch (keyCommand(keyAscii)) {
    case KeyCommand::PauseResume:
        if (Timer1->isEnabled()) {
            Timer1->setEnabled(false);
            Text1->show();
            const int index = m_state->CurrentIndex;
            if (index >= 1 && index <= m_state->FileCount)
                Text1->setBoxText(pauseText(texts::kPauseHeadSpaceKey, index));
        } else {
            Timer1->setEnabled(true);
            Text1->hide();
        }
        return;
    case KeyCommand::Back:
    case KeyCommand::Next:
        Timer1->setInterval(m_settings.ChangeInterval);
        Picture1->clearPicture();
        m_transition.reset();
        Timer1->restart();
        if (keyCommand(keyAscii) == KeyCommand::Back)
            m_state->stepBack();
        else
            m_state->stepForward();
        chgImg();
        return;
    case KeyCommand::Wallpaper: {
        const int index = m_state->CurrentIndex;
        if (!entry(index).isEmpty() && m_settings.WPChanger >= 1)
            setWallPaperFrom(index);
        return;
    }
    case KeyCommand::End:
        endShow();
        return;
    }
}

void Form2::endShow()
{
    Timer1->setEnabled(false);
    RestoreCursor();
    m_services.endProcess();
}

void Form2::Form_Click()
{
    RestoreCursor();
    close();
}

void Form2::keyPressEvent(QKeyEvent *event)
{
    QString text = event->text();
    if (text.isEmpty()) {
        // Some platforms give these keys no text; they still are characters.
        switch (event->key()) {
        case Qt::Key_Escape:
            text = QString(QChar(27));
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            text = QString(QChar(13));
            break;
        case Qt::Key_Tab:
            text = QString(QChar(9));
            break;
        case Qt::Key_Backspace:
            text = QString(QChar(8));
            break;
        default:
            event->accept();
            return;
        }
    }
    event->accept();
    Form_KeyPress(text.at(0).unicode());
}

void Form2::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    if (m_pointer.Form_MouseMove(pos.x(), pos.y(), m_settings.MouseDisable))
        endShow();
}

void Form2::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    event->accept();
}

void Form2::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (m_pressed) {
        m_pressed = false;
        Form_Click();
    }
}

int Form2::exec()
{
    if (m_endAfterLoad)
        return QDialog::Rejected;
    return QDialog::exec();
}

void Form2::setVisible(bool visible)
{
    if (visible && m_endAfterLoad) {
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    QDialog::setVisible(visible);
}

void Form2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (testAttribute(Qt::WA_DontShowOnScreen))
        return;
    setGeometry(m_screen);
    coverOtherScreens(true);
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    if (QWindow *window = windowHandle(); window && onX11())
        window->setKeyboardGrabEnabled(true);
}

void Form2::hideEvent(QHideEvent *event)
{
    if (QWindow *window = windowHandle(); window && onX11())
        window->setKeyboardGrabEnabled(false);
    coverOtherScreens(false);
    QDialog::hideEvent(event);
}

void Form2::closeEvent(QCloseEvent *event)
{
    Timer1->setEnabled(false);
    QDialog::closeEvent(event);
}

// Every screen but the primary one stays black while the show runs.
void Form2::coverOtherScreens(bool show)
{
    for (const QPointer<QWidget> &cover : m_covers)
        delete cover.data();
    m_covers.clear();
    if (!show)
        return;
    const QScreen *primary = QGuiApplication::primaryScreen();
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen == primary)
            continue;
        auto *cover = new QWidget(nullptr, windowFlags());
        cover->setAttribute(Qt::WA_DeleteOnClose);
        QPalette p = cover->palette();
        p.setColor(QPalette::Window, Qt::black);
        cover->setPalette(p);
        cover->setAutoFillBackground(true);
        cover->setGeometry(screen->geometry());
        cover->show();
        m_covers.emplace_back(cover);
    }
}

} // namespace qelvo
