#include "slideshow/pictureloader.h"

#include "platform/imagedecoder.h"
#include "platform/pathbytes.h"

#include <atomic>
#include <utility>

#include <sys/stat.h>

namespace qelvo
{

namespace
{

// A JPEG decoded at half scale costs about half a full decode; when half scale
// falls short of the box by no more than a tenth (a 6000 x 4000 photo on a
// 3840 x 2160 screen), stretching it the rest of the way is not worth the
// doubled wait, so half scale is asked for.
constexpr int kNearlyTenths = 9;

QSize decodeTarget(const QString &path, QSize target)
{
    const QSize half = readNaturalSize(path) / 2;
    const bool halfCovers = half.width() >= target.width() && half.height() >= target.height();
    const bool halfNearly = half.width() * 10 >= target.width() * kNearlyTenths &&
                            half.height() * 10 >= target.height() * kNearlyTenths;
    return !halfCovers && halfNearly ? half : target;
}

} // namespace

FileStamp stampOf(const QString &path)
{
    struct stat st {
    };
    if (::stat(encodePath(path).constData(), &st) != 0)
        return {};
    return {static_cast<qint64>(st.st_size),
            QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000)};
}

QImage renderPicture(const QString &path, QSize target)
{
    QImage image = decodeImage(path, decodeTarget(path, target));
    if (image.isNull())
        return {};
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    if (image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

struct PictureLoader::Shared {
    std::atomic<quint64> latestLoad{0};
    std::atomic<quint64> latestPrepare{0};
    std::atomic<quint64> next{0};
};

PictureLoader::PictureLoader(Render render, QObject *parent)
    : QObject(parent), m_render(render ? std::move(render) : Render(renderPicture)),
      m_shared(std::make_shared<Shared>())
{
    // One decode at a time: a second would only slow the one the screen waits for.
    m_pool.setMaxThreadCount(1);
}

PictureLoader::~PictureLoader()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void PictureLoader::load(const QString &path, QSize target)
{
    m_adopted = false;
    const quint64 ticket = ++m_shared->next;
    m_shared->latestLoad = ticket;
    start({path, target, ticket, false});
    startQueuedPrepare();
}

void PictureLoader::prepare(const QString &path, QSize target)
{
    if (preparing(path, target))
        return;
    if (m_preparedPath == path && m_preparedTarget == target && !m_prepared.isNull())
        return;
    // The screen waits for the prepare under way: this one comes after it.
    if (m_adopted) {
        m_queued = {path, target, 0, true};
        return;
    }
    m_queued = {};
    m_prepared = QImage();
    m_preparedPath.clear();
    const quint64 ticket = ++m_shared->next;
    m_shared->latestPrepare = ticket;
    m_preparing = {path, target, ticket, true};
    start(m_preparing);
}

std::optional<QImage> PictureLoader::takePrepared(const QString &path, QSize target)
{
    if (m_prepared.isNull() || m_preparedPath != path || m_preparedTarget != target ||
        stampOf(path) != m_preparedStamp)
        return std::nullopt;
    QImage image = std::move(m_prepared);
    m_prepared = QImage();
    m_preparedPath.clear();
    return image;
}

bool PictureLoader::preparing(const QString &path, QSize target) const
{
    return m_preparing.ticket != 0 && m_preparing.path == path && m_preparing.target == target;
}

void PictureLoader::adopt()
{
    m_shared->latestLoad = 0; // an earlier load is no longer wanted
    m_adopted = true;
}

void PictureLoader::startQueuedPrepare()
{
    if (m_queued.path.isEmpty())
        return;
    const Job queued = std::exchange(m_queued, {});
    prepare(queued.path, queued.target);
}

bool PictureLoader::idle() const
{
    return m_running == 0;
}

void PictureLoader::start(Job job)
{
    ++m_running;
    m_pool.start([this, shared = m_shared, job] {
        const std::atomic<quint64> &latest = job.ahead ? shared->latestPrepare : shared->latestLoad;
        FileStamp stamp;
        QImage image;
        // Work that a newer request replaced before it started is skipped.
        if (latest == job.ticket) {
            stamp = stampOf(job.path);
            image = m_render(job.path, job.target);
        }
        // Delivered on the loader's thread; dropped with the loader.
        QMetaObject::invokeMethod(
            this, [this, job, image = std::move(image), stamp] { finished(job, image, stamp); },
            Qt::QueuedConnection);
    });
}

void PictureLoader::finished(const Job &job, const QImage &image, const FileStamp &stamp)
{
    --m_running;
    if (!job.ahead) {
        if (job.ticket == m_shared->latestLoad)
            emit loaded(job.path, image);
        return;
    }
    if (job.ticket != m_preparing.ticket)
        return;
    m_preparing = {};
    if (m_adopted) {
        m_adopted = false;
        emit loaded(job.path, image);
        startQueuedPrepare();
        return;
    }
    m_preparedPath = job.path;
    m_preparedTarget = job.target;
    m_preparedStamp = stamp;
    m_prepared = image;
}

} // namespace qelvo
