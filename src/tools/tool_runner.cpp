#include "tools/tool_runner.h"

#include "app/tembedded.h"
#include "build/tool_runs.h"
#include "platform/paths/win_path.h"

ToolRunner::ToolRunner(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    for (const char* run : {"Prgm", "ToolButton9"})
        c[run].onActivate([this](const Sender&) { PrgmClick(); });
    // The user tool items are entries of the menu; each activates it with its own tag.
    c["Tools1"].onActivate([this](const Sender& s) { setfileClick(s); });
}

void ToolRunner::PrgmClick()
{
    const std::string path = m_app.settings().programmingTool;
    m_app.toolRuns().starting(RunKind::Programmer, "Programmer", path, winpath::dirPart(path));
    m_app.host().shell.open(path, "", winpath::dirPart(path), true);
}

void ToolRunner::setfileClick(const Sender& sender)
{
    if (sender.tag < 0 || sender.tag >= static_cast<int>(m_menuTools.size()))
        return;
    const UserTool& item = m_menuTools[static_cast<std::size_t>(sender.tag)];
    // Tools removed or added on the page since the last Accept shift the indexes: an item
    // starts the tool it shows, or nothing once that tool is gone.
    const auto& user = m_app.settings().tools.user;
    auto same = [&item](const UserTool& t) { return t.name == item.name && t.path == item.path; };
    const UserTool* tool = nullptr;
    if (sender.tag < static_cast<int>(user.size()) && same(user[static_cast<std::size_t>(sender.tag)]))
        tool = &user[static_cast<std::size_t>(sender.tag)];
    for (std::size_t i = 0; !tool && i < user.size(); ++i)
        if (same(user[i]))
            tool = &user[i];
    if (!tool)
        return;
    const std::string params = tool->params == "-" ? "" : tool->params;
    m_app.toolRuns().starting(RunKind::UserTool, tool->name, tool->path + " " + params,
                              winpath::dirPart(tool->path));
    m_app.host().shell.open(tool->path, params, winpath::dirPart(tool->path), true);
}

void ToolRunner::ProgrammingClick()
{
    Control& prgm = m_app.controls()["Prgm"];
    if (m_app.host().files.fileExists(winpath::join(m_app.compileDir(), "aout.a25")) &&
        prgm.caption() != "(None)")
        prgm.setEnabled(true);
}

void ToolRunner::rebuildToolsMenu()
{
    m_menuTools = m_app.settings().tools.user;
    m_app.controls()["Tools1"].setEntries(m_app.settings().tools.userNames());
}
