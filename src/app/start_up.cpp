#include "app/start_up.h"

#include <functional>

#include "app/file_messages.h"
#include "app/program_options.h"
#include "app/tembedded.h"
#include "build/build_files.h"
#include "build/compiler_options.h"
#include "editor/editor_windows.h"
#include "editor/file_routes.h"
#include "editor/recovery_offer.h"
#include "editor/recovery_store.h"
#include "components/help_handlers.h"
#include "linker/compose_linker_line.h"
#include "linker/linker_options.h"
#include "platform/paths/win_path.h"
#include "project/project_commands.h"
#include "project/project_edit_panel.h"
#include "project/project_file.h"
#include "project/source_browser.h"
#include "tools/tool_config.h"

StartUp::StartUp(TEmbedded& app) : m_app(app) {}

void StartUp::FormActivate()
{
    if (m_armed)
        return;
    m_armed = true;
    if (m_app.onMaximize)
        m_app.onMaximize();
    m_app.host().timers.startOnce(TimerMs, [this] { StartTimerTimer(); });
}

void StartUp::StartTimerTimer()
{
    if (m_done || m_app.closing())
        return;
    m_done = true;
    Settings& s = m_app.settings();

    TOrvaneAboutBox& about = m_app.help().aboutBox();
    about.Filename = m_app.host().programFile;
    m_app.setCaption(std::string(TEmbedded::ApplicationTitle) + " Version " + about.FileVersionText() + "  by Orvane");
    s.tools = {};
    m_app.outputCaptureFile = "C:\\Outputfile.txt";
    s.read(m_app.host().settings, m_app.controls());
    m_settingsRead = true;
    m_app.helpFile = m_app.host().programFolder + "Docs\\Tarnel.chm";
    if (m_app.onMaximize)
        m_app.onMaximize();
    // Each step may show a modal box; a shutdown begun meanwhile ends the sequence.
    const std::function<void()> steps[] = {
        [&] {
            if (s.directory.empty())
                m_app.showSetup();
        },
        [&] { checkCompileDir(); },
        [&] { checkCommandFiles(); },
        [&] {
            if (m_app.host().files.folderExists(s.necDir))
                copyToolchainFiles();
            else
                reportMissingNec();
        },
        [&] { m_app.buildFiles().WritePathset(s.directory); },
        [&] { prepareControls(); },
        [&] { loadLastProject(); },
        [&] { m_app.fileRoutes().reloadLastFile(); },
        [&] { m_app.UpdateStatusBar(0); },
        [&] { RecoveryOffer(m_app.recovery(), m_app.host().dialogs, m_app.editors(), m_app.controls()).run([&] {
                return m_app.closing();
            }); },
    };
    // A shutdown that runs inside one of a step's boxes ends the step there too: nothing of
    // it may write after the shutdown's saves.
    try {
        TEmbedded::InterruptedByShutdown interrupted(m_app);
        for (const auto& step : steps) {
            if (m_app.closing())
                return;
            step();
        }
    } catch (const TEmbedded::ShutdownBegun&) {
    }
}

