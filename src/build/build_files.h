#pragma once
// The two batch files that drive the toolchain, and the copies of the project's files.
#include <string>
#include <vector>

class TEmbedded;
struct Sender;

class BuildFiles {
public:
    explicit BuildFiles(TEmbedded& app);

    // Writes pathset.bat into the working directory; false after a message when it cannot.
    bool WritePathset(const std::string& workingDir);
    // Writes ide.bat (with the linker line when link is true); true when it was written.
    bool GenerateBuildFiles(bool link);
    void MakeIdeBatClick(const Sender& sender);

    const std::vector<std::string>& pathsetTemplate() const { return m_pathset; }

private:
    TEmbedded& m_app;
    std::vector<std::string> m_pathset;
};
