#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/paths/drive_map.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace
{

void touch(const fs::path& p)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "x";
}

} // namespace

TEST(DriveMap, NewPrefixGetsDriveCAndZLinks)
{
    TempPrefix tmp;
    const fs::path devices = fs::path(tmp.path()) / "dosdevices";
    ASSERT_TRUE(fs::is_symlink(devices / "c:"));
    EXPECT_EQ(fs::read_symlink(devices / "c:"), fs::path("../drive_c"));
    EXPECT_EQ(fs::read_symlink(devices / "z:"), fs::path("/"));
    EXPECT_TRUE(fs::is_directory(tmp.driveC()));
}

TEST(DriveMap, ExistingDriveLinksAreLeftAlone)
{
    TempPrefix tmp;
    const fs::path prefix = fs::path(tmp.path()) / "other";
    fs::create_directories(prefix / "dosdevices");
    fs::create_directories(prefix / "elsewhere");
    fs::create_directory_symlink("../elsewhere", prefix / "dosdevices" / "d:");

    DriveMap map(prefix.string());
    map.ensurePrefix();
    EXPECT_EQ(fs::read_symlink(prefix / "dosdevices" / "d:"), fs::path("../elsewhere"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(prefix / "dosdevices" / "c:")));
    EXPECT_FALSE(map.toHost("C:\\x").has_value());
    EXPECT_EQ(*map.toHost("d:\\a"), (prefix / "dosdevices" / "d:" / "a").string());
}

TEST(DriveMap, DriveWithoutLinkOrTargetIsMissing)
{
    TempPrefix tmp;
    const fs::path devices = fs::path(tmp.path()) / "dosdevices";
    fs::create_directory_symlink("/nonexistent-tarnel-media", devices / "e:");
    const DriveMap map(tmp.path());
    for (const char* path : {"A:\\", "A:\\file.r25", "a:", "e:\\x"})
        EXPECT_FALSE(map.toHost(path).has_value()) << path;
}

TEST(DriveMap, ResolvesComponentsWithoutRegardToCase)
{
    TempPrefix tmp;
    touch(fs::path(tmp.driveC()) / "Tarnel" / "Source" / "Main.C");
    const DriveMap map(tmp.path());
    const std::string c = tmp.path() + "/dosdevices/c:";

    struct Row {
        const char* windows;
        std::string host;
    };
    const Row rows[] = {
        {"C:\\Tarnel\\Source\\Main.C", c + "/Tarnel/Source/Main.C"},
        {"c:\\TARNEL\\source\\main.c", c + "/Tarnel/Source/Main.C"},
        {"C:/tarnel//SOURCE/", c + "/Tarnel/Source"},
        {"C:\\tarnel\\NewDir\\x.c", c + "/Tarnel/NewDir/x.c"}, // missing part kept as written
        {"\\tarnel", c + "/Tarnel"},                           // rooted: the current drive C:
        {"C:\\gone\\..\\tarnel\\.\\source", c + "/Tarnel/Source"},
        {"C:\\..\\..\\tarnel", c + "/Tarnel"}, // never above the drive root
        {"C:", c},
    };
    for (const Row& r : rows)
        EXPECT_EQ(map.toHost(r.windows).value_or("<none>"), r.host) << r.windows;
}

TEST(DriveMap, BlanksAndNonAsciiBytesPassUnchanged)
{
    TempPrefix tmp;
    // UTF-8 and a lone Latin-1 byte: both are just bytes to the file system.
    const std::string utf8 = "Gr\xC3\xBC\xC3\x9F"
                             "e";
    const std::string latin1 = "M\xFCller";
    fs::create_directories(fs::path(tmp.driveC()) / "Program Files" / utf8 / latin1);
    const DriveMap map(tmp.path());

    const std::string windows = "C:\\Program Files\\" + utf8 + "\\" + latin1;
    const auto host = map.toHost(windows);
    ASSERT_TRUE(host);
    EXPECT_EQ(*host, tmp.path() + "/dosdevices/c:/Program Files/" + utf8 + "/" + latin1);
    EXPECT_TRUE(fs::is_directory(*host));
    EXPECT_EQ(map.toWindows(*host), windows);
    EXPECT_EQ(map.toWindows(tmp.driveC() + "/Program Files/" + utf8), "C:\\Program Files\\" + utf8);
}

