#pragma once
// The menu bar while a child window is active: the child's menus take the place of the main
// menus of the same group number; the others stay, in group order.
#include <string>
#include <vector>

struct MenuSlot {
    std::string name;
    int group = 0;
    bool fromChild = false;
};

// main and child are each in their menu order; no child menus gives the main menus.
std::vector<MenuSlot> mergeMenus(const std::vector<MenuSlot>& main, const std::vector<MenuSlot>& child);

class ControlSet;
// The menus of a control set in declaration order, marked as the child's or not.
std::vector<MenuSlot> menuSlots(const ControlSet& controls, bool fromChild);
