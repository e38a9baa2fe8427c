#include "project/project_file.h"

#include <string_view>

#include "app/file_messages.h"
#include "app/tembedded.h"
#include "platform/paths/win_path.h"
#include "project/compile_copies.h"
#include "project/project_edit_panel.h"
#include "project/project_lines.h"
#include "project/source_browser.h"

namespace {

constexpr const char* ProjectError = "Error in Project File";

const char* flag(bool on)
{
    return on ? "1" : "0";
}

}  // namespace

ProjectFile::ProjectFile(TEmbedded& app) : m_app(app)
{
    // The file lists belong to the project edit panel and the linker pages; whichever
    // subsystem shows them may have declared them already.
    ControlSet& c = app.controls();
    const struct {
        const char* name;
        const char* page;
        const char* tab;
    } lists[] = {
        {"ProjectListBox", "PEditPan", ""},
        {"Objectfiles", "LinkerTabs", "Object Files"},
        {"LibraryFiles", "LinkerTabs", "Libraries"},
    };
    for (const auto& l : lists)
        if (!c.contains(l.name))
            c.add({l.name, ControlKind::List, l.page, l.tab, "", {}, "", ""});
    if (!c.contains("ProjectName"))
        c.add({"ProjectName", ControlKind::Label, "PEditPan", "", "", {}, "", ""});
}

// Linker controls are declared by a subsystem built after this one's owner starts, so the
// table is resolved on first use; an unknown name still fails at once.
void ProjectFile::bind()
{
    if (!m_lines.empty())
        return;
    ControlSet& c = m_app.controls();
    for (const ProjectLine& row : projectfile::lines())
        m_lines.push_back({&c[row.control], &row});
    for (const FileSection& s : projectfile::sections())
        m_lists.push_back(&c[s.list]);
    for (const char* name : projectfile::alwaysChosen())
        m_alwaysChosen.push_back(&c[name]);
    m_linkFile = &c["LinkFile"];
}

void ProjectFile::ComposeProject()
{
    bind();
    std::vector<std::string>& out = m_app.prolist();
    out.clear();
    std::size_t total = m_lines.size();
    for (const Control* list : m_lists)
        total += list->entries().size();
    out.reserve(total);
    for (const Bound& b : m_lines) {
        const Control& c = *b.control;
        switch (b.row->kind) {
        case LineKind::Flag:
            out.emplace_back(flag(c.checked()));
            break;
        case LineKind::Enabled:
            out.emplace_back(flag(c.enabled()));
            break;
        case LineKind::Index:
            out.push_back(std::to_string(c.itemIndex()));
            break;
        case LineKind::Number:
            out.push_back(std::to_string(c.value()));
            break;
        case LineKind::Text:
            out.push_back(c.text());
            break;
        case LineKind::Count:
            out.push_back(std::to_string(c.entries().size()));
            break;
        }
    }
    for (const Control* list : m_lists)
        out.insert(out.end(), list->entries().begin(), list->entries().end());
}

bool ProjectFile::ReadOptions(int& sources, int& objects, int& libraries)
{
    bind();
    sources = objects = libraries = 0;
    const std::vector<std::string>& in = m_app.prolist();
    bool ok = true;
    for (const Bound& b : m_lines) {
        const auto at = static_cast<std::size_t>(b.row->line);
        if (at >= in.size()) {
            ok = false;
            break;
        }
        const std::string& text = in[at];
        Control& c = *b.control;
        const LineKind kind = b.row->kind;
        if (kind == LineKind::Flag || kind == LineKind::Enabled) {
            const bool on = text.find('1') != std::string::npos;
            kind == LineKind::Flag ? c.setChecked(on) : c.setEnabled(on);
            continue;
        }
        if (kind == LineKind::Text) {
            c.setText(text);
            continue;
        }
        int v = 0;
        if (!winpath::parseInt32(text, v)) {
            ok = false;
            break;
        }
        if (kind == LineKind::Index) {
            c.setItemIndex(v);
        } else if (kind == LineKind::Number) {
            if (c.kind() == ControlKind::UpDown && (v < -32768 || v > 32767)) {
                ok = false;
                break;
            }
            c.setValue(v);
        } else {
            const std::string_view list = b.row->control;
            (list == "ProjectListBox" ? sources : list == "Objectfiles" ? objects : libraries) = v;
        }
    }
    if (ok)
        m_app.buildTargetPath = m_linkFile->text();
    else
        m_app.message(ProjectError);
    for (Control* c : m_alwaysChosen)
        if (c->itemIndex() < 0)
            c->setItemIndex(0);
    return ok;
}

