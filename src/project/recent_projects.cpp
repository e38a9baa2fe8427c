#include "project/recent_projects.h"

#include <algorithm>

#include "app/control_set.h"
#include "platform/host/settings_store.h"
#include "platform/paths/win_path.h"

void RecentProjects::add(const std::string& path)
{
    if (winpath::trim(path).empty())
        return;
    remove(path);
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > static_cast<std::size_t>(Capacity))
        m_paths.resize(Capacity);
}

void RecentProjects::remove(const std::string& path)
{
    const std::string key = winpath::lower(path);
    std::erase_if(m_paths, [&key](const std::string& p) { return winpath::lower(p) == key; });
}

std::string RecentProjects::valueName(int index)
{
    return "Recent Project " + std::to_string(index + 1);
}

void RecentProjects::read(const SettingsStore& store)
{
    m_paths.clear();
    for (int n = Capacity - 1; n >= 0; --n) {
        const std::string path = store.read(valueName(n)).value_or("");
        if (!winpath::trim(path).empty())
            add(path);
    }
}

void RecentProjects::write(SettingsStore& store) const
{
    for (int n = 0; n < Capacity; ++n)
        store.write(valueName(n), n < static_cast<int>(m_paths.size()) ? m_paths[static_cast<std::size_t>(n)] : "");
}

std::vector<std::string> RecentProjects::captions() const
{
    std::vector<std::string> out;
    for (std::size_t n = 0; n < m_paths.size(); ++n) {
        std::string caption = "&" + std::to_string(n + 1) + " ";
        for (const char c : m_paths[n])
            caption += c == '&' ? std::string("&&") : std::string(1, c);
        out.push_back(caption);
    }
    return out;
}

void RecentProjects::showIn(Control& item) const
{
    item.setEntries(captions());
    item.setEnabled(!m_paths.empty());
}
