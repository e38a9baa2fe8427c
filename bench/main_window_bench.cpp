// Tarnel's main window beside a bare QMainWindow + QMdiArea, offscreen, in the same run:
// - in this process: construction, show and first paint, again and again (warm);
// - as whole processes, in alternate rounds: start to first paint, and the memory then held.
// Tarnel runs over the demo set-up in a prefix and home of its own. The bare window shows no
// text at all; the same window with a one-menu menu bar is printed beside it, as what showing
// any text costs (the font set-up, a font, the shaping libraries).
// `main_window_bench --child=KIND,painted` (KIND bare, text or tarnel) ends at the first paint,
// for timing the start of a whole process from outside.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/view/main_window.h"
#include "app/view/program_window.h"

namespace {

// Notes the first paint of anything in one window.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_painted && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &m_window)
            m_painted = true;
        return false;
    }

private:
    QWidget& m_window;
    bool m_painted = false;
};

// Shows the window and returns once all of it has been painted for the first time. It sleeps
// between events as the program's own loop does: spinning would take the processor from the
// display server and window manager that the first paint waits for.
void showAndPaint(QWidget& window)
{
    PaintWatch watch(window);
    window.showMaximized();
    while (!watch.painted())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

struct BareWindow {
    QMainWindow window;
    BareWindow()
    {
        window.setCentralWidget(new QMdiArea(&window));
        window.resize(964, 576);
    }
    QWidget& widget() { return window; }
};

struct BareWindowWithText : BareWindow {
    BareWindowWithText() { window.menuBar()->addMenu("&File"); }
};

struct TarnelWindow {
    ProgramWindow program;
    QWidget& widget() { return program.window(); }
};

template <typename Window>
void BM_ConstructAndShow(benchmark::State& state)
{
    for (auto _ : state) {
        auto w = std::make_unique<Window>();
        showAndPaint(w->widget());
    }
}
BENCHMARK_TEMPLATE(BM_ConstructAndShow, BareWindow)->Name("ConstructAndShow/bare_QMainWindow_QMdiArea")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ConstructAndShow, BareWindowWithText)->Name("ConstructAndShow/bare_with_one_menu")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ConstructAndShow, TarnelWindow)->Name("ConstructAndShow/Tarnel")->Unit(benchmark::kMillisecond);

// A child process: builds one kind of window, says when it is first painted (with the time spent
// building the window and then showing and painting it), and a moment later prints its memory in
// KiB (resident, and the peak) and ends at once.
int runChild(const std::string& kind, bool endAtPaint)
{
    QElapsedTimer phase;
    phase.start();
    std::unique_ptr<BareWindow> bare;
    std::unique_ptr<TarnelWindow> tarnel;
    QWidget* window = nullptr;
    if (kind == "bare" || kind == "text") {
        bare = kind == "bare" ? std::make_unique<BareWindow>() : std::make_unique<BareWindowWithText>();
        window = &bare->widget();
    } else {
        tarnel = std::make_unique<TarnelWindow>();
        window = &tarnel->widget();
    }
    const double builtMs = double(phase.nsecsElapsed()) / 1e6;
    showAndPaint(*window);
    std::printf("painted %.3f %.3f\n", builtMs, double(phase.nsecsElapsed()) / 1e6 - builtMs);
    std::fflush(stdout);
    if (endAtPaint)
        _exit(0);
    // Memory after start: once what follows the first paint has run too.
    QTimer::singleShot(300, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    long rss = 0;
    long peak = 0;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            rss = std::stol(line.substr(6));
        else if (line.rfind("VmHWM:", 0) == 0)
            peak = std::stol(line.substr(6));
    }
    std::printf("memory %ld %ld\n", rss, peak);
    std::fflush(stdout);
    _exit(0);
}

struct Started {
    double ms = 0;
    double buildMs = 0;  // inside the process: making the window
    double paintMs = 0;  // then showing it until its first paint
    double rssMiB = 0;
    double peakMiB = 0;
};

