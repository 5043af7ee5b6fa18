#include "slideshow/screencovers.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

namespace qelvo
{

void makeBlackFullScreen(QWidget &window, const QRect &geometry)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setMouseTracking(true);
    window.setFocusPolicy(Qt::StrongFocus);
    window.setGeometry(geometry);
    window.setWindowState(Qt::WindowFullScreen);
}

void paintStateChange(QWidget &window, const QEvent &event)
{
    if (event.type() == QEvent::WindowStateChange)
        window.update();
}

namespace
{

// A black window over one screen, its input handed to the show's handlers.
class ScreenCover final : public QWidget
{
public:
    ScreenCover(QWidget &show, const QRect &geometry, CoverInput input)
        // A window of the show window's own: a modal show would otherwise
        // block its input.
        : QWidget(&show, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
          m_input(std::move(input))
    {
        makeBlackFullScreen(*this, geometry);
    }

protected:
    bool event(QEvent *event) override
    {
        // Tab included, as on the show window.
        if (event->type() == QEvent::KeyPress) {
            m_input.keyPress(static_cast<QKeyEvent *>(event));
            return true;
        }
        if (event->type() == QEvent::Enter)
            m_input.pointerEntered(static_cast<QEnterEvent *>(event)->globalPosition());
        paintStateChange(*this, *event);
        return QWidget::event(event);
    }
    void mouseMoveEvent(QMouseEvent *event) override { m_input.pointerMoved(event->globalPosition()); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (rect().contains(event->position().toPoint()))
            m_input.clicked();
    }

private:
    CoverInput m_input;
};

} // namespace

ScreenCovers::ScreenCovers(QWidget &show, CoverInput input) : m_show(show), m_input(std::move(input)) {}

ScreenCovers::~ScreenCovers()
{
    removeAll();
}

QWidget *ScreenCovers::cover(const QRect &geometry)
{
    auto *cover = new ScreenCover(m_show, geometry, m_input);
    cover->show();
    m_covers.emplace_back(cover);
    return cover;
}

void ScreenCovers::coverOtherScreens()
{
    removeAll();
    const QScreen *primary = QGuiApplication::primaryScreen();
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen != primary)
            cover(screen->geometry());
    }
}

void ScreenCovers::hide()
{
    for (const auto &cover : m_covers)
        if (cover)
            cover->hide();
}

void ScreenCovers::removeAll()
{
    for (const auto &cover : m_covers)
        delete cover.data();
    m_covers.clear();
}

} // namespace qelvo
