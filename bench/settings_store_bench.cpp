// The real settings store with 100,000 user tools (300,000 tool values): writing them all, as
// the shutdown does, and reading them back, as the start-up does. Beside each figure, the time
// to write or read the same bytes as one plain file, in the same iteration.
#include <benchmark/benchmark.h>

#include <QString>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/tembedded.h"
#include "platform/fake/fake_host.h"
#include "platform/qt/qt_settings_store.h"

namespace fs = std::filesystem;

namespace {

constexpr int kTools = 100000;

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

struct Folder {
    fs::path root;
    Folder()
    {
        std::string pattern = (fs::temp_directory_path() / "tarnel-bench-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
    }
    ~Folder()
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    std::string conf() const { return (root / "Tarnel.conf").string(); }
    std::string plain() const { return (root / "plain.conf").string(); }
};

// The same bytes written as one file, flushed as the store flushes.
double plainWrite(const std::string& path, const std::string& bytes)
{
    const auto start = std::chrono::steady_clock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        [[maybe_unused]] const auto n = ::write(fd, bytes.data(), bytes.size());
        ::fsync(fd);
        ::close(fd);
    }
    return seconds(std::chrono::steady_clock::now() - start);
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void fillTools(TEmbedded& app)
{
    Settings& s = app.settings();
    for (int i = 0; i < kTools; ++i) {
        const std::string n = std::to_string(i);
        s.tools.user.push_back({"Tool " + n, "C:\\Tools\\tool" + n + ".exe", "-f %" + n});
    }
    showToolLists(s.tools, app.controls());
}

void BM_WriteToolEntriesBesidePlainWrite(benchmark::State& state)
{
    Folder folder;
    FakeHost fake;
    TEmbedded app(fake.host);
    fillTools(app);
    double ours = 0;
    double plain = 0;
    for (auto _ : state) {
        fs::remove(folder.conf());
        QtSettingsStore store(QString::fromStdString(folder.conf()));  // empty: every value is new
        const auto start = std::chrono::steady_clock::now();
        if (!app.settings().write(store, app.controls()))
            state.SkipWithError("write failed");
        const double ourTime = seconds(std::chrono::steady_clock::now() - start);
        state.SetIterationTime(ourTime);
        ours += ourTime;
        plain += plainWrite(folder.plain(), fileBytes(folder.conf()));
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["plain_write_ms"] = plain / runs * 1000;
    state.counters["tarnel_ms"] = ours / runs * 1000;
}
BENCHMARK(BM_WriteToolEntriesBesidePlainWrite)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ReadToolEntriesBesidePlainRead(benchmark::State& state)
{
    Folder folder;
    {
        FakeHost fake;
        TEmbedded app(fake.host);
        fillTools(app);
        QtSettingsStore store(QString::fromStdString(folder.conf()));
        app.settings().write(store, app.controls());
    }
    double ours = 0;
    double plain = 0;
    for (auto _ : state) {
        FakeHost fake;
        TEmbedded app(fake.host);
        const auto start = std::chrono::steady_clock::now();
        QtSettingsStore store(QString::fromStdString(folder.conf()));
        app.settings().read(store, app.controls());
        const double ourTime = seconds(std::chrono::steady_clock::now() - start);
        if (app.controls()["UserToolsList"].entries().size() != static_cast<std::size_t>(kTools))
            state.SkipWithError("tools not read");
        const auto plainStart = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(fileBytes(folder.conf()));
        plain += seconds(std::chrono::steady_clock::now() - plainStart);
        state.SetIterationTime(ourTime);
        ours += ourTime;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["plain_read_ms"] = plain / runs * 1000;
    state.counters["tarnel_ms"] = ours / runs * 1000;
}
BENCHMARK(BM_ReadToolEntriesBesidePlainRead)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
