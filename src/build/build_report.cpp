#include "build/build_report.h"

#include <algorithm>

#include "build/build_files.h"
#include "build/build_output.h"
#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace {

std::string withoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    return path;
}

bool isAbsolute(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// The Windows path of a file a diagnostic names.
std::string placeOf(const std::string& file, const std::vector<std::string>& entries, const std::string& compileDir)
{
    if (isAbsolute(file))
        return file;
    if (!winpath::hasDirectoryPart(file))
        for (const std::string& entry : entries)
            if (winpath::equalsNoCase(winpath::fileName(entry), file))
                return winpath::dirPart(entry).empty() ? winpath::join(compileDir, entry) : entry;
    return winpath::join(compileDir, file);
}

}  // namespace

Tool toolOf(const std::string& program)
{
    const std::string name = winpath::lower(winpath::withoutExtension(winpath::fileName(program)));
    if (name == "icc78300")
        return Tool::Compiler;
    if (name == "a78300")
        return Tool::Assembler;
    if (name == "xlink")
        return Tool::Linker;
    return Tool::Other;
}

Tool ToolRun::tool() const
{
    return toolOf(program);
}

bool ToolRun::failed() const
{
    return !ended || status != 0 || std::any_of(diagnostics.begin(), diagnostics.end(), [](const ReportDiagnostic& d) {
               return d.severity == DiagnosticSeverity::Error;
           });
}

BuildReport buildReport(const BuildOutput& output, const std::vector<std::string>& projectEntries,
                        const std::string& projectFile, const std::string& compileDir, const Files& files)
{
    BuildReport report;
    report.projectFile = files.realPath(projectFile);
    report.projectFolder = withoutTrailingSlash(files.realPath(winpath::dirOnly(projectFile)));
    report.workingFolder = withoutTrailingSlash(files.realPath(compileDir));
    for (const std::string& entry : projectEntries)
        if (isCSourceEntry(entry))
            report.sources.push_back(winpath::fileName(entry));

    const auto& diagnostics = output.transcript().diagnostics();
    for (const ProgramRun& p : output.programs()) {
        ToolRun run;
        run.program = p.program();
        run.command = p.command;
        if (run.tool() == Tool::Compiler)
            run.source = p.firstArgument();
        run.ended = p.ended;
        run.status = p.status;
        run.banner = p.banner;
        for (std::size_t i = p.firstDiagnostic; i < p.endDiagnostic && i < diagnostics.size(); ++i) {
            const NumberedDiagnostic& n = diagnostics[i];
            ReportDiagnostic d;
            d.severity = n.diagnostic.severity;
            d.rule = n.diagnostic.rule;
            d.message = diagnosticMessage(n.text);
            d.text = n.text;
            if (n.diagnostic.located())
                d.file = files.realPath(placeOf(n.diagnostic.file, projectEntries, compileDir));
            d.line = n.diagnostic.line;
            run.diagnostics.push_back(std::move(d));
        }
        report.runs.push_back(std::move(run));
    }
    return report;
}
