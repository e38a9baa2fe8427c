#pragma once
// "Build Changed": compiles only the C sources whose objects are out of date and links when
// the target is, through batch files of its own beside pathset.bat and ide.bat, on the same
// road as "Build All" (the same lines, copies, runner, panel and end check). "Build All" and
// "Compile" leave the record of what they built, so that the next "Build Changed" trusts it.
#include <string>
#include <vector>

#include "build/changed_build.h"

class TEmbedded;
struct BatchPlan;

class BuildChanged {
public:
    static constexpr const char* MenuItem = "BuildChanged1";
    static constexpr const char* ToolButton = "BuildChangedBtn";
    static constexpr const char* PathBatch = "pathchg.bat";
    static constexpr const char* IdeBatch = "idechg.bat";
    static constexpr const char* NothingToDo = "Nothing to build: every object and the target are up to date.";

    explicit BuildChanged(TEmbedded& app);

    // True when a build was started.
    bool BuildChangedClick();
    // What the last "Build Changed" decided.
    const ChangedPlan& plan() const { return m_plan; }

private:
    ChangedInputs inputs(const BatchPlan& batch) const;
    std::vector<std::string> panelLines() const;
    bool writeBatches(const BatchPlan& batch);
    void recordFullBuild();

    TEmbedded& m_app;
    ChangedPlan m_plan;
};
