// Opening a 2 MiB, 65,000-line C file into an editor window at line 60,000 (the file read, the
// load and the jump by the line's text), with the code colours, line numbers and current line
// off and on, beside a bare QPlainTextEdit::setPlainText of the same text in the same run;
// turning the colours on over the open file; and a forward search for a word found only at the
// file's end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/program_options.h"
#include "app/tembedded.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/font_dialog_view.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_files.h"
#include "support/editor_bench_window.h"
#include "support/qt_bench_main.h"

namespace fs = std::filesystem;

namespace {

constexpr int kLines = 65000;
constexpr int kJumpLine = 60000;
const char* const kFile = "C:\\Work\\big.c";

// C-like lines of varied length; line 60,000 is unique and the last line holds the only
// "zebra_marker".
std::string bigSource()
{
    static const char* const shapes[] = {
        "    value = compute(table, %d);",
        "    if (flags & 0x%x) {",
        "        count += %d;",
        "    }",
        "/* step %d of the loop */",
        "static const unsigned char lookup_%d[] = { 1, 2, 3 };",
        "",
    };
    std::string out;
    char line[128];
    for (int i = 1; i <= kLines; ++i) {
        if (i == kJumpLine)
            std::snprintf(line, sizeof line, "    target = find_entry(index_table, %d);", i);
        else if (i == kLines)
            std::snprintf(line, sizeof line, "/* zebra_marker */");
        else
            std::snprintf(line, sizeof line, shapes[i % 7], i);
        out += line;
        out += "\r\n";
    }
    // Blanks at the lines' ends bring it to 2 MiB in all.
    const std::size_t target = 2u * 1024 * 1024;
    std::string padded;
    padded.reserve(target);
    const std::size_t extra = target - out.size();
    std::size_t pos = 0;
    for (int i = 1; i <= kLines; ++i) {
        const std::size_t br = out.find("\r\n", pos);
        padded.append(out, pos, br - pos);
        if (i != kJumpLine && i != kLines)
            padded.append(extra * static_cast<std::size_t>(i) / (kLines - 2) -
                              extra * static_cast<std::size_t>(i - 1) / (kLines - 2),
                          ' ');
        padded += "\r\n";
        pos = br + 2;
    }
    padded.insert(0, target - padded.size(), ' ');
    return padded;
}

struct Machine {
    fs::path root;
    std::string text = bigSource();
    Machine()
    {
        std::string tmpl = (fs::temp_directory_path() / "tarnel-bench-XXXXXX").string();
        root = mkdtemp(tmpl.data());
        DriveMap(root.string()).ensurePrefix();
        fs::create_directories(root / "drive_c" / "Work");
        std::ofstream(root / "drive_c" / "Work" / "big.c", std::ios::binary) << text;
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

void BM_OpenAtLine60000(benchmark::State& state)
{
    Window w;
    w.app.controls()[ProgramOptions::CodeColours].setChecked(state.range(0) != 0);
    for (auto _ : state) {
        w.ed.OpenAtLine(kFile, kJumpLine);
        // Until it is painted the user sees nothing of it.
        w.view.repaint();
        if (w.ed.buffer().lineOfPosition(w.ed.buffer().selStart()) != kJumpLine - 1)
            state.SkipWithError("jump missed its line");
    }
    state.counters["bytes"] = static_cast<double>(machine().text.size());
}
BENCHMARK(BM_OpenAtLine60000)->ArgName("colours")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// The option turned on over the open file, and the window painted once.
void BM_ColoursTurnedOn(benchmark::State& state)
{
    Window w;
    Control& colours = w.app.controls()[ProgramOptions::CodeColours];
    colours.setChecked(false);
    w.ed.OpenAtLine(kFile, kJumpLine);
    for (auto _ : state) {
        colours.setChecked(true);
        QApplication::processEvents();
        w.view.repaint();
        state.PauseTiming();
        colours.setChecked(false);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ColoursTurnedOn)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BareSetPlainText(benchmark::State& state)
{
    // The editor window's control with its size, wrapping and font, and nothing of ours around it.
    CodeEditorWidget edit;
    edit.resize(TCodeEd::Width, TCodeEd::Height);
    edit.setFont(toQFont(FontDialog().font));
    edit.show();
    const QString text = QString::fromLatin1(machine().text.data(), qsizetype(machine().text.size()));
    for (auto _ : state) {
        edit.setPlainText(text);
        edit.repaint();
    }
    state.counters["bytes"] = static_cast<double>(machine().text.size());
}
BENCHMARK(BM_BareSetPlainText)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_FindWordAtTheEnd(benchmark::State& state)
{
    Window w;
    w.ed.OpenAtLine(kFile, 0);
    w.ed.findDialog().findText = "ZEBRA_MARKER";
    for (auto _ : state) {
        w.ed.buffer().setSelection(0, 0);
        w.ed.Find(FindSource::FindDialog);
    }
    if (w.ed.buffer().lineOfPosition(w.ed.buffer().selStart()) != kLines - 1)
        state.SkipWithError("search missed the word");
}
BENCHMARK(BM_FindWordAtTheEnd)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same search right after an edit, when the whole text must be gathered again.
void BM_FindWordAtTheEndAfterAnEdit(benchmark::State& state)
{
    Window w;
    w.ed.OpenAtLine(kFile, 0);
    w.ed.findDialog().findText = "ZEBRA_MARKER";
    for (auto _ : state) {
        state.PauseTiming();
        w.ed.buffer().setSelection(0, 0);
        w.ed.buffer().replaceSelection("x");
        w.ed.buffer().setSelection(0, 1);
        w.ed.buffer().replaceSelection("");
        state.ResumeTiming();
        w.ed.Find(FindSource::FindDialog);
    }
    if (w.ed.buffer().lineOfPosition(w.ed.buffer().selStart()) != kLines - 1)
        state.SkipWithError("search missed the word");
}
BENCHMARK(BM_FindWordAtTheEndAfterAnEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return runBenchmarksWithQt(argc, argv);
}
