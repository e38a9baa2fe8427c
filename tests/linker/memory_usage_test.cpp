#include <gtest/gtest.h>

#include "linker/memory_report.h"
#include "linker/memory_usage.h"
#include "platform/fake/fake_files.h"

namespace
{

const char* const Dir = "C:\\Tarnel\\Source";

const std::string ListFile = "Tarnel stand-in xlink 1.0 - linker list file\r\n"
                             "Output file   : aout.a25\r\n"
                             "Command file  : LK.xcl\r\n"
                             "\r\n"
                             "MODULES\r\n"
                             "  main                 main.R25         program module\r\n"
                             "\r\n"
                             "SEGMENTS\r\n"
                             "  Name         Type     Start  End    Size\r\n"
                             "  INTVEC       CODE     0000   0003   0004\r\n"
                             "  CODE         CODE     0040   00BF   0080\r\n"
                             "      main                 0040  0080\r\n"
                             "  CONST        CODE     00C0   00C9   000A\r\n"
                             "  DATA         DATA     FD00   FD05   0006\r\n"
                             "  CSTACK       DATA     FE00   FEFF   0100\r\n"
                             "  XTRA         -        ----   ----   0010\r\n"
                             "\r\n"
                             "SYMBOLS\r\n"
                             "  Module               Symbol               Segment      Address Size\r\n"
                             "  main                 main                 CODE         0040    0030\r\n"
                             "  main                 count                DATA         FD00    0002\r\n"
                             "  main                 spare                XTRA         ----    0010\r\n"
                             "\r\n"
                             "RANGES\r\n"
                             "  Type     Start  End    Size   Used   Segments\r\n"
                             "  CODE     0000   003F   0040   0004   INTVEC\r\n"
                             "\r\n"
                             "Error[63]: segment 'XTRA' has no place (no -Z line names it)\r\n"
                             "Errors: 1\r\n"
                             "Warnings: none\r\n";

const std::string CommandFile = "// vectors\r\n"
                                "-Z(CODE)INTVEC=0000-003F\r\n"
                                "-Z(CODE)CODE,CONST=0040-7FFF\r\n"
                                "-Z(DATA)DATA,CSTACK=FD00-FEFF\r\n";

MemoryUsage readFrom(const std::string& list, const std::string& commands = CommandFile)
{
    FakeFiles files;
    files.put(std::string(Dir) + "\\out.map", list);
    files.put(std::string(Dir) + "\\LK.xcl", commands);
    return readMemoryUsage(files, Dir, "out.map");
}

} // namespace

TEST(MemoryUsage, RangesCountThePlacedSegmentsAndTheirKind)
{
    const MemoryUsage u = readFrom(ListFile);
    ASSERT_TRUE(u.available) << u.reason;
    struct Row {
        int start, end;
        MemoryKind kind;
        long size, used;
        std::size_t segments;
    };
    const Row rows[] = {{0x0000, 0x003F, MemoryKind::Rom, 0x40, 4, 1},
                        {0x0040, 0x7FFF, MemoryKind::Rom, 0x7FC0, 0x8A, 2},
                        {0xFD00, 0xFEFF, MemoryKind::Ram, 0x200, 0x106, 2}};
    ASSERT_EQ(u.ranges.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const RangeUsage& r = u.ranges[i];
        EXPECT_EQ(r.start, rows[i].start) << i;
        EXPECT_EQ(r.end, rows[i].end) << i;
        EXPECT_EQ(r.kind, rows[i].kind) << i;
        EXPECT_EQ(r.size, rows[i].size) << i;
        EXPECT_EQ(r.used, rows[i].used) << i;
        EXPECT_EQ(r.segments.size(), rows[i].segments) << i;
    }
    EXPECT_EQ(u.rom.size, 0x8000);
    EXPECT_EQ(u.rom.used, 0x8E);
    EXPECT_EQ(u.ram.used, 0x106);
    ASSERT_EQ(u.symbols.size(), 3u);
    EXPECT_EQ(u.symbols[1].name, "count");
    EXPECT_EQ(u.symbols[1].address, 0xFD00);
    EXPECT_EQ(u.symbols[2].address, -1);
    EXPECT_EQ(u.problems,
              std::vector<std::string>{"Error[63]: segment 'XTRA' has no place (no -Z line names it)"});
    EXPECT_EQ(u.target, "aout.a25");
}

