#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/qt/qt_settings_store.h"
#include "support/host_files.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace
{

class QtSettingsStoreTest : public ::testing::Test
{
protected:
    QString iniFile() const { return QString::fromStdString(tmp.path() + "/config/Orvane/Tarnel.conf"); }
    QStringList storedKeys() const { return QSettings(iniFile(), QSettings::IniFormat).childKeys(); }

    TempPrefix tmp; // only used as a scratch folder here
};

} // namespace

TEST_F(QtSettingsStoreTest, NamesMatchWithoutRegardToCase)
{
    {
        QtSettingsStore store(iniFile());
        EXPECT_FALSE(store.read("Reload"));
        store.write("Reload", "1");
        EXPECT_EQ(store.read("reload"), std::optional<std::string>("1"));
        store.write("RELOAD", "0");
        EXPECT_EQ(store.read("Reload"), std::optional<std::string>("0"));
        EXPECT_TRUE(store.flush());
    }
    EXPECT_EQ(storedKeys(), QStringList{"Reload"});
    QtSettingsStore reopened(iniFile());
    EXPECT_EQ(reopened.read("rElOaD"), std::optional<std::string>("0"));
}

TEST_F(QtSettingsStoreTest, HandWrittenNamesInOtherCaseAreFoundAndReplaced)
{
    fs::create_directories(tmp.path() + "/config/Orvane");
    std::ofstream(iniFile().toStdString())
        << "[General]\nreload=1\nCOMP%20SOURCE=D:\\\\Src\nSave%20Dir=a, b\n";
    QtSettingsStore store(iniFile());
    EXPECT_EQ(store.read("Reload"), std::optional<std::string>("1"));
    EXPECT_EQ(store.read("Comp Source"), std::optional<std::string>("D:\\Src"));
    EXPECT_EQ(store.read("Save Dir"), std::optional<std::string>("a, b"));
    store.write("Reload", "0");
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(storedKeys().filter("reload", Qt::CaseInsensitive).size(), 1);
    EXPECT_EQ(QtSettingsStore(iniFile()).read("RELOAD"), std::optional<std::string>("0"));
}

TEST_F(QtSettingsStoreTest, HandWrittenWindowsPathsReadVerbatimAndAreWrittenSo)
{
    fs::create_directories(tmp.path() + "/config/Orvane");
    std::ofstream(iniFile().toStdString())
        << "; prepared by hand\n[General]\nDirectory=C:\\Work\\\nComp Source = C:\\my work\\src\n"
           "[Other]\nDirectory=ignored\n";
    QtSettingsStore store(iniFile());
    EXPECT_EQ(store.read("directory"), std::optional<std::string>("C:\\Work\\"));
    EXPECT_EQ(store.read("Comp Source"), std::optional<std::string>("C:\\my work\\src"));
    store.write("Nec Dir", "C:\\Nec\\");
    ASSERT_TRUE(store.flush());
    std::ifstream in(iniFile().toStdString());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[General]\nDirectory=C:\\Work\\\nComp Source=C:\\my work\\src\nNec Dir=C:\\Nec\\\n");
}

TEST_F(QtSettingsStoreTest, ValuesRoundTripByteForByte)
{
    const std::vector<std::pair<std::string, std::string>> values = {
        {"Comp Source", "C:\\Tarnel\\Source"},
        {"External Ed", "c:\\program files\\accessories\\wordpad.exe"},
        {"Project", "NO PROJECT LOADED"},
        {"Directory", "C:\\M\xFCller, Gr\xF6\xDF"
                      "e"},
        {"PTools10", "@at start; semi=colon \"quoted\""},
        {"Pelorus Dir", ""},
        {"Save Dir", "\\\\server\\backup"},
        {"C file", "  blanks before and after  "},
        {"UTParams0", "-D=1 -x=="},
        {"UTParams1", "=at the start"},
        {"UTNames2", "\\\\\\\\"},
        {"UTools2", "a, b,c"},
        {"Programming Tool", "%20 stays %20"},
    };
    {
        QtSettingsStore store(iniFile());
        for (const auto& [name, value] : values)
            store.write(name, value);
        ASSERT_TRUE(store.flush());
    }
    QtSettingsStore store(iniFile());
    for (const auto& [name, value] : values)
        EXPECT_EQ(store.read(name), std::optional<std::string>(value)) << name;
    EXPECT_EQ(store.valueCount(), values.size());
    std::ifstream in(iniFile().toStdString());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("\nSave Dir=\\\\server\\backup\n"), std::string::npos) << text;
}

