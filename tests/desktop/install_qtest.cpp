// `cmake --install` of this build into a temporary prefix: every program, the help pages, the
// demo data, the menu entry and its icons where the installed programs look for them; then the
// installed demo installer, the installed program and the headless build run from there on a
// fresh machine.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/host_files.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace
{

struct Outcome {
    int exitCode = -1;
    std::string output;
};

Outcome run(const QString& program, const QStringList& arguments, const QProcessEnvironment& env = {},
            const fs::path& folder = fs::temp_directory_path())
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(QString::fromStdString(folder.string()));
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return {-1, "did not finish"};
    }
    Outcome r{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAll().toStdString()};
    return r;
}

std::string desktopValue(const std::string& entry, const std::string& key)
{
    std::istringstream in(entry);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(key + "="))
            return line.substr(key.size() + 1);
    return {};
}

// One install shared by the tests: it copies the whole build.
class Installed : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        std::string tmpl = (fs::temp_directory_path() / "tarnel-install-XXXXXX").string();
        root = new fs::path(mkdtemp(tmpl.data()));
        // A prefix path with a space: the menu entry must still name the program.
        prefix = new fs::path(*root / "usr local");
        // Naming the component (every rule has the default one) keeps the build's
        // install_manifest.txt, the user's record of their own install, as it is.
        install = new Outcome(
            run(TARNEL_CMAKE_COMMAND, {"--install", TARNEL_BUILD_DIR, "--component", "Unspecified",
                                       "--prefix", QString::fromStdString(prefix->string())}));
    }
    static void TearDownTestSuite()
    {
        std::error_code ec;
        fs::remove_all(*root, ec);
        delete install;
        delete prefix;
        delete root;
    }
    void SetUp() override { ASSERT_EQ(install->exitCode, 0) << install->output; }

    static fs::path programDir() { return *prefix / "lib" / "tarnel"; }

    static fs::path* root;
    static fs::path* prefix;
    static Outcome* install;
};
fs::path* Installed::root = nullptr;
fs::path* Installed::prefix = nullptr;
Outcome* Installed::install = nullptr;

TEST_F(Installed, ProgramsLieTogetherAndTheCommandsReachThem)
{
    for (const char* name : {"tarnel", "tarnel-batch", "tarnel-build", "tarnel-demo-install", "icc78300",
                             "xlink", "A78300", "prog78k"}) {
        const fs::path program = programDir() / name;
        EXPECT_TRUE(fs::is_regular_file(program)) << program;
        EXPECT_NE(fs::status(program).permissions() & fs::perms::owner_exec, fs::perms::none) << program;
    }
    // The commands in bin are links, so that each program still finds what lies beside it.
    for (const char* name : {"tarnel", "tarnel-build", "tarnel-demo-install"}) {
        const fs::path command = *prefix / "bin" / name;
        ASSERT_TRUE(fs::is_symlink(command)) << command;
        EXPECT_EQ(fs::canonical(command), fs::canonical(programDir() / name));
    }
    // The links are relative: a prefix moved as a whole keeps working.
    EXPECT_TRUE(fs::read_symlink(*prefix / "bin" / "tarnel").is_relative());
}

TEST_F(Installed, InstalledProgramsStartWithoutTheBuildTree)
{
    // Each answers an empty command line with its use or its banner; a program that could not
    // even be loaded would exit with the loader's code, or crash.
    const fs::path folder = *root / "work";
    fs::create_directories(folder);
    for (const char* name : {"tarnel-batch", "icc78300", "xlink", "A78300"}) {
        const Outcome r = run(QString::fromStdString((programDir() / name).string()), {}, {}, folder);
        EXPECT_TRUE(r.exitCode >= 0 && r.exitCode <= 2) << name << ": " << r.exitCode << " " << r.output;
        EXPECT_NE(r.output.find(name), std::string::npos) << name << ": " << r.output;
    }
}

TEST_F(Installed, HelpPagesLieWhereTheProgramLooksForThem)
{
    const fs::path help = programDir() / "Docs" / "Tarnel";
    const fs::path source = fs::path(TARNEL_SOURCE_DIR) / "docs" / "help";
    int pages = 0;
    for (const auto& page : fs::directory_iterator(source)) {
        ++pages;
        const fs::path copy = help / page.path().filename();
        ASSERT_TRUE(fs::exists(copy)) << copy;
        EXPECT_EQ(readHostFile(copy.string()), readHostFile(page.path().string())) << copy;
    }
    EXPECT_GT(pages, 2);
}

