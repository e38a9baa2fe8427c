#include "editor/text_buffer.h"

#include <cstring>

std::string toCrLf(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 32);
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end) {
        // Copy runs without a break in one go: most of a file is such runs.
        const void* hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        const char* lf = hit ? static_cast<const char*>(hit) : end;
        const void* crHit = std::memchr(p, '\r', static_cast<std::size_t>(lf - p));
        const char* stop = crHit ? static_cast<const char*>(crHit) : lf;
        out.append(p, stop);
        if (stop == end)
            break;
        out += "\r\n";
        if (*stop == '\r' && stop + 1 < end && stop[1] == '\n')
            p = stop + 2;
        else
            p = stop + 1;
    }
    return out;
}

int countLines(const std::string& crlfText)
{
    int lines = 0;
    std::size_t pos = 0;
    while (true) {
        const std::size_t br = crlfText.find("\r\n", pos);
        if (br == std::string::npos)
            break;
        ++lines;
        pos = br + 2;
    }
    return pos < crlfText.size() ? lines + 1 : lines;
}
