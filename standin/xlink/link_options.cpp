#include "xlink/link_options.h"

#include "common/tool_files.h"
#include "platform/paths/win_path.h"

namespace standin
{

const std::vector<std::string>& linkerCpus()
{
    static const std::vector<std::string> cpus = {"UNSPECIFIED", "z8",   "z80",   "z8002", "l802",  "6301",
                                                  "78300",       "8048", "8051",  "8085",  "8096",  "l6032",
                                                  "78600",       "6801", "6805",  "6809",  "68k",   "68hc11",
                                                  "6502",        "t99",  "t7000", "7800",  "78200", "78000"};
    return cpus;
}

const std::vector<std::string>& outputFormats()
{
    static const std::vector<std::string> formats = {"UNSPECIFIED",
                                                     "AOMF8051",
                                                     "AOMF8096",
                                                     "ASHLING",
                                                     "ASHLING-6031",
                                                     "ASHLING-64180",
                                                     "ASHLING-6801",
                                                     "ASHLING-8080",
                                                     "ASHLING-8085",
                                                     "ASHLING-z80",
                                                     "DEBUG",
                                                     "EXTENDED-TEXHEX",
                                                     "HP-CSDF",
                                                     "HP-SYMB",
                                                     "INTEL-STANDARD",
                                                     "INTEL-EXTENDED",
                                                     "MILLENIUM  (Tektronic)",
                                                     "MOTOROLA",
                                                     "MPDS-CODE",
                                                     "MPDS-SYMB",
                                                     "MSD",
                                                     "NEC-SYMBOLIC",
                                                     "PENTICA-A",
                                                     "PENTICA-B",
                                                     "PENTICA-C",
                                                     "PENTICA-D",
                                                     "RCA",
                                                     "SYMBOLIC",
                                                     "TEKTRONIC  (Millenium)",
                                                     "TI7000 (TMS7000)",
                                                     "TYPED",
                                                     "ZAX",
                                                     "NEC78k"};
    return formats;
}

namespace
{

// Blank runs count as one blank, so "MILLENIUM  (Tektronic)" survives being split into words.
std::string squeezed(const std::string& s)
{
    std::string out;
    for (char c : s)
        if (c != ' ' || (!out.empty() && out.back() != ' '))
            out += c;
    return winpath::upper(winpath::trim(out));
}

const std::string* findNoCase(const std::vector<std::string>& list, const std::string& value)
{
    for (const std::string& item : list)
        if (squeezed(item) == squeezed(value))
            return &item;
    return nullptr;
}

const char kFlags[] = "SGwRndzmBK";

class LinkArgParser
{
public:
    LinkArgParser(LinkOptions& options, DiagnosticLog& log) : m_o(options), m_log(log) {}

    // One run of words; `file` empty means the command line.
    bool take(ArgReader& args, const std::string& file, int line, bool& libraryMode)
    {
        while (!args.atEnd()) {
            const std::string arg = args.next();
            if (!isSwitch(arg)) {
                (libraryMode ? m_o.libraries : m_o.objects).push_back(arg);
                continue;
            }
            const char letter = arg[1];
            const std::string rest = arg.substr(2);
            std::string problem;
            if (letter == 'o' || letter == 'l' || letter == 'f') {
                const auto value = args.value(rest);
                if (!value)
                    problem = std::string("-") + letter + " needs a file name";
                else if (letter == 'o')
                    m_o.output = *value;
                else if (letter == 'l')
                    m_o.listFile = *value;
                else if (!commandFile(*value))
                    problem = "cannot read command file '" + *value + "'";
            } else if (letter == 'C') {
                libraryMode = true;
                if (!rest.empty())
                    m_o.libraries.push_back(rest);
            } else if (letter == 'Z') {
                std::string why;
                if (auto range = parseSegmentRange(arg, why)) {
                    range->file = file;
                    range->line = line;
                    m_o.ranges.push_back(*range);
                } else {
                    problem = why;
                }
            } else if (letter == 'x' && rest.find_first_not_of("sme") == std::string::npos) {
                m_o.crossRef = rest.empty() ? "-" : rest;
            } else if (letter == 'c' && !rest.empty()) {
                const std::string* cpu = findNoCase(linkerCpus(), rest);
                if (cpu && !m_o.cpu.empty() && m_o.cpu != *cpu)
                    problem = "CPU '" + rest + "' conflicts with '" + m_o.cpu + "'";
                else if (cpu)
                    m_o.cpu = *cpu;
                else
                    problem = "unknown CPU '" + rest + "'";
            } else if (letter == 'F' && !rest.empty()) {
                std::string format = rest;
                if (!args.atEnd() && args.peek().rfind("(", 0) == 0)
                    format += " " + args.next();
                if (const std::string* known = findNoCase(outputFormats(), format))
                    m_o.format = *known;
                else
                    problem = "unknown output format '" + format + "'";
            } else if (letter == 'e' && isAlias(rest)) {
                problem = addAlias(rest);
            } else if (rest.empty() && std::string(kFlags).find(letter) != std::string::npos) {
                flag(letter);
            } else if (problem.empty()) {
                if (file.empty()) {
                    m_error = "unknown switch '" + arg + "'";
                    return false;
                }
                m_log.warning(WarnUnknownCommandLine, "unknown line '" + arg + "' ignored", file, line);
            }
            if (!problem.empty()) {
                if (file.empty()) {
                    m_error = problem;
                    return false;
                }
                m_log.error(ErrCommandFileLine, problem, file, line);
            }
        }
        return true;
    }

