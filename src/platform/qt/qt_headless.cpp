#include "platform/qt/qt_headless.h"

#include <QCoreApplication>

#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_files.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_text.h"

// The application object comes first: the settings store needs it to find the user's file.
struct QtHeadless::Parts {
    Parts(int& argc, char** argv, const DriveMap& map, const std::string& settingsFile)
        : app(argc, argv), settings(settingsFile.empty() ? QString() : hostPathToQ(settingsFile)), files(map)
    {
    }
    QCoreApplication app;
    QtSettingsStore settings;
    QtFiles files;
    QtClock clock;
};

QtHeadless::QtHeadless(int& argc, char** argv, DriveMap& map, const std::string& settingsFile)
    : m_parts(std::make_unique<Parts>(argc, argv, map, settingsFile)), m_map(map)
{
    map.setOwnFolder(hostPathFromQ(QCoreApplication::applicationDirPath()));
}

QtHeadless::~QtHeadless() = default;

Files& QtHeadless::files() { return m_parts->files; }
Clock& QtHeadless::clock() { return m_parts->clock; }
SettingsStore& QtHeadless::settings() { return m_parts->settings; }
std::string QtHeadless::programFolder() const { return QtHost::programFolder(m_map); }
std::string QtHeadless::programFile() const { return QtHost::programFile(m_map); }
