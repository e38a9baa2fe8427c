#include "platform/qt/qt_host.h"

#include <QCoreApplication>

#include "platform/paths/win_path.h"
#include "platform/qt/qt_text.h"

QtHost::QtHost() : QtHost(DriveMap::fromEnvironment()) {}

QtHost::QtHost(DriveMap map, const QString& settingsFile)
    : m_map(withOwnFolder(std::move(map))),
      m_settings(settingsFile), m_host{m_dialogs, m_shell,    m_beeper, m_clock,
                                       m_timers,  m_settings, m_files,  programFolder(m_map), programFile(m_map)}
{
}

DriveMap QtHost::withOwnFolder(DriveMap map)
{
    map.setOwnFolder(hostPathFromQ(QCoreApplication::applicationDirPath()));
    return map;
}

std::string QtHost::programFolder(const DriveMap& map)
{
    return winpath::withBackslash(map.toWindows(hostPathFromQ(QCoreApplication::applicationDirPath())));
}

std::string QtHost::programFile(const DriveMap& map)
{
    return map.toWindows(hostPathFromQ(QCoreApplication::applicationFilePath()));
}
