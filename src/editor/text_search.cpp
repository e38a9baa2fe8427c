#include "editor/text_search.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

inline unsigned char fold(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c;
}

}  // namespace

std::size_t findIgnoringCase(const std::string& text, std::size_t from, const std::string& what)
{
    const std::size_t n = what.size();
    if (n == 0 || from > text.size() || text.size() - from < n)
        return std::string::npos;
    // Horspool over folded bytes: the whole of a large file is searched in a few milliseconds.
    std::string pattern(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        pattern[i] = static_cast<char>(fold(static_cast<unsigned char>(what[i])));
    std::array<std::size_t, 256> shift;
    shift.fill(n);
    for (std::size_t i = 0; i + 1 < n; ++i)
        shift[static_cast<unsigned char>(pattern[i])] = n - 1 - i;
    // Lower-case letters shift as their upper-case forms do.
    for (int c = 'a'; c <= 'z'; ++c)
        shift[static_cast<std::size_t>(c)] = shift[static_cast<std::size_t>(c - 32)];

    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto* p = reinterpret_cast<const unsigned char*>(pattern.data());
    const unsigned char last = p[n - 1];
    std::size_t pos = from;
    const std::size_t end = text.size() - n;
    while (pos <= end) {
        const unsigned char c = t[pos + n - 1];
        if (fold(c) == last) {
            std::size_t i = 0;
            while (i + 1 < n && fold(t[pos + i]) == p[i])
                ++i;
            if (i + 1 == n)
                return pos;
        }
        pos += shift[c];
    }
    return std::string::npos;
}

std::size_t findExact(const std::string& text, const std::string& what)
{
    if (what.empty())
        return std::string::npos;
    return text.find(what);
}

std::vector<std::size_t> findAllExact(const std::string& text, const std::string& what)
{
    std::vector<std::size_t> at;
    if (what.empty())
        return at;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size()))
        at.push_back(p);
    return at;
}
