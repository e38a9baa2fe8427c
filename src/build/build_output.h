#pragma once
// The build output panel as core state: it follows each build from its start, holds what the
// build printed with the diagnostics found in it, tells how the build ended (exit status, run
// time, what became of the target) and whether the five-second verdict came before the end,
// and opens a diagnostic's source line. The panel itself only shows this state.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "build/build_transcript.h"
#include "build/diagnostic_marks.h"
#include "build/program_runs.h"
#include "platform/host/build_follower.h"

class TEmbedded;

class BuildOutput {
public:
    static constexpr const char* MenuItem = "ViewBuildOutput";

    enum class State { Idle, Running, Ended };
    enum class Target { Created, Updated, NotMade, Unchanged };

    // How the build ended, as seen here.
    struct End {
        bool statusKnown = false;
        int exitStatus = 0;
        std::int64_t elapsedMs = 0;
        std::string targetPath;
        Target target = Target::NotMade;
        // Programs that left a level other than 0, in order: name and level.
        std::vector<std::pair<std::string, int>> failedPrograms;
        std::string lostReason;  // why the end was not heard, when it was not
    };

    enum class Change { Reset, Lines, Texts, Current, Visibility, Marks };
    using Observer = std::function<void(Change)>;

    explicit BuildOutput(TEmbedded& app);
    ~BuildOutput();
    BuildOutput(const BuildOutput&) = delete;
    BuildOutput& operator=(const BuildOutput&) = delete;

    // Where the builds' output comes from; none: builds are followed to their start only.
    void setFollower(BuildFollower* follower);

    // The panel is shown exactly while the View menu item is checked.
    bool visible() const;
    void setVisible(bool on);
    void ViewBuildOutputClick() { setVisible(!visible()); }

    State state() const { return m_state; }
    const BuildTranscript& transcript() const { return m_transcript; }
    // The programs the build ran, with their share of the diagnostics.
    const std::vector<ProgramRun>& programs() const { return m_programs.runs(); }
    const End& end() const { return m_end; }
    bool earlyVerdict() const { return m_earlyVerdict; }

    // Texts of the panel.
    std::string heading() const;
    // How the build ended; empty until it has.
    std::string summary() const;
    // What the panel should know besides: an early verdict, lines let go, an earlier build.
    std::vector<std::string> notes() const;
    // The answer to the user's last step (a diagnostic that opens nothing).
    const std::string& message() const { return m_message; }

    // Beside a diagnostic's line of output, where its source line is now when edits moved or
    // removed it; empty otherwise.
    std::string lineNote(std::size_t number) const;
    const DiagnosticMarks& marks() const { return m_marks; }

    // The line the user is on (a click, F4), while the panel still holds it.
    std::optional<std::size_t> currentLine() const;
    // A click or Enter on a line: a diagnostic opens its source at its line.
    void openLine(std::size_t number);
    // F4 and Shift+F4, round the build's diagnostics.
    void nextDiagnostic();
    void previousDiagnostic();

    // From the build: just before its batch file starts, and after the end check's verdict.
    void buildStarting();
    void endChecked();
    void receive(std::vector<TranscriptRecord> records);
    // Lines a command of our own says about the build it just started, shown with the notes.
    void addNotes(std::vector<std::string> lines);
    // A build command that found nothing to do: the panel says so, and why, and no build runs.
    void nothingStarted(std::string heading, std::vector<std::string> lines);

    int subscribe(Observer observer);
    void unsubscribe(int id);

private:
    struct Snapshot {
        bool exists = false;
        std::optional<std::int64_t> modified;
    };
    Snapshot snapshot(const std::string& path) const;
    void finish(const TranscriptRecord& record);
    void step(int direction);
    void goTo(std::size_t diagnosticIndex);
    void open(std::size_t number, const BuildDiagnostic& d);
    void setMessage(std::string text);
    void notify(Change change);

    TEmbedded& m_app;
    BuildFollower* m_follower = nullptr;
    BuildTranscript m_transcript;
    ProgramRuns m_programs;
    State m_state = State::Idle;
    End m_end;
    std::string m_project;
    Snapshot m_targetBefore;
    std::int64_t m_startMs = 0;
    bool m_earlyVerdict = false;
    std::string m_verdict;
    bool m_overlapped = false;  // started while the build before was still running
    std::string m_message;
    std::vector<std::string> m_ownNotes;
    std::string m_idleHeading;
    std::optional<std::size_t> m_currentDiagnostic;
    DiagnosticMarks m_marks;
    std::vector<std::pair<int, Observer>> m_observers;
    int m_nextObserver = 1;
};
