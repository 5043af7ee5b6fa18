#pragma once

#include "platform/abandonabledevice.h"

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <optional>

namespace qelvo
{

// What tells whether a file is still the one a picture was decoded from.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};
[[nodiscard]] FileStamp stampOf(const QString &path);

// The box a picture is decoded for, in device pixels, from its upright natural
// size (invalid when the header could not be read). Called on the worker: it
// must hold everything it needs by value.
using TargetRule = std::function<QSize(QSize natural)>;

// A picture decoded for its box, with what its header told.
struct RenderedPicture {
    QImage image;  // exactly target, Format_RGB32; null when it could not be decoded
    QSize natural; // upright; invalid when the header could not be read
    QSize target;
};

// Reads the file once: its header gives the natural size, the rule the box,
// and the picture is decoded for the box, upright, and smooth-scaled to
// exactly that size. No decode for an empty box. Safe on any thread.
// Abandoned once not wanted: it stops reading the file and gives no image.
[[nodiscard]] RenderedPicture renderPicture(const QString &path, const TargetRule &target,
                                            const Abandoned &abandoned = {});
// The same for a box known beforehand; a null image when the file cannot be decoded.
[[nodiscard]] QImage renderPicture(const QString &path, QSize target);

// Decodes pictures on a worker thread, one at a time, so the show's window
// stays free for keys, the pointer and painting. Two kinds of work: the
// picture the screen waits for (load) and the next one, ahead of its change
// (prepare). A newer request of either kind makes the older one of that kind
// do nothing if it has not started yet, and its result is never delivered:
// auto-repeated keys queue no work. At most the prepared picture is held
// here; the one on screen belongs to the picture box.
class PictureLoader : public QObject
{
    Q_OBJECT
public:
    // How a file becomes a picture for its box; called on the worker.
    // Default: renderPicture, abandoned once a newer request replaces it.
    using Render = std::function<RenderedPicture(const QString &path, const TargetRule &target)>;
    explicit PictureLoader(Render render = {}, QObject *parent = nullptr);
    // Drops the queued work and waits for the decode under way.
    ~PictureLoader() override;

    // Decodes for the screen; loaded() brings the result of the latest call only.
    void load(const QString &path, QSize target);
    // The same for the box the rule gives once the worker has read the header.
    void load(const QString &path, TargetRule target);
    // Decodes ahead, for the box the rule gives once the worker has read the
    // header; replaces the prepared picture. Nothing new for the file
    // prepared or being prepared already.
    void prepare(const QString &path, TargetRule target);
    // The natural size read with the prepared picture of this file, when the
    // file has not changed since (stamp); invalid when its header could not
    // be read. Nothing when no such picture is prepared.
    [[nodiscard]] std::optional<QSize> preparedNaturalSize(const QString &path, const FileStamp &stamp) const;
    // The prepared picture for this file and size (null when it could not be
    // decoded), when the file has not changed since it was read; it leaves
    // the loader.
    [[nodiscard]] std::optional<QImage> takePrepared(const QString &path, QSize target);
    // A prepare for this file is under way: its result will come as loaded()
    // after adopt().
    [[nodiscard]] bool preparing(const QString &path) const;
    // The screen waits for the prepare under way: it comes as loaded(), and
    // an earlier load's result no longer does.
    void adopt();
    // Nothing queued or under way (for tests).
    [[nodiscard]] bool idle() const;

signals:
    // The picture the screen waits for; null when the file could not be
    // decoded; with the upright natural size its header gave (invalid when
    // it could not be read).
    void loaded(const QString &path, const QImage &image, QSize natural);

private:
    struct Job {
        QString path;
        TargetRule target;
        quint64 ticket = 0;
        bool ahead = false;
    };
    struct Prepared {
        QString path;
        FileStamp stamp;
        RenderedPicture picture;
    };
    struct Shared; // the tickets the worker checks before it starts
    void start(Job job);
    void finished(const Job &job, const RenderedPicture &picture, const FileStamp &stamp);
    void startQueuedPrepare();

    Render m_render;
    QThreadPool m_pool;
    std::shared_ptr<Shared> m_shared;
    Job m_preparing;        // the latest prepare, until its result comes
    bool m_adopted = false; // the screen waits for m_preparing
    Job m_queued;           // a prepare that waits for the adopted one
    std::optional<Prepared> m_prepared;
    int m_running = 0;
};

} // namespace qelvo
