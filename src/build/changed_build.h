#pragma once
// What "Build Changed" must redo: which C sources are out of date and why, whether the target
// must be linked again, and which copies in the compile directory are old. Times come from the
// file system; how each object and the target were last made comes from a small record of ours
// in the compile directory, so that a change of options or of the file list is never missed.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class Files;

// How the objects and the target were last made, as the build that made them left it.
struct BuildRecord {
    static constexpr const char* FileName = "tarnelchg.rec";

    struct Made {
        std::string line;                   // the command line, without redirection
        std::optional<std::int64_t> prior;  // the file's time just before that build; none: absent
    };
    std::vector<std::string> fileList;     // the project's file list
    std::map<std::string, Made> objects;   // by the object's name in lower case
    std::optional<Made> link;

    static BuildRecord read(const Files& files, const std::string& compileDir);
    bool write(Files& files, const std::string& compileDir) const;
};

struct ChangedInputs {
    struct Compile {
        std::string entry;  // the project's entry
        std::string line;   // its compiler line, without redirection
    };
    std::vector<std::string> entries;  // the project's file list
    std::vector<Compile> compiles;
    std::string link;                     // the linker line, without redirection
    std::vector<std::string> linkInputs;  // further objects and libraries the link reads
    std::string target;
    std::string compileDir;
    std::string necInclude;  // where <name> is looked for
    // Folders whose files the start-up copies into the compile directory afresh at every start:
    // such a copy counts with its original's time.
    std::vector<std::string> originals;
};

struct ChangedPlan {
    struct Source {
        std::string entry;
        std::string reason;
    };
    std::vector<Source> compile;  // in project order
    std::vector<bool> chosen;     // per compile of the inputs: compiled now
    bool link = false;
    std::string linkReason;
    std::vector<std::string> copies;  // entries whose copy in the compile directory is old
    // Includes that cannot be found: the source and the include, as the panel names them.
    std::vector<std::pair<std::string, std::string>> missingIncludes;

    bool nothingToDo() const { return compile.empty() && !link; }
};

// The object a source's compile writes, as the linker line names it.
std::string objectName(const std::string& entry);

ChangedPlan decideChanged(const Files& files, const ChangedInputs& in, const BuildRecord& record);

// The record after a build that runs the chosen compiles (and the link when linking), taken
// just before it starts: what is not redone keeps its entry.
BuildRecord recordFor(const Files& files, const ChangedInputs& in, const std::vector<bool>& chosen, bool linking,
                      BuildRecord before);
