#pragma once
// Substrings by 1-based position, as the fixed-width line parses of the error list and the
// editor's caret line count them.
#include <string>

namespace slices {

// An index below 1 counts from the start, a count of 0 or less gives nothing, the end clips.
inline std::string copy(const std::string& s, long long index, long long count)
{
    if (count <= 0)
        return {};
    if (index < 1)
        index = 1;
    if (index > static_cast<long long>(s.size()))
        return {};
    return s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

// 1-based position of c in s, 0 when absent.
inline long long pos(char c, const std::string& s)
{
    const auto p = s.find(c);
    return p == std::string::npos ? 0 : static_cast<long long>(p) + 1;
}

}  // namespace slices
