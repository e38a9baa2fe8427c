// Opening a project of 10,000 sources on the real file system (read, controls set, the old
// copies cleared, build files generated and every source copied), beside `cp` of the same
// files in the same run: into the compile directory just cleared of them, which is what the
// open does, and over copies already there.
//
// Some file systems (ext4 without a journal) pass over inodes freed in the last few seconds
// when they make a new file, so creating files right after deleting as many costs more the
// more were deleted. Each measured step therefore starts after that time has passed.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/tembedded.h"
#include "build/compiler_options.h"
#include "linker/compose_linker_line.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_files.h"
#include "project/project_commands.h"
#include "project/project_file.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSources = 10000;
constexpr std::size_t kSourceBytes = 2 * 1024;
const std::string kProject = "C:\\work\\big.prj";

// A temporary prefix with the sources under C:\work\src, the compile directory and the project.
class Machine {
public:
    Machine()
    {
        std::string pattern = (fs::temp_directory_path() / "tarnel-bench-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
        ::setenv("WINEPREFIX", m_root.c_str(), 1);
        m_map = std::make_unique<DriveMap>(m_root);
        m_map->ensurePrefix();
        fs::create_directories(hostSources());
        fs::create_directories(drive() + "/Tarnel/Source");
        const std::string body(kSourceBytes, 'x');
        for (int i = 0; i < kSources; ++i) {
            const std::string name = "module" + std::to_string(i) + ".c";
            std::ofstream(hostSources() + "/" + name, std::ios::binary) << body;
            m_entries.push_back("C:\\work\\src\\" + name);
        }
        for (const char* name : DefaultCommandFiles)
            std::ofstream(drive() + "/Tarnel/Source/" + name + ".xcl") << "-Z(CODE)CODE=1000-7FFF\r\n";
    }
    ~Machine()
    {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    const DriveMap& map() const { return *m_map; }
    std::string drive() const { return m_root + "/drive_c"; }
    std::string hostSources() const { return drive() + "/work/src"; }
    const std::vector<std::string>& entries() const { return m_entries; }

private:
    std::string m_root;
    std::unique_ptr<DriveMap> m_map;
    std::vector<std::string> m_entries;
};

Machine& machine()
{
    static Machine m;
    return m;
}

void settle(benchmark::State& state)
{
    state.PauseTiming();
    std::this_thread::sleep_for(std::chrono::seconds(11));
    state.ResumeTiming();
}

struct App {
    QtFiles files{machine().map()};
    FakeHost fakes;
    Host host{fakes.dialogs, fakes.shell, fakes.beeper, fakes.clock, fakes.timers, fakes.settings, files, ""};
    TEmbedded app{host};

    App()
    {
        app.settings().compSource = "C:\\Tarnel\\Source";
        app.settings().directory = "C:\\Tarnel\\";
        app.outputCaptureFile = "C:\\Outputfile.txt";
        app.compiler().DefaultsClick();
        app.linker().LinkDefsClick();
        app.controls()["ProjectListBox"].setEntries(machine().entries());
        app.project().ComposeProject();
        files.writeLines(kProject, app.prolist());
        app.controls()["ProjectListBox"].setEntries({});
    }
};

void BM_Openpro(benchmark::State& state)
{
    App a;
    ProjectCommands& commands = a.app.projectCommands();
    for (auto _ : state) {
        settle(state);
        if (!commands.Openpro(kProject) || !a.fakes.dialogs.calls.empty())
            state.SkipWithError("open failed");
    }
    state.SetItemsProcessed(state.iterations() * kSources);
}
BENCHMARK(BM_Openpro)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_CpIntoClearedCompileDir(benchmark::State& state)
{
    const std::string dest = machine().drive() + "/Tarnel/Source";
    const std::string command =
        "rm -f " + dest + "/module*.c && cp " + machine().hostSources() + "/*.c " + dest + "/";
    for (auto _ : state) {
        settle(state);
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
    }
    state.SetItemsProcessed(state.iterations() * kSources);
}
BENCHMARK(BM_CpIntoClearedCompileDir)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_CpSameFiles(benchmark::State& state)
{
    const std::string dest = machine().drive() + "/cp";
    fs::create_directories(dest);
    const std::string command = "cp " + machine().hostSources() + "/*.c " + dest + "/";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
    }
    state.SetItemsProcessed(state.iterations() * kSources);
}
BENCHMARK(BM_CpSameFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);


}  // namespace

BENCHMARK_MAIN();
