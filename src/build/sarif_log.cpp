#include "build/sarif_log.h"

#include <map>
#include <vector>

#include "build/build_report.h"
#include "build/report_text.h"

namespace {

using reporttext::json;

constexpr const char* SourceRoot = "%SRCROOT%";

// The last word of a banner when it looks like a version ("1.0", "V3.21").
std::string versionOf(const std::string& banner)
{
    const std::size_t end = banner.find_last_not_of(" \t\r");
    if (end == std::string::npos)
        return {};
    const std::size_t start = banner.find_last_of(" \t", end);
    const std::string word = banner.substr(start == std::string::npos ? 0 : start + 1,
                                           end - (start == std::string::npos ? 0 : start + 1) + 1);
    std::size_t digit = (word[0] == 'V' || word[0] == 'v') ? 1 : 0;
    return digit < word.size() && word[digit] >= '0' && word[digit] <= '9' ? word : std::string();
}

std::string artifact(const std::string& file, int line, const BuildReport& report)
{
    const std::string& root = report.projectFolder;
    std::string location;
    if (!root.empty() && file.size() > root.size() + 1 && file.compare(0, root.size(), root) == 0 &&
        (file[root.size()] == '/' || file[root.size()] == '\\'))
        location = "{\"uri\": " + json(reporttext::uriPath(file.substr(root.size() + 1))) +
                   ", \"uriBaseId\": " + json(SourceRoot) + "}";
    else
        location = "{\"uri\": " + json(reporttext::fileUri(file)) + "}";
    std::string out = "{\"physicalLocation\": {\"artifactLocation\": " + location;
    if (line >= 1)
        out += ", \"region\": {\"startLine\": " + std::to_string(line) + "}";
    return out + "}}";
}

std::string result(const ReportDiagnostic& d, const BuildReport& report)
{
    std::string out = "{";
    if (!d.rule.empty())
        out += "\"ruleId\": " + json(d.rule) + ", ";
    out += "\"level\": ";
    out += d.severity == DiagnosticSeverity::Error ? "\"error\"" : "\"warning\"";
    out += ", \"message\": {\"text\": " + json(d.message.empty() ? d.text : d.message) + "}";
    // A place-less diagnostic is the project's: its first line stands for the whole file.
    out += ", \"locations\": [" +
           (d.file.empty() ? artifact(report.projectFile, 1, report) : artifact(d.file, d.line, report)) + "]";
    return out + "}";
}

std::string invocation(const ToolRun& run, const BuildReport& report)
{
    std::string out = "{\"commandLine\": " + json(run.command) +
                      ", \"executionSuccessful\": " + (run.ended && run.status == 0 ? "true" : "false");
    if (run.ended)
        out += ", \"exitCode\": " + std::to_string(run.status);
    if (!report.workingFolder.empty())
        out += ", \"workingDirectory\": {\"uri\": " + json(reporttext::fileUri(report.workingFolder, true)) + "}";
    return out + "}";
}

std::string runOf(const std::vector<const ToolRun*>& calls, const BuildReport& report)
{
    const ToolRun& first = *calls.front();
    std::string banner;
    for (const ToolRun* r : calls)
        if (banner.empty())
            banner = r->banner;
    std::string driver = "{\"name\": " + json(first.program);
    if (!banner.empty()) {
        driver += ", \"fullName\": " + json(banner);
        if (const std::string v = versionOf(banner); !v.empty())
            driver += ", \"version\": " + json(v);
    }
    driver += "}";

    std::string out = "    {\n      \"tool\": {\"driver\": " + driver + "},\n";
    if (!report.projectFolder.empty())
        out += "      \"originalUriBaseIds\": {" + json(SourceRoot) + ": {\"uri\": " +
               json(reporttext::fileUri(report.projectFolder, true)) + "}},\n";
    out += "      \"invocations\": [";
    for (std::size_t i = 0; i < calls.size(); ++i)
        out += (i ? ",\n        " : "\n        ") + invocation(*calls[i], report);
    out += "\n      ],\n      \"results\": [";
    bool any = false;
    for (const ToolRun* r : calls)
        for (const ReportDiagnostic& d : r->diagnostics) {
            out += (any ? ",\n        " : "\n        ") + result(d, report);
            any = true;
        }
    out += any ? "\n      ]\n    }" : "]\n    }";
    return out;
}

}  // namespace

std::string sarifLog(const BuildReport& report)
{
    // One run per tool, in the order the tools first ran.
    std::vector<std::vector<const ToolRun*>> tools;
    std::map<std::string, std::size_t> index;
    for (const ToolRun& r : report.runs) {
        const Tool t = r.tool();
        const std::string key = t == Tool::Other ? "other:" + r.program : std::to_string(static_cast<int>(t));
        const auto [it, added] = index.emplace(key, tools.size());
        if (added)
            tools.emplace_back();
        tools[it->second].push_back(&r);
    }
    std::string out = "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n"
                      "  \"version\": \"2.1.0\",\n  \"runs\": [";
    for (std::size_t i = 0; i < tools.size(); ++i)
        out += (i ? ",\n" : "\n") + runOf(tools[i], report);
    out += tools.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}
