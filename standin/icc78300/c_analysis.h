#pragma once
// What the compiler learns from one scanned file: bracket balance, and the file-scope
// declarations, definitions and calls that make up the object module.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "icc78300/c_scanner.h"

namespace standin
{

struct NamedLine {
    std::string name;
    int line = 0;
};

struct FunctionDef {
    std::string name;
    int line = 0;
    int endLine = 0; // line of the closing brace
    bool isStatic = false;
    int size = 0; // bytes of code
};

struct Variable {
    std::string name;
    int line = 0;
    bool isStatic = false;
};

struct Macro {
    std::string name;
    int line = 0;
    bool functionLike = false;
};

struct FileFacts {
    std::vector<FunctionDef> functions;
    std::vector<NamedLine> prototypes;
    std::vector<Variable> variables;
    std::set<std::string> externVariables;
    std::vector<NamedLine> calls;    // inside function bodies
    std::map<std::string, int> uses; // appearances of each identifier, declarations included
    std::vector<Macro> macros;
    std::vector<NamedLine> typeNames; // typedef names and enum constants
    std::vector<NamedLine> includes;  // #include names as written
    int stringBytes = 0;

    int usesOf(const std::string& name) const
    {
        const auto it = uses.find(name);
        return it == uses.end() ? 0 : it->second;
    }
};

// Reports each bracket without its partner; true when all are balanced.
bool checkBrackets(const ScannedFile& file, DiagnosticLog& log);

// Reads the directives and, when the brackets balance, the file-scope structure (which an
// unbalanced file does not have).
FileFacts analyse(const ScannedFile& file, bool balanced, DiagnosticLog& log);

bool isKeyword(const std::string& word);

} // namespace standin
