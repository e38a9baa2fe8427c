#include "build/build_run.h"

#include "app/tembedded.h"
#include "build/build_files.h"
#include "platform/paths/win_path.h"

namespace {

// The toolchain stamps files in DOS time: whole seconds, rounded down to an even count.
std::int64_t dosTime(std::int64_t ms)
{
    constexpr std::int64_t step = 2000;
    const std::int64_t rest = ms % step;
    return ms - (rest < 0 ? rest + step : rest);
}

}  // namespace

BuildRun::BuildRun(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    for (const char* name : {"Compile1", "BuildAll1", "BuildAllBtn"})
        c[name].onActivate([this](const Sender& s) { Compile1Click(s); });
    c["CompBtn"].onActivate([this](const Sender&) { CompBtnClick(); });
    c["ViewListBtn"].onActivate([this](const Sender&) { m_app.controls()["ViewList"].activate(); });
}

std::string BuildRun::targetPath() const
{
    const ControlSet& c = m_app.controls();
    if (m_app.settings().targetSwitch)
        return winpath::join(m_app.compileDir(), c["LinkFile"].text());
    return c["ObjectFile"].text();
}

void BuildRun::Compile1Click(const Sender& sender)
{
    if (!m_app.projectLoaded()) {
        m_app.message("Cant Compile,  No Project loaded", MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    ControlSet& c = m_app.controls();
    Files& files = m_app.host().files;
    // An old result must never be taken for this build's.
    const std::string objectFile = c["ObjectFile"].text();
    if (files.fileExists(objectFile))
        files.removeFile(objectFile);
    const std::string listFile = winpath::join(m_app.compileDir(), c["Linklistfile"].text());
    if (files.fileExists(listFile))
        files.removeFile(listFile);
    disableResultViews();

    if (!m_app.buildFiles().GenerateBuildFiles(senderLinks(sender))) {
        m_app.message("Can't Compile");
        return;
    }
    if (onFullBuild)
        onFullBuild();
    startBatch("pathset.bat");
}

void BuildRun::disableResultViews()
{
    ControlSet& c = m_app.controls();
    for (const char* name : {"ViewList", "ViewCompilerList", "ViewListBtn", "ErrorcheckBtn", "Prgm"})
        c[name].setEnabled(false);
}

void BuildRun::startBatch(const std::string& batchName)
{
    const bool shown = m_app.controls()["ShowProgress"].checked();
    m_app.buildTargetPath = targetPath();
    if (m_app.host().files.fileExists(m_app.buildTargetPath))
        m_previousTarget = true;
    m_app.statusBar().setPanelText(5, "Compiling");
    const std::string& dir = m_app.settings().directory;
    if (onStarting)
        onStarting();
    m_app.host().shell.open(winpath::join(dir, batchName), "", dir, shown);
    m_startMs = m_app.host().clock.nowMs();
    // A build started while the check is pending shares that one check.
    if (!m_timerRunning) {
        m_timerRunning = true;
        m_app.host().timers.startOnce(CompileTimerMs, [this] { CompileTimerTimer(); });
    }
}

void BuildRun::CompBtnClick()
{
    Sender self;
    self.kind = SenderKind::ToolButton;
    self.tag = m_app.controls()["CompBtn"].tag;
    Compile1Click(self);
}

void BuildRun::CompileTimerTimer()
{
    m_timerRunning = false;
    ControlSet& c = m_app.controls();
    Files& files = m_app.host().files;
    m_app.buildTargetPath = targetPath();
    const std::string& path = m_app.buildTargetPath;
    std::string outcome;
    if (files.fileExists(path)) {
        const auto modified = files.modifiedMs(path);
        const bool newer = modified && dosTime(*modified) > m_startMs;
        outcome = (m_previousTarget && newer ? "Updated " : "Created ") + path;
        if (c["Linklist"].checked()) {
            c["ViewListBtn"].setEnabled(true);
            c["ViewList"].setEnabled(true);
        }
    } else {
        outcome = "Compile failed " + path;
    }
    if (c["ShowOnEnd"].checked())
        c["CompilerOP1"].activate();
    if (c["GLF"].checked())
        EnableListingViews();
    m_app.statusBar().setPanelText(5, outcome);
    if (onChecked)
        onChecked();
}

void BuildRun::EnableListingViews()
{
    if (!m_app.host().files.fileExists(winpath::join(m_app.compileDir(), "out.map")))
        return;
    ControlSet& c = m_app.controls();
    c["ViewCompilerList"].setEnabled(true);
    c["ErrorcheckBtn"].setEnabled(true);
}
