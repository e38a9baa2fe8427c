#include "app/view/program_window.h"

#include "app/tembedded.h"
#include "app/view/dir_setup_dialog.h"
#include "app/view/main_window.h"
#include "build/view/build_output_view.h"
#include "build/view/error_log_dialog.h"
#include "components/view/start_up_style.h"
#include "components/view/help_views.h"
#include "editor/view/recovery_box_view.h"
#include "linker/view/command_file_editor_dialog.h"
#include "linker/view/memory_usage_dock.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_recovery_folder.h"
#include "tools/view/tools_views.h"

namespace {

// The core keeps recovery copies from its first moment on, so the host has the folder first.
Host& withRecovery(QtHost& platform, QtRecoveryFolder& recovery)
{
    platform.host().recovery = &recovery;
    return platform.host();
}

}  // namespace

ProgramWindow::ProgramWindow()
    : m_platform(std::make_unique<QtHost>()),
      m_recovery(std::make_unique<QtRecoveryFolder>()),
      m_app(std::make_unique<TEmbedded>(withRecovery(*m_platform, *m_recovery)))
{
    StartUpStyle::install();
    m_window = std::make_unique<MainWindow>(*m_app, nullptr, MainWindow::PageSets::OnFirstUse);
    MainWindow& window = *m_window;
    m_app->runSetupDialog = [&window](DirSetup& setup) { return DirSetupDialog::run(setup, &window); };
    installHelpViews(*m_app, window, m_platform->driveMap());
    installCommandFileEditor(*m_app, &window);
    installToolsViews(*m_app, window);
    ErrorLogDialog::registerView();
    RecoveryBoxView::registerView();
    installBuildOutputViewOnFirstUse(*m_app, window, &m_platform->shell());
    installMemoryUsageViewOnFirstUse(*m_app, window);
}

// The window goes before the core it shows, the core before the host it uses.
ProgramWindow::~ProgramWindow()
{
    m_window.reset();
    m_app.reset();
}