TEST_F(QtSettingsStoreTest, FilesWrittenByQtsOwnWriterReadAsQtWroteThem)
{
    const std::vector<std::pair<QString, QString>> values = {
        {"Comp Source", "C:\\Tarnel\\Source"},
        {"Save Dir", "\\\\server\\backup"},
        {"C file", "  blanks  "},
        {"UTParams0", "-D=1, \"q\""},
        {"Project", "NO PROJECT LOADED"},
    };
    {
        QSettings qt(iniFile(), QSettings::IniFormat);
        for (const auto& [name, value] : values)
            qt.setValue(name, value);
    }
    for (int round = 0; round < 2; ++round) {  // as Qt left it, then as we write it back
        QtSettingsStore store(iniFile());
        for (const auto& [name, value] : values)
            EXPECT_EQ(store.read(name.toStdString()), std::optional<std::string>(value.toStdString()))
                << name.toStdString() << " round " << round;
        store.write("Reload", "1");
        ASSERT_TRUE(store.flush());
    }
    EXPECT_FALSE(fs::exists(iniFile().toStdString() + ".bak"));
}

TEST_F(QtSettingsStoreTest, OneDoubledBackslashDoesNotMakeAHandWrittenFileEscaped)
{
    fs::create_directories(tmp.path() + "/config/Orvane");
    std::ofstream(iniFile().toStdString())
        << "[General]\nDirectory=C:\\Work\nSave Dir=\\\\server\\backup\nNec Dir=C:\\Nec\\\n";
    QtSettingsStore store(iniFile());
    EXPECT_EQ(store.read("Save Dir"), std::optional<std::string>("\\\\server\\backup"));
    EXPECT_EQ(store.read("Directory"), std::optional<std::string>("C:\\Work"));
    EXPECT_EQ(store.read("Nec Dir"), std::optional<std::string>("C:\\Nec\\"));
}

TEST_F(QtSettingsStoreTest, AFileHoldingMoreThanSettingsIsKeptAsBakBeforeItIsWrittenOver)
{
    std::string binary = "[General]\nDirectory=D:\\\n";
    for (int i = 0; binary.size() < 8192; ++i)
        binary += static_cast<char>(i * 37 % 256);
    const struct {
        const char* what;
        std::string bytes;
        bool kept;
    } rows[] = {
        {"no [General] data", "[Other]\nDirectory=D:\\\n", true},
        {"not text at all", std::string("\x7f" "ELF\x02\x01\x00\x00junk", 12), true},
        {"only comments", "; my notes\n", true},
        {"settings and 8 KB of binary", binary, true},
        {"settings and a line that is none", "[General]\nDirectory=D:\\\n\x01\xfe\n", true},
        {"settings with a NUL byte", std::string("[General]\nDirectory=D:\\\0\n", 25), true},
        {"settings and a comment", "[General]\n# mine\nDirectory=D:\\\n", true},
        {"settings and another section", "[General]\nDirectory=D:\\\n[Other]\nX=1\n", false},
        {"empty", "", false},
        {"blank lines", "\n \n", false},
        {"settings", "[General]\nDirectory=D:\\\n", false},
    };
    const std::string file = iniFile().toStdString();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        fs::remove_all(tmp.path() + "/config");
        fs::create_directories(tmp.path() + "/config/Orvane");
        std::ofstream(file, std::ios::binary) << r.bytes;
        QtSettingsStore store(iniFile());
        store.write("Directory", "C:\\");
        testing::internal::CaptureStderr();
        ASSERT_TRUE(store.flush());
        store.write("Directory", "C:\\Work");
        ASSERT_TRUE(store.flush());  // the second write keeps the first copy as it is
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(fs::exists(file + ".bak"), r.kept);
        if (r.kept) {
            EXPECT_EQ(readHostFile(file + ".bak"), r.bytes);
            EXPECT_NE(said.find(file + ".bak"), std::string::npos) << said;
        } else {
            EXPECT_EQ(said, "");
        }
        EXPECT_EQ(QtSettingsStore(iniFile()).read("Directory"), std::optional<std::string>("C:\\Work"));
    }
}

