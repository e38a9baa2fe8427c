#pragma once
// One run of the compiler over a source and the headers it includes.
#include <set>
#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "common/object_file.h"
#include "icc78300/c_analysis.h"
#include "icc78300/compiler_options.h"

namespace standin
{

struct SourceUnit {
    ScannedFile file;
    FileFacts facts;
    bool balanced = false;
    int anchorLine = 0; // the main file's #include line that brought it in; 0 for the source
};

class Compilation
{
public:
    Compilation(const CompilerOptions& options, DiagnosticLog& log);

    // Reads and checks everything; false when the source itself cannot be read.
    bool run();

    const std::vector<SourceUnit>& units() const { return m_units; }
    const SourceUnit& main() const { return m_units.front(); }
    const R25Module& module() const { return m_module; }

private:
    bool load(const std::string& path, const std::string& shownName, int anchorLine);
    void includeAll(std::size_t unit);
    std::string findInclude(const std::string& name, const std::string& includerPath) const;
    void buildModule();

    const CompilerOptions& m_options;
    DiagnosticLog& m_log;
    std::vector<SourceUnit> m_units;
    std::vector<std::string> m_paths; // where each unit was read from
    std::set<std::string> m_seen;     // each header is read once
    R25Module m_module;
};

} // namespace standin
