#include "build/tool_runs.h"

#include <algorithm>
#include <stdexcept>

#include "build/build_output.h"
#include "build/program_runs.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "platform/host/build_follower.h"
#include "platform/host/files.h"
#include "platform/host/shell.h"
#include "platform/paths/win_path.h"

namespace
{

constexpr RunKind ToolKinds[] = {RunKind::Assembler, RunKind::Programmer, RunKind::UserTool};

bool isAbsolute(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') || path.starts_with("\\\\");
}

} // namespace

ToolRuns::ToolRuns(BuildOutput& panel, Files& files, const Clock& clock, EditorWindows& editors)
    : m_panel(panel), m_files(files), m_clock(clock), m_editors(editors)
{
    // A build, and a step round its diagnostics, bring its own output back to the front.
    m_panelSubscription = panel.subscribe([this](BuildOutput::Change c) {
        if (c == BuildOutput::Change::Reset || c == BuildOutput::Change::Current)
            show(RunKind::Build);
    });
}

ToolRuns::~ToolRuns()
{
    m_panel.unsubscribe(m_panelSubscription);
    for (BuildFollower* f : m_followers)
        if (f)
            f->stop();
}

std::size_t ToolRuns::slot(RunKind kind)
{
    switch (kind) {
    case RunKind::Assembler:
        return 0;
    case RunKind::Programmer:
        return 1;
    case RunKind::UserTool:
        return 2;
    case RunKind::Build:
        break;
    }
    throw std::logic_error("the build's run is the build output's");
}

const char* ToolRuns::kindName(RunKind kind)
{
    switch (kind) {
    case RunKind::Build:
        return "Build";
    case RunKind::Assembler:
        return "Assembler";
    case RunKind::Programmer:
        return "Programmer";
    case RunKind::UserTool:
        return "User Tool";
    }
    return "";
}

void ToolRuns::setFollower(RunKind kind, BuildFollower* follower)
{
    BuildFollower*& mine = m_followers.at(slot(kind));
    if (mine && mine != follower)
        mine->stop();
    mine = follower;
}

void ToolRuns::starting(RunKind kind, std::string title, std::string command, std::string folder)
{
    m_runs.at(slot(kind)).start(std::move(title), std::move(command), std::move(folder), m_clock.nowMs());
    m_shown = kind;
    m_panel.setVisible(true);
    notify(kind, Change::Reset);
    notify(kind, Change::Shown);
    if (BuildFollower* f = m_followers.at(slot(kind)))
        f->follow([this, kind](std::vector<TranscriptRecord> records) { receive(kind, records); });
}

void ToolRuns::receive(RunKind kind, const std::vector<TranscriptRecord>& records)
{
    FollowedRun& run = m_runs.at(slot(kind));
    if (run.state() != FollowedRun::State::Running)
        return;
    if (run.receive(records, m_clock.nowMs()))
        notify(kind, Change::Lines);
    notify(kind, Change::Texts);
}

std::vector<RunKind> ToolRuns::kinds() const
{
    std::vector<RunKind> out{RunKind::Build};
    for (RunKind k : ToolKinds)
        if (run(k).state() != FollowedRun::State::Idle)
            out.push_back(k);
    return out;
}

void ToolRuns::show(RunKind kind)
{
    if (kind == m_shown)
        return;
    m_shown = kind;
    notify(kind, Change::Shown);
}

std::string ToolRuns::sourcePath(const FollowedRun& run, const std::string& file)
{
    if (isAbsolute(file))
        return file;
    if (!winpath::hasDirectoryPart(file)) {
        ProgramRun command;
        command.command = run.command();
        const auto words = command.words();
        for (std::size_t i = 1; i < words.size(); ++i)
            if (winpath::equalsNoCase(winpath::fileName(words[i]), file))
                return isAbsolute(words[i]) ? words[i] : winpath::join(run.folder(), words[i]);
    }
    return winpath::join(run.folder(), file);
}

void ToolRuns::openLine(RunKind kind, std::size_t number)
{
    FollowedRun& run = m_runs.at(slot(kind));
    const BuildTranscript& t = run.transcript();
    if (!t.holds(number) || !t.line(number).hasDiagnostic)
        return;
    const BuildDiagnostic d = t.line(number).diagnostic;
    std::string answer;
    std::string path;
    if (!d.located()) {
        answer = "This message names no source file and line.";
    } else {
        path = sourcePath(run, d.file);
        if (!m_files.fileExists(path))
            answer = path + " does not exist: nothing was opened.";
    }
    if (answer != run.message()) {
        run.setMessage(answer);
        notify(kind, Change::Texts);
    }
    if (!answer.empty())
        return;
    if (!m_editors.showOpen(path, d.line))
        m_editors.create().OpenAtLine(path, d.line);
}

int ToolRuns::subscribe(Observer observer)
{
    m_observers.emplace_back(m_nextObserver, std::move(observer));
    return m_nextObserver++;
}

void ToolRuns::unsubscribe(int id)
{
    std::erase_if(m_observers, [id](const auto& o) { return o.first == id; });
}

void ToolRuns::notify(RunKind kind, Change change)
{
    const auto observers = m_observers;
    for (const auto& [id, fn] : observers)
        fn(kind, change);
}
