#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/paths/drive_map.h"
#include "platform/qt/folder_names.h"
#include "platform/qt/qt_files.h"
#include "support/host_files.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace
{

class FolderNamesTest : public ::testing::Test
{
protected:
    std::string host(const std::string& relative) const { return tmp.driveC() + "/" + relative; }
    std::vector<std::string> entries(const std::string& relative) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(host(relative)))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempPrefix tmp;
    DriveMap map{tmp.path()};
    QtFiles files{map};
};

TEST_F(FolderNamesTest, MissingNamesFindTheirCaseTwinAlsoAfterOthersChangeTheFolder)
{
    writeHostFile(host("src/Main.C"), "main");
    FolderNames names;
    const std::string folder = host("src");
    EXPECT_EQ(names.resolve(folder, "main.c"), folder + "/Main.C");
    EXPECT_EQ(names.resolve(folder, "util.c"), folder + "/util.c");
    // Another program adds a file: the kept listing must not hide it.
    writeHostFile(host("src/UTIL.C"), "util");
    EXPECT_EQ(names.resolve(folder, "util.c"), folder + "/UTIL.C");
    fs::remove(host("src/UTIL.C"));
    EXPECT_EQ(names.resolve(folder, "util.c"), folder + "/util.c");
    EXPECT_EQ(names.resolve(host("none"), "x.c"), host("none") + "/x.c");
}

TEST_F(FolderNamesTest, CopiesIntoAFolderReplaceATwinAndStayFindableByAnyCase)
{
    writeHostFile(host("in/main.c"), "new main");
    writeHostFile(host("in/util.c"), "util");
    writeHostFile(host("out/MAIN.C"), "old main");
    ASSERT_EQ(files.copyIntoFolder("C:\\in\\main.c", "C:\\out"), CopyResult::Ok);
    ASSERT_EQ(files.copyIntoFolder("C:\\in\\util.c", "C:\\out"), CopyResult::Ok);
    EXPECT_EQ(entries("out"), (std::vector<std::string>{"MAIN.C", "util.c"}));
    EXPECT_EQ(readHostFile(host("out/MAIN.C")), "new main");
    EXPECT_TRUE(files.fileExists("C:\\out\\UTIL.C"));
    EXPECT_TRUE(files.removeFile("C:\\out\\Util.C"));
    EXPECT_FALSE(files.fileExists("C:\\out\\util.c"));
    EXPECT_TRUE(files.writeBytes("C:\\out\\Notes.txt", "n"));
    EXPECT_EQ(files.readBytes("C:\\out\\NOTES.TXT"), "n");
}

TEST_F(FolderNamesTest, RemovingOneOfTwoTwinsLeavesTheOtherFindable)
{
    writeHostFile(host("twins/A.c"), "upper");
    writeHostFile(host("twins/a.C"), "lower");
    ASSERT_TRUE(files.fileExists("C:\\twins\\a.c"));
    const std::string first = files.readBytes("C:\\twins\\a.c").value_or("");
    EXPECT_TRUE(files.removeFile("C:\\twins\\a.c"));
    const auto rest = files.readBytes("C:\\twins\\a.c");
    ASSERT_TRUE(rest.has_value());
    EXPECT_NE(*rest, first);
}

} // namespace
