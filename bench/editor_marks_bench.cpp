// Diagnostic marks in editor windows. Accuracy: 1,000 seeded random edit sequences (lines
// inserted and deleted above, below and on the marked lines, typing, undo, redo) on the demo's
// faulty source and on a source with ten diagnostics; reported: the share of sequences in which
// every mark stayed on its line. Marking 10,000 diagnostics in an open 2 MiB file, painted,
// beside opening that file without marks. A key press typed into that file with 10,000 marks,
// beside the same key press without marks.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "../tests/support/mark_sequences.h"
#include "app/tembedded.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_files.h"
#include "support/editor_bench_window.h"
#include "support/qt_bench_main.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMarks = 10000;
const char* const kFile = "C:\\Work\\big.c";
// Typing stops at the editor's length limit: the typed file stays below it.
const char* const kTypedFile = "C:\\Work\\typed.c";

// C-like lines up to the size.
std::string source(std::size_t size)
{
    static const char* const shapes[] = {
        "    value = compute(table, %d);     ", "    if (flags & 0x%x) {             ",
        "        count += %d;                ", "    }                    ",
        "/* step %d of the loop */          ", "static const unsigned char lookup_%d[] = { 1, 2, 3 };",
    };
    std::string out;
    char line[128];
    for (int i = 1; out.size() + 60 < size; ++i) {
        std::snprintf(line, sizeof line, shapes[i % 6], i);
        out += line;
        out += "\r\n";
    }
    out.insert(0, size - out.size(), ' ');
    return out;
}

struct Machine {
    fs::path root;
    std::string text = source(2u * 1024 * 1024);
    Machine()
    {
        std::string tmpl = (fs::temp_directory_path() / "tarnel-bench-XXXXXX").string();
        root = mkdtemp(tmpl.data());
        DriveMap(root.string()).ensurePrefix();
        fs::create_directories(root / "drive_c" / "Work");
        std::ofstream(root / "drive_c" / "Work" / "big.c", std::ios::binary) << text;
        std::ofstream(root / "drive_c" / "Work" / "typed.c", std::ios::binary) << source(TCodeEd::LoadedLengthLimit - 100000);
    }
    ~Machine() { fs::remove_all(root); }
};

Machine& machine()
{
    static Machine m;
    return m;
}

struct Window : EditorBenchWindow {
    Window() : EditorBenchWindow(machine().root.string()) {}
};

std::vector<LineMark> spreadMarks(int lines)
{
    std::vector<LineMark> out;
    for (int i = 0; i < kMarks; ++i)
        out.push_back({static_cast<std::size_t>(i), i % 3 ? MarkKind::Warning : MarkKind::Error,
                       "\"big.c\",1  Warning[1]: text", static_cast<int>(static_cast<long long>(i) * lines / kMarks)});
    return out;
}

void BM_AccuracyOf1000RandomSequences(benchmark::State& state)
{
    CodeEditorWidget editor;
    QtTextBuffer buffer(&editor);
    marktest::Sequences sequences(editor, buffer);
    const marktest::MarkedSource sources[] = {marktest::faultyDemo(), marktest::tenDiagnostics()};
    int exact = 0;
    int all = 0;
    for (auto _ : state) {
        std::mt19937 rng(1000);
        exact = all = 0;
        for (int s = 0; s < 1000; ++s, ++all) {
            const std::string fault = sequences.run(sources[s % 2], rng, 40);
            exact += fault.empty();
            if (!fault.empty())
                std::fprintf(stderr, "sequence %d: %s\n", s, fault.c_str());
        }
    }
    state.counters["sequences"] = all;
    state.counters["exact_percent"] = 100.0 * exact / all;
}
BENCHMARK(BM_AccuracyOf1000RandomSequences)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OpenWithoutMarks(benchmark::State& state)
{
    Window w;
    for (auto _ : state) {
        w.ed.OpenAtLine(kFile, 0);
        w.view.repaint();
    }
    state.counters["bytes"] = static_cast<double>(machine().text.size());
}
BENCHMARK(BM_OpenWithoutMarks)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_Mark10000Diagnostics(benchmark::State& state)
{
    Window w;
    w.ed.OpenAtLine(kFile, 0);
    const auto marks = spreadMarks(w.ed.buffer().lineCount());
    for (auto _ : state) {
        w.ed.setMarks(marks);
        w.view.repaint();
        state.PauseTiming();
        w.ed.clearMarks();
        state.ResumeTiming();
    }
    state.counters["marks"] = kMarks;
}
BENCHMARK(BM_Mark10000Diagnostics)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// One key press in the middle of the file, painted, with no marks or 10,000.
void BM_KeyPress(benchmark::State& state)
{
    Window w;
    w.ed.OpenAtLine(kTypedFile, 30000);
    if (state.range(0) > 0)
        w.ed.setMarks(spreadMarks(w.ed.buffer().lineCount()));
    QApplication::processEvents();
    CodeEditorWidget* editor = w.view.editor();
    editor->setFocus();
    editor->moveCursor(QTextCursor::StartOfBlock);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(editor, &release);
        QApplication::processEvents();
    }
    if (w.ed.marks().size() != static_cast<std::size_t>(state.range(0)))
        state.SkipWithError("marks lost");
}
BENCHMARK(BM_KeyPress)->ArgName("marks")->Arg(0)->Arg(kMarks)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    return runBenchmarksWithQt(argc, argv);
}
