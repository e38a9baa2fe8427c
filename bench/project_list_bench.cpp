// The project list view of a project of 10,000 sources: one "Project List" click composes the
// project and fills the text, in the core alone and with the panel showing it (offscreen).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QAbstractItemModel>
#include <QListView>
#include <memory>
#include <string>
#include <vector>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "build/compiler_options.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"
#include "project/project_list_view.h"
#include "project/view/project_list_panel.h"
#include "support/qt_bench_main.h"

namespace {

constexpr int kSources = 10000;

struct Project {
    FakeHost fake;
    TEmbedded app{fake.host};

    Project()
    {
        app.compiler().DefaultsClick();
        app.linker().LinkDefsClick();
        std::vector<std::string> sources;
        for (int i = 0; i < kSources; ++i)
            sources.push_back("D:\\work\\firmware\\module" + std::to_string(i) + ".c");
        app.controls()["ProjectListBox"].setEntries(std::move(sources));
    }
};

void BM_ProjectListClick(benchmark::State& state)
{
    Project p;
    for (auto _ : state)
        p.app.projectList().DisplayProjectListClick();
    state.counters["rows"] = static_cast<double>(p.app.controls()["Memo2"].entries().size());
}
BENCHMARK(BM_ProjectListClick)->Unit(benchmark::kMillisecond);

void BM_ProjectListClickShown(benchmark::State& state)
{
    Project p;
    ControlBinder binder(p.app.controls());
    QWidget window;
    window.resize(1000, 700);
    auto* panel = new ProjectListPanel(p.app, binder, &window);
    panel->setGeometry(800, 0, ProjectListPanel::Width, 700);
    window.show();
    for (auto _ : state) {
        p.app.projectList().DisplayProjectListClick();
        if (panel->isVisible())
            panel->memo()->viewport()->repaint();
    }
    state.counters["rows"] = static_cast<double>(panel->memo()->model()->rowCount());
}
BENCHMARK(BM_ProjectListClickShown)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return runBenchmarksWithQt(argc, argv);
}
