// The recovery copy of a 1 MiB and a 20 MiB text, beside a plain write of the same bytes in the
// same run:
//   BM_PlainWrite              open, write, close of the bytes (no flush to the disk);
//   BM_RecoveryCopyUiThread    what typing waits for: the control's raw text taken after an edit
//                              and handed to the writer, which makes the bytes and the header;
//   BM_ControlText             for comparison, the whole text in bytes taken on the spot, as a
//                              save does;
//   BM_RecoveryCopyOnDisk      the same as BM_RecoveryCopyUiThread, then waiting until the writer's atomic replace (with its
//                              flush to the disk) is done, which typing never does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "editor/recovery_store.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/qt_text_buffer.h"
#include "platform/fake/fake_host.h"
#include "platform/qt/qt_recovery_folder.h"
#include "support/qt_bench_main.h"

namespace {

std::string sourceText(std::size_t bytes)
{
    const std::string line = "    value = compute(table, index) + offset; /* a line of C */\r\n";
    std::string out;
    out.reserve(bytes + line.size());
    while (out.size() < bytes)
        out += line;
    out.resize(bytes);
    return out;
}

std::size_t sizeOf(const benchmark::State& state)
{
    return static_cast<std::size_t>(state.range(0)) * 1024 * 1024;
}

void BM_PlainWrite(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string text = sourceText(sizeOf(state));
    const std::string path = dir.path().toStdString() + "/plain.txt";
    for (auto _ : state) {
        FILE* out = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// A window over the real editing control, holding the text, with one more character typed
// before each copy so that the control's text must be taken again.
struct ControlWindow {
    explicit ControlWindow(std::size_t bytes)
    {
        QtTextBuffer::setSliceLoadingFrom(1LL << 40);
        buffer.setText(sourceText(bytes));
        buffer.setModified(true);
    }
    void type()
    {
        buffer.setSelection(0, 0);
        buffer.replaceSelection("x");
    }
    CodeEditorWidget widget;
    QtTextBuffer buffer{&widget};
};

void copyBench(benchmark::State& state, bool waitForDisk)
{
    QTemporaryDir dir;
    QtRecoveryFolder folder(dir.path());
    FakeHost fake;
    RecoveryStore store(&folder, fake.timers, fake.clock);
    ControlWindow window(sizeOf(state));
    const auto key = store.add({[] { return true; }, [&] { return window.buffer.snapshot(); }, [] { return "C:\\W\\a.c"; }});
    for (auto _ : state) {
        state.PauseTiming();
        folder.flush();
        window.type();
        state.ResumeTiming();
        store.copyNow(key);
        if (waitForDisk)
            folder.flush();
    }
    folder.flush();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sizeOf(state)));
}

void BM_ControlText(benchmark::State& state)
{
    ControlWindow window(sizeOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        window.type();
        state.ResumeTiming();
        benchmark::DoNotOptimize(window.buffer.text());
    }
}

void BM_RecoveryCopyUiThread(benchmark::State& state)
{
    copyBench(state, false);
}

void BM_RecoveryCopyOnDisk(benchmark::State& state)
{
    copyBench(state, true);
}

BENCHMARK(BM_PlainWrite)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ControlText)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecoveryCopyUiThread)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RecoveryCopyOnDisk)->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return runBenchmarksWithQt(argc, argv);
}
