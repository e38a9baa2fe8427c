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

// The lines ide.bat holds, kept apart so that a build of our own can take a part of them.
struct BatchPlan {
    struct Compile {
        std::string entry;
        std::string line;  // without the output redirection
    };
    std::vector<Compile> compiles;
    bool pause = false;
    std::string link;  // without the redirection; empty when not linking
    std::string compileRedirect;
    std::string linkRedirect;
    // The batch lines for the compiles chosen (all when none are named) and the link when asked.
    std::vector<std::string> lines(const std::vector<bool>* chosen = nullptr, bool withLink = true) const;
};

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

    // What every build does before its batch lines: the project written, the editors saved
    // (and closed when so set), the edit panel hidden. False, with nothing done, for a name that
    // would break a batch line.
    bool prepareBuild(const std::vector<std::string>& entries);
    // The batch lines for these entries, from the options as they stand.
    BatchPlan planBatch(const std::vector<std::string>& entries, bool link);
    // Copies the entries into the compile directory as the build does; false after a message.
    bool copyIntoCompileDir(const std::vector<std::string>& entries) { return copyProjectFiles(entries); }
    // The plan of the last ide.bat written.
    const BatchPlan& lastPlan() const { return m_plan; }

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
    BatchPlan m_plan;
    std::optional<std::vector<std::string>> m_copiesLeft;  // during a generation that follows a load
    bool m_batchLeft = false;
};
