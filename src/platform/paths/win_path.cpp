#include "platform/paths/win_path.h"

#include <cctype>
#include <charconv>
#include <cstdint>

namespace winpath {

std::string withBackslash(std::string_view dir)
{
    std::string out(dir);
    if (out.empty() || out.back() != '\\')
        out += '\\';
    return out;
}

std::string join(std::string_view dir, std::string_view name)
{
    return withBackslash(dir) + std::string(name);
}

static std::size_t nameStart(std::string_view path)
{
    const auto pos = path.find_last_of("\\/:");
    return pos == std::string_view::npos ? 0 : pos + 1;
}

std::string fileName(std::string_view path)
{
    return std::string(path.substr(nameStart(path)));
}

std::string dirPart(std::string_view path)
{
    return std::string(path.substr(0, nameStart(path)));
}

std::string dirOnly(std::string_view path)
{
    std::string dir = dirPart(path);
    if (dir.size() > 1 && (dir.back() == '\\' || dir.back() == '/') && dir[dir.size() - 2] != ':')
        dir.pop_back();
    return dir;
}

std::string extension(std::string_view path)
{
    const std::string_view name = path.substr(nameStart(path));
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string withoutExtension(std::string_view path)
{
    const std::string ext = extension(path);
    return std::string(path.substr(0, path.size() - ext.size()));
}

bool hasDirectoryPart(std::string_view text)
{
    return text.find_first_of("\\:") != std::string_view::npos;
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    const auto low = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (low(a[i]) != low(b[i]))
            return false;
    return true;
}

std::string trim(std::string_view s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return std::string(s.substr(b, e - b));
}

std::string dropLast(std::string_view s, std::size_t n)
{
    return std::string(s.substr(0, s.size() > n ? s.size() - n : 0));
}

bool parseInt(std::string_view s, long long& out)
{
    // One sign at most, then digits only: from_chars alone would take the "-1" of "--1".
    const std::size_t first = !s.empty() && (s[0] == '+' || s[0] == '-') ? 1 : 0;
    if (first >= s.size())
        return false;
    for (std::size_t i = first; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9')
            return false;
    const std::string_view number = s[0] == '+' ? s.substr(1) : s;
    long long value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || ptr != number.data() + number.size())
        return false;
    out = value;
    return true;
}

bool parseInt32(std::string_view s, int& out)
{
    long long v = 0;
    if (!parseInt(s, v) || v < INT32_MIN || v > INT32_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

}  // namespace winpath
