// Tarnel's reading of a link's memory against the stand-in linker's own accounting (its RANGES
// table), on the demo sample and on a generated program of 200 modules.
#include "standin_fixture.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "linker/linker_list_reader.h"
#include "linker/memory_usage.h"
#include "platform/fake/fake_files.h"

using namespace standin_test;

namespace
{

std::string hex4(int v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", v);
    return buf;
}

struct LinkerRange {
    int start, end, size, used;
};

// The RANGES rows the linker wrote: type, start, end, size, used, segments.
std::vector<LinkerRange> linkerRanges(const std::string& map)
{
    std::vector<LinkerRange> rows;
    std::istringstream in(map.substr(map.find("\nRANGES")));
    std::string line;
    std::getline(in, line);
    std::getline(in, line);
    std::getline(in, line); // heading
    while (std::getline(in, line) && line.size() > 2) {
        std::istringstream cells(line);
        std::string type, start, end, size, used;
        cells >> type >> start >> end >> size >> used;
        rows.push_back({std::stoi(start, nullptr, 16), std::stoi(end, nullptr, 16), std::stoi(size, nullptr, 16),
                        std::stoi(used, nullptr, 16)});
    }
    return rows;
}

class MemoryAccountingTest : public StandinTest
{
protected:
    MemoryUsage read(const std::string& listFile, const std::string& commandFile) const
    {
        FakeFiles files;
        files.put("C:\\S\\" + listFile, StandinTest::read(listFile));
        files.put("C:\\S\\" + commandFile, StandinTest::read(commandFile));
        return readMemoryUsage(files, "C:\\S", listFile);
    }

    void expectLinkersFigures(const MemoryUsage& u, const std::string& map) const
    {
        ASSERT_TRUE(u.available) << u.reason;
        const std::vector<LinkerRange> expected = linkerRanges(map);
        ASSERT_EQ(u.ranges.size(), expected.size()) << map;
        long rom = 0;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(u.ranges[i].start, expected[i].start) << i;
            EXPECT_EQ(u.ranges[i].end, expected[i].end) << i;
            EXPECT_EQ(u.ranges[i].size, expected[i].size) << i;
            EXPECT_EQ(u.ranges[i].used, expected[i].used) << i;
            rom += u.ranges[i].kind == MemoryKind::Rom ? expected[i].used : 0;
        }
        EXPECT_EQ(u.rom.used, rom);
    }
};

} // namespace

TEST_F(MemoryAccountingTest, TheDemosFiguresAreTheLinkersOwn)
{
    copySampleAndLibrary();
    compileSample();
    ASSERT_EQ(run("xlink", kLinkLine).exitCode, 0);
    const std::string map = StandinTest::read("out.map");
    const MemoryUsage u = read("out.map", "LK7832SL.xcl");
    expectLinkersFigures(u, map);
    EXPECT_GT(u.ram.used, 0);
    // Each symbol of a module, from its address on, lies inside its segment.
    for (const ListedSymbol& s : u.symbols)
        EXPECT_GE(s.address, 0) << s.name;
    EXPECT_TRUE(std::any_of(u.symbols.begin(), u.symbols.end(),
                            [](const ListedSymbol& s) { return s.module == "util" && s.name == "led_init"; }));
}

TEST_F(MemoryAccountingTest, TwoHundredModulesAreCountedToTheByte)
{
    Args line;
    for (int i = 0; i < 200; ++i) {
        const std::string name = "m" + std::to_string(i);
        std::ostringstream r25;
        r25 << "R25 1 " << name << " PROGRAM\nSOURCE " << name << ".c\nCPU 78300\n"
            << "SEGMENT CODE " << hex4(0x10 + i % 37) << "\nSEGMENT CONST " << hex4(i % 5) << "\n"
            << "SEGMENT DATA " << hex4(2 + i % 3) << "\n"
            << "PUBLIC f" << i << " CODE 0000\nPUBLIC g" << i << " CODE 0008\nPUBLIC v" << i << " DATA 0000\nEND\n";
        put(name + ".r25", r25.str());
        line.push_back(name + ".r25");
    }
    put("big.xcl", "-Z(CODE)INTVEC=0000-003F\r\n-Z(CODE)CODE,CONST=0040-7FFF\r\n"
                   "-Z(DATA)DATA,CSTACK=F000-FEFF\r\n");
    const ToolRun r = run("xlink", line + Args{"-f", "big", "-l", "big.map"});
    ASSERT_EQ(r.exitCode, 0) << r.out;
    const std::string map = StandinTest::read("big.map");
    const MemoryUsage u = read("big.map", "big.xcl");
    expectLinkersFigures(u, map);
    ASSERT_EQ(u.symbols.size(), 600u);
    long code = 0;
    for (const ListedSymbol& s : u.symbols)
        code += s.segment == "CODE" ? s.size : 0;
    EXPECT_EQ(code, u.ranges[1].segments[0].size) << "the symbols of a segment make it up";
}
