#pragma once
// The real platform: one of each Qt/POSIX implementation over the environment's drive map.
#include "platform/host/host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_beeper.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_files.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_timers.h"

class QtHost
{
public:
    QtHost(); // the environment's prefix and the user's settings store
    // An empty settings file means the user's store.
    explicit QtHost(DriveMap map, const QString& settingsFile = {});
    QtHost(const QtHost&) = delete;
    QtHost& operator=(const QtHost&) = delete;

    Host& host() { return m_host; }
    const DriveMap& driveMap() const { return m_map; }
    QtShell& shell() { return m_shell; }

    // Windows form of the folder holding the running executable, with a trailing backslash.
    static std::string programFolder(const DriveMap& map);
    // Windows form of the running executable's path.
    static std::string programFile(const DriveMap& map);
    // The map with the running program's folder set as its own (needs the application object).
    static DriveMap withOwnFolder(DriveMap map);

private:
    DriveMap m_map;
    QtDialogs m_dialogs{m_map};
    QtShell m_shell{m_map};
    QtBeeper m_beeper;
    QtClock m_clock;
    QtTimers m_timers;
    QtSettingsStore m_settings;
    QtFiles m_files{m_map};
    Host m_host;
};
