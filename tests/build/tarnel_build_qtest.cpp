// tarnel-build as a build server runs it: the demo installed into a temporary prefix and a
// settings file of its own, the sample built (exit 0), the faulty project (exit 1), and every
// input it cannot use (exit 2, one line).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QTemporaryDir>
#include <filesystem>
#include <sys/stat.h>

#include "demo_installer.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_settings_store.h"
#include "support/host_files.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace {

const QString kTarget = "C:\\Tarnel\\Source\\aout.a25";

struct Ran {
    int exit = -1;
    QString out;
    QString err;
};

struct TarnelBuildTest : ::testing::Test {
    TempPrefix prefix;
    DriveMap map{prefix.path()};
    QTemporaryDir home;
    QString settingsFile = home.filePath("config/Orvane/Tarnel.conf");

    void SetUp() override
    {
        QtSettingsStore settings(settingsFile);
        DemoInstaller installer(map, settings, {TARNEL_BIN_DIR, std::string(TARNEL_SOURCE_DIR) + "/demo"});
        ASSERT_TRUE(installer.run());
        ASSERT_TRUE(settings.flush());
    }

    std::string c(const std::string& rel) const { return prefix.driveC() + "/" + rel; }

    // Runs it with HOME and the configuration folder in the test's own folder.
    Ran run(const QStringList& args) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(home.path());
        p.start(QString(TARNEL_BIN_DIR) + "/tarnel-build", args);
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    static QString lastLine(const QString& text) { return text.trimmed().split('\n').last(); }
};

TEST_F(TarnelBuildTest, TheSampleIsBuiltFromTheUsersOwnSettings)
{
    const std::string before = readHostFile(settingsFile.toStdString());
    const Ran r = run({"C:\\Tarnel\\sample.prj"});
    EXPECT_EQ(r.exit, 0) << r.out.toStdString() << r.err.toStdString();
    // The tools' output, in the order they ran, then the end check's word.
    const qsizetype banner = r.out.indexOf("Tarnel - building the project");
    const qsizetype compiler = r.out.indexOf("Tarnel stand-in icc78300");
    const qsizetype linker = r.out.indexOf("Tarnel stand-in xlink");
    EXPECT_TRUE(banner >= 0 && banner < compiler && compiler < linker) << r.out.toStdString();
    EXPECT_EQ(lastLine(r.out), "Created " + kTarget);
    EXPECT_TRUE(fs::exists(c("Tarnel/Source/aout.a25")));
    EXPECT_TRUE(fs::exists(c("Tarnel/pathset.bat")));
    EXPECT_TRUE(r.err.contains(kTarget + " was created.")) << r.err.toStdString();
    EXPECT_EQ(readHostFile(settingsFile.toStdString()), before) << "the user's settings are left as they were";

    // A host path and a settings file given by name work the same.
    const Ran again = run({"--settings", settingsFile, QString::fromStdString(c("Tarnel/sample.prj"))});
    EXPECT_EQ(again.exit, 0) << again.err.toStdString();
    EXPECT_TRUE(lastLine(again.out).endsWith(kTarget));
}

TEST_F(TarnelBuildTest, TheFaultyProjectFailsWithTheCompilersError)
{
    const Ran r = run({"--settings", settingsFile, "C:\\Tarnel\\faulty.prj"});
    EXPECT_EQ(r.exit, 1) << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("\"main.c\",17  Error[20]")) << r.out.toStdString();
    EXPECT_EQ(lastLine(r.out), "Compile failed " + kTarget);
    EXPECT_TRUE(r.err.contains("Exit status 1 after ")) << r.err.toStdString();
}

