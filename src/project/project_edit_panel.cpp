#include "project/project_edit_panel.h"

#include "app/tembedded.h"
#include "components/help_handlers.h"
#include "build/build_files.h"
#include "platform/paths/win_path.h"
#include "project/source_browser.h"

namespace {

constexpr const char* Panel = "PEditPan";
constexpr const char* NoFileText = "Select a file to add";

}  // namespace

ProjectEditPanel::ProjectEditPanel(TEmbedded& app) : m_app(app)
{
    declare();
    m_browser = std::make_unique<SourceBrowser>(app.controls(), app.host().files,
                                                [&app](const std::string& text) {
                                                    app.message(text, MsgButtons::Ok, MsgIcon::Error);
                                                },
                                                [&app] { return app.closing(); });
    wire();
}

ProjectEditPanel::~ProjectEditPanel() = default;

void ProjectEditPanel::declare()
{
    using K = ControlKind;
    ControlSet& c = m_app.controls();
    const std::vector<ControlSpec> rows = {
        {"EditHeading", K::Label, Panel, "", "EDIT PROJECT", {}, "", ""},
        {"ProjectName", K::Label, Panel, "", "", {}, "", ""},
        {"ProjectFilesLabel", K::Label, Panel, "", "Project Files", {}, "", ""},
        {"ProjectListBox", K::List, Panel, "", "", {}, "", ""},
        {"SourceLabel", K::Label, Panel, "", "Source", {}, "", ""},
        {"FileListBox1", K::List, Panel, "", "", {}, "", ""},
        {"SrcDir", K::Label, Panel, "", "", {}, "", ""},
        {"DirectoryListBox1", K::List, Panel, "", "", {}, "", ""},
        {"DriveComboBox1", K::ComboBox, Panel, "", "", {}, "", ""},
        {"Trans", K::Edit, Panel, "", "", {}, "", ""},
        {"PAddBtn", K::Button, Panel, "", "Add", {}, "", ""},
        {"PRemoveBtn", K::Button, Panel, "", "Remove", {}, "", ""},
        {"SpeedButton1", K::Button, Panel, "", "", {}, "", ""},
        {"SpeedButton2", K::Button, Panel, "", "", {}, "", ""},
        {"SpeedButton3", K::Button, Panel, "", "", {}, "", ""},
        {"SpeedButton4", K::Button, Panel, "", "", {}, "", ""},
        {"EditOK", K::Button, Panel, "", "OK", {}, "", ""},
        {"EditCancel", K::Button, Panel, "", "Cancel", {}, "", ""},
        {"EditHelp", K::Button, Panel, "", "Help", {}, "", "", {}, HelpTopic},
        {"AddNote", K::Label, Panel, "", "", {}, "", ""},
    };
    // The project file may have declared the lists it stores already.
    for (const ControlSpec& row : rows)
        if (!c.contains(row.name))
            c.add(row);
    c["Trans"].setVisible(false);
    c["AddNote"].textIsRed = true;
    const std::pair<const char*, const char*> hints[] = {
        {"SpeedButton1", "Add"},
        {"SpeedButton2", "Remove"},
        {"SpeedButton3", "Add all"},
        {"SpeedButton4", "Remove all"},
    };
    for (const auto& [name, hint] : hints)
        c[name].hint = hint;
}

void ProjectEditPanel::wire()
{
    ControlSet& c = m_app.controls();
    for (const char* name : {"PAddBtn", "SpeedButton1"})
        c[name].onActivate([this](const Sender&) { AddClick(); });
    for (const char* name : {"PRemoveBtn", "SpeedButton2"})
        c[name].onActivate([this](const Sender&) { RemoveClick(); });
    c["SpeedButton3"].onActivate([this](const Sender&) { SpeedButton3Click(); });
    c["SpeedButton4"].onActivate([this](const Sender&) { SpeedButton4Click(); });
    c["EditOK"].onActivate([this](const Sender& s) { m_app.buildFiles().MakeIdeBatClick(s); });
    c["EditCancel"].onActivate([this](const Sender&) { CancelClick(); });
    c["EditHelp"].onActivate([this](const Sender& s) { m_app.help().HelpbtnClick(s); });
}

void ProjectEditPanel::AddClick()
{
    ControlSet& c = m_app.controls();
    // Without a file the field holds the mask, which as an entry only breaks the next build.
    const int row = m_browser->selectedFile();
    if (row < 0 || m_browser->fileRows()[static_cast<std::size_t>(row)].folder) {
        m_app.host().beeper.beep();
        c["AddNote"].setCaption(NoFileText);
        return;
    }
    c["AddNote"].setCaption("");
    c["ProjectListBox"].addEntry(winpath::withBackslash(c["SrcDir"].caption()) + c["Trans"].text());
}

void ProjectEditPanel::RemoveClick()
{
    Control& list = m_app.controls()["ProjectListBox"];
    if (list.selected() >= 0)
        list.removeEntry(list.selected());
}

// Sub-folders are not sources: an entry naming a folder would stop the next build at its copy.
void ProjectEditPanel::SpeedButton3Click()
{
    ControlSet& c = m_app.controls();
    const std::string dir = winpath::withBackslash(c["SrcDir"].caption());
    Control& list = c["ProjectListBox"];
    std::vector<std::string> entries = list.entries();
    for (const std::string& name : m_browser->fileNames())
        entries.push_back(dir + name);
    list.setEntries(std::move(entries));
}

void ProjectEditPanel::SpeedButton4Click()
{
    m_app.controls()["ProjectListBox"].setEntries({});
}

void ProjectEditPanel::CancelClick()
{
    m_app.controls()["AddNote"].setCaption("");
    m_app.controls()[Panel].setVisible(false);
}

void ProjectEditPanel::fileListEnter(int row)
{
    const auto& rows = m_browser->fileRows();
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return;
    if (rows[static_cast<std::size_t>(row)].folder) {
        m_browser->openFolderRow(row);
        return;
    }
    m_browser->selectFile(row);
    AddClick();
}

void ProjectEditPanel::projectListDelete(int row)
{
    Control& list = m_app.controls()["ProjectListBox"];
    list.setSelected(row);
    RemoveClick();
}