TEST(MemoryUsage, DamagedInputGivesNoMemoryDataWithTheReason)
{
    const std::string cut = ListFile.substr(0, ListFile.find("SYMBOLS"));
    std::string badRow = ListFile;
    badRow.replace(badRow.find("0080\r\n      main"), 4, "00G0");
    std::string binary = ListFile;
    binary[40] = '\0';
    const struct {
        const char* name;
        std::string list;
        std::string commands;
        const char* reason;
    } rows[] = {
        {"empty", "", CommandFile, "the list file is empty"},
        {"binary", binary, CommandFile, "the list file is not text"},
        {"truncated", cut, CommandFile, "the list file ends early"},
        {"bad number", badRow, CommandFile, "is damaged (a segment row)"},
        {"no segments", "Errors: none\r\n", CommandFile, "no SEGMENTS table"},
        {"no -Z lines", ListFile, "// nothing\r\n-f other\r\n", "has no -Z lines"},
    };
    for (const auto& row : rows) {
        const MemoryUsage u = readFrom(row.list, row.commands);
        EXPECT_FALSE(u.available) << row.name;
        EXPECT_NE(u.reason.find(row.reason), std::string::npos) << row.name << ": " << u.reason;
        EXPECT_EQ(u.rom.used + u.ram.used, 0) << row.name;
    }
    FakeFiles nothing;
    EXPECT_NE(readMemoryUsage(nothing, Dir, "out.map").reason.find("there is no list file"),
              std::string::npos);
}

TEST(MemoryUsage, RangeLinesAreReadAsTheLinkerReadsThem)
{
    const struct {
        const char* word;
        bool valid;
        const char* type;
        std::vector<std::string> segments;
        int start, end;
    } rows[] = {
        {"-Z(CODE)RCODE,CODE=0040-7FFF", true, "CODE", {"RCODE", "CODE"}, 0x40, 0x7FFF},
        {"-ZRCODE0010,CODE#0000-7FFF.FF00", true, "", {"RCODE", "CODE"}, 0, 0x7FFF},
        {"-Z(NONE)DATA=FD00", true, "", {"DATA"}, 0xFD00, 0xFFFF},
        {"-Z(CODE)CODE=8000-7FFF", false, "", {}, 0, 0},
        {"-Z(CODE=0000-1000", false, "", {}, 0, 0},
        {"-Z(CODE)CODE", false, "", {}, 0, 0},
    };
    for (const auto& row : rows) {
        const auto r = parseAddressRange(row.word);
        ASSERT_EQ(r.has_value(), row.valid) << row.word;
        if (!r)
            continue;
        EXPECT_EQ(r->type, row.type) << row.word;
        EXPECT_EQ(r->segments, row.segments) << row.word;
        EXPECT_EQ(r->start, row.start) << row.word;
        EXPECT_EQ(r->end, row.end) << row.word;
    }
}

TEST(MemoryUsage, OneAddressRangeHoldingCodeAndDataIsShownAsItself)
{
    const MemoryUsage u = readFrom(ListFile, "-Z(CODE)CODE=0000-FFFF\r\n-Z(DATA)DATA=0000-FFFF\r\n");
    ASSERT_EQ(u.ranges.size(), 1u);
    EXPECT_EQ(u.ranges[0].kind, MemoryKind::Mixed);
    EXPECT_EQ(u.ranges[0].used, 0x86);
    EXPECT_EQ(u.rom.size + u.ram.size, 0);
    EXPECT_EQ(memorySummary(u), std::vector<std::string>{"ROM+RAM 0000-FFFF: 134 of 65536 bytes (0.2%)"});
}

TEST(MemoryUsage, EachFigureShowsItsChangeSinceThePreviousBuild)
{
    FakeFiles files;
    files.putFolder(Dir);
    const std::string kept = previousFiguresPath(Dir, "C:\\Tarnel\\sample.prj");
    EXPECT_EQ(kept, "C:\\Tarnel\\Source\\sample.memory");
    MemoryUsage first = readFrom(ListFile);
    compareWithPrevious(first, files, kept);
    EXPECT_FALSE(first.rom.change);
    EXPECT_EQ(memorySummary(first)[0], "ROM: 142 of 32768 bytes (0.4%)");

    std::string bigger = ListFile;
    bigger.replace(bigger.find("00BF   0080"), 11, "00FF   00C0");
    MemoryUsage second = readFrom(bigger);
    compareWithPrevious(second, files, kept);
    EXPECT_EQ(second.rom.change, 64);
    EXPECT_EQ(second.ram.change, 0);
    EXPECT_EQ(second.ranges[1].change, 64);
    EXPECT_EQ(memorySummary(second)[0], "ROM: 206 of 32768 bytes (0.6%), +64 since the previous build");
}

TEST(MemoryUsage, FillLimitsNameTheRegionThatIsTooFull)
{
    const MemoryUsage u = readFrom(ListFile); // ROM 0.4%, RAM 51.2%
    const struct {
        const char* limits;
        const char* exceeded; // empty: fits; null: the text is refused
    } rows[] = {
        {"ROM=90,RAM=80", ""},
        {"ROM=0.1", "ROM is 0.4% full (142 of 32768 bytes), more than the 0.1% allowed"},
        {"rom=90,ram=50", "RAM is 51.2% full (262 of 512 bytes), more than the 50% allowed"},
        {"ROM=101", nullptr},
        {"FLASH=50", nullptr},
        {"ROM", nullptr},
    };
    for (const auto& row : rows) {
        std::string error;
        const auto limits = parseFillLimits(row.limits, error);
        ASSERT_EQ(limits.has_value(), row.exceeded != nullptr) << row.limits << error;
        if (limits) {
            EXPECT_EQ(fillExceeded(u, *limits), row.exceeded) << row.limits;
        }
    }
}
