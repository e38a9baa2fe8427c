// 100,000 lines of build output reaching the Build Output panel: a writer thread appends them to
// a transcript as fast as the batch runner would, the follower's reader thread picks them up and
// the panel shows them. Reported: lines per second until the last line is shown, and the longest
// time the user-interface thread was blocked (a 1 ms timer's longest late tick; target under
// 50 ms). Beside it, in the same run, the same lines through the same follower appended to a
// plain QPlainTextEdit (its blocks capped at the panel's line limit).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

#include "app/tembedded.h"
#include "build/build_output.h"
#include "build/view/build_output_model.h"
#include "build/view/build_output_view.h"
#include "platform/fake/fake_host.h"
#include "platform/qt/qt_build_follower.h"
#include "support/qt_bench_main.h"

namespace {

constexpr int kLines = 100000;

class IdleFollower : public BuildFollower {
public:
    void follow(Deliver) override {}
    void stop() override {}
};

// Writes the transcript of a build that prints kLines lines, one diagnostic in a thousand,
// in pieces the size a pipe read gives.
void writeTranscript(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
    auto put = [fd](const TranscriptRecord& r) {
        const std::string bytes = encodeTranscriptRecord(r);
        if (::write(fd, bytes.data(), bytes.size()) < 0)
            std::abort();
    };
    put({TranscriptRecord::Kind::Started, {}, 0, static_cast<std::int64_t>(::getpid())});
    std::string piece;
    char line[160];
    for (int n = 1; n <= kLines; ++n) {
        if (n % 1000 == 0)
            std::snprintf(line, sizeof line, "\"main.c\",%d  Error[20]: '(' has no matching ')'\n", n);
        else
            std::snprintf(line, sizeof line, "  %6d   0x%04X  MOVW AX,#%d ; listing line of the build\n", n, n & 0xffff, n);
        piece += line;
        if (piece.size() >= 4000) {
            put({TranscriptRecord::Kind::Output, piece, 0, 0});
            piece.clear();
        }
    }
    if (!piece.empty())
        put({TranscriptRecord::Kind::Output, piece, 0, 0});
    put({TranscriptRecord::Kind::Ended, {}, 0, 1000});
    ::close(fd);
}

std::string emptyFile()
{
    std::string path = (QDir::tempPath() + "/tarnel-bench-XXXXXX").toStdString();
    const int fd = ::mkstemp(path.data());
    ::close(fd);
    return path;
}

// Runs the event loop until done, timing the longest gap between ticks of a 1 ms timer.
struct Watch {
    qint64 longestBlockMs = 0;
    qint64 elapsedMs = 0;

    void run(const std::function<bool()>& done)
    {
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longestBlockMs = std::max(longestBlockMs, now - last - 1);
            last = now;
        });
        tick.start();
        while (!done() && clock.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        elapsedMs = clock.elapsed();
    }
};

void report(benchmark::State& state, const Watch& w)
{
    state.counters["lines_per_s"] = kLines * 1000.0 / static_cast<double>(std::max<qint64>(w.elapsedMs, 1));
    state.counters["longest_block_ms"] = static_cast<double>(w.longestBlockMs);
}

void BM_BuildOutputPanel(benchmark::State& state)
{
    for (auto _ : state) {
        FakeHost fake;
        TEmbedded app(fake.host);
        BuildOutputView view(app, std::make_unique<IdleFollower>());
        view.resize(1400, 500);
        view.show();
        BuildOutput& output = app.buildOutput();
        output.buildStarting();
        QtBuildFollower follower(nullptr);
        const std::string path = emptyFile();
        follower.followFile(QString::fromStdString(path),
                            [&](std::vector<TranscriptRecord> r) { output.receive(std::move(r)); }, true);
        std::thread writer(writeTranscript, path);
        Watch w;
        w.run([&] {
            return output.state() == BuildOutput::State::Ended &&
                   view.model()->rowCount() == static_cast<int>(output.transcript().size());
        });
        writer.join();
        if (output.transcript().endNumber() != static_cast<std::size_t>(kLines) ||
            output.transcript().errors() != kLines / 1000)
            state.SkipWithError("lines were lost");
        report(state, w);
    }
}
BENCHMARK(BM_BuildOutputPanel)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainTextEditAppend(benchmark::State& state)
{
    for (auto _ : state) {
        QPlainTextEdit edit;
        edit.setReadOnly(true);
        edit.setMaximumBlockCount(static_cast<int>(BuildTranscript::DefaultMaxLines));
        edit.resize(1400, 500);
        edit.show();
        QtBuildFollower follower(nullptr);
        const std::string path = emptyFile();
        bool ended = false;
        int lines = 0;
        follower.followFile(
            QString::fromStdString(path),
            [&](std::vector<TranscriptRecord> records) {
                for (const TranscriptRecord& r : records) {
                    if (r.kind == TranscriptRecord::Kind::Output) {
                        QString text = QString::fromLatin1(r.data.data(), static_cast<qsizetype>(r.data.size()));
                        if (text.endsWith('\n'))
                            text.chop(1);
                        lines += static_cast<int>(text.count('\n')) + 1;
                        edit.appendPlainText(text);
                    }
                    ended = ended || r.kind == TranscriptRecord::Kind::Ended;
                }
            },
            true);
        std::thread writer(writeTranscript, path);
        Watch w;
        w.run([&] { return ended; });
        writer.join();
        if (lines != kLines)
            state.SkipWithError("lines were lost");
        report(state, w);
    }
}
BENCHMARK(BM_PlainTextEditAppend)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return runBenchmarksWithQt(argc, argv);
}
