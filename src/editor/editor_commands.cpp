#include "editor/editor_commands.h"

#include <vector>

#include "app/control_set.h"

namespace {

struct EditorCommandRow {
    const char* name;
    ControlKind kind;
    const char* caption;
    int tag;
    int group;  // menus only
};

// Menus are followed by their items; the table order is the menu order.
const std::vector<EditorCommandRow> kEditorMenus = {
    {"File1", ControlKind::Menu, "&File", 0, 0},
    {"Open1", ControlKind::MenuItem, "&Open File", 5, 0},
    {"New1", ControlKind::MenuItem, "&New File", 0, 0},
    {"Close1", ControlKind::MenuItem, "Close File", 0, 0},
    {"Save1", ControlKind::MenuItem, "&Save File", 0, 0},
    {"SaveAs1", ControlKind::MenuItem, "Save File &As", 0, 0},
    {"SaveAll1", ControlKind::MenuItem, "S&ave All", 0, 0},
    {"CloseAll1", ControlKind::MenuItem, "&Close All", 0, 0},
    {"SaveOutputFileto", ControlKind::MenuItem, "Save &Output File to", 0, 0},
    {"SelectsaveLocation1", ControlKind::MenuItem, "S&elect Save Location", 0, 0},
    {"PrintSetup1", ControlKind::MenuItem, "Print Setup", 0, 0},
    {"Print1", ControlKind::MenuItem, "&Print", 0, 0},
    {"Exit1", ControlKind::MenuItem, "&Exit", 0, 0},
    {"Edit1", ControlKind::Menu, "&Edit", 0, 3},
    {"Cut1", ControlKind::MenuItem, "&Cut", 0, 0},
    {"Copy1", ControlKind::MenuItem, "C&opy", 0, 0},
    {"Paste1", ControlKind::MenuItem, "&Paste", 0, 0},
    {"Delete1", ControlKind::MenuItem, "&Delete", 0, 0},
    {"SelectAll1", ControlKind::MenuItem, "&Select All", 0, 0},
    {"Selectfont1", ControlKind::MenuItem, "Set &Font", 0, 0},
    {"Search1", ControlKind::Menu, "Search", 0, 3},
    {"Find1", ControlKind::MenuItem, "Find", 0, 0},
    {"Replace1", ControlKind::MenuItem, "Replace", 0, 0},
    {"Locate", ControlKind::MenuItem, "Jump to", 1, 0},
};

}  // namespace

void declareEditorCommands(ControlSet& controls)
{
    std::string menu;
    for (const auto& row : kEditorMenus) {
        Control& c = controls.add(row.name, row.kind);
        c.setCaption(row.caption);
        c.tag = row.tag;
        c.group = row.group;
        if (row.kind == ControlKind::Menu)
            menu = row.name;
        else
            c.parent = menu;
    }
}
