#include "build/headless_build.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "app/start_up.h"
#include "app/tembedded.h"
#include "build/build_changed.h"
#include "build/build_output.h"
#include "build/build_report.h"
#include "build/build_run.h"
#include "linker/memory_watch.h"
#include "platform/host/host.h"
#include "platform/paths/win_path.h"

namespace {

// The user's settings with the project of the command line in place of the last one. What
// the core writes stays here: a build server never changes the user's store.
class ProjectOverlay : public SettingsStore {
public:
    ProjectOverlay(const SettingsStore& user, std::string project) : m_user(user), m_project(std::move(project)) {}

    std::optional<std::string> read(const std::string& name) const override
    {
        const std::string key = winpath::lower(name);
        if (const auto it = m_written.find(key); it != m_written.end())
            return it->second;
        if (key == "project")
            return m_project;
        return m_user.read(name);
    }
    void write(const std::string& name, const std::string& value) override { m_written[winpath::lower(name)] = value; }
    bool flush() override { return true; }
    std::size_t valueCount() const override { return m_user.valueCount(); }

private:
    const SettingsStore& m_user;
    std::string m_project;
    std::unordered_map<std::string, std::string> m_written;
};

// Nobody answers: a box with an OK only is taken as read, any question is declined, and no
// file or folder is chosen. The texts are kept for the terminal.
class UnattendedDialogs : public Dialogs {
public:
    struct Message {
        std::string text;
        MsgIcon icon;
    };

