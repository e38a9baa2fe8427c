#include "build/ci_outputs.h"

#include "app/control_set.h"
#include "app/file_messages.h"
#include "app/settings.h"
#include "build/build_report.h"
#include "build/compile_commands.h"
#include "build/junit_report.h"
#include "build/sarif_log.h"
#include "platform/host/files.h"
#include "platform/paths/win_path.h"

std::vector<std::string> writeCiOutputs(const CiOutputs& outputs, const BuildReport& report, const ControlSet& controls,
                                        const std::string& necDir, const std::string& compileDir, Files& files)
{
    std::vector<std::string> failed;
    auto write = [&](const std::string& path, const std::function<std::string()>& text) {
        if (!path.empty() && !files.writeBytes(path, text()))
            failed.push_back(path);
    };
    write(outputs.sarif, [&] { return sarifLog(report); });
    write(outputs.junit, [&] { return junitReport(report); });
    write(outputs.compileCommands,
          [&] { return compileCommandsJson(compileCommands(controls, necDir, compileDir, files)); });
    return failed;
}

CompileCommandsExport::CompileCommandsExport(ControlSet& controls, const Settings& settings, Files& files,
                                             Message message)
    : m_controls(controls), m_settings(settings), m_files(files), m_message(std::move(message))
{
    controls[MenuItem].onActivate([this](const Sender&) { ExportCompileCommandsClick(); });
}

bool CompileCommandsExport::ExportCompileCommandsClick()
{
    if (!m_settings.projectLoaded()) {
        m_message("There is no project loaded to export.", MsgIcon::Information);
        return false;
    }
    const std::string path = winpath::join(winpath::dirOnly(m_settings.project), FileName);
    const std::vector<CompileCommand> commands =
        compileCommands(m_controls, m_settings.necDir, m_settings.compSource, m_files);
    if (!m_files.writeBytes(path, compileCommandsJson(commands))) {
        m_message(cannotCreateMessage(path), MsgIcon::Error);
        return false;
    }
    const std::size_t n = commands.size();
    m_message(path + " written: " + std::to_string(n) + (n == 1 ? " C source." : " C sources."),
              MsgIcon::Information);
    return true;
}
