#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/qt/qt_settings_store.h"
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
