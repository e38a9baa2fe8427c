#include "app/main_commands.h"

#include <vector>

#include "app/control_set.h"

namespace {

struct CommandRow {
    const char* name;
    ControlKind kind;
    const char* caption;  // menu caption, or the tool button's hint
    int tag;
    int group;            // menus only
    int helpContext = 0;  // help items only
};

// Menus are followed by their items; the table order is the menu order.
const std::vector<CommandRow> kMenus = {
    {"File1", ControlKind::Menu, "&File", 0, 0},
    {"OpenFile", ControlKind::MenuItem, "Open &File", 10, 0},
    {"NewFile", ControlKind::MenuItem, "&New File", 0, 0},
    {"SaveObjectFile", ControlKind::MenuItem, "&Save Output File to ", 0, 0},
    {"SelectSaveLocation1", ControlKind::MenuItem, "S&elect Save Location", 0, 0},
    {"Exit1", ControlKind::MenuItem, "&Exit", 0, 0},
    {"Project1", ControlKind::Menu, "Project", 0, 1},
    {"NewProject", ControlKind::MenuItem, "New &Project", 0, 0},
    {"OpenProject", ControlKind::MenuItem, "&Open Project", 0, 0},
    {"ProjEdit", ControlKind::MenuItem, "Edit", 0, 0},
    {"SaveProject", ControlKind::MenuItem, "&Save Project", 0, 0},
    {"SaveProjectAs1", ControlKind::MenuItem, "Save Project &As", 0, 0},
    {"Update1", ControlKind::MenuItem, "Update", 0, 0},
    {"RecentProjects1", ControlKind::MenuItem, "Recent Projects", 0, 0},  // our own submenu
    {"ExportCompileCommands", ControlKind::MenuItem, "Export compile_commands.json", 0, 0},  // ours
    {"EditBatch", ControlKind::Menu, "&Edit Batch", 20, 2},
    {"CompileMenu", ControlKind::Menu, "Compile", 0, 3},
    {"Compile1", ControlKind::MenuItem, "Compile", 0, 0},
    {"BuildAll1", ControlKind::MenuItem, "Build All", 1, 0},
    {"BuildChanged1", ControlKind::MenuItem, "Build Changed", 0, 0},  // ours
    {"View1", ControlKind::Menu, "&View", 0, 3},
    {"System1", ControlKind::MenuItem, "SYSTEM", 0, 0},
    {"DisplayProjectList", ControlKind::MenuItem, "Project List", 0, 0},
    {"ViewPathset", ControlKind::MenuItem, "Pathset", 30, 0},
    {"ViewLinkerCmd", ControlKind::MenuItem, "Linker Command File", 50, 0},
    {"Output1", ControlKind::MenuItem, "OUTPUT", 0, 0},
    {"ViewCompilerList", ControlKind::MenuItem, "Compiler Listing", 55, 0},
    {"ViewList", ControlKind::MenuItem, "Linker List File", 40, 0},
    {"CompilerOP1", ControlKind::MenuItem, "Compiler O/P", 60, 0},
    {"StatusBar1", ControlKind::MenuItem, "STATUS BAR", 0, 0},
    {"ViewAll", ControlKind::MenuItem, "All", 0, 0},
    {"ViewLinkerLine", ControlKind::MenuItem, "Linker Command Line", 1, 0},
    {"ViewCompilerLine", ControlKind::MenuItem, "Compiler Command Line", 2, 0},
    {"ViewBuildOutput", ControlKind::MenuItem, "Build &Output", 0, 0},
    {"ViewMemoryUsage", ControlKind::MenuItem, "&Memory Usage", 0, 0},  // ours
    {"Options1", ControlKind::Menu, "Options", 0, 4},
    {"CompilerOptions", ControlKind::MenuItem, "Compiler Options", 0, 0},
    {"LinkerOptions1", ControlKind::MenuItem, "Linker Options", 0, 0},
    {"Setup1", ControlKind::MenuItem, "Setup", 0, 0},
    {"TarnelOptions", ControlKind::MenuItem, "Tarnel Options", 0, 0},
    {"Window1", ControlKind::Menu, "Window", 0, 5},
    {"Tile1", ControlKind::MenuItem, "Tile", 0, 0},
    {"Cascade1", ControlKind::MenuItem, "Cascade", 0, 0},
    {"Arrange1", ControlKind::MenuItem, "Arrange", 0, 0},
    {"Program1", ControlKind::Menu, "Program", 0, 5},
    {"Prgm", ControlKind::MenuItem, "Pelorus", 0, 0},
    {"Tools1", ControlKind::Menu, "Tools", 0, 5},
    {"ConfigureTools1", ControlKind::MenuItem, "Configure Tools", 0, 0},
    {"LinkerCmdFile1", ControlKind::Menu, "Linker Cmd File", 0, 5},
    {"NewCmdFile", ControlKind::MenuItem, "&New", 0, 0},
    {"Wizard1", ControlKind::MenuItem, "&Wizard", 0, 0},
    {"WizardHelp", ControlKind::MenuItem, "Wizard Help", 0, 0, 5},
    {"Assembler1", ControlKind::Menu, "&Assembler", 0, 5},
    {"Assemble1", ControlKind::MenuItem, "Assemble", 0, 0},
    {"AsmFile1", ControlKind::MenuItem, "&File", 0, 0},
    {"Help1", ControlKind::Menu, "&Help", 0, 5},
    {"HelpContents", ControlKind::MenuItem, "&Help", 0, 0},
    {"About1", ControlKind::MenuItem, "&About", 0, 0},
    {"Email1", ControlKind::MenuItem, "email Orvane", 0, 0},
    {"Web1", ControlKind::MenuItem, "Orvane on the Web", 0, 0},
};

// Tool bar, left to right; separators carry no name of their own.
const std::vector<CommandRow> kToolBar = {
    {"ExitBtn", ControlKind::ToolButton, "", 0, 0},
    {"Sep1", ControlKind::Separator, "", 0, 0},
    {"OpenProjBtn", ControlKind::ToolButton, "Open Project", 0, 0},
    {"NewProjBtn", ControlKind::ToolButton, "New Project", 0, 0},
    {"EditProjBtn", ControlKind::ToolButton, "Edit Project", 0, 0},
    {"Sep2", ControlKind::Separator, "", 0, 0},
    {"OpenFileBtn", ControlKind::ToolButton, "Open File", 0, 0},
    {"NewFileBtn", ControlKind::ToolButton, "New File", 0, 0},
    {"Sep3", ControlKind::Separator, "", 0, 0},
    {"BuildAllBtn", ControlKind::ToolButton, "Build All", 1, 0},
    {"BuildChangedBtn", ControlKind::ToolButton, "Build Changed", 0, 0},  // ours
    {"CompBtn", ControlKind::ToolButton, "Compile", 0, 0},
    {"MakeBtn", ControlKind::ToolButton, "Make Project Control List", 1, 0},
    {"ViewListBtn", ControlKind::ToolButton, "View Iinker List/Map File", 0, 0},
    {"ErrorcheckBtn", ControlKind::ToolButton, "Check a File for Errors", 0, 0},
    {"Sep4", ControlKind::Separator, "", 0, 0},
    {"CompOptsBtn", ControlKind::ToolButton, "Compiler Options", 0, 0},
    {"LinkOptsBtn", ControlKind::ToolButton, "Linker Options", 0, 0},
    {"ToggleListBtn", ControlKind::ToolButton, "Toggle Project List", 0, 0},
    {"Sep5", ControlKind::Separator, "", 0, 0},
    {"ToolButton9", ControlKind::ToolButton, "Run Programmer", 0, 0},
    {"ConfigToolsBtn", ControlKind::ToolButton, "Install / EditTools", 0, 0},
    {"WizardBtn", ControlKind::ToolButton, "Command File Wizard", 0, 0},
};

}  // namespace