TEST(DriveMap, HostPathsTurnIntoTheDeepestDrive)
{
    TempPrefix tmp;
    fs::create_directories(fs::path(tmp.driveC()) / "Tarnel" / "Source");
    fs::create_directories(fs::path(tmp.path()) / "outside" / "dir");
    const fs::path devices = fs::path(tmp.path()) / "dosdevices";
    fs::create_directory_symlink("../drive_c/Tarnel", devices / "t:");
    const DriveMap map(tmp.path());
    const std::string real = fs::canonical(tmp.path()).string();

    struct Row {
        std::string host;
        std::string windows;
    };
    const Row rows[] = {
        {tmp.driveC(), "C:\\"},
        {tmp.driveC() + "/", "C:\\"},
        {tmp.path() + "/dosdevices/c:/Tarnel/Source", "T:\\Source"},
        {tmp.driveC() + "/Tarnel", "T:\\"},
        {tmp.driveC() + "/new/file.c", "C:\\new\\file.c"},
        {tmp.path() + "/outside/dir", "Z:" + real + "/outside/dir"},
        {"/", "Z:\\"},
    };
    for (Row r : rows) {
        for (char& ch : r.windows)
            if (ch == '/')
                ch = '\\';
        EXPECT_EQ(map.toWindows(r.host), r.windows) << r.host;
    }
}

TEST(DriveMap, WithoutZDriveOutsidePathsStillGetZ)
{
    TempPrefix tmp;
    fs::remove(fs::path(tmp.path()) / "dosdevices" / "z:");
    const DriveMap map(tmp.path());
    EXPECT_EQ(map.toWindows("/usr"), "Z:\\usr");
    EXPECT_EQ(map.toWindows(tmp.driveC() + "/a"), "C:\\a");
}

TEST(DriveMap, PrefixComesFromWinePrefixFirst)
{
    TempPrefix tmp;
    EXPECT_EQ(DriveMap::prefixFromEnvironment(), tmp.path());
    EXPECT_EQ(DriveMap::fromEnvironment().prefix(), tmp.path());
}

TEST(DriveMap, TheProgramsOwnFolderIsFoundWhateverTheDrivesHold)
{
    struct Row {
        const char* removed;  // drive link taken away
        const char* elsewhere;  // z: pointed at another folder instead, when set
    };
    const Row rows[] = {{"z:", nullptr}, {"z:", "drive_c"}, {nullptr, nullptr}};
    for (const Row& r : rows) {
        TempPrefix tmp;
        const fs::path devices = fs::path(tmp.path()) / "dosdevices";
        const fs::path own = fs::path(tmp.path()) / "outside" / "bin";
        touch(own / "Docs" / "Tarnel" / "contents.html");
        if (r.removed)
            fs::remove(devices / r.removed);
        if (r.elsewhere)
            fs::create_directory_symlink(fs::path(tmp.path()) / r.elsewhere, devices / "z:");
        DriveMap map(tmp.path());
        map.setOwnFolder(own.string());
        const std::string folder = map.toWindows(own.string());
        const auto page = map.toHost(folder + "\\docs\\TARNEL\\contents.html");
        ASSERT_TRUE(page.has_value()) << folder;
        EXPECT_TRUE(fs::equivalent(*page, own / "Docs" / "Tarnel" / "contents.html")) << folder;
        EXPECT_NE(map.toHost(folder + "x\\Docs").value_or(""), (own / "Docs").string()) << folder;
    }
}
