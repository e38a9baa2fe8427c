#pragma once
// The two batch files that drive the toolchain, and the copies of the project's files.
#include <optional>
#include <string>
#include <vector>

class TEmbedded;
struct Sender;

// An entry the build compiles: a case-sensitive test on the whole entry, so a ".c" in a
// folder name counts as well.
bool isCSourceEntry(const std::string& entry);

// Build commands link exactly when invoked from a menu item or tool button with tag 1.
bool senderLinks(const Sender& sender);

class BuildFiles {
public:
    static constexpr const char* CompilerProgram = "icc78300 ";
    static constexpr const char* LinkerProgram = "xlink ";

    explicit BuildFiles(TEmbedded& app);

    // Writes pathset.bat into the working directory; false after a message when it cannot.
    bool WritePathset(const std::string& workingDir);
    // Writes ide.bat (with the linker line when link is true); true when it was written.
    bool GenerateBuildFiles(bool link);
    void MakeIdeBatClick(const Sender& sender);
    // Copies the project's files into the compile directory, then writes ide.bat there;
    // false after a message when a copy or the write failed.
    bool MakeClick();

    const std::vector<std::string>& pathsetTemplate() const { return m_pathset; }
    const std::vector<std::string>& batchLines() const { return m_batch; }

private:
    bool namesFitBatchLines(const std::vector<std::string>& entries);
    void composeBatchLines(const std::vector<std::string>& entries, bool link);
    bool copyProjectFiles(const std::vector<std::string>& entries);
    // Clears the copies a load left for this generation that it has not made again, and its
    // ide.bat unless `keepBatch` (it is about to be written): what the load would have cleared,
    // done before anything that reports.
    void clearCopiesLeft(const std::vector<std::string>& made, bool keepBatch = false);

    TEmbedded& m_app;
    std::vector<std::string> m_pathset;
    std::vector<std::string> m_batch;
    std::optional<std::vector<std::string>> m_copiesLeft;  // during a generation that follows a load
    bool m_batchLeft = false;
};
