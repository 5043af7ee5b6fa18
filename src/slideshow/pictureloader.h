#pragma once

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

// Decodes a picture for a box of target device pixels, upright, and smooth-
// scales it to exactly that size (Format_RGB32). A null image when the file
// cannot be decoded. Safe on any thread.
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
    // How a file becomes a picture of a target size; called on the worker.
    using Render = std::function<QImage(const QString &path, QSize target)>;
    explicit PictureLoader(Render render = renderPicture, QObject *parent = nullptr);
    // Drops the queued work and waits for the decode under way.
    ~PictureLoader() override;

    // Decodes for the screen; loaded() brings the result of the latest call only.
    void load(const QString &path, QSize target);
    // Decodes ahead; replaces the prepared picture.
    void prepare(const QString &path, QSize target);
    // The prepared picture for this file and size, when the file has not
    // changed since it was decoded; it leaves the loader.
    [[nodiscard]] std::optional<QImage> takePrepared(const QString &path, QSize target);
    // A prepare for this file and size is under way: its result will come as
    // loaded() after adopt().
    [[nodiscard]] bool preparing(const QString &path, QSize target) const;
    // The screen waits for the prepare under way: it comes as loaded(), and
    // an earlier load's result no longer does.
    void adopt();
    // Nothing queued or under way (for tests).
    [[nodiscard]] bool idle() const;

signals:
    // The picture the screen waits for; null when the file could not be decoded.
    void loaded(const QString &path, const QImage &image);

private:
    struct Job {
        QString path;
        QSize target;
        quint64 ticket = 0;
        bool ahead = false;
    };
    struct Shared; // the tickets the worker checks before it starts
    void start(Job job);
    void finished(const Job &job, const QImage &image, const FileStamp &stamp);
    void startQueuedPrepare();

    Render m_render;
    QThreadPool m_pool;
    std::shared_ptr<Shared> m_shared;
    Job m_preparing;        // the latest prepare, until its result comes
    bool m_adopted = false; // the screen waits for m_preparing
    Job m_queued;           // a prepare that waits for the adopted one
    QString m_preparedPath; // the prepared picture
    QSize m_preparedTarget;
    FileStamp m_preparedStamp;
    QImage m_prepared;
    int m_running = 0;
};

} // namespace qelvo
