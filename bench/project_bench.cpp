// Saving and loading a large project, and the compiler parameter text that every build
// computes once per source file.
#include <benchmark/benchmark.h>

#include "app/tembedded.h"
#include "build/compiler_options.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"
#include "project/project_file.h"

namespace {

struct Fixture {
    FakeHost fake;
    TEmbedded app{fake.host};

    Fixture()
    {
        fake.files.putFolder("C:\\Tarnel\\Source");
        fake.files.putFolder("C:\\Projects");
        app.compiler().DefaultsClick();
        app.linker().LinkDefsClick();
    }
};

void BM_ComposeWriteLoad(benchmark::State& state)
{
    Fixture f;
    std::vector<std::string> sources;
    for (int i = 0; i < state.range(0); ++i)
        sources.push_back("D:\\work\\firmware\\module" + std::to_string(i) + ".c");
    f.app.controls()["ProjectListBox"].setEntries(sources);
    const std::string path = "C:\\Projects\\big.prj";
    ProjectFile& project = f.app.project();
    for (auto _ : state) {
        project.ComposeProject();
        project.write(path);
        if (!project.load(path))
            state.SkipWithError("load failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ComposeWriteLoad)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_CompilerParams(benchmark::State& state)
{
    Fixture f;
    ControlSet& c = f.app.controls();
    if (state.range(0) == 1) {
        for (const char* n : {"D64", "MOL", "SC", "PutAll", "COMM", "Syntax", "ANSI", "DOMH", "GLF", "FF",
                              "ListIncludes", "Active", "GCR", "GCR1", "GCR3", "LPP", "IM", "NameObj", "prom", "SSN",
                              "DBug", "specify", "INCI", "INCLN", "Silent", "DW", "SIV"})
            c[n].setChecked(true);
        c["ObjectFile"].setText("C:\\Tarnel\\Source\\main.r25");
        c["Tabs"].setValue(8);
    }
    CompilerOptions& options = f.app.compiler();
    const std::string source = "main.c";
    for (auto _ : state)
        benchmark::DoNotOptimize(options.CompilerParams(source));
    state.SetLabel(state.range(0) == 1 ? "most switches" : "defaults");
}
BENCHMARK(BM_CompilerParams)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
