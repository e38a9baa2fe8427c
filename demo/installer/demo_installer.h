#pragma once
// Installs the demo into a Wine-style prefix: the stand-in toolchain in the NEC folder layout,
// the demo sources, command files and projects and the stand-in programmer under C:\Tarnel,
// and first-run settings.
// It only ever adds what is missing. The one exception is the stand-in tools of a NEC folder
// this installer made (it leaves a marker file there): they are ours, so they are kept current.
#include <string>
#include <utility>
#include <vector>

#include "platform/paths/drive_map.h"

class SettingsStore;

struct DemoSources {
    std::string binDir;  // host folder holding the built icc78300, xlink, A78300 and prog78k
    std::string demoDir; // host folder of the demo data
};

class DemoInstaller
{
public:
    static constexpr const char* NecDir = "C:\\Nec";
    static constexpr const char* Marker = "C:\\Nec\\tarnel-demo.txt";
    static constexpr const char* WorkDir = "C:\\Tarnel\\";
    static constexpr const char* CompileDir = "C:\\Tarnel\\Source";
    static constexpr const char* SampleProject = "C:\\Tarnel\\sample.prj";
    static constexpr const char* FaultyProject = "C:\\Tarnel\\faulty.prj";
    // The stand-in device programmer, registered as the programming tool on a first run.
    static constexpr const char* ProgrammerDir = "C:\\Tarnel\\Programmer";
    static constexpr const char* ProgrammerPath = "C:\\Tarnel\\Programmer\\prog78k.exe";
    static constexpr const char* ProgrammerName = "prog78k (stand-in)";

    DemoInstaller(DriveMap map, SettingsStore& settings, DemoSources from);

    // True when nothing failed; report() tells what was done, line by line.
    bool run();
    const std::vector<std::string>& report() const { return m_report; }
    // Files added or refreshed, as Windows paths.
    const std::vector<std::string>& added() const { return m_added; }
    const std::vector<std::string>& refreshed() const { return m_refreshed; }
    bool settingsWritten() const { return m_settingsWritten; }

private:
    enum class Placed { Kept, Added, Refreshed, Failed };

    bool checkSources();
    void installNec();
    void installWorkArea();
    void installProjects();
    void installProgrammer();
    void installSettings();
    void summarise();

    bool makeFolder(const std::string& winDir);
    Placed place(const std::string& hostSource, const std::string& winDir, const std::string& name,
                 bool refresh);
    void copyFolder(const std::string& demoSub, const std::string& extension, const std::string& winDir);
    void fail(const std::string& text);

    DriveMap m_map;
    SettingsStore& m_settings;
    DemoSources m_from;
    bool m_ok = true;
    bool m_settingsWritten = false;
    std::vector<std::string> m_added;
    std::vector<std::string> m_refreshed;
    std::vector<std::string> m_notes;
    std::vector<std::string> m_report;
};