    const std::string& error() const { return m_error; }

private:
    static bool isAlias(const std::string& rest)
    {
        const std::size_t eq = rest.find('=');
        return eq != std::string::npos && eq > 0 && eq + 1 < rest.size();
    }

    // "A=B": references to B are served by A. Returns the fault, if any.
    std::string addAlias(const std::string& rest)
    {
        const std::size_t eq = rest.find('=');
        const std::string provider = rest.substr(0, eq);
        const std::string name = rest.substr(eq + 1);
        const auto it = m_o.aliases.find(name);
        if (it != m_o.aliases.end() && it->second != provider)
            return "'" + name + "' is already served by '" + it->second + "'";
        m_o.aliases[name] = provider;
        return {};
    }

    void flag(char letter)
    {
        switch (letter) {
        case 'S':
            m_o.silent = true;
            break;
        case 'G':
            m_o.noTypeCheck = true;
            break;
        case 'w':
            m_o.warningsOff = true;
            break;
        case 'R':
            m_o.noRangeCheck = true;
            break;
        case 'n':
            m_o.noLocals = true;
            break;
        case 'd':
            m_o.noCode = true;
            break;
        case 'z':
            m_o.noOverlapCheck = true;
            break;
        case 'm':
            m_o.fileBound = true;
            break;
        case 'B':
            m_o.forceDump = true;
            break;
        default:
            m_o.noDefaultLibraries = true;
            break;
        }
    }

    // Lines of a command file: "//" comments, switches as on the command line, bare names
    // as objects (or libraries after -C on the same line).
    bool commandFile(const std::string& name)
    {
        const std::string path = winpath::extension(name).empty() ? name + ".xcl" : name;
        const auto lines = readLines(path);
        if (!lines || m_depth >= 8)
            return false;
        m_o.commandFiles.push_back(path);
        ++m_depth;
        const std::string shown = winpath::fileName(path);
        for (std::size_t i = 0; i < lines->size(); ++i) {
            const std::string text = winpath::trim((*lines)[i]);
            if (text.empty() || text.rfind("//", 0) == 0)
                continue;
            ArgReader words(splitWords(text));
            bool libraryMode = false;
            take(words, shown, static_cast<int>(i) + 1, libraryMode);
        }
        --m_depth;
        return true;
    }

    LinkOptions& m_o;
    DiagnosticLog& m_log;
    std::string m_error;
    int m_depth = 0;
};

} // namespace

bool parseLinkArgs(ArgReader& args, LinkOptions& options, DiagnosticLog& log, std::string& error)
{
    LinkArgParser parser(options, log);
    bool libraryMode = false;
    if (!parser.take(args, {}, 0, libraryMode)) {
        error = parser.error();
        return false;
    }
    return true;
}

} // namespace standin
