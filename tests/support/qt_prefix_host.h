#pragma once
// A host over a temporary prefix with the real files, clock and shell (so the stand-in tools
// really run), and fake dialogs, settings and timers: what GUI tests of whole builds drive.
#include "platform/fake/fake_host.h"
#include "platform/host/host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_files.h"
#include "platform/qt/qt_shell.h"
#include "support/temp_prefix.h"

struct QtPrefixHost {
    TempPrefix prefix;
    DriveMap map{prefix.path()};
    FakeSettingsStore settings;
    FakeDialogs dialogs;
    QtShell shell{map};
    FakeBeeper beeper;
    QtClock clock;
    FakeTimers timers;
    QtFiles files{map};
    Host host{dialogs, shell, beeper, clock, timers, settings, files, "C:\\Program Files\\Tarnel\\"};
};
