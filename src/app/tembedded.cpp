#include "app/tembedded.h"

#include "app/dir_setup.h"
#include "app/main_commands.h"
#include "app/program_options.h"
#include "app/start_up.h"
#include "build/build_files.h"
#include "build/build_run.h"
#include "build/compiler_options.h"
#include "linker/linker_options.h"
#include "project/project_file.h"

TEmbedded::TEmbedded(Host& host) : m_host(host)
{
    declareMainCommands(m_controls);
    m_programOptions = std::make_unique<ProgramOptions>(*this);
    m_compiler = std::make_unique<CompilerOptions>(*this);
    m_linker = std::make_unique<LinkerOptions>(*this);
    m_project = std::make_unique<ProjectFile>(*this);
    m_buildFiles = std::make_unique<BuildFiles>(*this);
    m_buildRun = std::make_unique<BuildRun>(*this);
    m_startUp = std::make_unique<StartUp>(*this);
    wireCommands();
}

TEmbedded::~TEmbedded() = default;

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
    c["StatusbarHelp"].onActivate([this](const Sender&) { requestHelp(0); });
    c["WizardHelp"].onActivate([this](const Sender&) { requestHelp(5); });
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