    MsgAnswer message(const std::string& text, MsgButtons buttons, MsgIcon icon) override
    {
        std::string line = text;
        std::replace(line.begin(), line.end(), '\r', ' ');
        std::replace(line.begin(), line.end(), '\n', ' ');
        messages.push_back({line, icon});
        switch (buttons) {
        case MsgButtons::Ok:
            return MsgAnswer::Ok;
        case MsgButtons::YesNo:
            return MsgAnswer::No;
        default:
            return MsgAnswer::Cancel;
        }
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
    void notice(const std::string& line) override { messages.push_back({line, MsgIcon::Information}); }

    // The box that tells most about a failure: the first error, else the first of any kind.
    std::string reason() const
    {
        for (const Message& m : messages)
            if (m.icon == MsgIcon::Error)
                return m.text;
        return messages.empty() ? std::string("no reason was given") : messages.front().text;
    }
    // Says what was shown so far and forgets it.
    void tell(const std::function<void(const std::string&)>& say)
    {
        if (say)
            for (const Message& m : messages)
                say(m.text);
        messages.clear();
    }

    std::vector<Message> messages;
};

// Programs are not started from here: the build's batch file is run by the caller, to its end.
class RecordingShell : public Shell {
public:
    struct Open {
        std::string file, folder;
    };
    void open(const std::string& file, const std::string&, const std::string& workingFolder, bool) override
    {
        opened.push_back({file, workingFolder});
    }
    std::vector<Open> opened;
};

class NoBeeper : public Beeper {
public:
    void beep() override {}
};

// The timers tick when the build says so: the start-up's at once, the end check's at the end.
class ManualTimers : public Timers {
public:
    Id startOnce(int milliseconds, std::function<void()> callback) override
    {
        m_pending.push_back({++m_last, milliseconds, std::move(callback)});
        return m_last;
    }
    void cancel(Id id) override
    {
        std::erase_if(m_pending, [id](const Pending& p) { return p.id == id; });
    }
    bool fire(int milliseconds)
    {
        const auto it = std::find_if(m_pending.begin(), m_pending.end(),
                                     [milliseconds](const Pending& p) { return p.ms == milliseconds; });
        if (it == m_pending.end())
            return false;
        const std::function<void()> callback = std::move(it->callback);
        m_pending.erase(it);
        callback();
        return true;
    }

private:
    struct Pending {
        Id id;
        int ms;
        std::function<void()> callback;
    };
    std::vector<Pending> m_pending;
    Id m_last = 0;
};

}  // namespace

HeadlessBuild::Result HeadlessBuild::run(Platform& platform, const std::string& project, const CiOutputs& outputs,
                                         bool changedOnly)
{
    UnattendedDialogs dialogs;
    RecordingShell shell;
    NoBeeper beeper;
    ManualTimers timers;
    ProjectOverlay settings(platform.settings, project);
    Host host{dialogs,  shell,           beeper, platform.clock, timers, settings, platform.files,
              platform.programFolder, platform.programFile};
    TEmbedded app(host);

    Result result;
    auto refuse = [&](const std::string& problem) {
        result.exit = BadInput;
        result.problem = problem;
        return result;
    };

    app.FormActivate();
    timers.fire(StartUp::TimerMs);
    if (app.settings().directory.empty())
        return refuse("the settings name no working directory: run Tarnel's setup once, or give --settings FILE");
    switch (app.startUp().projectLoad()) {
    case StartUp::ProjectLoad::Ready:
        break;
    case StartUp::ProjectLoad::NoProject:
        return refuse("the project file " + project + " does not exist");
    case StartUp::ProjectLoad::Failed:
        return refuse("cannot load the project " + project + ": " + dialogs.reason());
    case StartUp::ProjectLoad::BuildFilesFailed:
        return refuse("cannot write the build files of " + project + ": " + dialogs.reason());
    case StartUp::ProjectLoad::NotReached:
        return refuse("the start-up did not reach the project: " + dialogs.reason());
    }
    ControlSet& c = app.controls();
    // The start-up turns building off when the toolchain is missing; so does the user's menu.
    if (!c["CompileMenu"].enabled() || !c["BuildAll1"].enabled())
        return refuse("cannot build " + project + ": " + dialogs.reason());
    dialogs.tell(platform.say);

    if (changedOnly && !app.buildChanged().BuildChangedClick() && app.buildChanged().plan().nothingToDo() &&
        dialogs.messages.empty()) {
        for (const std::string& line : app.buildOutput().notes())
            if (platform.say)
                platform.say(line);
        result.exit = Made;
        result.outcome = BuildChanged::NothingToDo;
        // The target stands as the last link made it, so its figures are still the ones to check.
        result.memory = memoryOfLastLink(c, app.settings(), platform.files);
        return result;
    }
    if (!changedOnly)
        c["BuildAll1"].activate();
    const std::string pathset =
        winpath::join(app.settings().directory, changedOnly ? BuildChanged::PathBatch : "pathset.bat");
    const auto started = std::find_if(shell.opened.begin(), shell.opened.end(), [&](const RecordingShell::Open& o) {
        return o.file == pathset;
    });
    if (started == shell.opened.end())
        return refuse("the build of " + project + " did not start: " + dialogs.reason());
    const RecordingShell::Open batch = *started;

    std::vector<TranscriptRecord> records = platform.runBatch(batch.file, batch.folder);
    const bool ended = std::any_of(records.begin(), records.end(), [](const TranscriptRecord& r) {
        return r.kind == TranscriptRecord::Kind::Ended || r.kind == TranscriptRecord::Kind::Lost;
    });
    if (!ended)
        records.push_back({TranscriptRecord::Kind::Lost, "The batch runner did not tell its end.", 0, 0});
    BuildOutput& output = app.buildOutput();
    output.receive(std::move(records));
    timers.fire(BuildRun::CompileTimerMs);
    dialogs.tell(platform.say);

    result.outcome = app.statusBar().panel(5).text;
    if (platform.say)
        platform.say(output.summary());
    result.memory = memoryAfterBuild(output, c, app.settings(), platform.files);
    const BuildOutput::Target target = output.end().target;
    // The end check names an old target "Created " too; only a file this build wrote counts.
    result.exit = target == BuildOutput::Target::Created || target == BuildOutput::Target::Updated ? Made : NotMade;
    if (outputs.any()) {
        const Settings& s = app.settings();
        const BuildReport report = buildReport(output, c["ProjectListBox"].entries(), s.project, s.compSource, platform.files);
        result.unwritten = writeCiOutputs(outputs, report, c, s.necDir, s.compSource, platform.files);
    }
    return result;
}
