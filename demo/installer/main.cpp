// Installs Tarnel's demo into the user's Wine-style prefix, adding only what is missing.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "demo_installer.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_text.h"

namespace {

// The stand-in tools always lie beside this program; the demo data where an install put it,
// else in the sources it was built from.
std::string demoDir()
{
    const QDir installed(QDir(QCoreApplication::applicationDirPath()).filePath(TARNEL_INSTALLED_DEMO_DIR));
    if (installed.exists(QStringLiteral("nec")))
        return hostPathFromQ(QDir::cleanPath(installed.absolutePath()));
    return TARNEL_DEMO_DIR;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QtSettingsStore settings;
    DemoInstaller installer(DriveMap::fromEnvironment(), settings,
                            {hostPathFromQ(QCoreApplication::applicationDirPath()), demoDir()});
    const bool ok = installer.run();
    for (const std::string& line : installer.report())
        std::printf("%s\n", line.c_str());
    return ok ? 0 : 1;
}
