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

QSize decodeTarget(QSize natural, QSize target)
{
    const QSize half = natural / 2;
    const bool halfCovers = half.width() >= target.width() && half.height() >= target.height();
    const bool halfNearly = half.width() * 10 >= target.width() * kNearlyTenths &&
                            half.height() * 10 >= target.height() * kNearlyTenths;
    return natural.isValid() && !halfCovers && halfNearly ? half : target;
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

RenderedPicture renderPicture(const QString &path, const TargetRule &target, const Abandoned &abandoned)
{
    PictureReader reader(path, abandoned);
    RenderedPicture out;
    out.natural = reader.naturalSize();
    out.target = target(out.natural);
    if (out.target.isEmpty())
        return out;
    QImage image = reader.decode(decodeTarget(out.natural, out.target));
    if (image.isNull())
        return out;
    if (abandoned && abandoned())
        return out;
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    if (image.size() != out.target)
        image = image.scaled(out.target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.image = std::move(image);
    return out;
}

QImage renderPicture(const QString &path, QSize target)
{
    return renderPicture(path, [target](QSize) { return target; }).image;
}

struct PictureLoader::Shared {
    std::atomic<quint64> latestLoad{0};
    std::atomic<quint64> latestPrepare{0};
    std::atomic<quint64> next{0};
};

PictureLoader::PictureLoader(Render render, QObject *parent)
    : QObject(parent), m_render(std::move(render)), m_shared(std::make_shared<Shared>())
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
    load(path, [target](QSize) { return target; });
}

void PictureLoader::load(const QString &path, TargetRule target)
{
    m_adopted = false;
    const quint64 ticket = ++m_shared->next;
    m_shared->latestLoad = ticket;
    start({path, std::move(target), ticket, false});
    startQueuedPrepare();
}

void PictureLoader::prepare(const QString &path, TargetRule target)
{
    if (preparing(path))
        return;
    if (m_prepared && m_prepared->path == path && m_prepared->stamp == stampOf(path))
        return;
    // The screen waits for the prepare under way: this one comes after it.
    if (m_adopted) {
        m_queued = {path, std::move(target), 0, true};
        return;
    }
    m_queued = {};
    m_prepared.reset();
    const quint64 ticket = ++m_shared->next;
    m_shared->latestPrepare = ticket;
    m_preparing = {path, std::move(target), ticket, true};
    start(m_preparing);
}

std::optional<QSize> PictureLoader::preparedNaturalSize(const QString &path, const FileStamp &stamp) const
{
    if (!m_prepared || m_prepared->path != path || m_prepared->stamp != stamp)
        return std::nullopt;
    return m_prepared->picture.natural;
}

std::optional<QImage> PictureLoader::takePrepared(const QString &path, QSize target)
{
    if (!m_prepared || m_prepared->path != path || m_prepared->picture.target != target ||
        m_prepared->stamp != stampOf(path))
        return std::nullopt;
    QImage image = std::move(m_prepared->picture.image);
    m_prepared.reset();
    return image;
}

bool PictureLoader::preparing(const QString &path) const
{
    return m_preparing.ticket != 0 && m_preparing.path == path;
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
    Job queued = std::exchange(m_queued, {});
    prepare(queued.path, std::move(queued.target));
}

bool PictureLoader::idle() const
{
    return m_running == 0;
}

void PictureLoader::start(Job job)
{
    ++m_running;
    m_pool.start([this, shared = m_shared, job = std::move(job)] {
        const std::atomic<quint64> &latest = job.ahead ? shared->latestPrepare : shared->latestLoad;
        FileStamp stamp;
        RenderedPicture picture;
        // Work that a newer request replaced before it started is skipped.
        // The stamp comes first: a file changed during the read then looks
        // changed, never the other way round.
        if (latest == job.ticket) {
            stamp = stampOf(job.path);
            // A decode that a newer request replaces stops where it is.
            const auto abandoned = [&latest, ticket = job.ticket] { return latest != ticket; };
            picture =
                m_render ? m_render(job.path, job.target) : renderPicture(job.path, job.target, abandoned);
        }
        // Delivered on the loader's thread; dropped with the loader.
        QMetaObject::invokeMethod(
            this, [this, job, picture = std::move(picture), stamp] { finished(job, picture, stamp); },
            Qt::QueuedConnection);
    });
}

void PictureLoader::finished(const Job &job, const RenderedPicture &picture, const FileStamp &stamp)
{
    --m_running;
    if (!job.ahead) {
        if (job.ticket == m_shared->latestLoad)
            emit loaded(job.path, picture.image, picture.natural);
        return;
    }
    if (job.ticket != m_preparing.ticket)
        return;
    m_preparing = {};
    if (m_adopted) {
        m_adopted = false;
        emit loaded(job.path, picture.image, picture.natural);
        startQueuedPrepare();
        return;
    }
    m_prepared = Prepared{job.path, stamp, picture};
}

} // namespace qelvo
