// Installs Tarnel's demo into the user's Wine-style prefix, adding only what is missing.
#include <QCoreApplication>
#include <cstdio>

#include "demo_installer.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_text.h"

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QtSettingsStore settings;
    DemoInstaller installer(DriveMap::fromEnvironment(), settings,
                            {hostPathFromQ(QCoreApplication::applicationDirPath()), TARNEL_DEMO_DIR});
    const bool ok = installer.run();
    for (const std::string& line : installer.report())
        std::printf("%s\n", line.c_str());
    return ok ? 0 : 1;
}