void StartUp::checkCompileDir()
{
    const std::string dir = m_app.settings().compSource;
    Files& files = m_app.host().files;
    if (files.folderExists(dir))
        return;
    // The box says the folder was created, so it is made first and the box shown only when
    // that worked; a folder whose parent is missing gets the platform's failure instead.
    if (!files.createFolder(dir)) {
        m_app.message(cannotCreateFolderMessage(dir), MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    m_app.message("Working Directory created " + dir + "\r" +
                  "Please transfer the NEC *.H, *.INC, *.R25 and *.XCL libarys");
}

void StartUp::checkCommandFiles()
{
    const std::string dir = m_app.settings().compSource;
    for (const char* name : DefaultCommandFiles) {
        if (!m_app.host().files.fileExists(winpath::join(dir, std::string(name) + ".xcl"))) {
            m_app.message("Warning at least one linker map file is missing\rPlease Install into " + dir,
                          MsgButtons::Ok, MsgIcon::Warning);
            return;
        }
    }
}

void StartUp::copyToolchainFiles()
{
    Files& files = m_app.host().files;
    const std::string nec = m_app.settings().necDir;
    const std::string dest = m_app.settings().compSource;
    const std::pair<const char*, const char*> sources[] = {
        {"C\\include", "*.h"}, {"C\\Lib", "*.r25"}, {"C\\test", "*.r25"}};
    for (const auto& [sub, mask] : sources) {
        const std::string folder = winpath::join(nec, sub);
        for (const std::string& name : files.list(folder, mask)) {
            if (m_app.closing())
                return;
            const std::string source = winpath::join(folder, name);
            const CopyResult r = files.copyIntoFolder(source, dest);
            if (r == CopyResult::Ok)
                continue;
            // One message is enough: the remaining copies would fail the same way.
            m_app.message(copyFailureMessage(r, source, dest), MsgButtons::Ok, MsgIcon::Error);
            return;
        }
    }
}

void StartUp::reportMissingNec()
{
    const std::string text = "NEC Directory does not exist on the specified drive\r"
                             "Please Install NEC Compiler into " +
                             m_app.settings().necDir + "To specify a different folder\rPlease click [OK]";
    if (m_app.message(text, MsgButtons::OkCancel, MsgIcon::Information) == MsgAnswer::Ok)
        m_app.showSetup();
    ControlSet& c = m_app.controls();
    c["CompileMenu"].setEnabled(false);
    c["Prgm"].setEnabled(false);
    c["EditBatch"].setEnabled(false);
}

void StartUp::prepareControls()
{
    ControlSet& c = m_app.controls();
    m_app.projectEdit().browser().setDirectory(m_app.settings().directory);
    m_app.linker().CrossrefClick();
    m_app.programOptions().prepare();
    c["LinkerTabs"].setTabVisible("List File", c["Linklist"].checked());
    m_app.compilerProgram = "icc78300 ";
    m_app.linkerProgram = "xlink ";
    c["Linklistfile"].setText("out.map");
    m_app.toolConfig().refreshProgrammingControls();
}

void StartUp::loadLastProject()
{
    // From here on the controls belong to the project being loaded (or to the defaults).
    m_projectSettled = true;
    Settings& s = m_app.settings();
    // A path chosen in the setup dialog earlier in this start-up is the one to load now.
    if (s.nextStartProject)
        s.setProject(*s.nextStartProject);
    if (!s.project.empty() && m_app.host().files.fileExists(s.project)) {
        // Loading may change the settings' project; the list keeps the path that was opened.
        const std::string path = s.project;
        m_projectLoad = ProjectLoad::Failed;
        // A shutdown begun during the load has saved the project; nothing may follow it.
        if (!m_app.project().load(path, ProjectFile::Copies::LeftForBuild) || m_app.closing())
            return;
        m_app.projectCommands().rememberProject(path);
        m_projectLoad = ProjectLoad::BuildFilesFailed;
        if (!m_app.buildFiles().GenerateBuildFiles(true)) {
            // A generation stopped by the shutdown is no failure to report.
            if (m_app.closing())
                return;
            m_app.message("Unable to Compile");
            return;
        }
        m_projectLoad = ProjectLoad::Ready;
        return;
    }
    m_projectLoad = ProjectLoad::NoProject;
    s.project = Settings::NoProject;
    m_app.controls()["ProjEdit"].setEnabled(false);
    m_app.compiler().DefaultsClick();
    m_app.linker().LinkDefsClick();
}

void StartUp::shutdown()
{
    ProjectFile& project = m_app.project();
    project.ComposeProject();
    if (!m_projectSettled) {
        // Closed while starting: the controls do not hold the stored project yet.
    } else if (m_app.projectLoaded()) {
        m_app.editors().SaveEdtorFiles();
        if (!project.write(m_app.settings().project))
            m_app.message("Error in Project file , Not saved", MsgButtons::Ok, MsgIcon::Error);
    } else {
        m_app.message("No Project loaded");
    }
    if (m_settingsRead)
        m_app.writeSettings();
    m_app.editors().SaveEdtorFiles();
    m_app.settings().tools = {};
    m_app.editors().CloseEditorFiles();
    // Whatever could not be saved (a cancelled Save As, a failed write) waits for the next start.
    m_app.recovery().keepUnsaved();
}
