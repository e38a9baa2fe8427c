// A damaged 10 MB help page shown the way the help window shows it (cut and rebuilt by the help
// book, then laid out), beside pieces of the same page handed to the text document as they are.
#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QTextDocument>
#include <cstdlib>

#include "components/help_book.h"
#include "platform/fake/fake_files.h"

namespace {

const char* const Chm = "C:\\Tarnel\\Docs\\Tarnel.chm";
const char* const Page = "C:\\Tarnel\\Docs\\Tarnel\\topic27.html";

// Unclosed inline elements and attributes: the text document's cost grows much faster than the page.
const std::string& damagedPage()
{
    static const std::string page = [] {
        std::string junk = "<html><body>";
        for (int i = 0; junk.size() < 10u * 1024 * 1024; ++i)
            junk += "<p class=\"x\">block " + std::to_string(i) + " <b><i>\x01\x7f unclosed &bogus; <a href=";
        return junk;
    }();
    return page;
}

void layOut(const QString& html)
{
    QTextDocument document;
    document.setTextWidth(800);
    document.setHtml(html);
    benchmark::DoNotOptimize(document.documentLayout()->documentSize());
}

void BM_DamagedPageThroughTheHelpBook(benchmark::State& state)
{
    FakeFiles files;
    files.put(Page, damagedPage());
    const HelpBook book(files, Chm);
    for (auto _ : state) {
        const auto page = book.topic(27);
        layOut(QString::fromUtf8(page.html.data(), static_cast<qsizetype>(page.html.size())));
    }
    state.SetLabel("10 MB page, cut and rebuilt");
}
BENCHMARK(BM_DamagedPageThroughTheHelpBook)->Unit(benchmark::kMillisecond);

void BM_DamagedPageRawPrefix(benchmark::State& state)
{
    const std::string prefix = damagedPage().substr(0, static_cast<std::size_t>(state.range(0)) * 1024);
    for (auto _ : state)
        layOut(QString::fromUtf8(prefix.data(), static_cast<qsizetype>(prefix.size())));
    state.SetLabel("first " + std::to_string(state.range(0)) + " KB as it stands");
}
BENCHMARK(BM_DamagedPageRawPrefix)->Arg(16)->Arg(32)->Arg(64)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
