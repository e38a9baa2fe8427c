#include "app/program_options.h"

#include "app/tembedded.h"
#include "components/help_handlers.h"

namespace {

const char* const kNecTab = "Tarnel Settings ";

using L = ControlLayout;
const char* const Building = "Building";
const char* const Editor = "Editor";

const std::vector<ControlSpec> kControls = {
    {"ToolsPan", ControlKind::PageSet, "", "", "", {"Tools", kNecTab}, "1", "", {.maxWidth = L::ReadableWidth}},
    {"ShowProgress", ControlKind::CheckBox, "ToolsPan", kNecTab, "Show Compile Progress", {}, "1", "",
     {.group = Building}},
    {"SendToFile", ControlKind::CheckBox, "ToolsPan", kNecTab, "Send Output to File", {}, "", "", {.group = Building}},
    {"ShowOnEnd", ControlKind::CheckBox, "ToolsPan", kNecTab, "Show O/P file on Compiler finish", {}, "", "",
     {.group = Building}},
    {"Target", ControlKind::CheckBox, "ToolsPan", kNecTab, "Check for Linker Target file creation", {}, "1", "",
     {.group = Building}},
    {"CloseEds", ControlKind::CheckBox, "ToolsPan", kNecTab, "Close Editor windows when Compiling", {}, "1", "",
     {.group = Building}},
    {"UseEd", ControlKind::CheckBox, "ToolsPan", kNecTab, "Use Tarnel editor", {}, "1", "",
     {.group = Editor, .column = L::Right}},
    {"EditorName", ControlKind::Edit, "ToolsPan", kNecTab, "", {}, "Internal", "Editor",
     {.group = Editor, .column = L::Right, .indent = 1}},
    {"Browseed", ControlKind::Button, "ToolsPan", kNecTab, "...", {}, "", "",
     {.group = Editor, .column = L::Right, .chars = 3, .beside = true}},
    {"Reload", ControlKind::CheckBox, "ToolsPan", kNecTab, "Re-load last editor file", {}, "", "",
     {.group = Editor, .column = L::Right}},
    {ProgramOptions::CodeColours, ControlKind::CheckBox, "ToolsPan", kNecTab,
     "Code colours, line numbers and current line", {}, "1", "", {.group = Editor, .column = L::Right}},
    {"NecHelp", ControlKind::Button, "ToolsPan", kNecTab, "Help", {}, "", "", {.role = L::PageButton}, 32},
    {"NecClose", ControlKind::Button, "ToolsPan", kNecTab, "Close", {}, "", "", {.role = L::CancelButton}},
};

}  // namespace

ProgramOptions::ProgramOptions(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    c.addAll(kControls);
    c["ToolsPan"].setVisible(false);
    c["Browseed"].setEnabled(false);
    c["EditorName"].setEnabled(false);

    c["Target"].onCheckedChange([this] { m_app.settings().targetSwitch = m_app.controls()["Target"].checked(); });
    c["UseEd"].onCheckedChange([this] { UseEdClick(); });
    c["Browseed"].onActivate([this](const Sender&) { BrowseedClick(); });
    c["NecHelp"].onActivate([this](const Sender& s) { m_app.help().HelpbtnClick(s); });
    c["NecClose"].onActivate([this](const Sender&) { m_app.controls()["ToolsPan"].setVisible(false); });
    c["TarnelOptions"].onActivate([this](const Sender&) { TarnelOptionsClick(); });
}

void ProgramOptions::UseEdClick()
{
    ControlSet& c = m_app.controls();
    const bool builtIn = c["UseEd"].checked();
    c["EditorName"].setEnabled(!builtIn);
    c["Browseed"].setEnabled(!builtIn);
    m_app.settings().editorSwitch = builtIn;
}

void ProgramOptions::prepare()
{
    m_app.controls()["EditorName"].setText(m_app.settings().externalEd);
    UseEdClick();
}

void ProgramOptions::TarnelOptionsClick()
{
    ControlSet& c = m_app.controls();
    c["Target"].setCaption("Check for Linker Target file creation (", c["LinkFile"].text(), ")");
    c["ToolsPan"].showTab(kNecTab);
    c["ToolsPan"].setVisible(true);
}

void ProgramOptions::BrowseedClick()
{
    FileDialogRequest r;
    r.title = "Text Editor";
    r.filters = parseFilterList("Editor Executables|*.exe");
    r.defaultExtension = "*.exe";
    r.fileName = "Wordpad";
    r.initialFolder = "C:\\Program files\\accessories";
    if (auto chosen = m_app.host().dialogs.openFile(r)) {
        m_app.settings().externalEd = *chosen;
        m_app.controls()["EditorName"].setText(*chosen);
    }
}
