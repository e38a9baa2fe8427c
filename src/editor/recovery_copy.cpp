#include "editor/recovery_copy.h"

#include <charconv>
#include <vector>

namespace {

constexpr const char* Magic = "Tarnel recovery copy 1";

// The value of "key value" on its line, or nothing when the line holds another key.
std::optional<std::string> field(const std::string& line, const std::string& key)
{
    if (line.size() < key.size() + 1 || line.compare(0, key.size(), key) != 0 || line[key.size()] != ' ')
        return std::nullopt;
    return line.substr(key.size() + 1);
}

std::optional<long long> number(const std::optional<std::string>& text)
{
    long long n = 0;
    if (!text || text->empty())
        return std::nullopt;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), n);
    if (ec != std::errc() || end != text->data() + text->size() || n < 0)
        return std::nullopt;
    return n;
}

}  // namespace

std::string composeRecoveryCopy(int pid, const std::string& original, const std::string& text)
{
    std::string head = std::string(Magic) + "\npid " + std::to_string(pid) + "\nfile " + original + "\nlength " +
                       std::to_string(text.size()) + "\n\n";
    head.reserve(head.size() + text.size());
    head += text;
    return head;
}

std::optional<RecoveryCopy> parseRecoveryCopy(const std::string& name, const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    // The header is four lines and a blank one; anything longer is no copy of ours.
    while (lines.size() < 5) {
        const std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos || end - at > 4096)
            return std::nullopt;
        lines.push_back(bytes.substr(at, end - at));
        at = end + 1;
    }
    const auto pid = number(field(lines[1], "pid"));
    const auto original = field(lines[2], "file");
    const auto length = number(field(lines[3], "length"));
    if (lines[0] != Magic || !pid || !original || !length || !lines[4].empty() ||
        static_cast<unsigned long long>(*length) != bytes.size() - at)
        return std::nullopt;
    return RecoveryCopy{name, static_cast<int>(*pid), *original, bytes.substr(at)};
}
