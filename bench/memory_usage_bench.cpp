// Reading a linker list file of 10,000 symbols into the memory usage (the file read, the
// tables parsed, the ranges accounted), beside reading the same file's bytes alone; and the
// Memory Usage panel brought up to date at a build's end, for 10,000 symbols beside the
// demo's ten; in one run, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/control_set.h"
#include "app/tembedded.h"
#include "build/build_output.h"
#include "linker/linker_list_reader.h"
#include "linker/memory_usage.h"
#include "linker/view/memory_usage_dock.h"
#include "platform/fake/fake_host.h"
#include "support/qt_bench_main.h"

namespace
{

constexpr int kSymbols = 10000;
constexpr int kModules = 500;

std::string hex4(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04X", v);
    return buf;
}

std::string pad(std::string text, std::size_t width)
{
    text.resize(std::max(text.size(), width), ' ');
    return text + ' ';
}

// The shape the stand-in linker writes: 500 modules of 20 symbols each, in CODE and DATA.
std::string listFile(int symbols = kSymbols)
{
    std::string out = "Tarnel stand-in xlink 1.0 - linker list file\r\nOutput file   : aout.a25\r\n"
                      "Command file  : big.xcl\r\n\r\nMODULES\r\n";
    for (int m = 0; m < kModules; ++m)
        out += "  " + pad("module" + std::to_string(m), 20) + pad("module" + std::to_string(m) + ".r25", 16) +
               "program module\r\n";
    out += "\r\nSEGMENTS\r\n  Name         Type     Start  End    Size\r\n"
           "  CODE         CODE     0040   9C7F   9C40\r\n  DATA         DATA     A000   B387   1388\r\n"
           "\r\nSYMBOLS\r\n  Module               Symbol               Segment      Address Size\r\n";
    for (int i = 0; i < symbols; ++i) {
        const bool code = i % 4 != 0;
        out += "  " + pad("module" + std::to_string(i / 20), 20) + pad("symbol_" + std::to_string(i), 20) +
               pad(code ? "CODE" : "DATA", 12) + pad(hex4(code ? 0x40 + i * 4 : 0xA000 + i / 2), 7) +
               hex4(code ? 4 : 2) + "\r\n";
    }
    return out + "\r\nErrors: none\r\nWarnings: none\r\n";
}

const std::string& path()
{
    static const std::string p = [] {
        const std::string file = (std::filesystem::temp_directory_path() / "tarnel-bench-out.map").string();
        const std::string text = listFile();
        if (std::FILE* f = std::fopen(file.c_str(), "wb")) {
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
        return file;
    }();
    return p;
}

std::string readBytes()
{
    std::string bytes;
    if (std::FILE* f = std::fopen(path().c_str(), "rb")) {
        char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

void BM_ReadListFileBytesAlone(benchmark::State& state)
{
    for (auto _ : state) {
        const std::string bytes = readBytes();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = static_cast<double>(readBytes().size());
}
BENCHMARK(BM_ReadListFileBytesAlone)->Unit(benchmark::kMillisecond);

void BM_ReadMemoryUsageOf10000Symbols(benchmark::State& state)
{
    const std::vector<AddressRange> ranges =
        readAddressRanges({"-Z(CODE)CODE=0040-BFFF", "-Z(DATA)DATA=A000-FEFF"});
    std::size_t symbols = 0;
    for (auto _ : state) {
        const LinkerListRead read = readLinkerList(readBytes());
        const MemoryUsage usage = accountMemory(*read.list, ranges);
        symbols = usage.symbols.size();
        benchmark::DoNotOptimize(usage.rom.used);
    }
    state.counters["symbols"] = static_cast<double>(symbols);
}
BENCHMARK(BM_ReadMemoryUsageOf10000Symbols)->Unit(benchmark::kMillisecond);

// From the record of the build's end to the panel redrawn with the new figures.
void panelUpdate(benchmark::State& state, int symbols)
{
    FakeHost fake;
    TEmbedded app(fake.host);
    const std::string dir = app.settings().compSource;
    fake.files.putFolder(dir);
    fake.files.put(dir + "\\out.map", listFile(symbols));
    fake.files.put(dir + "\\big.xcl", "-Z(CODE)CODE=0040-BFFF\r\n-Z(DATA)DATA=C000-FEFF\r\n");
    ControlSet& c = app.controls();
    c["Linklist"].setChecked(true);
    c["Linklistfile"].setText("out.map");
    MemoryUsageDock dock(app);
    dock.resize(420, 560);
    dock.show();
    QApplication::processEvents();
    BuildOutput& output = app.buildOutput();
    for (auto _ : state) {
        output.buildStarting();
        output.receive({{TranscriptRecord::Kind::ProgramStarted, "xlink -f big -l out.map", 0, 0},
                        {TranscriptRecord::Kind::ProgramEnded, "xlink", 0, 0},
                        {TranscriptRecord::Kind::Ended, {}, 0, 5}});
        dock.repaint();
        QApplication::processEvents();
    }
    state.counters["symbols"] = static_cast<double>(dock.watch().usage()->symbols.size());
}

void BM_PanelUpdateOf10000Symbols(benchmark::State& state)
{
    panelUpdate(state, kSymbols);
}
BENCHMARK(BM_PanelUpdateOf10000Symbols)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PanelUpdateOfTheDemosTenSymbols(benchmark::State& state)
{
    panelUpdate(state, 10);
}
BENCHMARK(BM_PanelUpdateOfTheDemosTenSymbols)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarksWithQt(argc, argv);
}
