#include "build/junit_report.h"

#include <algorithm>
#include <vector>

#include "build/build_report.h"
#include "build/report_text.h"
#include "platform/paths/win_path.h"

namespace {

using reporttext::xml;

struct Case {
    std::string name;
    const ToolRun* run = nullptr;  // none: it never ran
    std::string missing;           // why, when it never ran
};

std::string failureText(const Case& c)
{
    if (!c.run)
        return c.missing;
    std::string text;
    for (const ReportDiagnostic& d : c.run->diagnostics)
        text += (text.empty() ? "" : "\n") + d.text;
    if (!text.empty())
        return text;
    if (!c.run->ended)
        return c.run->program + " did not end";
    return c.run->program + " ended with exit status " + std::to_string(c.run->status);
}

std::string caseXml(const Case& c, const std::string& className)
{
    std::string out = "    <testcase classname=\"" + xml(className, true) + "\" name=\"" + xml(c.name, true) + "\"";
    if (c.run && !c.run->failed())
        return out + "/>\n";
    const std::string message = failureText(c);
    const bool reported = c.run && std::any_of(c.run->diagnostics.begin(), c.run->diagnostics.end(),
                                               [](const ReportDiagnostic& d) {
                                                   return d.severity == DiagnosticSeverity::Error;
                                               });
    out += ">\n      <failure message=\"" + xml(message, true) + "\" type=\"" +
           (reported ? "error" : c.run ? "exit status" : "not run") + "\">";
    if (c.run)
        out += xml(c.run->command + "\n");
    out += xml(message);
    if (c.run && c.run->ended)
        out += xml("\nExit status " + std::to_string(c.run->status));
    return out + "</failure>\n    </testcase>\n";
}

}  // namespace

std::string junitReport(const BuildReport& report)
{
    std::vector<Case> cases;
    std::vector<bool> compiled(report.sources.size(), false);
    const ToolRun* link = nullptr;
    for (const ToolRun& r : report.runs) {
        if (r.tool() == Tool::Linker) {
            link = &r;  // the last link tells whether the target was made
            continue;
        }
        if (r.tool() != Tool::Compiler)
            continue;
        cases.push_back({r.source, &r, {}});
        for (std::size_t i = 0; i < report.sources.size(); ++i)
            if (winpath::equalsNoCase(report.sources[i], r.source))
                compiled[i] = true;
    }
    for (std::size_t i = 0; i < report.sources.size(); ++i)
        if (!compiled[i])
            cases.push_back({report.sources[i], nullptr, report.sources[i] + " was not compiled"});
    cases.push_back({"link", link, "the linker did not run"});

    const std::size_t failures =
        std::count_if(cases.begin(), cases.end(), [](const Case& c) { return !c.run || c.run->failed(); });
    std::string name = report.projectFile.substr(report.projectFile.find_last_of("/\\") + 1);
    const std::string className = winpath::withoutExtension(name);
    const std::string counts =
        " tests=\"" + std::to_string(cases.size()) + "\" failures=\"" + std::to_string(failures) + "\" errors=\"0\"";
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"tarnel-build\"" + counts +
                      ">\n  <testsuite name=\"" + xml(name, true) + "\"" + counts + " skipped=\"0\">\n";
    for (const Case& c : cases)
        out += caseXml(c, className);
    return out + "  </testsuite>\n</testsuites>\n";
}
