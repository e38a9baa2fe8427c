#include "editor/menu_merge.h"

#include <algorithm>
#include <set>

#include "app/control_set.h"

std::vector<MenuSlot> mergeMenus(const std::vector<MenuSlot>& main, const std::vector<MenuSlot>& child)
{
    std::set<int> replaced;
    for (const MenuSlot& m : child)
        replaced.insert(m.group);
    std::vector<MenuSlot> out;
    for (const MenuSlot& m : main)
        if (!replaced.count(m.group))
            out.push_back(m);
    // A child's menu goes after every kept menu of a lower or equal group: where the menus it
    // replaces stood, or where its group falls.
    for (const MenuSlot& m : child) {
        auto at = std::find_if(out.begin(), out.end(), [&](const MenuSlot& o) { return o.group > m.group; });
        out.insert(at, m);
    }
    return out;
}

std::vector<MenuSlot> menuSlots(const ControlSet& controls, bool fromChild)
{
    std::vector<MenuSlot> out;
    for (const Control* c : controls.all())
        if (c->kind() == ControlKind::Menu)
            out.push_back({c->name(), c->group, fromChild});
    return out;
}
