// Which compile-directory files are copies, decided on the real file system: by the file's
// identity, however the project entry reaches it.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths/drive_map.h"
#include "platform/qt/qt_files.h"
#include "project/compile_copies.h"
#include "support/host_files.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace {

std::string windowsForm(std::string hostPath)
{
    for (char& c : hostPath)
        if (c == '/')
            c = '\\';
    return "Z:" + hostPath;
}

TEST(CompileCopies, FilesReachedByOtherPathsAreNeverDeletedAsCopies)
{
    TempPrefix tmp;
    const fs::path source = fs::path(tmp.driveC()) / "Tarnel" / "Source";
    const fs::path driveD = fs::path(tmp.path()) / "drive_d";
    fs::create_directories(driveD / "links");
    fs::create_symlink("../drive_d", fs::path(tmp.path()) / "dosdevices" / "d:");
    for (const char* name : {"keep.c", "zkeep.c", "lkeep.c", "fkeep.c", "gone.c", "ide.bat"})
        writeHostFile((source / name).string(), std::string("compile dir ") + name);
    writeHostFile((driveD / "work" / "gone.c").string(), "the user's gone.c");
    fs::create_symlink(source / "lkeep.c", driveD / "links" / "lkeep.c");
    fs::create_directory_symlink(source, driveD / "src");

    DriveMap map(tmp.path());
    QtFiles files(map);
    const std::string compileDir = "C:\\Tarnel\\Source";
    const std::vector<std::string> entries = {
        "C:\\Tarnel\\Source\\..\\Source\\keep.c",
        windowsForm((source / "zkeep.c").string()),
        "D:\\links\\lkeep.c",
        "D:\\src\\fkeep.c",
        "D:\\work\\gone.c",
    };
    for (const std::string& e : entries)
        EXPECT_EQ(compilecopies::liesInCompileDir(files, e, compileDir), e != "D:\\work\\gone.c") << e;

    compilecopies::clear(files, compileDir, entries);
    for (const char* kept : {"keep.c", "zkeep.c", "lkeep.c", "fkeep.c"})
        EXPECT_EQ(readHostFile((source / kept).string()), std::string("compile dir ") + kept) << kept;
    EXPECT_FALSE(fs::exists(source / "gone.c"));
    EXPECT_FALSE(fs::exists(source / "ide.bat"));
    EXPECT_EQ(readHostFile((driveD / "work" / "gone.c").string()), "the user's gone.c");
}

}  // namespace
