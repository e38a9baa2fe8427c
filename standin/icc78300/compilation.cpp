#include "icc78300/compilation.h"

#include <algorithm>
#include <cstdlib>

#include "common/tool_files.h"
#include "platform/paths/win_path.h"

namespace standin
{

Compilation::Compilation(const CompilerOptions& options, DiagnosticLog& log) : m_options(options), m_log(log)
{
}

bool Compilation::run()
{
    if (!load(m_options.source, winpath::fileName(m_options.source), 0)) {
        m_log.error(ErrSourceMissing, "cannot open source file '" + m_options.source + "'");
        return false;
    }
    // Headers are appended while we walk, so index rather than iterate.
    for (std::size_t u = 0; u < m_units.size(); ++u)
        includeAll(u);
    buildModule();
    return true;
}

bool Compilation::load(const std::string& path, const std::string& shownName, int anchorLine)
{
    const auto text = readText(path);
    if (!text)
        return false;
    SourceUnit unit;
    unit.anchorLine = anchorLine;
    unit.file = scanC(shownName, *text, {m_options.nestedComments, m_options.extensions}, m_log);
    unit.balanced = checkBrackets(unit.file, m_log);
    unit.facts = analyse(unit.file, unit.balanced, m_log);
    m_units.push_back(std::move(unit));
    m_paths.push_back(path);
    m_seen.insert(winpath::lower(hostPath(path).value_or(path)));
    return true;
}

void Compilation::includeAll(std::size_t u)
{
    const std::vector<NamedLine> includes = m_units[u].facts.includes;
    const std::string includer = m_paths[u];
    const std::string includerName = m_units[u].file.name;
    const int anchorBase = m_units[u].anchorLine;
    for (const NamedLine& inc : includes) {
        const std::string path = findInclude(inc.name, includer);
        if (path.empty()) {
            m_log.error(ErrIncludeMissing, "cannot open include file '" + inc.name + "'", includerName,
                        inc.line);
            continue;
        }
        if (m_seen.count(winpath::lower(hostPath(path).value_or(path))))
            continue;
        load(path, winpath::fileName(inc.name), anchorBase ? anchorBase : inc.line);
    }
}

// The current folder, then the including file's folder, then each folder of C_INCLUDE
// (Windows paths separated by ';').
std::string Compilation::findInclude(const std::string& name, const std::string& includerPath) const
{
    std::vector<std::string> candidates{name, winpath::dirPart(includerPath) + name};
    if (const char* env = std::getenv("C_INCLUDE")) {
        std::string dir;
        for (const char* p = env;; ++p) {
            if (*p == ';' || *p == '\0') {
                if (!winpath::trim(dir).empty())
                    candidates.push_back(winpath::join(winpath::trim(dir), name));
                dir.clear();
                if (*p == '\0')
                    break;
            } else {
                dir += *p;
            }
        }
    }
    for (const std::string& c : candidates)
        if (fileExists(c))
            return c;
    return {};
}

void Compilation::buildModule()
{
    const FileFacts& f = main().facts;
    R25Module& m = m_module;
    m.name = m_options.moduleName.empty() ? baseName(m_options.source) : m_options.moduleName;
    m.library = m_options.makeLibrary;
    m.source = winpath::fileName(m_options.source);
    m.cpu = m_options.processorName();
    m.model = m_options.banked ? "banked" : "standard";
    m.doubles = m_options.doubles64 ? "64" : "32";
    m.options = m_options.commandLine;

    std::set<std::string> declared;
    std::set<std::string> macros;
    std::set<std::string> definedHere; // a function a header defines is compiled in here too
    for (const SourceUnit& u : m_units) {
        for (const FunctionDef& d : u.facts.functions) {
            declared.insert(d.name);
            if (&u != &main())
                definedHere.insert(d.name);
        }
        for (const NamedLine& p : u.facts.prototypes)
            declared.insert(p.name);
        // A call through a pointer variable needs no prototype.
        for (const Variable& v : u.facts.variables)
            declared.insert(v.name);
        declared.insert(u.facts.externVariables.begin(), u.facts.externVariables.end());
        for (const Macro& mac : u.facts.macros)
            macros.insert(mac.name);
    }
    int code = 0;
    for (const FunctionDef& d : f.functions) {
        if (!d.isStatic)
            m.publics.push_back({d.name, m_options.codeSegment, code});
        definedHere.insert(d.name);
        code += d.size;
    }
    int data = 0;
    for (const Variable& v : f.variables) {
        if (!v.isStatic)
            m.publics.push_back({v.name, "DATA", data});
        definedHere.insert(v.name);
        data += 2;
    }
    int constants = f.stringBytes;
    if (m_options.stringsInData) {
        data += constants;
        constants = 0;
    }
    if (code > 0)
        m.segments.push_back({m_options.codeSegment, code});
    if (constants > 0)
        m.segments.push_back({"CONST", constants});
    if (data > 0)
        m.segments.push_back({"DATA", data});

    auto needs = [&](const std::string& name) {
        if (!definedHere.count(name) &&
            std::find(m.externs.begin(), m.externs.end(), name) == m.externs.end())
            m.externs.push_back(name);
    };
    for (const NamedLine& call : f.calls) {
        if (macros.count(call.name))
            continue;
        if (!declared.count(call.name) && m_options.strict)
            m_log.warning(WarnNoPrototype, "function '" + call.name + "' called without a prototype",
                          main().file.name, call.line);
        needs(call.name);
    }
    for (const SourceUnit& u : m_units)
        for (const std::string& name : u.facts.externVariables)
            if (f.usesOf(name) > static_cast<int>(f.externVariables.count(name)))
                needs(name);
}

} // namespace standin
