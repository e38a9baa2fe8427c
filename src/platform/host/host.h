#pragma once
#include "platform/host/dialogs.h"
#include "platform/host/files.h"
#include "platform/host/recovery_folder.h"
#include "platform/host/settings_store.h"
#include "platform/host/shell.h"

// Everything the core asks of the platform, handed around as one bundle.
struct Host {
    Dialogs& dialogs;
    Shell& shell;
    Beeper& beeper;
    Clock& clock;
    Timers& timers;
    SettingsStore& settings;
    Files& files;
    std::string programFolder;  // Windows path of the folder holding the executable
    std::string programFile = {};  // Windows path of the executable itself
    RecoveryFolder* recovery = nullptr;  // none: no recovery copies are kept
};
