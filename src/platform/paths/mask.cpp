#include "platform/paths/mask.h"

#include <algorithm>

#include "platform/paths/win_path.h"

static bool matchesOne(const std::string& name, const std::string& mask)
{
    std::size_t ni = 0, mi = 0, star = std::string::npos, mark = 0;
    while (ni < name.size()) {
        if (mi < mask.size() && (mask[mi] == '?' || mask[mi] == name[ni])) {
            ++ni;
            ++mi;
        } else if (mi < mask.size() && mask[mi] == '*') {
            star = mi++;
            mark = ni;
        } else if (star != std::string::npos) {
            mi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (mi < mask.size() && mask[mi] == '*')
        ++mi;
    return mi == mask.size();
}

bool matchesMask(const std::string& name, const std::string& mask)
{
    const std::string n = winpath::lower(name);
    const std::string masks = winpath::lower(mask);
    std::size_t start = 0;
    while (start <= masks.size()) {
        const std::size_t end = std::min(masks.find(';', start), masks.size());
        const std::string one = winpath::trim(masks.substr(start, end - start));
        // "*.*" means every file, also one without a dot, as it does on Windows.
        if (!one.empty() && (one == "*.*" ? true : matchesOne(n, one)))
            return true;
        start = end + 1;
    }
    return false;
}
