#include "platform/abandonabledevice.h"

namespace qelvo
{

AbandonableDevice::AbandonableDevice(QIODevice &source, Abandoned abandoned)
    : m_source(source), m_abandoned(std::move(abandoned))
{
    // Unbuffered: a buffer would hold bytes read before the work was abandoned.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 AbandonableDevice::readData(char *data, qint64 maxSize)
{
    if (m_abandoned && m_abandoned())
        return -1;
    // Others read the same device (a header walk): read from our own place.
    if (m_source.pos() != pos() && !m_source.seek(pos()))
        return -1;
    return m_source.read(data, maxSize);
}

} // namespace qelvo
