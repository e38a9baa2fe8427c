#pragma once
// Loads the object modules, pulls in the library modules they need, checks that they fit
// together and places their segments by the -Z lines.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "common/object_file.h"
#include "xlink/link_options.h"

namespace standin
{

struct LinkedModule {
    R25Module module;
    std::string file;
    bool fromLibrary = false;
};

struct SegmentPart {
    std::size_t module = 0; // index into modules()
    int offset = 0;         // from the segment's start
    int size = 0;
};

struct PlacedSegment {
    std::string name;
    std::string type;
    bool holdsData = false;
    bool placed = false;
    int start = 0;
    int size = 0;
    std::vector<SegmentPart> parts;
};

struct Entry {
    std::string name;
    std::size_t module = 0;
    std::string segment;
    int address = -1; // -1 while its segment is not placed
    int size = 0;     // up to the module's next entry in the segment, or to its part's end
};

// What one -Z line holds once placed: the bytes of the segments it placed, gaps not counted.
struct RangeUse {
    std::string type;
    int start = 0;
    int end = -1; // -1: no upper bound
    int used = 0;
    std::vector<std::string> segments;
};

class Linker
{
public:
    Linker(const LinkOptions& options, DiagnosticLog& log);

    void run();

    const std::vector<LinkedModule>& modules() const { return m_linked; }
    const std::vector<PlacedSegment>& segments() const { return m_segments; }
    const std::vector<Entry>& entries() const { return m_entries; }
    const std::vector<RangeUse>& ranges() const { return m_ranges; }
    // __program_start when there is one, else main, else 0.
    int startAddress() const;

private:
    void loadFiles();
    bool loadFile(const std::string& name, bool library);
    void link(LinkedModule module);
    void resolve();
    void checkModules();
    void place();
    void checkOverlaps();
    void locateEntries();
    PlacedSegment& segment(const std::string& name);
    std::string target(const std::string& external) const;

    const LinkOptions& m_o;
    DiagnosticLog& m_log;
    std::vector<LinkedModule> m_linked;
    std::vector<LinkedModule> m_candidates; // library modules not (yet) needed
    std::map<std::string, std::size_t> m_defined;
    std::map<std::string, std::string> m_files; // host path (lower case) -> name as given
    std::vector<PlacedSegment> m_segments;
    std::vector<Entry> m_entries;
    std::vector<RangeUse> m_ranges;
};

} // namespace standin
