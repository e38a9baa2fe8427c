#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths/folder_names.h"
#include "support/host_files.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

TEST(FolderNames, OurTemporaryFilesAreKnownByTheirWholeName)
{
    const struct {
        const char* entry;
        std::optional<std::string> target;
    } rows[] = {
        {".main.c.tarnel-aB3xY9", "main.c"},
        {".Tarnel.conf.tarnel-000000", "Tarnel.conf"},
        {"..hidden.tarnel-abcdef", ".hidden"},
        {".main.c.tarnel-aB3xY", std::nullopt},    // five random characters
        {".main.c.tarnel-aB3xY90", std::nullopt},  // seven
        {".main.c.tarnel-aB3x_9", std::nullopt},
        {"main.c.tarnel-aB3xY9", std::nullopt},
        {"..tarnel-aB3xY9", std::nullopt},
        {".main.c.tmp-aB3xY9", std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(tempFileTarget(r.entry), r.target) << r.entry;
    EXPECT_EQ(tempFileTarget(tempFilePrefix("ide.bat") + "Qw12Er"), std::optional<std::string>("ide.bat"));
}

TEST(FolderNames, ChangesOfOthersBetweenOursDropTheListing)
{
    TempPrefix tmp;
    const std::string dir = tmp.path() + "/folder";
    writeHostFile(dir + "/Main.C", "x");
    FolderNames names;
    EXPECT_EQ(names.find(dir, "main.c"), std::optional<std::string>("Main.C"));
    EXPECT_EQ(names.listings(), 1u);

    // Our own change, entered with the stamp from before it: no new listing.
    auto before = FolderNames::stampOf(dir);
    ASSERT_TRUE(before);
    writeHostFile(dir + "/Util.c", "y");
    names.noteChange(dir, *before, {"Util.c"}, {});
    EXPECT_EQ(names.find(dir, "UTIL.C"), std::optional<std::string>("Util.c"));
    EXPECT_EQ(names.listings(), 1u);

    // A change entered with a stamp that no longer matches: the folder is read again.
    writeHostFile(dir + "/Other.h", "z");
    fs::last_write_time(dir, fs::last_write_time(dir) + std::chrono::seconds(1));
    names.noteChange(dir, *before, {"Mine.h"}, {});
    EXPECT_EQ(names.find(dir, "other.h"), std::optional<std::string>("Other.h"));
    EXPECT_TRUE(names.tempsOf(dir, "Other.h", *FolderNames::stampOf(dir)).empty());
    EXPECT_EQ(names.find(dir, "mine.h"), std::nullopt);
    EXPECT_EQ(names.listings(), 2u);
}
