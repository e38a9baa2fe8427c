#pragma once
// The Build Output panel's runs besides the build: the latest of each kind (assembler,
// programming tool, user tool), each followed through the transcript its runner writes, kept
// apart from the build's output and from each other; which of them the panel shows; and a click
// on a diagnostic, which opens its source at its line.
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "build/followed_run.h"

class BuildFollower;
class BuildOutput;
class Clock;
class EditorWindows;
class Files;

class ToolRuns
{
public:
    enum class Change { Reset, Lines, Texts, Shown };
    using Observer = std::function<void(RunKind, Change)>;

    ToolRuns(BuildOutput& panel, Files& files, const Clock& clock, EditorWindows& editors);
    ~ToolRuns();
    ToolRuns(const ToolRuns&) = delete;
    ToolRuns& operator=(const ToolRuns&) = delete;

    // Where one kind's output comes from; none: its runs are followed to their start only.
    void setFollower(RunKind kind, BuildFollower* follower);

    // Just before the program starts: its run replaces the last one of its kind and is shown.
    void starting(RunKind kind, std::string title, std::string command, std::string folder);
    void receive(RunKind kind, const std::vector<TranscriptRecord>& records);

    const FollowedRun& run(RunKind kind) const { return m_runs.at(slot(kind)); }
    // The kinds the panel offers: the build, then each kind that has run.
    std::vector<RunKind> kinds() const;
    RunKind shown() const { return m_shown; }
    void show(RunKind kind);
    // A click or Enter on a line of a run: a diagnostic opens its source at its line.
    void openLine(RunKind kind, std::size_t number);

    // The tab name of a kind: "Build", "Assembler", "Programmer", "User Tool".
    static const char* kindName(RunKind kind);
    // The file a diagnostic of this run names: as it is when absolute; a bare name the run was
    // given as an argument is that argument; anything else lies in the folder it ran in.
    static std::string sourcePath(const FollowedRun& run, const std::string& file);

    int subscribe(Observer observer);
    void unsubscribe(int id);

private:
    static std::size_t slot(RunKind kind);
    void notify(RunKind kind, Change change);

    BuildOutput& m_panel;
    Files& m_files;
    const Clock& m_clock;
    EditorWindows& m_editors;
    std::array<FollowedRun, 3> m_runs;
    std::array<BuildFollower*, 3> m_followers{};
    RunKind m_shown = RunKind::Build;
    int m_panelSubscription = 0;
    std::vector<std::pair<int, Observer>> m_observers;
    int m_nextObserver = 1;
};
