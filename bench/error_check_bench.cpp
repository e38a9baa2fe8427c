// The error check's search: CollectMarkedLines for "error[" and then "Warning[" over a 5 MB
// compiler listing holding 100 markers, beside a plain case-sensitive std::string::find scan for
// the same two markers over the same text in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/tembedded.h"
#include "build/error_check.h"
#include "platform/fake/fake_host.h"

namespace {

constexpr std::size_t kSize = 5u * 1024 * 1024;
constexpr int kMarkers = 100;

// Listing lines of source with line numbers, a quarter of them indexing arrays; every so often
// a diagnostic, alternately an error and a warning, spread evenly so that both searches run to
// the end of the text.
std::string listing()
{
    static const char* const shapes[] = {
        "  %5d   \t    value = compute(table, %d);   /* no error here */\r\n",
        "  %5d   \t    if (flags & 0x%x) {\r\n",
        "  %5d   \t        count += %d; // warning: none\r\n",
        "  %5d   \t    buffer[i] = lookup[%d & 0x0F];\r\n",
    };
    std::string out;
    out.reserve(kSize + 256);
    char line[160];
    const std::size_t every = kSize / kMarkers;
    int n = 0;
    int markers = 0;
    while (out.size() < kSize) {
        ++n;
        if (markers < kMarkers && out.size() >= (static_cast<std::size_t>(markers) + 1) * every - every / 2) {
            const char* kind = markers % 2 == 0 ? "Error[46]: missing ')'" : "Warning[12]: unused value";
            std::snprintf(line, sizeof line, "\"main.c\",%d  %s\r\n", n, kind);
            ++markers;
        } else {
            std::snprintf(line, sizeof line, shapes[n % 4], n, n);
        }
        out += line;
    }
    return out;
}

const std::string& text()
{
    static const std::string t = listing();
    return t;
}

void BM_CollectMarkedLinesTwice(benchmark::State& state)
{
    FakeHost fake;
    TEmbedded app(fake.host);
    ErrorCheck& check = app.errorCheck();
    check.setListholder(text());
    std::size_t found = 0;
    for (auto _ : state) {
        std::vector<std::string> lines;
        check.CollectMarkedLines(lines, "error[");
        check.CollectMarkedLines(lines, "Warning[");
        found = lines.size();
        benchmark::DoNotOptimize(lines.data());
    }
    if (found != kMarkers)
        state.SkipWithError("the markers were not all found");
    state.counters["bytes"] = static_cast<double>(text().size());
    state.counters["lines"] = static_cast<double>(found);
}
BENCHMARK(BM_CollectMarkedLinesTwice)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainFindScanTwice(benchmark::State& state)
{
    const std::string& t = text();
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const char* marker : {"Error[", "Warning["}) {
            for (std::size_t p = t.find(marker); p != std::string::npos; p = t.find(marker, p + 1))
                ++found;
        }
        benchmark::DoNotOptimize(found);
    }
    if (found != kMarkers)
        state.SkipWithError("the markers were not all found");
    state.counters["bytes"] = static_cast<double>(t.size());
}
BENCHMARK(BM_PlainFindScanTwice)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