Started startChild(const char* kind)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {QString("--child=") + kind});
    while (!child.canReadLine() && child.waitForReadyRead(60000)) {
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    double buildMs = 0;
    double paintMs = 0;
    std::sscanf(child.readLine().constData(), "painted %lf %lf", &buildMs, &paintMs);
    while (!child.canReadLine() && child.waitForReadyRead(60000)) {
    }
    long rss = 0;
    long peak = 0;
    const QByteArray line = child.readLine();
    std::sscanf(line.constData(), "memory %ld %ld", &rss, &peak);
    child.waitForFinished(60000);
    return {ms, buildMs, paintMs, rss / 1024.0, peak / 1024.0};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Each iteration starts the bare window, the bare window with text, then Tarnel; the figures are
// medians over the rounds, the ratios taken round by round.
void BM_StartToWindowAsProcesses(benchmark::State& state)
{
    std::vector<Started> bare, text, tarnel;
    for (const char* kind : {"bare", "text", "tarnel"})
        startChild(kind);  // warm-up: libraries and fonts into the page cache
    for (auto _ : state) {
        bare.push_back(startChild("bare"));
        text.push_back(startChild("text"));
        tarnel.push_back(startChild("tarnel"));
    }
    auto figure = [](const std::vector<Started>& runs, double Started::*field) {
        std::vector<double> v;
        for (const Started& r : runs)
            v.push_back(r.*field);
        return median(v);
    };
    auto ratio = [](const std::vector<Started>& a, const std::vector<Started>& b, double Started::*field) {
        std::vector<double> v;
        for (std::size_t i = 0; i < a.size(); ++i)
            v.push_back(a[i].*field / b[i].*field);
        return median(v);
    };
    state.counters["bare_ms"] = figure(bare, &Started::ms);
    state.counters["text_ms"] = figure(text, &Started::ms);
    state.counters["tarnel_ms"] = figure(tarnel, &Started::ms);
    state.counters["bare_paint_ms"] = figure(bare, &Started::paintMs);
    state.counters["text_build_ms"] = figure(text, &Started::buildMs);
    state.counters["text_paint_ms"] = figure(text, &Started::paintMs);
    state.counters["tarnel_build_ms"] = figure(tarnel, &Started::buildMs);
    state.counters["tarnel_paint_ms"] = figure(tarnel, &Started::paintMs);
    state.counters["time_ratio"] = ratio(tarnel, bare, &Started::ms);
    state.counters["time_ratio_to_text"] = ratio(tarnel, text, &Started::ms);
    state.counters["bare_rss_MiB"] = figure(bare, &Started::rssMiB);
    state.counters["text_rss_MiB"] = figure(text, &Started::rssMiB);
    state.counters["tarnel_rss_MiB"] = figure(tarnel, &Started::rssMiB);
    state.counters["rss_ratio"] = ratio(tarnel, bare, &Started::rssMiB);
    state.counters["rss_ratio_to_text"] = ratio(tarnel, text, &Started::rssMiB);
    state.counters["tarnel_peak_MiB"] = figure(tarnel, &Started::peakMiB);
}
BENCHMARK(BM_StartToWindowAsProcesses)->Iterations(9)->Unit(benchmark::kMillisecond)->UseRealTime();

// A prefix and home of the benchmark's own, with the demo installed as a user would.
std::unique_ptr<QTemporaryDir> demoSetUp()
{
    auto dir = std::make_unique<QTemporaryDir>();
    const QString prefix = dir->filePath("prefix");
    const QString home = dir->filePath("home");
    QDir().mkpath(prefix);
    QDir().mkpath(home);
    qputenv("WINEPREFIX", prefix.toLocal8Bit());
    qputenv("HOME", home.toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    QProcess install;
    install.start(QCoreApplication::applicationDirPath() + "/tarnel-demo-install", {});
    install.waitForFinished(60000);
    if (install.exitCode() != 0)
        std::fprintf(stderr, "the demo did not install: %s\n", install.readAll().constData());
    return dir;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 2 && std::string(argv[1]).rfind("--child=", 0) == 0) {
        QApplication application(argc, argv);
        std::string kind = std::string(argv[1]).substr(8);
        const std::size_t comma = kind.find(',');
        const bool endAtPaint = comma != std::string::npos && kind.substr(comma + 1) == "painted";
        return runChild(kind.substr(0, comma), endAtPaint);
    }
    std::unique_ptr<QTemporaryDir> demo;
    {
        QCoreApplication probe(argc, argv);  // for the program's own folder
        demo = demoSetUp();
    }
    QApplication application(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
