// The examples a user may copy from the help pages, checked with the stand-in tools. The pages
// mark them: <pre class="example" data-file="NAME"> is a file the user saves (a command file is
// linked with the sample, a source compiled); <pre class="example" data-tool> a tool entry, whose
// program is started with its Params once the sample is built.
#include <algorithm>
#include <regex>

#include "components/help_html.h"
#include "platform/paths/win_path.h"
#include "standin_fixture.h"

using namespace standin_test;

namespace
{

struct Example {
    std::string page;
    std::string file;  // empty for a tool entry
    std::string text;
};

// The text as the page shows it in a <pre>: tags dropped, entities decoded, lines kept.
std::string preText(const std::string& html)
{
    return helphtml::decodeEntities(std::regex_replace(html, std::regex("<[^>]*>"), ""));
}

std::vector<Example> helpExamples()
{
    std::vector<fs::path> pages;
    for (const auto& entry : fs::directory_iterator(fs::path(TARNEL_SOURCE_DIR) / "docs" / "help"))
        if (entry.path().extension() == ".html")
            pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    const std::regex pre(R"(<pre\s([^>]*)>([\s\S]*?)</pre>)");
    const std::regex file(R"re(data-file="([^"]+)")re");
    std::vector<Example> out;
    for (const fs::path& page : pages) {
        const std::string html = readHostFile(page.string());
        for (std::sregex_iterator it(html.begin(), html.end(), pre), end; it != end; ++it) {
            const std::string attributes = (*it)[1];
            if (attributes.find("class=\"example\"") == std::string::npos)
                continue;
            std::smatch name;
            std::regex_search(attributes, name, file);
            out.push_back({page.filename().string(), name.empty() ? "" : name[1].str(), preText((*it)[2])});
        }
    }
    return out;
}

// "Path    C:\x\tool.exe" -> "C:\x\tool.exe"
std::string field(const std::string& entry, const std::string& name)
{
    std::istringstream lines(entry);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(name + " ", 0) == 0)
            return line.substr(line.find_first_not_of(' ', name.size()));
    return {};
}

Args words(const std::string& text)
{
    std::istringstream in(text);
    Args out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

TEST_F(StandinTest, EveryExampleOfTheHelpPagesBuildsOrRuns)
{
    const std::vector<Example> examples = helpExamples();
    ASSERT_GE(examples.size(), 2u);
    copySampleAndLibrary();
    compileSample();
    ASSERT_EQ(run("xlink", kLinkLine).exitCode, 0);  // the image a tool entry may load
    for (const Example& e : examples) {
        SCOPED_TRACE(e.page + ": " + e.text);
        const std::string extension = fs::path(e.file).extension().string();
        ToolRun r;
        if (e.file.empty()) {
            // The native stand-in lies beside the Windows program's name, as the shell finds it.
            const std::string program = winpath::withoutExtension(winpath::fileName(field(e.text, "Path")));
            r = run(program, words(field(e.text, "Params")));
        } else if (extension == ".xcl") {
            put(e.file, e.text);
            fs::remove(m_dir + "/aout.a25");
            r = run("xlink", {"main.R25", "util.R25", "cstartup.r25", "watchdog.r25", "-c78300", "-FMOTOROLA", "-f",
                              fs::path(e.file).stem().string()});
            EXPECT_TRUE(exists("aout.a25"));
        } else if (extension == ".c") {
            put(e.file, e.text);
            r = run("icc78300", Args{e.file} + kDefaults);
        } else {
            ADD_FAILURE() << "no check for " << e.file;
            continue;
        }
        EXPECT_EQ(r.exitCode, 0) << r.out;
    }
}

} // namespace
