#include "platform/qt/qt_clock.h"

#include <chrono>

std::int64_t QtClock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}
