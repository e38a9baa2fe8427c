#include <QApplication>

#include "app/tembedded.h"
#include "app/view/main_window.h"
#include "app/view/program_window.h"
#include "app/view/session_end.h"
#include "app/view/test_drive.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(TEmbedded::ApplicationTitle);
    QApplication::setOrganizationName("Orvane");
    // A closed main window ends the process through the shutdown, never before it.
    QApplication::setQuitOnLastWindowClosed(true);

    ProgramWindow program;
    installSessionEndHandling(application, program.window(), program.app());
    installTestDrive(program.app(), program.window());

    program.window().showMaximized();
    program.window().activateWindow();
    return application.exec();
}
