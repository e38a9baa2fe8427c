#include "xlink/output_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/paths/win_path.h"

namespace standin
{

namespace
{

struct Block {
    int address = 0;
    std::vector<std::uint8_t> bytes;
};

// Code bytes of the image: each module part gets a filler drawn from its module's name, so
// that different programs give different images.
std::vector<Block> imageBlocks(const Linker& linker)
{
    std::vector<Block> blocks;
    for (const PlacedSegment& s : linker.segments()) {
        if (!s.placed || s.holdsData || s.size == 0)
            continue;
        Block b{s.start, {}};
        for (const SegmentPart& part : s.parts) {
            const std::string& name = linker.modules()[part.module].module.name;
            for (int i = 0; i < part.size; ++i)
                b.bytes.push_back(
                    static_cast<std::uint8_t>(name[static_cast<std::size_t>(i) % name.size()] + i));
        }
        blocks.push_back(std::move(b));
    }
    std::sort(blocks.begin(), blocks.end(),
              [](const Block& a, const Block& b) { return a.address < b.address; });
    return blocks;
}

std::string hexBytes(const std::vector<std::uint8_t>& bytes)
{
    std::string out;
    char buf[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        out += buf;
    }
    return out;
}

std::string sRecord(char type, int address, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> body{static_cast<std::uint8_t>(data.size() + 3),
                                   static_cast<std::uint8_t>(address >> 8),
                                   static_cast<std::uint8_t>(address)};
    body.insert(body.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (std::uint8_t b : body)
        sum += b;
    body.push_back(static_cast<std::uint8_t>(~sum));
    return std::string("S") + type + hexBytes(body);
}

std::string intelRecord(int type, int address, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> body{static_cast<std::uint8_t>(data.size()),
                                   static_cast<std::uint8_t>(address >> 8),
                                   static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(type)};
    body.insert(body.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (std::uint8_t b : body)
        sum += b;
    body.push_back(static_cast<std::uint8_t>(0x100 - (sum & 0xFF)));
    return ":" + hexBytes(body);
}

template <typename Emit> void inRows(const std::vector<Block>& blocks, Emit emit)
{
    for (const Block& b : blocks)
        for (std::size_t i = 0; i < b.bytes.size(); i += 16) {
            const std::size_t n = std::min<std::size_t>(16, b.bytes.size() - i);
            emit(b.address + static_cast<int>(i),
                 std::vector<std::uint8_t>(b.bytes.begin() + static_cast<std::ptrdiff_t>(i),
                                           b.bytes.begin() + static_cast<std::ptrdiff_t>(i + n)));
        }
}

std::string column(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.resize(width, ' ');
    return text + ' ';
}

} // namespace

std::vector<std::string> targetLines(const LinkOptions& options, const Linker& linker)
{
    const std::vector<Block> blocks = imageBlocks(linker);
    std::vector<std::string> out;
    if (options.format == "MOTOROLA") {
        const std::string name = winpath::fileName(options.output);
        out.push_back(sRecord('0', 0, std::vector<std::uint8_t>(name.begin(), name.end())));
        inRows(blocks, [&](int a, const std::vector<std::uint8_t>& d) { out.push_back(sRecord('1', a, d)); });
        out.push_back(sRecord('9', linker.startAddress(), {}));
    } else if (options.format.rfind("INTEL-", 0) == 0) {
        inRows(blocks,
               [&](int a, const std::vector<std::uint8_t>& d) { out.push_back(intelRecord(0, a, d)); });
        out.push_back(intelRecord(1, 0, {}));
    } else {
        out.push_back("; " + banner("xlink") + " image, format " +
                      (options.format.empty() ? std::string("(none)") : options.format));
        out.push_back("START " + hex4(linker.startAddress()));
        for (const Entry& e : linker.entries())
            out.push_back("ENTRY " + e.name + " " + (e.address >= 0 ? hex4(e.address) : "----"));
        inRows(blocks, [&](int a, const std::vector<std::uint8_t>& d) {
            out.push_back("DATA " + hex4(a) + " " + hexBytes(d));
        });
        out.push_back("END");
    }
    return out;
}

std::vector<std::string> mapLines(const LinkOptions& options, const Linker& linker, const DiagnosticLog& log)
{
    std::vector<std::string> out{
        banner("xlink") + " - linker list file", "Command line  : " + options.commandLine,
        "Output file   : " + options.output,
        "Output format : " + (options.format.empty() ? std::string("(none)") : options.format),
        "CPU           : " + (options.cpu.empty() ? std::string("(none)") : options.cpu)};
    for (const std::string& f : options.commandFiles)
        out.push_back("Command file  : " + f);
    out.push_back("");
    out.push_back("MODULES");
    for (const LinkedModule& lm : linker.modules())
        out.push_back("  " + column(lm.module.name, 20) + column(lm.file, 16) +
                      (lm.fromLibrary ? "library module" : "program module"));
    out.push_back("");
    out.push_back("SEGMENTS");
    out.push_back("  " + column("Name", 12) + column("Type", 8) + column("Start", 6) + column("End", 6) +
                  "Size");
    for (const PlacedSegment& s : linker.segments()) {
        const std::string type = s.type.empty() ? "-" : s.type;
        if (!s.placed) {
            out.push_back("  " + column(s.name, 12) + column(type, 8) + column("----", 6) +
                          column("----", 6) + hex4(s.size));
            continue;
        }
        const std::string end = s.size > 0 ? hex4(s.start + s.size - 1) : "----";
        out.push_back("  " + column(s.name, 12) + column(type, 8) + column(hex4(s.start), 6) +
                      column(end, 6) + hex4(s.size));
        if (options.crossRefHas('s'))
            for (const SegmentPart& p : s.parts)
                out.push_back("      " + column(linker.modules()[p.module].module.name, 20) +
                              hex4(s.start + p.offset) + "  " + hex4(p.size));
    }
    out.push_back("");
    out.push_back("SYMBOLS");
    out.push_back("  " + column("Module", 20) + column("Symbol", 20) + column("Segment", 12) + column("Address", 7) +
                  "Size");
    for (const Entry& e : linker.entries())
        out.push_back("  " + column(linker.modules()[e.module].module.name, 20) + column(e.name, 20) +
                      column(e.segment, 12) + column(e.address >= 0 ? hex4(e.address) : "----", 7) + hex4(e.size));
    out.push_back("");
    out.push_back("RANGES");
    out.push_back("  " + column("Type", 8) + column("Start", 6) + column("End", 6) + column("Size", 6) +
                  column("Used", 6) + "Segments");
    for (const RangeUse& r : linker.ranges()) {
        const int end = r.end >= 0 ? r.end : 0xFFFF;
        std::string names;
        for (const std::string& n : r.segments)
            names += (names.empty() ? "" : ",") + n;
        out.push_back("  " + column(r.type.empty() ? "-" : r.type, 8) + column(hex4(r.start), 6) +
                      column(hex4(end), 6) + column(hex4(end - r.start + 1), 6) + column(hex4(r.used), 6) + names);
    }
    if (options.crossRefHas('m')) {
        out.push_back("");
        out.push_back("MODULE MAP");
        for (std::size_t i = 0; i < linker.modules().size(); ++i) {
            const R25Module& m = linker.modules()[i].module;
            out.push_back("  " + m.name + " (" + linker.modules()[i].file + ", " + m.cpu + ")");
            for (const Entry& e : linker.entries())
                if (e.module == i)
                    out.push_back("      " + column(e.name, 20) + column(e.segment, 10) +
                                  (e.address >= 0 ? hex4(e.address) : "----"));
        }
    }
    if (options.crossRefHas('e')) {
        std::vector<Entry> sorted = linker.entries();
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const Entry& a, const Entry& b) { return a.address < b.address; });
        out.push_back("");
        out.push_back("ENTRIES");
        for (const Entry& e : sorted)
            out.push_back("  " + column(e.name, 20) + column(e.address >= 0 ? hex4(e.address) : "----", 6) +
                          linker.modules()[e.module].module.name);
    }
    out.push_back("");
    for (const Diagnostic& d : log.all())
        out.push_back(d.format());
    for (const std::string& s : log.summary())
        out.push_back(s);
    return out;
}

} // namespace standin
