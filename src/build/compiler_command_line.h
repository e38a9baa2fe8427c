#pragma once
// The compiler parameter text: the switches that follow the source file name on each
// compiler call, computed from the option controls. Computing it has side effects that
// belong to it: it may fill in a default assembler file name, clear GLF (each after a
// message), enable Syntax and ANSI, and it counts the numbered list files.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Control;
class ControlSet;

class CompilerCommandLine {
public:
    struct Environment {
        std::function<std::string()> compileDir;
        std::function<void(const std::string&)> message;
    };

    CompilerCommandLine(ControlSet& controls, Environment env);
    ~CompilerCommandLine();

    // sourceName: a file name with extension, or empty for the display text.
    std::string CompilerParams(const std::string& sourceName);

    // 1 at program start; every list group taken raises it by one.
    int listFileCounter() const { return m_listFileCounter; }

private:
    struct Refs;
    void bind();
    void appendListGroup(std::string& out, const std::string& base);

    ControlSet& m_controls;
    Environment m_env;
    std::unique_ptr<Refs> m_refs;
    int m_listFileCounter = 1;
};

// Default output file name for the first project source: the compile directory, the source's
// file name less its last two characters, and the extension (".r25", ".s25"). With no source
// the stem is "Default".
std::string compilerOutputName(const std::string& compileDir, const std::vector<std::string>& sources,
                               const std::string& extension);
