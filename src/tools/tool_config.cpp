#include "tools/tool_config.h"

#include "app/tembedded.h"
#include "components/help_handlers.h"
#include "platform/paths/win_path.h"
#include "tools/tnt_dlg.h"
#include "tools/tool_lists.h"
#include "tools/tool_runner.h"

namespace
{

using K = ControlKind;

const char* const Page = "ToolsPan";

const std::vector<ControlSpec> kControls = {
    {"ProgToolLabel", K::Label, Page, ToolConfig::Tab, "Programming Tool (Select)", {}, "", ""},
    {"ProgToolsList", K::ComboBox, Page, ToolConfig::Tab, "", {}, "", ""},
    {"PToolBtn", K::Button, Page, ToolConfig::Tab, "Browse", {}, "", ""},
    {"PtoolRemove", K::Button, Page, ToolConfig::Tab, "Remove", {}, "", ""},
    {"UserToolLabel", K::Label, Page, ToolConfig::Tab, "User Tools", {}, "", ""},
    {"UserToolsList", K::List, Page, ToolConfig::Tab, "", {}, "", ""},
    {"UToolBtn", K::Button, Page, ToolConfig::Tab, "Browse", {}, "", ""},
    {"RemoveBtn", K::Button, Page, ToolConfig::Tab, "Remove", {}, "", ""},
    {"EditTools", K::Button, Page, ToolConfig::Tab, "Edit Tools", {}, "", ""},
    {"AcceptTools", K::Button, Page, ToolConfig::Tab, "Accept", {}, "", ""},
    {"Button40", K::Button, Page, ToolConfig::Tab, "Cancel", {}, "", ""},
    {"Button14", K::Button, Page, ToolConfig::Tab, "Help", {}, "", "", {}, 33},
};

const char* const SelectProgToolFilter = "Executeable files (*.exe)|*.exe|All files (*.*)|*.*";
const char* const NoneCaption = "(None)";

std::string paramsOrDash(const std::string& params)
{
    return winpath::trim(params).empty() ? "-" : params;
}

std::string proposedToolName(const std::string& program)
{
    // Programs of this platform often have no extension: "prog78k" is a whole name.
    const std::string name = winpath::fileName(program);
    const std::string stem = winpath::withoutExtension(name);
    return stem.empty() ? name : stem;
}

} // namespace

ToolConfig::ToolConfig(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    c.addAll(kControls);
    c["ProgToolsList"].editable = true;

    c["ProgToolsList"].onIndexChange([this] { ProgToolsListChange(); });
    for (const char* browse : {"PToolBtn", "UToolBtn"})
        c[browse].onActivate([this, browse](const Sender&) { PToolBtnClick(browse); });
    for (const char* remove : {"PtoolRemove", "RemoveBtn"})
        c[remove].onActivate([this, remove](const Sender&) { RemoveBtnClick(remove); });
    c["EditTools"].onActivate([this](const Sender&) { EditToolsClick(); });
    c["AcceptTools"].onActivate([this](const Sender&) { AcceptToolsClick(); });
    c["Button40"].onActivate([this](const Sender&) { Button40Click(); });
    c["Button14"].onActivate([this](const Sender& s) { m_app.help().HelpbtnClick(s); });
    for (const char* configure : {"ConfigureTools1", "ConfigToolsBtn"})
        c[configure].onActivate([this](const Sender&) { ConfigureTools1Click(); });
}

ToolLists& ToolConfig::tools()
{
    return m_app.settings().tools;
}

void ToolConfig::showProgrammingTools(int select)
{
    Control& list = m_app.controls()["ProgToolsList"];
    list.setItems(tools().programmingNames());
    list.setItemIndex(select);
    // Choosing an entry puts its name into the edit part, also when it was chosen already.
    if (list.itemIndex() >= 0)
        list.setText(list.itemText());
}

void ToolConfig::ConfigureTools1Click()
{
    Control& pan = m_app.controls()["ToolsPan"];
    pan.showTab(Tab);
    pan.setVisible(true);
}

void ToolConfig::PToolBtnClick(const std::string& sender)
{
    FileDialogRequest r;
    r.title = "Select Tool";
    r.filters = parseFilterList(SelectProgToolFilter);
    r.defaultExtension = "*.exe";
    const auto chosen = m_app.host().dialogs.openFile(r);
    if (!chosen)
        return;

    ControlSet& c = m_app.controls();
    const int user = c["UserToolsList"].selected();
    std::string params;
    if (!tools().user.empty() && user >= 0 && user < static_cast<int>(tools().user.size()))
        params = tools().user[static_cast<std::size_t>(user)].params;
    TNTDlg dialog("Add", *chosen, proposedToolName(*chosen), params);
    if (m_app.host().dialogs.runDialog(dialog) != MsgAnswer::Ok)
        return;

    if (sender == "UToolBtn") {
        tools().user.push_back({dialog.name(), dialog.path(), paramsOrDash(dialog.params())});
        showToolLists(tools(), c);
        c["UserToolsList"].setSelected(user);
        return;
    }
    // The new entry may sort in front of the chosen one: keep the same tool chosen.
    Control& list = c["ProgToolsList"];
    const int chosenBefore = list.itemIndex();
    const int added = tools().addProgrammingTool({dialog.name(), dialog.path()});
    showProgrammingTools(chosenBefore >= added ? chosenBefore + 1 : chosenBefore);
    list.setText(dialog.name());
}