TEST_F(QtSettingsStoreTest, AnUnreadableFileIsKeptAsBakAndTheNewOneCanBeReadBack)
{
    const fs::path folder = fs::path(tmp.path()) / "user";
    const std::string file = (folder / "Tarnel.conf").string();
    // 0 when the unreadable file was kept and the new one reads back, else the failed step.
    auto check = [&]() -> int {
        std::ofstream(file) << "[General]\nDirectory=D:\\Mine\n";
        fs::permissions(file, fs::perms::none);
        {
            QtSettingsStore store(QString::fromStdString(file));
            if (store.read("Directory"))
                return 1;
            store.write("Directory", "C:\\");
            if (!store.flush())
                return 2;
        }
        fs::permissions(file + ".bak", fs::perms::owner_read);
        if (readHostFile(file + ".bak") != "[General]\nDirectory=D:\\Mine\n")
            return 3;
        return QtSettingsStore(QString::fromStdString(file)).read("Directory") == std::optional<std::string>("C:\\")
                   ? 0
                   : 4;
    };
    fs::create_directories(folder);
    if (geteuid() != 0) {
        EXPECT_EQ(check(), 0);
        return;
    }
    // Root reads any file: the check runs as an ordinary user.
    constexpr uid_t nobody = 65534;
    fs::permissions(tmp.path(), fs::perms::others_exec, fs::perm_options::add);
    ASSERT_EQ(::chown(folder.c_str(), nobody, nobody), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            _exit(9);
        _exit(check());
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(QtSettingsStoreTest, FlushRemovesLeftoversOfKilledWritesOfTheSettingsFile)
{
    const std::string folder = tmp.path() + "/config/Orvane";
    writeHostFile(folder + "/Tarnel.conf", "[General]\nDirectory=C:\\\n");
    writeHostFile(folder + "/.Tarnel.conf.tarnel-AbC123", "[General]\nDirec");
    writeHostFile(folder + "/.other.conf.tarnel-AbC123", "not the settings file's");
    QtSettingsStore store(iniFile());
    store.write("Reload", "1");
    ASSERT_TRUE(store.flush());
    EXPECT_FALSE(fs::exists(folder + "/.Tarnel.conf.tarnel-AbC123"));
    EXPECT_TRUE(fs::exists(folder + "/.other.conf.tarnel-AbC123"));
}

TEST_F(QtSettingsStoreTest, FlushFailsWhenTheStoreFolderCannotBeMade)
{
    // A plain file where the store's folder should be stops every user, root included.
    std::ofstream(tmp.path() + "/blocker") << "x";
    QtSettingsStore blocked(QString::fromStdString(tmp.path() + "/blocker/Orvane/Tarnel.conf"));
    blocked.write("Directory", "C:\\");
    EXPECT_FALSE(blocked.flush());
}

TEST_F(QtSettingsStoreTest, FlushFailsInAReadOnlyFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "read-only folders do not stop root";
    const fs::path folder = tmp.path() + "/readonly";
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    QtSettingsStore readOnly(QString::fromStdString((folder / "Tarnel.conf").string()));
    readOnly.write("Directory", "C:\\");
    EXPECT_FALSE(readOnly.flush());
    fs::permissions(folder, fs::perms::owner_all);
}
