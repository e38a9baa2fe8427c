#include "icc78300/listing_writer.h"

#include <cstdio>
#include <map>
#include <set>

namespace standin
{

namespace
{

std::string expandTabs(const std::string& line, int width)
{
    if (width <= 0)
        return line;
    std::string out;
    for (char c : line) {
        if (c == '\t')
            out.append(static_cast<std::size_t>(width) - out.size() % static_cast<std::size_t>(width), ' ');
        else
            out += c;
    }
    return out;
}

std::string numbered(int number, const std::string& text, const char* mark = "  ")
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%5d", number);
    return std::string(buf) + mark + text;
}

std::string padded(const std::string& name)
{
    std::string out = "    " + name;
    if (out.size() < 24)
        out.resize(24, ' ');
    return out + ' ';
}

class Listing
{
public:
    Listing(const Compilation& c, const CompilerOptions& o, const DiagnosticLog& log,
            const ListingNames& names)
        : m_c(c), m_o(o), m_log(log), m_names(names)
    {
    }

    std::vector<std::string> build()
    {
        header();
        const SourceUnit& main = m_c.main();
        std::map<int, const FunctionDef*> endings;
        for (const FunctionDef& f : main.facts.functions)
            endings[f.endLine] = &f;
        for (std::size_t i = 0; i < main.file.lines.size(); ++i) {
            const int lineNo = static_cast<int>(i) + 1;
            put(numbered(lineNo, expandTabs(main.file.lines[i], m_o.tabWidth)));
            diagnosticsAt(main.file.name, lineNo);
            headersAt(lineNo);
            if (auto it = endings.find(lineNo); it != endings.end())
                functionEnd(*it->second);
        }
        for (const Diagnostic& d : m_log.all())
            if (!m_shown.count(&d))
                put(d.format());
        if (m_o.crossRef)
            crossReference();
        put("");
        for (const std::string& s : m_log.summary())
            put(s);
        return m_out;
    }

private:
    // Page header; its own lines do not count towards the page length.
    void header()
    {
        if (m_page > 0)
            m_out.push_back("\f");
        ++m_page;
        m_onPage = 0;
        m_out.push_back(banner("icc78300") + " - C compiler for the NEC 78K/III      Page " +
                        std::to_string(m_page));
        if (m_page == 1) {
            m_out.push_back("Command line : " + m_o.commandLine);
            m_out.push_back("Source file  : " + m_c.main().file.name);
            m_out.push_back("List file    : " + m_names.listing);
            m_out.push_back("Object file  : " +
                            (m_names.object.empty() ? std::string("(none)") : m_names.object));
            m_out.push_back("Processor    : " + m_o.processorName() +
                            "   Memory model: " + (m_o.banked ? "banked" : "standard"));
        }
        m_out.push_back("");
    }

    // A new page starts only when there is a line for it, so no listing ends on an empty page.
    void put(const std::string& line)
    {
        if (m_breakPending || (m_o.linesPerPage > 0 && m_onPage >= m_o.linesPerPage)) {
            m_breakPending = false;
            header();
        }
        m_out.push_back(line);
        ++m_onPage;
    }

    void diagnosticsAt(const std::string& file, int line)
    {
        for (const Diagnostic* d : m_log.at(file, line))
            if (m_shown.insert(d).second)
                put(d->format());
    }

    // Headers pulled in by the #include on this line: their lines (with -i) and faults.
    void headersAt(int lineNo)
    {
        for (std::size_t u = 1; u < m_c.units().size(); ++u) {
            const SourceUnit& unit = m_c.units()[u];
            if (unit.anchorLine != lineNo)
                continue;
            if (m_o.listIncludes) {
                put("      ---- " + unit.file.name + " ----");
                for (std::size_t i = 0; i < unit.file.lines.size(); ++i)
                    put(numbered(static_cast<int>(i) + 1, expandTabs(unit.file.lines[i], m_o.tabWidth),
                                 "+ "));
                put("      ---- end of " + unit.file.name + " ----");
            }
            for (std::size_t i = 0; i <= unit.file.lines.size(); ++i)
                diagnosticsAt(unit.file.name, static_cast<int>(i) + 1);
        }
    }

    void functionEnd(const FunctionDef& f)
    {
        if (m_o.mnemonics)
            put("             ; " + f.name + ": " + std::to_string(f.size) + " bytes in segment " +
                m_o.codeSegment);
        if (m_o.formFeed)
            m_breakPending = true;
    }

    void entry(const std::string& name, const std::string& text)
    {
        put(padded(name) + text);
        if (m_o.crossRefFlags.find('2') != std::string::npos)
            put("");
    }

    void crossReference()
    {
        const FileFacts& f = m_c.main().facts;
        const std::string& flags = m_o.crossRefFlags;
        put("");
        put("Cross reference");
        put("  Functions");
        for (const FunctionDef& d : f.functions)
            entry(d.name, std::string(d.isStatic ? "static" : "public") + ", defined at line " +
                              std::to_string(d.line) + ", " + std::to_string(d.size) + " bytes");
        for (const std::string& e : m_c.module().externs)
            entry(e, "external");
        put("  Variables");
        for (const Variable& v : f.variables)
            entry(v.name, std::string(v.isStatic ? "static" : "public") + ", defined at line " +
                              std::to_string(v.line));
        if (flags.find('D') != std::string::npos) {
            put("  Unreferenced #defines");
            for (const Macro& m : f.macros)
                if (f.usesOf(m.name) <= 1)
                    entry(m.name, "line " + std::to_string(m.line));
        }
        if (flags.find('F') != std::string::npos) {
            std::set<std::string> called;
            for (const NamedLine& c : f.calls)
                called.insert(c.name);
            put("  Unreferenced function declarations");
            for (const NamedLine& p : f.prototypes)
                if (!called.count(p.name))
                    entry(p.name, "line " + std::to_string(p.line));
        }
        if (flags.find('T') != std::string::npos) {
            put("  Unreferenced enum constants and typedefs");
            for (const NamedLine& t : f.typeNames)
                if (f.usesOf(t.name) <= 1)
                    entry(t.name, "line " + std::to_string(t.line));
        }
    }

    const Compilation& m_c;
    const CompilerOptions& m_o;
    const DiagnosticLog& m_log;
    const ListingNames& m_names;
    std::vector<std::string> m_out;
    std::set<const Diagnostic*> m_shown;
    int m_page = 0;
    int m_onPage = 0;
    bool m_breakPending = false;
};

} // namespace

std::vector<std::string> listingLines(const Compilation& compilation, const CompilerOptions& options,
                                      const DiagnosticLog& log, const ListingNames& names)
{
    return Listing(compilation, options, log, names).build();
}

} // namespace standin
