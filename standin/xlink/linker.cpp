#include "xlink/linker.h"

#include <algorithm>

#include "common/tool_files.h"
#include "platform/paths/win_path.h"

namespace standin
{

namespace
{

bool is78K3(const std::string& cpu)
{
    return cpu == "78300" || cpu == "78310" || cpu == "78310A" || cpu == "78320" || cpu == "78327" ||
           cpu == "78330";
}

std::string range(int start, int size)
{
    return hex4(start) + "-" + hex4(start + std::max(size, 1) - 1);
}

} // namespace

Linker::Linker(const LinkOptions& options, DiagnosticLog& log) : m_o(options), m_log(log)
{
    m_log.setWarningsEnabled(!options.warningsOff);
}

void Linker::run()
{
    loadFiles();
    resolve();
    checkModules();
    place();
    locateEntries();
}

int Linker::startAddress() const
{
    for (const char* name : {"__program_start", "main"})
        for (const Entry& e : m_entries)
            if (e.name == name && e.address >= 0)
                return e.address;
    return 0;
}

void Linker::loadFiles()
{
    for (const std::string& name : m_o.objects)
        if (!loadFile(name, false))
            m_log.error(ErrObjectMissing, "cannot open object file '" + name + "'");
    for (const std::string& name : m_o.libraries)
        if (!loadFile(name, true))
            m_log.error(ErrLibraryMissing,
                        "cannot open library '" + withDefaultExtension(name, ".r25") + "'");
}

// False only when the file cannot be read; other faults are reported here.
bool Linker::loadFile(const std::string& name, bool library)
{
    const std::string path = withDefaultExtension(name, ".r25");
    const auto lines = readLines(path);
    if (!lines)
        return false;
    const std::string key = winpath::lower(hostPath(path).value_or(path));
    if (const auto it = m_files.find(key); it != m_files.end()) {
        const std::string also = it->second == path ? "" : " (also as '" + it->second + "')";
        m_log.error(ErrGivenTwice, "'" + path + "' is given twice" + also);
        return true;
    }
    m_files[key] = path;
    R25ParseError why;
    const auto modules = parseObject(*lines, why);
    if (!modules) {
        m_log.error(ErrNotObject, "'" + path + "' is not a valid object file (line " +
                                      std::to_string(why.line) + ": " + why.text + ")");
        return true;
    }
    for (const R25Module& m : *modules) {
        // A library file's modules, and modules made as libraries (-b), load only on demand.
        LinkedModule lm{m, winpath::fileName(path), library || m.library};
        if (lm.fromLibrary)
            m_candidates.push_back(std::move(lm));
        else
            link(std::move(lm));
    }
    return true;
}

void Linker::link(LinkedModule module)
{
    const std::size_t index = m_linked.size();
    for (const LinkedModule& other : m_linked)
        if (other.module.name == module.module.name)
            m_log.error(ErrModuleTwice, "module '" + module.module.name + "' is in '" + other.file +
                                            "' and in '" + module.file + "'");
    for (const R25Public& p : module.module.publics) {
        const auto [it, added] = m_defined.emplace(p.name, index);
        if (!added)
            m_log.error(ErrEntryTwice, "entry '" + p.name + "' is defined in module '" +
                                           m_linked[it->second].module.name + "' and in module '" +
                                           module.module.name + "'");
    }
    m_linked.push_back(std::move(module));
}

std::string Linker::target(const std::string& external) const
{
    const auto it = m_o.aliases.find(external);
    if (it == m_o.aliases.end())
        return external;
    // The provider of a -e switch is found without regard to case: Tarnel's command file
    // editor writes the print-format sizes capitalised (-e_Small_write=...), its linker pages
    // in lower case (-e_small_write=...), and both mean the same formatter.
    const std::string& provider = it->second;
    if (m_defined.count(provider))
        return provider;
    for (const std::vector<LinkedModule>* list : {&m_linked, &m_candidates})
        for (const LinkedModule& lm : *list)
            for (const R25Public& p : lm.module.publics)
                if (winpath::equalsNoCase(p.name, provider))
                    return p.name;
    return provider;
}

void Linker::resolve()
{
    // Linking a library module can need further ones; new modules are appended, so index.
    for (std::size_t i = 0; i < m_linked.size(); ++i) {
        for (const std::string& ext : std::vector<std::string>(m_linked[i].module.externs)) {
            const std::string name = target(ext);
            if (m_defined.count(name))
                continue;
            const auto provider =
                std::find_if(m_candidates.begin(), m_candidates.end(), [&](const LinkedModule& c) {
                    return std::any_of(c.module.publics.begin(), c.module.publics.end(),
                                       [&](const R25Public& p) { return p.name == name; });
                });
            if (provider == m_candidates.end())
                continue;
            LinkedModule chosen = std::move(*provider);
            m_candidates.erase(provider);
            link(std::move(chosen));
        }
    }
    for (const LinkedModule& lm : m_linked)
        for (const std::string& ext : lm.module.externs)
            if (!m_defined.count(target(ext)))
                m_log.error(ErrUndefined, "undefined external '" + target(ext) + "' referred in module '" +
                                              lm.module.name + "' (" + lm.file + ")");
}

void Linker::checkModules()
{
    const bool checkCpu = !m_o.cpu.empty() && m_o.cpu != "UNSPECIFIED";
    const LinkedModule* processor = nullptr;
    const LinkedModule* doubles = nullptr;
    for (const LinkedModule& lm : m_linked) {
        const R25Module& m = lm.module;
        if (checkCpu && is78K3(m.cpu) && m_o.cpu != "78300")
            m_log.error(ErrWrongCpu,
                        "module '" + m.name + "' is for the " + m.cpu + ", not for CPU '" + m_o.cpu + "'");
        if (m.cpu != "78300") {
            if (processor && processor->module.cpu != m.cpu)
                m_log.warning(WarnMixedProcessors, "modules '" + processor->module.name + "' (" +
                                                       processor->module.cpu + ") and '" + m.name + "' (" +
                                                       m.cpu + ") are for different processors");
            processor = processor ? processor : &lm;
        }
        if (!m.doubles.empty()) {
            if (doubles && doubles->module.doubles != m.doubles)
                m_log.error(ErrDoubleSizes, "module '" + m.name + "' (" + lm.file + ") uses " + m.doubles +
                                                "-bit doubles, module '" + doubles->module.name + "' (" +
                                                doubles->file + ") " + doubles->module.doubles +
                                                "-bit doubles");
            doubles = doubles ? doubles : &lm;
        }
    }
}

PlacedSegment& Linker::segment(const std::string& name)
{
    for (PlacedSegment& s : m_segments)
        if (s.name == name)
            return s;
    m_segments.push_back({});
    m_segments.back().name = name;
    return m_segments.back();
}

void Linker::place()
{
    for (std::size_t i = 0; i < m_linked.size(); ++i)
        for (const R25Segment& part : m_linked[i].module.segments) {
            PlacedSegment& s = segment(part.name);
            s.parts.push_back({i, s.size, part.size});
            s.size += part.size;
        }
    for (const SegmentRange& r : m_o.ranges) {
        int cursor = r.downwards ? (r.end >= 0 ? r.end : 0xFFFF) : r.start;
        RangeUse& use = m_ranges.emplace_back(RangeUse{r.type, r.start, r.end, 0, {}});
        for (const RangeSegment& rs : r.segments) {
            PlacedSegment& s = segment(rs.name);
            if (s.placed) {
                m_log.warning(WarnTwicePlaced,
                              "segment '" + s.name + "' is placed twice; the first placement holds", r.file,
                              r.line);
                continue;
            }
            use.used += s.size;
            use.segments.push_back(s.name);
            s.placed = true;
            s.type = r.type;
            s.holdsData = r.holdsData();
            bool fits = true;
            if (r.downwards) {
                cursor -= rs.gap;
                s.start = cursor - s.size + 1;
                cursor = s.start - 1;
                fits = s.size == 0 || s.start >= r.start;
            } else {
                cursor += rs.gap;
                s.start = cursor;
                cursor += s.size;
                fits = s.size == 0 || r.end < 0 || cursor - 1 <= r.end;
            }
            if (fits)
                continue;
            const std::string text = "segment '" + s.name + "' (" + std::to_string(s.size) +
                                     " bytes) does not fit in " + hex4(r.start) + "-" +
                                     (r.end >= 0 ? hex4(r.end) : std::string("FFFF"));
            if (m_o.noRangeCheck)
                m_log.warning(WarnRangeOverflow, text, r.file, r.line);
            else
                m_log.error(ErrRangeOverflow, text, r.file, r.line);
        }
    }
    for (const PlacedSegment& s : m_segments)
        if (!s.placed && s.size > 0)
            m_log.error(ErrNotPlaced, "segment '" + s.name + "' has no place (no -Z line names it)");
    if (!m_o.noOverlapCheck)
        checkOverlaps();
}

void Linker::checkOverlaps()
{
    std::vector<const PlacedSegment*> used;
    for (const PlacedSegment& s : m_segments)
        if (s.placed && s.size > 0)
            used.push_back(&s);
    std::sort(used.begin(), used.end(), [](auto* a, auto* b) { return a->start < b->start; });
    for (std::size_t i = 1; i < used.size(); ++i) {
        const PlacedSegment* a = used[i - 1];
        const PlacedSegment* b = used[i];
        if (a->start + a->size > b->start)
            m_log.error(ErrOverlap, "segments '" + a->name + "' (" + range(a->start, a->size) + ") and '" +
                                        b->name + "' (" + range(b->start, b->size) + ") overlap");
    }
}

void Linker::locateEntries()
{
    for (std::size_t i = 0; i < m_linked.size(); ++i) {
        const R25Module& m = m_linked[i].module;
        for (const R25Public& p : m.publics) {
            Entry e{p.name, i, p.segment, -1, 0};
            for (const PlacedSegment& s : m_segments)
                if (s.name == p.segment && s.placed)
                    for (const SegmentPart& part : s.parts)
                        if (part.module == i)
                            e.address = s.start + part.offset + p.offset;
            // An entry runs until the next entry of its module in that segment begins.
            int next = m.segmentSize(p.segment);
            for (const R25Public& q : m.publics)
                if (q.segment == p.segment && q.offset > p.offset)
                    next = std::min(next, q.offset);
            e.size = std::max(0, next - p.offset);
            m_entries.push_back(e);
        }
    }
}

} // namespace standin
