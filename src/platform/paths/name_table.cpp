#include "platform/paths/name_table.h"

namespace nametable {

namespace {

char lowered(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

// FNV-1a over the lower-case bytes.
std::uint32_t hashOf(std::string_view name)
{
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : name) {
        h ^= static_cast<unsigned char>(lowered(c));
        h *= 1099511628211ull;
    }
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

bool sameLower(std::string_view lower, std::string_view name)
{
    if (lower.size() != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (lower[i] != lowered(name[i]))
            return false;
    return true;
}

std::string lower(std::string_view name)
{
    std::string out(name);
    std::transform(out.begin(), out.end(), out.begin(), lowered);
    return out;
}

}  // namespace nametable
