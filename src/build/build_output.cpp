#include "build/build_output.h"

#include <algorithm>

#include "app/tembedded.h"
#include "build/build_run.h"
#include "build/elapsed_text.h"
#include "build/error_check.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/text_buffer.h"
#include "platform/paths/win_path.h"

BuildOutput::BuildOutput(TEmbedded& app) : m_app(app), m_marks(app.editors(), app.controls()["ProjectListBox"])
{
    m_marks.onMoved = [this] { notify(Change::Marks); };
    app.controls()[MenuItem].onActivate([this](const Sender&) { ViewBuildOutputClick(); });
    app.buildRun().onStarting = [this] { buildStarting(); };
    app.buildRun().onChecked = [this] { endChecked(); };
}

BuildOutput::~BuildOutput()
{
    if (m_follower)
        m_follower->stop();
}

void BuildOutput::setFollower(BuildFollower* follower)
{
    if (m_follower && m_follower != follower)
        m_follower->stop();
    m_follower = follower;
}

bool BuildOutput::visible() const
{
    return m_app.controls()[MenuItem].checked();
}

void BuildOutput::setVisible(bool on)
{
    if (visible() == on)
        return;
    m_app.controls()[MenuItem].setChecked(on);
    notify(Change::Visibility);
}

BuildOutput::Snapshot BuildOutput::snapshot(const std::string& path) const
{
    Snapshot s;
    if (path.empty())
        return s;
    const Files& files = m_app.host().files;
    s.exists = files.fileExists(path);
    if (s.exists)
        s.modified = files.modifiedMs(path);
    return s;
}

void BuildOutput::buildStarting()
{
    m_overlapped = m_state == State::Running;
    m_state = State::Running;
    m_transcript.clear();
    m_programs.clear();
    m_end = {};
    m_end.targetPath = m_app.buildTargetPath;
    m_targetBefore = snapshot(m_end.targetPath);
    m_project = m_app.settings().project;
    m_startMs = m_app.host().clock.nowMs();
    m_earlyVerdict = false;
    m_verdict.clear();
    m_message.clear();
    m_ownNotes.clear();
    m_idleHeading.clear();
    m_currentDiagnostic.reset();
    m_marks.clear();
    setVisible(true);
    notify(Change::Reset);
    if (m_follower)
        m_follower->follow([this](std::vector<TranscriptRecord> records) { receive(std::move(records)); });
}

void BuildOutput::endChecked()
{
    if (m_state == State::Idle)
        return;
    m_earlyVerdict = m_state == State::Running;
    m_verdict = m_app.statusBar().panel(5).text;
    notify(Change::Texts);
}

void BuildOutput::receive(std::vector<TranscriptRecord> records)
{
    if (m_state != State::Running)
        return;
    bool lines = false;
    for (const TranscriptRecord& r : records) {
        switch (r.kind) {
        case TranscriptRecord::Kind::Output:
        case TranscriptRecord::Kind::Errors: {
            const auto stream = r.kind == TranscriptRecord::Kind::Output ? OutputStream::Output : OutputStream::Errors;
            m_transcript.add(r.data, stream);
            lines = true;
            break;
        }
        case TranscriptRecord::Kind::ProgramStarted:
            lines = m_transcript.close().lastChanged || lines;
            m_programs.started(r.data, m_transcript);
            break;
        case TranscriptRecord::Kind::ProgramEnded:
            lines = m_transcript.close().lastChanged || lines;
            m_programs.ended(r.status, m_transcript);
            if (r.status != 0)
                m_end.failedPrograms.emplace_back(r.data, r.status);
            break;
        case TranscriptRecord::Kind::Ended:
        case TranscriptRecord::Kind::Lost:
            m_transcript.close();
            m_programs.buildEnded(m_transcript);
            lines = true;
            finish(r);
            break;
        case TranscriptRecord::Kind::Started:
            break;
        }
        if (m_state != State::Running)
            break;
    }
    if (lines)
        notify(Change::Lines);
    notify(Change::Texts);
}

void BuildOutput::addNotes(std::vector<std::string> lines)
{
    m_ownNotes.insert(m_ownNotes.end(), lines.begin(), lines.end());
    notify(Change::Texts);
}

