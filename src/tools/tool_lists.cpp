#include "tools/tool_lists.h"

#include <algorithm>

#include "app/control_set.h"
#include "platform/paths/win_path.h"

bool sortsBefore(const std::string& a, const std::string& b)
{
    return winpath::lower(a) < winpath::lower(b);
}

int ToolLists::addProgrammingTool(ProgrammingTool tool)
{
    const auto at = std::upper_bound(
        programming.begin(), programming.end(), tool,
        [](const ProgrammingTool& t, const ProgrammingTool& e) { return sortsBefore(t.name, e.name); });
    const auto index = at - programming.begin();
    programming.insert(at, std::move(tool));
    return static_cast<int>(index);
}

int ToolLists::findProgrammingPath(const std::string& path) const
{
    for (std::size_t i = 0; i < programming.size(); ++i)
        if (programming[i].path == path)
            return static_cast<int>(i);
    return -1;
}

int ToolLists::findUserPath(const std::string& path) const
{
    for (std::size_t i = 0; i < user.size(); ++i)
        if (user[i].path == path)
            return static_cast<int>(i);
    return -1;
}

std::vector<std::string> ToolLists::programmingNames() const
{
    std::vector<std::string> out;
    out.reserve(programming.size());
    for (const auto& t : programming)
        out.push_back(t.name);
    return out;
}

std::vector<std::string> ToolLists::userNames() const
{
    std::vector<std::string> out;
    out.reserve(user.size());
    for (const auto& t : user)
        out.push_back(t.name);
    return out;
}

void showToolLists(const ToolLists& tools, ControlSet& controls)
{
    controls["ProgToolsList"].setItems(tools.programmingNames());
    controls["UserToolsList"].setEntries(tools.userNames());
}
