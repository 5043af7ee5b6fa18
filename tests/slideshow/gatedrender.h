#pragma once

#include "slideshow/pictureloader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QSemaphore>
#include <QStringList>

namespace qelvo::testing
{

// A decoder that holds every decode until the test lets it go, and notes
// which files it was asked for. Every file is a red picture of kNatural.
class GatedRender
{
public:
    static constexpr QSize kNatural{640, 480};
    PictureLoader::Render render()
    {
        return [this](const QString &path, const TargetRule &target) {
            {
                const QMutexLocker lock(&m_mutex);
                m_started << path;
            }
            m_gate.acquire();
            RenderedPicture picture{{}, kNatural, target(kNatural)};
            picture.image = QImage(picture.target, QImage::Format_RGB32);
            picture.image.fill(Qt::red);
            return picture;
        };
    }
    void release(int decodes = 1000) { m_gate.release(decodes); }
    QStringList started() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_started;
    }
    // Waits, boundedly, until this many decodes have begun.
    bool waitForStarted(int count) const
    {
        QElapsedTimer clock;
        clock.start();
        while (started().size() < count && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return started().size() >= count;
    }

private:
    mutable QMutex m_mutex;
    QSemaphore m_gate;
    QStringList m_started;
};

// Processes events until the condition holds, at most five seconds.
template <typename Condition> bool waitUntil(Condition done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

} // namespace qelvo::testing
