#include "platform/clock.h"

namespace qelvo
{

const Clock &systemClock()
{
    static const SystemClock clock;
    return clock;
}

} // namespace qelvo
