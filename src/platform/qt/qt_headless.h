#pragma once
// What a program without a window takes from Qt: the application object, the settings store,
// the files and the clock. Qt stays behind this header, so such a program's own code needs none.
#include <memory>
#include <string>

class Clock;
class DriveMap;
class Files;
class SettingsStore;

class QtHeadless {
public:
    // settingsFile: a host path, or empty for the user's own settings.
    QtHeadless(int& argc, char** argv, DriveMap& map, const std::string& settingsFile);
    ~QtHeadless();

    Files& files();
    Clock& clock();
    SettingsStore& settings();
    std::string programFolder() const;
    std::string programFile() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
    const DriveMap& m_map;
};