void ToolConfig::EditToolsClick()
{
    const int selected = m_app.controls()["UserToolsList"].selected();
    if (selected < 0 || selected >= static_cast<int>(tools().user.size())) {
        m_app.message("No Tool is selected");
        return;
    }
    const UserTool tool = tools().user[static_cast<std::size_t>(selected)];
    TNTDlg dialog("OK", tool.path, tool.name, tool.params);
    if (m_app.host().dialogs.runDialog(dialog) != MsgAnswer::Ok)
        return;
    const std::string params = paramsOrDash(dialog.params());
    const int same = tools().findUserPath(dialog.path());
    if (same >= 0) {
        // A tool is known by its path: only its parameters change.
        tools().user[static_cast<std::size_t>(same)].params = params;
        return;
    }
    tools().user.push_back({dialog.name(), dialog.path(), params});
    showToolLists(tools(), m_app.controls());
    m_app.controls()["UserToolsList"].setSelected(selected);
}

void ToolConfig::RemoveBtnClick(const std::string& sender)
{
    ControlSet& c = m_app.controls();
    if (sender == "RemoveBtn") {
        const int selected = c["UserToolsList"].selected();
        if (selected < 0 || selected >= static_cast<int>(tools().user.size())) {
            m_app.message("Nothing Selected");
            return;
        }
        tools().user.erase(tools().user.begin() + selected);
        showToolLists(tools(), c);
        return;
    }
    Control& list = c["ProgToolsList"];
    const int selected = list.itemIndex();
    if (selected < 0 || selected >= static_cast<int>(tools().programming.size())) {
        m_app.message("Nothing Selected");
        return;
    }
    tools().programming.erase(tools().programming.begin() + selected);
    showProgrammingTools(tools().programming.empty() ? -1 : 0);
    if (list.itemIndex() < 0)
        list.setText("");
}

void ToolConfig::ProgToolsListChange()
{
    Control& list = m_app.controls()["ProgToolsList"];
    if (list.itemIndex() >= 0)
        list.setText(list.itemText());
}

void ToolConfig::AcceptToolsClick()
{
    ControlSet& c = m_app.controls();
    Control& list = c["ProgToolsList"];
    const std::string text = list.text();
    int select = tools().programming.empty() ? -1 : 0;
    for (std::size_t i = 0; i < tools().programming.size(); ++i)
        if (tools().programming[i].name == text) {
            select = static_cast<int>(i);
            break;
        }
    showProgrammingTools(select);
    refreshProgrammingControls();
    if (!tools().programming.empty() && list.itemIndex() >= 0) {
        m_app.settings().programmingTool =
            tools().programming[static_cast<std::size_t>(list.itemIndex())].path;
        c["Prgm"].setCaption({}, list.text());
    }
    c["ToolsPan"].setVisible(false);
    m_app.toolRunner().rebuildToolsMenu();
}

void ToolConfig::Button40Click()
{
    m_app.controls()["ToolsPan"].setVisible(false);
}

void ToolConfig::refreshProgrammingControls()
{
    ControlSet& c = m_app.controls();
    if (c["ProgToolsList"].itemIndex() < 0) {
        c["ToolButton9"].setEnabled(false);
        c["Prgm"].setEnabled(false);
        m_app.settings().programmingTool.clear();
        return;
    }
    c["ToolButton9"].setEnabled(true);
    if (c["Prgm"].caption() != NoneCaption)
        c["Prgm"].setEnabled(true);
}

std::string ToolConfig::programmingToolSummary()
{
    // The tool that Accept would take: the one named in the edit part, else the first.
    const std::string text = m_app.controls()["ProgToolsList"].text();
    for (const auto& tool : tools().programming)
        if (tool.name == text)
            return "Program: " + tool.path;
    return tools().programming.empty() ? std::string() : "Program: " + tools().programming.front().path;
}

std::string ToolConfig::userToolSummary()
{
    const int selected = m_app.controls()["UserToolsList"].selected();
    if (selected < 0 || selected >= static_cast<int>(tools().user.size()))
        return {};
    const UserTool& tool = tools().user[static_cast<std::size_t>(selected)];
    return "Program: " + tool.path + "    Parameters: " + (tool.params == "-" ? "none" : tool.params);
}
