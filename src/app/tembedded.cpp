#include "app/tembedded.h"

#include "app/dir_setup.h"
#include "app/main_commands.h"
#include "app/program_options.h"
#include "app/start_up.h"
#include "build/assembler_run.h"
#include "build/build_changed.h"
#include "build/build_files.h"
#include "build/build_output.h"
#include "build/build_run.h"
#include "build/tool_runs.h"
#include "build/ci_outputs.h"
#include "build/error_check.h"
#include "build/compiler_options.h"
#include "linker/command_file_wizard.h"
#include "editor/editor_windows.h"
#include "editor/file_routes.h"
#include "editor/open_dialog.h"
#include "editor/recovery_store.h"
#include "components/help_handlers.h"
#include "linker/linker_options.h"
#include "linker/new_command_file.h"
#include "project/project_commands.h"
#include "project/project_edit_panel.h"
#include "project/project_file.h"
#include "project/project_list_view.h"
#include "tools/output_save.h"
#include "tools/tool_config.h"
#include "tools/tool_runner.h"

TEmbedded::TEmbedded(Host& host) : m_host(host)
{
    declareMainCommands(m_controls);
    m_help = std::make_unique<HelpHandlers>(*this);
    m_programOptions = std::make_unique<ProgramOptions>(*this);
    m_compiler = std::make_unique<CompilerOptions>(*this);
    m_linker = std::make_unique<LinkerOptions>(*this);
    m_commandFileWizard = std::make_unique<CommandFileWizard>(*this);
    m_project = std::make_unique<ProjectFile>(*this);
    m_projectEdit = std::make_unique<ProjectEditPanel>(*this);
    m_buildFiles = std::make_unique<BuildFiles>(*this);
    m_buildRun = std::make_unique<BuildRun>(*this);
    m_startUp = std::make_unique<StartUp>(*this);
    m_projectCommands = std::make_unique<ProjectCommands>(*this);
    m_projectList = std::make_unique<ProjectListView>(*this);
    m_openDialog = std::make_unique<OpenDialog>();
    m_recovery = std::make_unique<RecoveryStore>(host.recovery, host.timers, host.clock);
    m_editors = std::make_unique<EditorWindows>(*this);
    m_fileRoutes = std::make_unique<FileRoutes>(*this);
    m_assembler = std::make_unique<AssemblerRun>(*this);
    m_toolConfig = std::make_unique<ToolConfig>(*this);
    m_toolRunner = std::make_unique<ToolRunner>(*this);
    m_outputSave = std::make_unique<OutputSave>(*this);
    m_errorCheck = std::make_unique<ErrorCheck>(*this);
    m_newCommandFile = std::make_unique<NewCommandFile>(*this);
    m_buildOutput = std::make_unique<BuildOutput>(*this);
    m_toolRuns = std::make_unique<ToolRuns>(*m_buildOutput, host.files, host.clock, *m_editors);
    m_compileCommandsExport = std::make_unique<CompileCommandsExport>(
        m_controls, m_settings, host.files,
        [this](const std::string& text, MsgIcon icon) { message(text, MsgButtons::Ok, icon); });
    m_buildChanged = std::make_unique<BuildChanged>(*this);
    wireCommands();
}

TEmbedded::~TEmbedded() = default;

void TEmbedded::OpenFileClick(const Sender& sender)
{
    m_fileRoutes->OpenFileClick(sender);
}

void TEmbedded::NewFile1Click()
{
    m_fileRoutes->NewFile1Click();
}

void TEmbedded::wireCommands()
{
    ControlSet& c = m_controls;
    auto close = [this](const Sender&) {
        if (onCloseRequest)
            onCloseRequest();
    };
    c["Exit1"].onActivate(close);
    c["ExitBtn"].onActivate(close);
    for (const char* item : {"ViewAll", "ViewLinkerLine", "ViewCompilerLine"})
        c[item].onActivate([this](const Sender& s) { StatusBarModeClick(s); });
    c["Setup1"].onActivate([this](const Sender&) {
        showSetup();
        m_buildFiles->WritePathset(m_settings.directory);
    });
}

void TEmbedded::setCaption(const std::string& caption)
{
    m_caption = caption;
    if (onCaptionChanged)
        onCaptionChanged();
}

MsgAnswer TEmbedded::message(const std::string& text, MsgButtons buttons, MsgIcon icon)
{
    const bool wasClosing = m_closing;
    const MsgAnswer answer = m_host.dialogs.message(text, buttons, icon);
    stopIfClosedDuringModal(wasClosing);
    return answer;
}

void TEmbedded::stopIfClosedDuringModal(bool wasClosing) const
{
    if (!wasClosing && m_closing && m_interruptible > 0)
        throw ShutdownBegun{};
}

void TEmbedded::requestHelp(int topic)
{
    if (onHelp)
        onHelp(topic);
    m_help->showTopic(topic);
}

void TEmbedded::SaveObjectFileClick()
{
    m_outputSave->SaveObjectFileClick();
}

void TEmbedded::SelectSaveLocation1Click()
{
    m_outputSave->SelectSaveLocation1Click();
}

void TEmbedded::UpdateStatusBar(int mode)
{
    StatusBar& bar = m_statusBar;
    bar.setPanelText(0, m_settings.project);
    if (!m_prolist.empty()) {
        bar.setPanelText(1, "Mem " + m_controls["MBox"].text());
        bar.setPanelText(2, "Wr Fmt " + m_controls["PWbox"].text());
    }
    bar.setPanelText(3, m_controls["ProcType"].text());
    bar.setPanelText(4, compilerProgram);
    bar.setPanelText(5, m_compiler->CompilerParams(""));
    bar.setPanelText(6, m_linker->ComposeLinkerLine());
    bar.setMode(mode);
}

void TEmbedded::SaveEdtorFiles()
{
    m_editors->SaveEdtorFiles();
}

void TEmbedded::StatusBarModeClick(const Sender& sender)
{
    static const char* const items[] = {"ViewAll", "ViewLinkerLine", "ViewCompilerLine"};
    if (sender.tag < 0 || sender.tag > 2)
        return;
    UpdateStatusBar(sender.tag);
    m_controls[items[sender.tag]].setChecked(true);
}

void TEmbedded::FormActivate()
{
    m_startUp->FormActivate();
}

void TEmbedded::FormClose()
{
    if (m_closing)
        return;
    m_closing = true;
    m_startUp->shutdown();
}

bool TEmbedded::writeSettings()
{
    if (m_settings.write(m_host.settings, m_controls))
        return true;
    message("Configuration not saved", MsgButtons::Ok, MsgIcon::Error);
    return false;
}

bool TEmbedded::showSetup()
{
    DirSetup setup(*this);
    const bool wasClosing = m_closing;
    const bool accepted = runSetupDialog && runSetupDialog(setup);
    stopIfClosedDuringModal(wasClosing);
    if (!accepted)
        return false;
    setup.ok();
    return true;
}