TEST_F(Installed, MenuEntryNamesTheInstalledProgramAndItsIcon)
{
    const std::string entry = readHostFile((*prefix / "share" / "applications" / "tarnel.desktop").string());
    ASSERT_FALSE(entry.empty());
    EXPECT_TRUE(entry.starts_with("[Desktop Entry]\n"));
    EXPECT_EQ(desktopValue(entry, "Type"), "Application");
    EXPECT_EQ(desktopValue(entry, "Name"), "Tarnel");
    // Quoted, for the space in the prefix.
    const std::string exec = desktopValue(entry, "Exec");
    ASSERT_GE(exec.size(), 2u);
    EXPECT_EQ(exec.front(), '"');
    EXPECT_EQ(exec.back(), '"');
    const fs::path program = exec.substr(1, exec.size() - 2);
    EXPECT_EQ(program, *prefix / "bin" / "tarnel");
    EXPECT_TRUE(fs::exists(program));
    EXPECT_EQ(entry.find('@'), std::string::npos) << "a placeholder left unfilled:\n" << entry;

    EXPECT_EQ(desktopValue(entry, "Icon"), "tarnel");
    const fs::path icons = *prefix / "share" / "icons" / "hicolor";
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const QImage picture(QString::fromStdString((icons / folder / "apps" / "tarnel.png").string()));
        ASSERT_FALSE(picture.isNull()) << folder;
        EXPECT_EQ(picture.size(), QSize(size, size)) << folder;
        // Drawn, not blank: the middle of the chip is opaque, the corner clear.
        EXPECT_EQ(qAlpha(picture.pixel(size / 2, size / 2)), 255) << folder;
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << folder;
    }
    EXPECT_TRUE(fs::exists(icons / "scalable" / "apps" / "tarnel.svg"));
}

// The installed demo installer takes the stand-in tools from beside itself and the demo data
// from the shared data, not from the sources it was built from; the installed program then
// starts on that machine and loads the sample project.
TEST_F(Installed, DemoInstalledFromTheInstallAndTheProgramStartsOnIt)
{
    const TempPrefix wine;
    const fs::path home = *root / "home";
    fs::create_directories(home / ".config");
    const fs::path data = *prefix / "share" / "tarnel" / "demo";
    ASSERT_TRUE(fs::is_directory(data / "nec"));
    std::ofstream(data / "sample" / "only_installed.c") << "int only_installed;\n";

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("WINEPREFIX", QString::fromStdString(wine.path()));
    env.insert("HOME", QString::fromStdString(home.string()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString((home / ".config").string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");

    const Outcome demo =
        run(QString::fromStdString((*prefix / "bin" / "tarnel-demo-install").string()), {}, env);
    ASSERT_EQ(demo.exitCode, 0) << demo.output;
    const fs::path c = wine.driveC();
    EXPECT_TRUE(fs::exists(c / "Tarnel" / "Sample" / "only_installed.c")) << demo.output;
    EXPECT_TRUE(fs::exists(c / "Tarnel" / "sample.prj"));
    EXPECT_EQ(readHostFile((c / "Nec" / "C" / "ICC78300" / "icc78300").string()),
              readHostFile((programDir() / "icc78300").string()));

    // Start-up loads the sample project and writes its build files: the program runs from the
    // install with the settings the demo wrote.
    QProcess tarnel;
    tarnel.setProcessEnvironment(env);
    tarnel.setProcessChannelMode(QProcess::MergedChannels);
    tarnel.start(QString::fromStdString((*prefix / "bin" / "tarnel").string()), {});
    ASSERT_TRUE(tarnel.waitForStarted());
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(c / "Tarnel" / "pathset.bat") && std::chrono::steady_clock::now() < end &&
           tarnel.state() == QProcess::Running)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(fs::exists(c / "Tarnel" / "pathset.bat")) << tarnel.readAll().toStdString();
    ::kill(static_cast<pid_t>(tarnel.processId()), SIGTERM);
    if (!tarnel.waitForFinished(30000)) {
        tarnel.kill();
        tarnel.waitForFinished();
    }

    // The headless build from the command in bin: it finds the batch runner beside itself.
    const QString build = QString::fromStdString((*prefix / "bin" / "tarnel-build").string());
    const Outcome sample = run(build, {"C:\\Tarnel\\sample.prj"}, env, *root);
    EXPECT_EQ(sample.exitCode, 0) << sample.output;
    EXPECT_NE(sample.output.find("Created C:\\Tarnel\\Source\\aout.a25"), std::string::npos) << sample.output;
    const Outcome faulty = run(build, {"C:\\Tarnel\\faulty.prj"}, env, *root);
    EXPECT_EQ(faulty.exitCode, 1) << faulty.output;
}

} // namespace
