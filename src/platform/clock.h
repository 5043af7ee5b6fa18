#pragma once

#include <QDateTime>

namespace qelvo
{

// Local date and time, injectable for tests.
class Clock
{
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    [[nodiscard]] QDateTime now() const override { return QDateTime::currentDateTime(); }
};

const Clock &systemClock();

} // namespace qelvo
