#pragma once

#include <QIODevice>

#include <functional>

namespace qelvo
{

// Tells, from any thread, that the work under way is no longer wanted.
using Abandoned = std::function<bool()>;

// Reads another, seekable device for an image reader, and reads nothing more
// once the work is abandoned: the decoder then meets the end of its data and
// stops reading the file, instead of decoding a picture nobody will see to
// the end (a decoder cannot be told to stop otherwise). The device it reads
// must outlive it; it keeps its own position there.
class AbandonableDevice final : public QIODevice
{
public:
    AbandonableDevice(QIODevice &source, Abandoned abandoned);

    [[nodiscard]] bool isSequential() const override { return false; }
    [[nodiscard]] qint64 size() const override { return m_source.size(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice &m_source;
    Abandoned m_abandoned;
};

} // namespace qelvo
