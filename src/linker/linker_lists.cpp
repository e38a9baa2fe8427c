#include "linker/linker_lists.h"

#include <optional>

#include "app/tembedded.h"
#include "linker/command_file_format.h"
#include "platform/paths/win_path.h"

namespace {

void removeSelected(Control& list)
{
    if (list.selected() >= 0)
        list.removeEntry(list.selected());
}

std::optional<std::string> choose(TEmbedded& app, const std::string& title, const std::string& filter,
                                  const std::string& extension)
{
    FileDialogRequest request;
    request.title = title;
    request.filters = parseFilterList(filter);
    request.initialFolder = app.compileDir();
    request.defaultExtension = extension;
    auto path = app.host().dialogs.openFile(request);
    if (path && path->empty())
        return std::nullopt;
    return path;
}

}  // namespace

LinkerLists::LinkerLists(TEmbedded& app) : m_app(app) {}

void LinkerLists::Button22Click()
{
    if (auto path = choose(m_app, "Add Object File to Link", "Object Files [*.r25]|*.r25", "*.r25"))
        m_app.controls()["Objectfiles"].addEntry(*path);
}

void LinkerLists::Button25Click()
{
    removeSelected(m_app.controls()["Objectfiles"]);
}

void LinkerLists::CLRLSTClick()
{
    m_app.controls()["Objectfiles"].setEntries({});
}

void LinkerLists::LibAddClick()
{
    auto path = choose(m_app, "", "C Libraries [*.r25]|*.r25", "*.r25");
    if (!path)
        return;
    Control& list = m_app.controls()["LibraryFiles"];
    const std::string name = winpath::fileName(*path);
    // The whole list text is searched, so a name inside a longer entry counts as present.
    std::string text;
    for (const std::string& entry : list.entries())
        text += entry + "\r\n";
    if (text.find(name) != std::string::npos) {
        m_app.message("This file is already in your library list");
        return;
    }
    list.addEntry(name);
}

void LinkerLists::Button35Click()
{
    removeSelected(m_app.controls()["LibraryFiles"]);
}

void LinkerLists::Button36Click()
{
    m_app.controls()["LibraryFiles"].setEntries({});
}

void LinkerLists::BitBtn1Click()
{
    if (auto path = choose(m_app, "Select Command File", "Linker Command Files [*.xcl]|*.xcl|All Files|*.*", "*.xcl"))
        m_app.controls()["LinkerCmdfile"].setText(commandFileStem(winpath::fileName(*path)));
}
