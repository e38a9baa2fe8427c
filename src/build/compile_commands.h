#pragma once
// The project as a compilation database (compile_commands.json), so that a language server
// understands sources that no CMake file describes: one entry per C source the build
// compiles, with a command clang reads. The NEC compiler's switches are not clang's, so the
// options are said again in clang's words where clang has them and left out where it has none.
#include <string>
#include <vector>

class ControlSet;
class Files;

struct CompileCommand {
    std::string directory;  // host paths
    std::string file;
    std::vector<std::string> arguments;
    std::string output;
};

// The options in clang's words: the language, no host library, char signedness, warnings,
// debug information, optimisation, and the defines the target options imply.
std::vector<std::string> clangOptions(const ControlSet& controls);

// One entry per C source of the project list, in list order. The include folders are the NEC
// compiler's own and the project's source folders; the object is named as the compiler names it.
std::vector<CompileCommand> compileCommands(const ControlSet& controls, const std::string& necDir,
                                            const std::string& compileDir, const Files& files);

std::string compileCommandsJson(const std::vector<CompileCommand>& commands);
