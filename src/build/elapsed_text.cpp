#include "build/elapsed_text.h"

#include <cstdio>

std::string elapsedText(std::int64_t ms)
{
    if (ms < 0)
        ms = 0;
    char buf[48];
    if (ms < 1000)
        std::snprintf(buf, sizeof buf, "%lld ms", static_cast<long long>(ms));
    else if (ms < 60000)
        std::snprintf(buf, sizeof buf, "%.1f s", static_cast<double>(ms) / 1000.0);
    else
        std::snprintf(buf, sizeof buf, "%lld min %lld s", static_cast<long long>(ms / 60000),
                      static_cast<long long>(ms % 60000 / 1000));
    return buf;
}
