#include "platform/batch/batch_environment.h"

#include <cctype>

#include "platform/paths/win_path.h"

BatchEnvironment BatchEnvironment::fromEntries(const char* const* entries)
{
    BatchEnvironment env;
    for (const char* const* e = entries; e && *e; ++e) {
        const std::string_view entry(*e);
        const std::size_t eq = entry.find('=');
        if (eq == std::string_view::npos || eq == 0)
            continue;
        const std::string key = winpath::upper(entry.substr(0, eq));
        if (!env.m_vars.count(key))
            env.m_vars[key] = {std::string(entry.substr(0, eq)), std::string(entry.substr(eq + 1))};
    }
    return env;
}

std::optional<std::string> BatchEnvironment::get(std::string_view name) const
{
    const auto it = m_vars.find(winpath::upper(name));
    if (it == m_vars.end())
        return std::nullopt;
    return it->second.value;
}

void BatchEnvironment::set(std::string_view name, std::string_view value)
{
    if (value.empty()) {
        remove(name);
        return;
    }
    const std::string key = winpath::upper(name);
    auto it = m_vars.find(key);
    if (it == m_vars.end())
        m_vars[key] = {std::string(name), std::string(value)};
    else
        it->second.value = value;
}

void BatchEnvironment::remove(std::string_view name)
{
    m_vars.erase(winpath::upper(name));
}

std::vector<std::pair<std::string, std::string>> BatchEnvironment::entries() const
{
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& [key, entry] : m_vars)
        out.emplace_back(entry.name, entry.value);
    return out;
}

std::string BatchEnvironment::expand(std::string_view line, const std::vector<std::string>& params,
                                     int errorLevel) const
{
    std::string out;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 >= line.size()) {
            ++i;
            continue;
        }
        const char next = line[i + 1];
        if (next == '%') {
            out += '%';
            i += 2;
            continue;
        }
        if (std::isdigit(static_cast<unsigned char>(next))) {
            const std::size_t n = static_cast<std::size_t>(next - '0');
            if (n < params.size())
                out += params[n];
            i += 2;
            continue;
        }
        if (next == '*') {
            for (std::size_t p = 1; p < params.size(); ++p)
                out += (p > 1 ? " " : "") + params[p];
            i += 2;
            continue;
        }
        const std::size_t close = line.find('%', i + 1);
        if (close == std::string_view::npos) {
            ++i;
            continue;
        }
        const std::string_view name = line.substr(i + 1, close - i - 1);
        if (auto value = get(name))
            out += *value;
        else if (winpath::equalsNoCase(name, "ERRORLEVEL"))
            out += std::to_string(errorLevel);
        i = close + 1;
    }
    return out;
}