void BuildOutput::nothingStarted(std::string heading, std::vector<std::string> lines)
{
    // A build still running keeps its panel; the answer joins its notes.
    if (m_state == State::Running) {
        lines.insert(lines.begin(), std::move(heading));
        addNotes(std::move(lines));
        return;
    }
    m_state = State::Idle;
    m_transcript.clear();
    m_programs.clear();
    m_end = {};
    m_overlapped = false;
    m_earlyVerdict = false;
    m_verdict.clear();
    m_message.clear();
    m_currentDiagnostic.reset();
    m_idleHeading = std::move(heading);
    m_ownNotes = std::move(lines);
    setVisible(true);
    notify(Change::Reset);
    notify(Change::Texts);
}

void BuildOutput::finish(const TranscriptRecord& record)
{
    m_state = State::Ended;
    if (record.kind == TranscriptRecord::Kind::Ended) {
        m_end.statusKnown = true;
        m_end.exitStatus = record.status;
        m_end.elapsedMs = record.number;
    } else {
        m_end.lostReason = record.data;
        m_end.elapsedMs = m_app.host().clock.nowMs() - m_startMs;
    }
    const Snapshot after = snapshot(m_end.targetPath);
    if (!after.exists)
        m_end.target = Target::NotMade;
    else if (!m_targetBefore.exists)
        m_end.target = Target::Created;
    else if (after.modified != m_targetBefore.modified)
        m_end.target = Target::Updated;
    else
        m_end.target = Target::Unchanged;
    m_marks.attach(m_transcript.diagnostics());
}

std::string BuildOutput::heading() const
{
    switch (m_state) {
    case State::Idle:
        return m_idleHeading.empty() ? "No build has run yet." : m_idleHeading;
    case State::Running:
        return "Building " + m_project + ": " + m_transcript.countsText();
    case State::Ended:
        break;
    }
    return "Build of " + m_project + " ended: " + m_transcript.countsText();
}

std::string BuildOutput::summary() const
{
    if (m_state != State::Ended)
        return {};
    std::string out;
    if (m_end.statusKnown)
        out = "Exit status " + std::to_string(m_end.exitStatus) + " after " + elapsedText(m_end.elapsedMs) + ".";
    else
        out = m_end.lostReason + " The exit status is not known.";
    const std::string& t = m_end.targetPath;
    if (!t.empty()) {
        switch (m_end.target) {
        case Target::Created:
            out += " " + t + " was created.";
            break;
        case Target::Updated:
            out += " " + t + " was updated.";
            break;
        case Target::NotMade:
            out += " " + t + " was not made.";
            break;
        case Target::Unchanged:
            out += " " + t + " was not made by this build: the file there is from an earlier one.";
            break;
        }
    }
    if (!m_end.failedPrograms.empty()) {
        const auto& [program, level] = m_end.failedPrograms.front();
        out += " " + program + " ended with exit status " + std::to_string(level);
        const std::size_t more = m_end.failedPrograms.size() - 1;
        if (more > 0)
            out += ", and " + std::to_string(more) + (more == 1 ? " more program" : " more programs") + " failed";
        out += ".";
    }
    return out;
}

std::vector<std::string> BuildOutput::notes() const
{
    std::vector<std::string> out = m_ownNotes;
    if (m_overlapped)
        out.push_back("The build before was still running when this one started; its output is no longer shown.");
    if (m_earlyVerdict)
        out.push_back("Still running at the five-second check: the status bar's verdict (\"" + m_verdict +
                      "\") came early.");
    // "Compile" alone leaves the linker's old output where the check looks, and calls it made.
    const bool verdictMade = m_verdict.starts_with("Created ") || m_verdict.starts_with("Updated ");
    if (m_state == State::Ended && m_end.target == Target::Unchanged && verdictMade)
        out.push_back("The status bar's verdict (\"" + m_verdict + "\") refers to a file from an earlier build.");
    if (const std::size_t dropped = m_transcript.droppedLines())
        out.push_back("The first " + std::to_string(dropped) +
                      " lines were dropped from the top to keep the panel quick; it holds the last " +
                      std::to_string(BuildTranscript::DefaultMaxLines) + ".");
    return out;
}

