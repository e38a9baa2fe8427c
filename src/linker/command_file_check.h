#pragma once
// The checks that OK runs on the linker command file in use: lines that set again what the
// option pages already put on the linker line.
#include <string>
#include <vector>

class LinkerOptions;
class TEmbedded;

class CommandFileCheck {
public:
    CommandFileCheck(TEmbedded& app, LinkerOptions& linker);

    // Looks the file up in the compile directory; a missing file is no error.
    void run();

    // The name with ".xcl" added unless it already ends in exactly ".xcl".
    static std::string commandFileName(const std::string& name);

private:
    void checkCpu(const std::vector<std::string>& lines);
    void checkLibraries(const std::string& text);
    void checkObjects(const std::string& text);
    // Offers to drop the print-format switch when the file already holds its line.
    void checkFormat(const std::vector<std::string>& lines, const std::string& switchText,
                     const std::string& what);

    TEmbedded& m_app;
    LinkerOptions& m_linker;
};
