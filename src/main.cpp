#include <QApplication>

#include "app/tembedded.h"
#include "app/view/dir_setup_dialog.h"
#include "app/view/main_window.h"
#include "app/view/session_end.h"
#include "app/view/test_drive.h"
#include "build/view/build_output_view.h"
#include "build/view/error_log_dialog.h"
#include "linker/view/command_file_editor_dialog.h"
#include "components/view/help_views.h"
#include "editor/view/recovery_box_view.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_recovery_folder.h"
#include "tools/view/tools_views.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(TEmbedded::ApplicationTitle);
    QApplication::setOrganizationName("Orvane");
    // A closed main window ends the process through the shutdown, never before it.
    QApplication::setQuitOnLastWindowClosed(true);

    QtHost platform;
    QtRecoveryFolder recovery;
    platform.host().recovery = &recovery;
    TEmbedded app(platform.host());
    MainWindow window(app);
    app.runSetupDialog = [&window](DirSetup& setup) { return DirSetupDialog::run(setup, &window); };
    installHelpViews(app, window, platform.driveMap());
    installSessionEndHandling(application, window, app);
    installCommandFileEditor(app, &window);
    installToolsViews(app, window);
    ErrorLogDialog::registerView();
    RecoveryBoxView::registerView();
    installBuildOutputView(app, window, &platform.shell());

    installTestDrive(app, window);

    window.showMaximized();
    window.activateWindow();
    return application.exec();
}