// What an outside program says of a file: its exit status and everything it printed.
Ran tool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromLocal8Bit(p.readAll()), {}};
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(TarnelBuildTest, TheFaultyProjectLeavesItsResultFilesForABuildServer)
{
    const Ran r = run({"--settings", settingsFile, "--sarif", "r.sarif", "--junit", "r.xml", "--compile-commands",
                       "cc/compile_commands.json", "C:\\Tarnel\\faulty.prj"});
    EXPECT_EQ(r.exit, 2) << "the folder cc is not there: " << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("--compile-commands cc/compile_commands.json: the folder ")) << r.err.toStdString();
    ASSERT_TRUE(QDir(home.path()).mkdir("cc"));

    const Ran failed = run({"--settings", settingsFile, "--sarif", "r.sarif", "--junit", "r.xml",
                            "--compile-commands=cc/compile_commands.json", "C:\\Tarnel\\faulty.prj"});
    EXPECT_EQ(failed.exit, 1) << failed.err.toStdString();

    const QJsonObject sarif = QJsonDocument::fromJson(readAll(home.filePath("r.sarif"))).object();
    const QJsonArray runs = sarif["runs"].toArray();
    ASSERT_EQ(runs.size(), 2) << "the compiler and the linker";
    const QJsonObject compiler = runs[0].toObject();
    EXPECT_EQ(compiler["tool"]["driver"]["fullName"].toString(), "Tarnel stand-in icc78300 1.0");
    const QJsonObject result = compiler["results"].toArray().first().toObject();
    EXPECT_EQ(result["ruleId"].toString(), "20");
    const QJsonObject place = result["locations"].toArray()[0].toObject()["physicalLocation"].toObject();
    EXPECT_EQ(place["artifactLocation"]["uri"].toString(), "Faulty/main.c");
    EXPECT_EQ(place["region"]["startLine"].toInt(), 17);

    QXmlStreamReader junit(readAll(home.filePath("r.xml")));
    QString failingCase, failure;
    while (!junit.atEnd()) {
        if (junit.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (junit.name() == QStringLiteral("testcase"))
            failingCase = junit.attributes().value("name").toString();
        else if (junit.name() == QStringLiteral("failure") && failure.isEmpty())
            failure = failingCase + ": " + junit.attributes().value("message").toString();
    }
    EXPECT_FALSE(junit.hasError()) << junit.errorString().toStdString();
    EXPECT_EQ(failure, "main.c: \"main.c\",17  Error[20]: '(' has no matching ')'");

    const QJsonArray commands = QJsonDocument::fromJson(readAll(home.filePath("cc/compile_commands.json"))).array();
    ASSERT_EQ(commands.size(), 1);
    EXPECT_EQ(commands[0].toObject()["file"].toString().toStdString(), fs::canonical(c("Tarnel/Faulty/main.c")).string());

    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty() || tool(python, {"-c", "import jsonschema"}).exit != 0)
        GTEST_SKIP() << "python3-jsonschema is not installed: the SARIF log was not checked against its schema";
    const Ran valid = tool(python, {"-c",
                                    "import json, sys, jsonschema\n"
                                    "jsonschema.validate(json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))",
                                    home.filePath("r.sarif"), TARNEL_SOURCE_DIR "/tests/data/sarif-schema-2.1.0.json"});
    EXPECT_EQ(valid.exit, 0) << valid.out.toStdString();
}

TEST_F(TarnelBuildTest, ClangdUnderstandsEveryDemoSourceFromTheCompilationDatabase)
{
    const QString clangd = QStandardPaths::findExecutable("clangd");
    if (clangd.isEmpty())
        GTEST_SKIP() << "clangd is not installed (Debian package clangd): the compilation database was not checked";
    for (const char* project : {"sample", "faulty"}) {
        const QString folder = home.filePath(project);
        ASSERT_TRUE(QDir().mkpath(folder));
        const Ran r = run({"--settings", settingsFile, "--compile-commands", folder + "/compile_commands.json",
                           QString("C:\\Tarnel\\") + project + ".prj"});
        ASSERT_NE(r.exit, 2) << r.err.toStdString();
        const QJsonArray commands = QJsonDocument::fromJson(readAll(folder + "/compile_commands.json")).array();
        ASSERT_FALSE(commands.isEmpty()) << project;
        for (const auto& entry : commands) {
            const QString file = entry.toObject()["file"].toString();
            const Ran check = tool(clangd, {"--check=" + file, "--compile-commands-dir=" + folder});
            EXPECT_TRUE(check.out.contains("Compile command from CDB")) << check.out.toStdString();
            for (const char* fault : {"unknown argument", "file not found", "unsupported option"})
                EXPECT_FALSE(check.out.contains(fault)) << file.toStdString() << ":\n" << check.out.toStdString();
        }
    }
}