// Walks the file lists after the option lines. Entries that fail their list's test still use
// up their line; a file that ends before the counts are met is refused, keeping what was read.
bool ProjectFile::readLists(int sources, int objects, int libraries)
{
    const std::vector<std::string>& in = m_app.prolist();
    std::size_t at = projectfile::OptionLines;
    bool ok = true;
    const std::vector<FileSection>& sections = projectfile::sections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::string_view name = sections[i].list;
        const int count = name == "ProjectListBox" ? sources : name == "Objectfiles" ? objects : libraries;
        std::vector<std::string> kept;
        for (int n = 0; ok && n < count; ++n) {
            if (at >= in.size()) {
                ok = false;
                break;
            }
            const std::string& entry = in[at++];
            if (sections[i].keep(entry))
                kept.push_back(entry);
        }
        m_lists[i]->setEntries(std::move(kept));
        if (!ok)
            break;
    }
    if (!ok)
        m_app.message(ProjectError);
    return ok;
}

bool ProjectFile::readproject(const std::string& path, Copies copies)
{
    bind();
    ControlSet& c = m_app.controls();
    c["projname"].setText(path);
    m_app.settings().setProject(path);
    // Until the read has succeeded the file counts as failed: a close during one of the read's
    // boxes must not overwrite it without keeping the original.
    rememberOutcome(path, false);
    m_copiesLeftForBuild.reset();
    for (Control* list : m_lists)
        list->setEntries({});

    int sources = 0, objects = 0, libraries = 0;
    bool ok = ReadOptions(sources, objects, libraries) && readLists(sources, objects, libraries);
    if (ok) {
        const std::vector<std::string>& kept = c["ProjectListBox"].entries();
        if (sources <= 0)
            m_app.message("No source files in project");
        else if (!kept.empty()) {
            editPanelDir = winpath::dirOnly(kept.front());
            m_app.projectEdit().browser().setDirectory(editPanelDir);
        }
        c["ProjectName"].setCaption(winpath::dropLast(winpath::fileName(path), 4));
        c["PEditPan"].setVisible(true);
        if (m_app.host().files.folderExists(m_app.compileDir())) {
            if (copies == Copies::LeftForBuild)
                m_copiesLeftForBuild = kept;
            else
                ClearCompileCopies();
        }
    }
    rememberOutcome(path, ok);
    m_app.UpdateStatusBar(0);
    return ok;
}

std::string ProjectFile::tooLargeMessage(const std::string& path, std::uint64_t size)
{
    return path + " is too large for a project file (" + std::to_string(size >> 20) +
           " MiB; a project file holds at most " + std::to_string(MaxBytes >> 20) + " MiB).";
}

bool ProjectFile::load(const std::string& path, Copies copies)
{
    if (const auto size = m_app.host().files.fileSize(path); size && *size > MaxBytes) {
        rememberOutcome(path, false);
        m_app.message(tooLargeMessage(path, *size), MsgButtons::Ok, MsgIcon::Error);
        return false;
    }
    auto lines = m_app.host().files.readLines(path);
    if (!lines) {
        // Failed before the box: a close while it is up must keep the original too.
        rememberOutcome(path, false);
        m_app.message(cannotOpenMessage(path), MsgButtons::Ok, MsgIcon::Error);
        return false;
    }
    m_app.prolist() = std::move(*lines);
    return readproject(path, copies);
}

// A file that failed to load is still the current project, and the next save would replace
// it with whatever the controls hold; the original is kept aside on that first write.
void ProjectFile::rememberOutcome(const std::string& path, bool loaded)
{
    if (!loaded)
        m_protected[winpath::lower(path)] = true;
    else
        m_protected.erase(winpath::lower(path));
}

void ProjectFile::keepOriginalOnFirstWrite(const std::string& path)
{
    m_protected.emplace(winpath::lower(path), false);
}

bool ProjectFile::write(const std::string& path)
{
    Files& files = m_app.host().files;
    const auto kept = m_protected.find(winpath::lower(path));
    if (kept != m_protected.end()) {
        if (files.fileExists(path)) {
            if (!files.copyFile(path, path + ".bak"))
                return false;
            m_app.host().dialogs.notice(kept->second ? "the project file " + path +
                                                           " failed to load; its original is kept as " + path + ".bak"
                                                     : "the file " + path + " is kept as " + path +
                                                           ".bak before it is first written over");
        }
        m_protected.erase(kept);
    }
    return files.writeLines(path, m_app.prolist());
}

void ProjectFile::ClearCompileCopies()
{
    compilecopies::clear(m_app.host().files, m_app.compileDir(), m_app.controls()["ProjectListBox"].entries(),
                         [this] { return m_app.closing(); });
}
