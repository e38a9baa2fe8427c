// Opening a command file of 100,000 lines in the command file editor: reading it and
// handing it to the preview's model, beside filling a plain list widget with the same lines
// (what a list box per line would cost before the dialog could draw).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <memory>

#include "linker/command_file_editor.h"
#include "linker/view/command_file_preview.h"
#include "platform/fake/fake_host.h"
#include "platform/qt/qt_text.h"
#include "support/qt_bench_main.h"

namespace {

constexpr int kLines = 100000;

struct LargeFile {
    FakeHost fake;
    LargeFile()
    {
        std::string text;
        for (int i = 0; i < kLines; ++i)
            text += "-Z(CODE)SEGMENT" + std::to_string(i) + ",CONST=0000-7FFF\r\n";
        fake.files.put("C:\\Tarnel\\Source\\big.xcl", text);
    }
    // The editor as the dialog opens it: the whole file read in.
    std::unique_ptr<TCommandFileEd> opened()
    {
        auto editor = std::make_unique<TCommandFileEd>(fake.host);
        editor->editorDirectory = "C:\\Tarnel\\Source";
        editor->setCaption("big");
        editor->FormActivate();
        return editor;
    }
};

void BM_OpenIntoThePreviewModel(benchmark::State& state)
{
    LargeFile file;
    for (auto _ : state) {
        const auto editor = file.opened();
        CommandFilePreview preview(editor->CommandFile());
        benchmark::DoNotOptimize(preview.model()->rowCount());
    }
}
BENCHMARK(BM_OpenIntoThePreviewModel)->Unit(benchmark::kMillisecond);

void BM_OpenIntoAListWidget(benchmark::State& state)
{
    LargeFile file;
    for (auto _ : state) {
        const auto editor = file.opened();
        QListWidget list;
        QStringList rows;
        for (const std::string& line : editor->CommandFile())
            rows << toQ(line);
        list.addItems(rows);
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_OpenIntoAListWidget)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return runBenchmarksWithQt(argc, argv);
}