TEST_F(TarnelBuildTest, InputsItCannotUseExitWithTwoAndOneLine)
{
    writeHostFile(c("garbage.prj"), std::string("\x7f" "ELF\x02\x01\x01\x00\xff\xfe binary", 18));
    writeHostFile(c("Tarnel/blocker"), "a file where the compile directory should go");
    QString blocked = QString::fromStdString(readHostFile(settingsFile.toStdString()));
    blocked.replace("Comp Source=C:\\Tarnel\\Source", "Comp Source=C:\\Tarnel\\blocker\\Source");
    ASSERT_TRUE(blocked.contains("blocker"));
    const QString blockedFile = home.filePath("blocked.conf");
    writeHostFile(blockedFile.toStdString(), blocked.toStdString());
    const QString settings = "--settings=" + settingsFile;
    const std::string fifo = c("pipe.prj");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Sparse: it takes no room on the disk, only its size is large.
    writeHostFile(c("huge.prj"), "1\r\n");
    fs::resize_file(c("huge.prj"), std::uintmax_t{1} << 30);

    struct Case {
        const char* what;
        QStringList args;
        QString message;  // the start of the one line
    };
    const Case cases[] = {
        {"no argument", {}, "tarnel-build: no project file given; usage: tarnel-build"},
        {"a folder", {settings, QString::fromStdString(c("Tarnel"))},
         "tarnel-build: " + QString::fromStdString(c("Tarnel")) + " is a folder, not a project file"},
        {"a garbage file", {settings, QString::fromStdString(c("garbage.prj"))},
         "tarnel-build: cannot load the project C:\\garbage.prj: Error in Project File"},
        {"a missing project", {settings, "C:\\Tarnel\\missing.prj"},
         "tarnel-build: the project file C:\\Tarnel\\missing.prj does not exist"},
        {"an unwritable compile directory", {"--settings", blockedFile, "C:\\Tarnel\\sample.prj"},
         "tarnel-build: cannot write the build files of C:\\Tarnel\\sample.prj: "},
        {"a missing settings file", {"--settings", home.filePath("none.conf"), "C:\\Tarnel\\sample.prj"},
         "tarnel-build: the settings file "},
        {"an unknown option", {"--fast", "C:\\Tarnel\\sample.prj"}, "tarnel-build: unknown option --fast"},
        {"a device", {settings, "/dev/zero"}, "tarnel-build: /dev/zero is not a regular file but a character device"},
        {"a FIFO", {settings, "C:\\pipe.prj"}, "tarnel-build: C:\\pipe.prj is not a regular file but a pipe (FIFO)"},
        {"a file larger than any project", {settings, QString::fromStdString(c("huge.prj"))},
         "tarnel-build: cannot load the project C:\\huge.prj: C:\\huge.prj is too large for a project file (1024 MiB;"},
    };
    const std::string garbage = readHostFile(c("garbage.prj"));
    for (const Case& k : cases) {
        const Ran r = run(k.args);
        EXPECT_EQ(r.exit, 2) << k.what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith(k.message)) << k.what << ": " << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << k.what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << k.what << ": " << r.out.toStdString();
    }
    EXPECT_EQ(readHostFile(c("garbage.prj")), garbage) << "a project that failed to load is left alone";

    // Without drive Z:, as a sandboxed prefix has it, a file beside the home folder is on no drive.
    fs::remove(prefix.path() + "/dosdevices/z:");
    writeHostFile(home.filePath("elsewhere.prj").toStdString(), readHostFile(c("Tarnel/sample.prj")));
    const Ran outside = run({settings, home.filePath("elsewhere.prj")});
    EXPECT_EQ(outside.exit, 2);
    EXPECT_EQ(outside.err, "tarnel-build: " + home.filePath("elsewhere.prj") +
                               " lies outside every drive of the Wine prefix, where Tarnel cannot reach it\n");
    EXPECT_FALSE(fs::exists(c("Tarnel/Source/aout.a25"))) << "nothing was built";
}

TEST_F(TarnelBuildTest, HelpTellsItsUseAndItsExitStatuses)
{
    const Ran r = run({"--help"});
    EXPECT_EQ(r.exit, 0);
    EXPECT_TRUE(r.out.startsWith("usage: tarnel-build [--changed] [--settings FILE] [--sarif FILE] [--junit FILE] "
                                 "[--compile-commands FILE] [--memory-report FILE] [--max-fill ROM=90,RAM=80] "
                                 "PROJECT.prj\n"));
    EXPECT_TRUE(r.out.contains("  --changed "));
    EXPECT_TRUE(r.out.contains("Exit status: 0 the target file was created or updated"));
    EXPECT_TRUE(r.err.isEmpty());
}

TEST_F(TarnelBuildTest, ALinkedBuildTellsHowFullMemoryIsAndRefusesAFirmwarePastItsMargin)
{
    const Ran r = run({"--settings", settingsFile, "--memory-report", "m.json", "C:\\Tarnel\\sample.prj"});
    EXPECT_EQ(r.exit, 0) << r.err.toStdString();
    const QJsonObject report = QJsonDocument::fromJson(readAll(home.filePath("m.json"))).object();
    const QJsonObject rom = report["rom"].toObject();
    EXPECT_EQ(rom["size"].toInt(), 32768);
    EXPECT_TRUE(rom["change"].isNull());
    const QString line = QString("ROM: %1 of 32768 bytes (").arg(rom["used"].toInt());
    EXPECT_TRUE(r.out.contains("\n" + line)) << r.out.toStdString();
    EXPECT_EQ(report["ranges"].toArray().size(), 3);
    EXPECT_FALSE(report["symbols"].toArray().isEmpty());

    const Ran full = run({"--settings", settingsFile, "--max-fill", "ROM=0.01,RAM=80", "C:\\Tarnel\\sample.prj"});
    EXPECT_EQ(full.exit, 1);
    EXPECT_TRUE(full.out.contains(line + "") && full.out.contains(", +0 since the previous build")) << full.out.toStdString();
    EXPECT_TRUE(full.err.endsWith("\ntarnel-build: ROM is " +
                                  QString::number(100.0 * rom["used"].toInt() / 32768, 'f', 1) +
                                  "% full (" + QString::number(rom["used"].toInt()) +
                                  " of 32768 bytes), more than the 0.01% allowed\n"))
        << full.err.toStdString();
}

}  // namespace
