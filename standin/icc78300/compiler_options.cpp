#include "icc78300/compiler_options.h"

#include <cctype>
#include <string_view>

#include "common/tool_files.h"
#include "platform/paths/win_path.h"

namespace standin
{

namespace
{

const char* const kProcessors[] = {"78310", "78310A", "78320", "78327", "78330"};

enum class Form {
    Flag,    // nothing may follow the name
    Value,   // text joined to the name, else the next argument
    Number,  // decimal digits joined to the name
    Letters, // any of the allowed letters, each at most once
};

using Apply = void (*)(CompilerOptions&, const std::string&);

struct SwitchRule {
    std::string_view name;
    Form form;
    std::string_view letters; // Letters: the allowed ones; Value: what the value names
    Apply apply;
};

// Longer names first, so that "mb" is tried before any one-letter name.
const SwitchRule kRules[] = {
    {"mb", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.banked = true; }},
    {"2", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.doubles64 = true; }},
    {"A", Form::Value, "assembler file", [](CompilerOptions& o, const std::string& v) { o.asmFile = v; }},
    {"a", Form::Value, "assembler file", [](CompilerOptions& o, const std::string& v) { o.asmFile = v; }},
    {"b", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.makeLibrary = true; }},
    {"C", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.nestedComments = true; }},
    {"c", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.signedChar = true; }},
    {"d", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.allOnStack = true; }},
    {"e", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.extensions = true; }},
    {"g", Form::Letters, "OA",
     [](CompilerOptions& o, const std::string& v) {
         o.strict = true;
         o.syntaxOnly = v.find('O') != std::string::npos;
         o.ansi = v.find('A') != std::string::npos;
     }},
    {"H", Form::Value, "module name", [](CompilerOptions& o, const std::string& v) { o.moduleName = v; }},
    {"L", Form::Value, "list file", [](CompilerOptions& o, const std::string& v) { o.listFile = v; }},
    {"l", Form::Value, "list file", [](CompilerOptions& o, const std::string& v) { o.listFile = v; }},
    {"F", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.formFeed = true; }},
    {"i", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.listIncludes = true; }},
    {"T", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.activeOnly = true; }},
    {"t", Form::Number, "", [](CompilerOptions& o, const std::string& v) { o.tabWidth = std::stoi(v); }},
    {"x", Form::Letters, "DFT2",
     [](CompilerOptions& o, const std::string& v) {
         o.crossRef = true;
         o.crossRefFlags = v;
     }},
    {"p", Form::Number, "", [](CompilerOptions& o, const std::string& v) { o.linesPerPage = std::stoi(v); }},
    {"q", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.mnemonics = true; }},
    {"O", Form::Value, "object file", [](CompilerOptions& o, const std::string& v) { o.objectFile = v; }},
    {"o", Form::Value, "object file", [](CompilerOptions& o, const std::string& v) { o.objectFile = v; }},
    {"P", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.prom = true; }},
    {"R", Form::Value, "segment name", [](CompilerOptions& o, const std::string& v) { o.codeSegment = v; }},
    {"r", Form::Letters, "012in",
     [](CompilerOptions& o, const std::string& v) {
         o.debugInfo = true;
         o.debugFlags = v;
     }},
    {"S", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.silent = true; }},
    {"s", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.optimise = 's'; }},
    {"z", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.optimise = 'z'; }},
    {"v", Form::Number, "", [](CompilerOptions& o, const std::string& v) { o.processor = std::stoi(v); }},
    {"w", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.warningsOff = true; }},
    {"y", Form::Flag, "", [](CompilerOptions& o, const std::string&) { o.stringsInData = true; }},
};

bool allDigits(const std::string& s)
{
    if (s.empty() || s.size() > 6)
        return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

bool validLetters(const std::string& rest, std::string_view allowed)
{
    for (std::size_t i = 0; i < rest.size(); ++i)
        if (allowed.find(rest[i]) == std::string_view::npos || rest.find(rest[i]) != i)
            return false;
    return true;
}

// Switches found in a command file: blank-separated words, "//" starting a comment line.
bool readCommandFile(const std::string& name, std::vector<std::string>& words)
{
    auto lines = readLines(name);
    if (!lines && winpath::extension(name).empty())
        lines = readLines(name + ".xcl");
    if (!lines)
        return false;
    for (const std::string& line : *lines) {
        const std::string t = winpath::trim(line);
        if (t.rfind("//", 0) == 0)
            continue;
        for (std::string& w : splitWords(t))
            words.push_back(std::move(w));
    }
    return true;
}

} // namespace

std::string CompilerOptions::processorName() const
{
    return kProcessors[processor];
}

bool parseCompilerArgs(ArgReader& args, CompilerOptions& options, std::string& error)
{
    int commandFiles = 0;
    while (!args.atEnd()) {
        const std::string arg = args.next();
        if (!options.commandLine.empty())
            options.commandLine += ' ';
        options.commandLine += arg;
        if (!isSwitch(arg)) {
            if (!options.source.empty()) {
                error = "more than one source file ('" + options.source + "' and '" + arg + "')";
                return false;
            }
            options.source = arg;
            continue;
        }
        const std::string body = arg.substr(1);
        if (body[0] == 'f') {
            const auto name = args.value(body.substr(1));
            std::vector<std::string> words;
            if (!name) {
                error = "-f needs a command file name";
                return false;
            }
            // A command file that names itself would never end.
            if (++commandFiles > 16 || !readCommandFile(*name, words)) {
                error = "cannot read command file '" + *name + "'";
                return false;
            }
            options.commandLine += ' ' + *name;
            args.insertNext(words);
            continue;
        }
        const SwitchRule* rule = nullptr;
        for (const SwitchRule& r : kRules)
            if (body.compare(0, r.name.size(), r.name) == 0) {
                rule = &r;
                break;
            }
        if (!rule) {
            error = "unknown switch '" + arg + "'";
            return false;
        }
        const std::string rest = body.substr(rule->name.size());
        bool ok = true;
        std::string value = rest;
        switch (rule->form) {
        case Form::Flag:
            ok = rest.empty();
            break;
        case Form::Letters:
            ok = validLetters(rest, rule->letters);
            break;
        case Form::Number:
            ok = allDigits(rest) && (rule->name != "v" || std::stoi(rest) <= 4);
            break;
        case Form::Value:
            if (auto v = args.value(rest)) {
                value = *v;
                if (rest.empty())
                    options.commandLine += ' ' + value;
            } else {
                error = arg + " needs a " + std::string(rule->letters);
                return false;
            }
            break;
        }
        if (!ok) {
            error = "unknown switch '" + arg + "'";
            return false;
        }
        rule->apply(options, value);
    }
    if (options.source.empty()) {
        error = "no source file given";
        return false;
    }
    return true;
}

} // namespace standin
