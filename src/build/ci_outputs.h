#pragma once
// What a build leaves for the tools around it: the SARIF log, the JUnit report and the
// compilation database, each written whole or not at all, and written whatever the build's
// end, for a failed build is when they are read most. Also "Project" > "Export
// compile_commands.json", which writes the database beside the project file.
#include <functional>
#include <string>
#include <vector>

#include "platform/host/dialogs.h"

class ControlSet;
class Files;
struct BuildReport;
class Settings;

// Windows paths; an empty one is not asked for.
struct CiOutputs {
    std::string sarif;
    std::string junit;
    std::string compileCommands;

    bool any() const { return !sarif.empty() || !junit.empty() || !compileCommands.empty(); }
};

// Writes each file asked for; the paths that could not be written.
std::vector<std::string> writeCiOutputs(const CiOutputs& outputs, const BuildReport& report, const ControlSet& controls,
                                        const std::string& necDir, const std::string& compileDir, Files& files);

class CompileCommandsExport {
public:
    static constexpr const char* MenuItem = "ExportCompileCommands";
    static constexpr const char* FileName = "compile_commands.json";
    using Message = std::function<void(const std::string& text, MsgIcon icon)>;

    CompileCommandsExport(ControlSet& controls, const Settings& settings, Files& files, Message message);

    // The menu item: true when the file was written.
    bool ExportCompileCommandsClick();

private:
    ControlSet& m_controls;
    const Settings& m_settings;
    Files& m_files;
    Message m_message;
};