std::optional<std::size_t> BuildOutput::currentLine() const
{
    if (!m_currentDiagnostic)
        return std::nullopt;
    const std::size_t number = m_transcript.diagnostics()[*m_currentDiagnostic].number;
    if (!m_transcript.holds(number))
        return std::nullopt;
    return number;
}

void BuildOutput::openLine(std::size_t number)
{
    if (!m_transcript.holds(number) || !m_transcript.line(number).hasDiagnostic)
        return;
    const auto& all = m_transcript.diagnostics();
    const auto it = std::lower_bound(all.begin(), all.end(), number,
                                     [](const NumberedDiagnostic& d, std::size_t n) { return d.number < n; });
    if (it != all.end() && it->number == number)
        m_currentDiagnostic = static_cast<std::size_t>(it - all.begin());
    notify(Change::Current);
    open(number, m_transcript.line(number).diagnostic);
}

void BuildOutput::nextDiagnostic()
{
    step(1);
}

void BuildOutput::previousDiagnostic()
{
    step(-1);
}

void BuildOutput::step(int direction)
{
    setVisible(true);
    const std::size_t n = m_transcript.diagnostics().size();
    if (n == 0) {
        setMessage("There are no errors or warnings in this build's output.");
        return;
    }
    std::size_t i = 0;
    if (m_currentDiagnostic)
        i = direction > 0 ? (*m_currentDiagnostic + 1) % n : (*m_currentDiagnostic + n - 1) % n;
    else
        i = direction > 0 ? 0 : n - 1;
    goTo(i);
}

void BuildOutput::goTo(std::size_t index)
{
    m_currentDiagnostic = index;
    notify(Change::Current);
    const NumberedDiagnostic& d = m_transcript.diagnostics()[index];
    open(d.number, d.diagnostic);
}

std::string BuildOutput::lineNote(std::size_t number) const
{
    if (!m_transcript.holds(number) || !m_transcript.line(number).hasDiagnostic)
        return {};
    const auto now = m_marks.where(number);
    if (!now)
        return {};
    const std::string reported = "line " + std::to_string(m_transcript.line(number).diagnostic.line);
    if (now->removed)
        return "(" + reported + " was removed)";
    if (now->line == m_transcript.line(number).diagnostic.line)
        return {};
    return "(" + reported + " is now line " + std::to_string(now->line) + ")";
}

void BuildOutput::open(std::size_t number, const BuildDiagnostic& d)
{
    if (!d.located()) {
        setMessage("This message names no source file and line.");
        return;
    }
    const std::string* entry = projectEntryFor(m_app.controls()["ProjectListBox"].entries(), d.file);
    if (!entry) {
        setMessage(d.file + " is not in the project: nothing was opened.");
        return;
    }
    if (!m_app.host().files.fileExists(*entry)) {
        setMessage(*entry + " does not exist: nothing was opened.");
        return;
    }
    setMessage({});
    const std::string file = *entry;  // the list may change while the editor opens
    EditorWindows& editors = m_app.editors();
    // Edits since the build may have moved the line: its mark knows where it is now.
    if (const auto now = m_marks.where(number)) {
        editors.showOpen(file, now->line);
        if (now->removed)
            setMessage("Line " + std::to_string(d.line) + " of " + d.file +
                       " was removed since the build; the editor shows where it was.");
        return;
    }
    if (!editors.showOpen(file, d.line))
        editors.create().OpenAtLine(file, d.line);
}

void BuildOutput::setMessage(std::string text)
{
    if (text == m_message)
        return;
    m_message = std::move(text);
    notify(Change::Texts);
}

int BuildOutput::subscribe(Observer observer)
{
    m_observers.emplace_back(m_nextObserver, std::move(observer));
    return m_nextObserver++;
}

void BuildOutput::unsubscribe(int id)
{
    std::erase_if(m_observers, [id](const auto& o) { return o.first == id; });
}

void BuildOutput::notify(Change change)
{
    const auto observers = m_observers;
    for (const auto& [id, fn] : observers)
        fn(change);
}
