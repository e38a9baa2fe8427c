#include "build/compile_commands.h"

#include <algorithm>

#include "app/control_set.h"
#include "build/build_files.h"
#include "build/report_text.h"
#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace {

// A check box that clang has a word for, on and off.
struct ClangSwitch {
    const char* control;
    const char* on;
    const char* off;
};

const ClangSwitch kSwitches[] = {
    {"SC", "-fsigned-char", "-funsigned-char"},
    {"DW", "-w", nullptr},
    {"DBug", "-g", nullptr},
};

// Optimisation's items: none, speed, size.
const char* const kOptimisation[] = {nullptr, "-O2", "-Os"};

std::string objectOf(const ControlSet& c, const std::string& source, const std::string& compileDir)
{
    std::string name = winpath::trim(c["ObjectFile"].text());
    if (!c["NameObj"].checked() || name.empty())
        return winpath::join(compileDir, winpath::withoutExtension(winpath::fileName(source)) + ".r25");
    if (winpath::extension(name).empty())
        name += ".r25";
    return winpath::hasDirectoryPart(name) ? name : winpath::join(compileDir, name);
}

}  // namespace

std::vector<std::string> clangOptions(const ControlSet& c)
{
    // The target has no hosted library, and main may return void.
    std::vector<std::string> out = {"-x", "c", "-ffreestanding", "-nostdlibinc"};
    for (const ClangSwitch& s : kSwitches)
        if (const char* word = c[s.control].checked() ? s.on : s.off)
            out.push_back(word);
    const int optimise = c["Optomisation"].itemIndex();
    if (optimise >= 1 && optimise <= 2)
        out.push_back(kOptimisation[optimise]);
    if (const std::string cpu = c["ProcType"].itemText(); !cpu.empty())
        out.push_back("-D__CPU_" + cpu + "__");
    if (c["MemoryModel"].itemIndex() == 1)
        out.push_back("-D__BANKED_MODEL__");
    out.push_back(c["D64"].checked() ? "-D__DOUBLE__=64" : "-D__DOUBLE__=32");
    return out;
}

std::vector<CompileCommand> compileCommands(const ControlSet& c, const std::string& necDir,
                                            const std::string& compileDir, const Files& files)
{
    const std::vector<std::string>& entries = c["ProjectListBox"].entries();
    auto pathOf = [&](const std::string& entry) {
        return winpath::dirPart(entry).empty() ? winpath::join(compileDir, entry) : entry;
    };
    std::vector<std::string> folders = {winpath::join(winpath::withBackslash(necDir), "C\\INCLUDE")};
    for (const std::string& entry : entries) {
        const std::string folder = winpath::dirOnly(pathOf(entry));
        if (std::none_of(folders.begin(), folders.end(),
                         [&](const std::string& f) { return winpath::equalsNoCase(f, folder); }))
            folders.push_back(folder);
    }
    std::vector<std::string> arguments = {"clang"};
    const std::vector<std::string> options = clangOptions(c);
    arguments.insert(arguments.end(), options.begin(), options.end());
    for (const std::string& folder : folders)
        arguments.push_back("-I" + files.realPath(folder));

    std::vector<CompileCommand> out;
    const std::string directory = files.realPath(compileDir);
    for (const std::string& entry : entries) {
        if (!isCSourceEntry(entry))
            continue;
        CompileCommand command{directory, files.realPath(pathOf(entry)), arguments,
                               files.realPath(objectOf(c, entry, compileDir))};
        command.arguments.insert(command.arguments.end(), {"-c", command.file, "-o", command.output});
        out.push_back(std::move(command));
    }
    return out;
}

std::string compileCommandsJson(const std::vector<CompileCommand>& commands)
{
    using reporttext::json;
    std::string out = "[";
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const CompileCommand& c = commands[i];
        out += i ? ",\n  {\n" : "\n  {\n";
        out += "    \"directory\": " + json(c.directory) + ",\n";
        out += "    \"file\": " + json(c.file) + ",\n";
        out += "    \"arguments\": [";
        for (std::size_t a = 0; a < c.arguments.size(); ++a)
            out += (a ? ", " : "") + json(c.arguments[a]);
        out += "],\n    \"output\": " + json(c.output) + "\n  }";
    }
    return out + (commands.empty() ? "]\n" : "\n]\n");
}
