#include "icc78300/asm_writer.h"

namespace standin
{

static std::string op(const std::string& mnemonic, const std::string& operand)
{
    std::string line = "        " + mnemonic;
    if (operand.empty())
        return line;
    line.resize(16, ' ');
    return line + operand;
}

std::vector<std::string> assemblerLines(const Compilation& c, const CompilerOptions& o)
{
    const R25Module& m = c.module();
    const FileFacts& f = c.main().facts;
    std::vector<std::string> out{"; " + banner("icc78300") + " - assembler output of " + m.source,
                                 op("NAME", m.name)};
    for (const R25Public& p : m.publics)
        out.push_back(op("PUBLIC", p.name));
    for (const std::string& e : m.externs)
        out.push_back(op("EXTERN", e));
    if (!f.functions.empty()) {
        out.push_back(op("RSEG", o.codeSegment));
        for (const FunctionDef& fn : f.functions) {
            out.push_back(fn.name + ":");
            out.push_back(op("DS", std::to_string(fn.size)));
        }
    }
    const int strings = m.segmentSize("CONST");
    if (strings > 0) {
        out.push_back(op("RSEG", "CONST"));
        out.push_back(op("DS", std::to_string(strings)));
    }
    if (!f.variables.empty() || m.segmentSize("DATA") > 0) {
        out.push_back(op("RSEG", "DATA"));
        for (const Variable& v : f.variables) {
            out.push_back(v.name + ":");
            out.push_back(op("DS", "2"));
        }
        const int rest = m.segmentSize("DATA") - 2 * static_cast<int>(f.variables.size());
        if (rest > 0)
            out.push_back(op("DS", std::to_string(rest)));
    }
    out.push_back(op("END", ""));
    return out;
}

} // namespace standin