void declareMainCommands(ControlSet& controls)
{
    std::string menu;
    for (const auto& row : kMenus) {
        Control& c = controls.add(row.name, row.kind);
        c.setCaption(row.caption);
        c.tag = row.tag;
        c.group = row.group;
        c.helpContext = row.helpContext;
        if (row.kind == ControlKind::Menu)
            menu = row.name;
        else
            c.parent = menu;
    }
    controls["Cascade1"].isDefault = true;
    controls["BuildAll1"].shortcut = "F7";
    controls["Compile1"].shortcut = "Ctrl+F7";
    controls["BuildChanged1"].shortcut = "Shift+F7";
    controls["Window1"].setVisible(false);
    controls["EditBatch"].setEnabled(false);
    controls["RecentProjects1"].setEnabled(false);

    for (const auto& row : kToolBar) {
        Control& c = controls.add(row.name, row.kind);
        c.hint = row.caption;
        c.tag = row.tag;
        c.parent = "ToolBar";
    }

    controls.add("StatusbarHelp", ControlKind::MenuItem).setCaption("Statusbar help");
    controls["StatusbarHelp"].parent = "StatusBarMenu";
    controls["StatusbarHelp"].helpContext = 48;

    // Hidden pages; their contents belong to the subsystems that own them.
    for (const char* name : {"PEditPan", "OptionPanel"}) {
        Control& c = controls.add(name, ControlKind::Panel);
        c.setVisible(false);
    }
}
