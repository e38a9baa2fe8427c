#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/paths/drive_map.h"
#include "platform/qt/atomic_file.h"
#include "platform/qt/qt_files.h"
#include "support/temp_prefix.h"
#include "support/host_files.h"

namespace fs = std::filesystem;

namespace
{

class QtFilesTest : public ::testing::Test
{
protected:
    std::string onDisk(const std::string& relative) const
    {
        return readHostFile((fs::path(tmp.driveC()) / relative).string());
    }
    void put(const std::string& relative, const std::string& bytes) const
    {
        writeHostFile((fs::path(tmp.driveC()) / relative).string(), bytes);
    }
    std::vector<std::string> entries(const std::string& relative) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(fs::path(tmp.driveC()) / relative))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempPrefix tmp;
    DriveMap map{tmp.path()};
    QtFiles files{map};
};

// Lets a test make every write past a few bytes fail, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

} // namespace

TEST_F(QtFilesTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary)
{
    put("Tarnel/project.prj", "old contents");
    bool written = true;
    {
        FileSizeLimit limit(16);
        written = files.writeBytes("C:\\Tarnel\\project.prj", std::string(100000, 'x'));
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(onDisk("Tarnel/project.prj"), "old contents");
    EXPECT_EQ(entries("Tarnel"), std::vector<std::string>{"project.prj"});
}

TEST_F(QtFilesTest, WritesReplaceWholeFileWithCrLfLines)
{
    put("Tarnel/ide.bat", "a much longer previous content\r\n");
    ASSERT_TRUE(files.writeLines("C:\\Tarnel\\ide.bat", {"@ECHO OFF", "", "CALL x"}));
    EXPECT_EQ(onDisk("Tarnel/ide.bat"), "@ECHO OFF\r\n\r\nCALL x\r\n");
    EXPECT_EQ(entries("Tarnel"), std::vector<std::string>{"ide.bat"});
}

// A file without any write bit is refused to root as well; a file root may write keeps its
// owner. Run as an ordinary user, the kernel's own answer decides.
TEST_F(QtFilesTest, ReplacingKeepsModeAndOwnerAndRefusesAFileTheUserMayNotWrite)
{
    using P = fs::perms;
    constexpr uid_t nobody = 65534;
    const bool root = geteuid() == 0;
    const struct {
        P mode;
        bool otherOwner;  // owned by another user (root only can set it up)
        bool written;
    } rows[] = {
        {P::owner_read | P::group_read | P::others_read, false, false},
        {P::none, false, false},
        {P::owner_all | P::group_read, false, true},
        {P::owner_read | P::owner_write | P::others_read, true, root},
        {P::owner_read | P::owner_write | P::group_write | P::others_read, true, root},
    };
    const fs::path real = fs::path(tmp.driveC()) / "Tarnel" / "project.prj";
    put("Tarnel/Source.c", "int x;");
    for (const auto& r : rows) {
        SCOPED_TRACE(static_cast<int>(r.mode));
        if (r.otherOwner && !root)
            continue;
        put("Tarnel/project.prj", "old");
        if (r.otherOwner) {
            ASSERT_EQ(::chown(real.c_str(), nobody, nobody), 0);
        }
        fs::permissions(real, r.mode);
        struct stat before {
        };
        ::stat(real.c_str(), &before);
        const bool wrote = files.writeBytes("C:\\Tarnel\\project.prj", "new");
        const bool copied = files.copyFile("C:\\Tarnel\\Source.c", "C:\\Tarnel\\project.prj");
        EXPECT_EQ(wrote, r.written);
        EXPECT_EQ(copied, r.written);
        struct stat after {
        };
        ::stat(real.c_str(), &after);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(onDisk("Tarnel/project.prj"), r.written ? "int x;" : "old");
        EXPECT_EQ(entries("Tarnel"), (std::vector<std::string>{"Source.c", "project.prj"}));
    }
    if (!root)
        return;
    // Another user's 0644 file in a folder anyone may write: refused to the ordinary user.
    fs::remove(real);
    put("Tarnel/project.prj", "old");
    fs::permissions(real, P::owner_read | P::owner_write | P::group_read | P::others_read);
    fs::permissions(tmp.path(), P::others_exec, fs::perm_options::add);
    fs::permissions(tmp.driveC(), P::others_exec, fs::perm_options::add);
    fs::permissions(real.parent_path(), P::all);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(::setgid(nobody) == 0 && ::setuid(nobody) == 0 && !files.writeBytes("C:\\Tarnel\\project.prj", "new")
                  ? 0
                  : 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(onDisk("Tarnel/project.prj"), "old");
}

TEST_F(QtFilesTest, LeftoversOfKilledWritesGoWhenTheirTargetIsWrittenNext)
{
    put("Tarnel/Source/main.c", "main");
    put("Tarnel/project.prj", "old");
    const fs::path dir = fs::path(tmp.driveC()) / "Tarnel";
    // A write killed in flight: the temporary file that was to replace its target stays, and its
    // lock dies with it. A file that did not exist yet was written unnamed: nothing stays.
    for (const char* target : {"project.prj", "Source/main.c", "new.txt"}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            AtomicFile out((dir / target).string());
            if (out.open())
                out.write("half", 4);
            raise(SIGKILL);
        }
        int status = 0;
        waitpid(child, &status, 0);
    }
    put("Tarnel/.project.prj.tarnel-AbC123", "older leftover");
    put("Tarnel/.other.prj.tarnel-XyZ789", "another file's leftover");
    put("Tarnel/.project.prj.tarnel-notours", "not of our making");
    put("Tarnel/.project.prj.tarnel-LiVe12", "a write under way");
    const int live = ::open((dir / ".project.prj.tarnel-LiVe12").c_str(), O_RDONLY);
    ASSERT_EQ(flock(live, LOCK_EX | LOCK_NB), 0);
    auto leftovers = [&](const char* name) {
        std::vector<std::string> found;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().filename().string().rfind(std::string(".") + name + ".tarnel-", 0) == 0)
                found.push_back(e.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    };
    ASSERT_EQ(leftovers("project.prj").size(), 4u);
    EXPECT_TRUE(leftovers("new.txt").empty());
    EXPECT_FALSE(fs::exists(dir / "new.txt"));

    ASSERT_TRUE(files.writeBytes("C:\\Tarnel\\project.prj", "whole"));
    EXPECT_EQ(leftovers("project.prj"), (std::vector<std::string>{".project.prj.tarnel-LiVe12", ".project.prj.tarnel-notours"}));
    EXPECT_EQ(leftovers("other.prj").size(), 1u);
    EXPECT_EQ(onDisk("Tarnel/project.prj"), "whole");
    ::close(live);

    // The next copy over a copy killed in flight clears that one's leftover too.
    put("Work/main.c", "new main");
    EXPECT_EQ(files.copyIntoFolder("C:\\Work\\main.c", "C:\\Tarnel\\Source"), CopyResult::Ok);
    EXPECT_EQ(entries("Tarnel/Source"), std::vector<std::string>{"main.c"});
    EXPECT_EQ(onDisk("Tarnel/Source/main.c"), "new main");
}

TEST_F(QtFilesTest, ANewFileThatAppearsDuringTheWriteIsStillReplacedWhole)
{
    fs::create_directories(fs::path(tmp.driveC()) / "Tarnel");
    const fs::path target = fs::path(tmp.driveC()) / "Tarnel" / "ide.bat";
    AtomicFile out(target.string());
    ASSERT_TRUE(out.open());
    ASSERT_TRUE(out.write("ours\r\n", 6));
    writeHostFile(target.string(), "someone else's, written meanwhile");
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(readHostFile(target.string()), "ours\r\n");
    EXPECT_EQ(entries("Tarnel"), std::vector<std::string>{"ide.bat"});
}

TEST_F(QtFilesTest, CopiesIntoOneFolderReadItOnceAndStillMatchNamesWithoutRegardToCase)
{
    fs::create_directories(fs::path(tmp.driveC()) / "Tarnel" / "Source");
    put("Tarnel/Source/UTIL.C", "old util");
    for (int i = 0; i < 300; ++i)
        put("Work/src" + std::to_string(i) + ".c", "int x" + std::to_string(i) + ";");
    put("Work/util.c", "new util");
    const std::size_t before = map.folderNames().listings();
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(files.copyIntoFolder("C:\\Work\\src" + std::to_string(i) + ".c", "C:\\Tarnel\\Source"), CopyResult::Ok);
    ASSERT_EQ(files.copyIntoFolder("C:\\Work\\util.c", "C:\\Tarnel\\Source"), CopyResult::Ok);
    for (int i = 0; i < 300; i += 2)
        ASSERT_TRUE(files.removeFile("C:\\Tarnel\\Source\\SRC" + std::to_string(i) + ".C"));
    EXPECT_LE(map.folderNames().listings() - before, 2u);
    EXPECT_EQ(onDisk("Tarnel/Source/UTIL.C"), "new util");  // the existing spelling is replaced
    EXPECT_EQ(entries("Tarnel/Source").size(), 151u);

    // A file another program puts there is seen at the next lookup. (The folder's time is moved
    // on as a later moment would; one in the same clock tick as our last change can pass unseen.)
    put("Tarnel/Source/EXTRA.H", "theirs");
    const fs::path source = fs::path(tmp.driveC()) / "Tarnel" / "Source";
    fs::last_write_time(source, fs::last_write_time(source) + std::chrono::seconds(1));
    EXPECT_TRUE(files.fileExists("C:\\Tarnel\\Source\\extra.h"));
    EXPECT_EQ(files.readBytes("C:\\Tarnel\\Source\\Extra.h"), "theirs");
}

TEST_F(QtFilesTest, WriteKeepsModeOfReplacedFileAndFollowsLinks)
{
    put("Tarnel/run.sh", "old");
    const fs::path real = fs::path(tmp.driveC()) / "Tarnel" / "run.sh";
    fs::permissions(real, fs::perms::owner_all);
    fs::create_symlink("run.sh", fs::path(tmp.driveC()) / "Tarnel" / "link.sh");

    ASSERT_TRUE(files.writeBytes("C:\\Tarnel\\link.sh", "new"));
    EXPECT_EQ(onDisk("Tarnel/run.sh"), "new");
    EXPECT_TRUE(fs::is_symlink(fs::path(tmp.driveC()) / "Tarnel" / "link.sh"));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(QtFilesTest, EveryLineBreakEndsALineOnReading)
{
    put("Source/mixed.c", "a\r\nb\rc\nd\n\re");
    const auto lines = files.readLines("C:\\Source\\mixed.c");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
}

TEST_F(QtFilesTest, CopyIntoFolderReplacesWholeFileForAnySize)
{
    fs::create_directories(fs::path(tmp.driveC()) / "Save");
    for (std::size_t size : {0u, 1u, 8191u, 8192u, 8193u, 3u * 8192u + 5u}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + 3);
        put("Source/out.a25", bytes);
        put("Save/out.a25", std::string(40000, 'z'));
        EXPECT_EQ(files.copyIntoFolder("C:\\Source\\out.a25", "C:\\Save"), CopyResult::Ok) << size;
        EXPECT_EQ(onDisk("Save/out.a25"), bytes) << size;
    }
    EXPECT_EQ(entries("Save"), std::vector<std::string>{"out.a25"});
}

TEST_F(QtFilesTest, CopyOntoItselfLeavesTheFileAlone)
{
    put("Tarnel/Source/main.c", "int main;");
    const fs::path p = fs::path(tmp.driveC()) / "Tarnel" / "Source" / "main.c";
    const auto before = fs::last_write_time(p);
    for (const char* folder : {"C:\\Tarnel\\Source", "c:\\TARNEL\\source\\", "C:\\Tarnel\\x\\..\\Source"})
        EXPECT_EQ(files.copyIntoFolder("C:\\Tarnel\\Source\\main.c", folder), CopyResult::Ok) << folder;
    EXPECT_TRUE(files.copyFile("C:\\Tarnel\\Source\\main.c", "C:\\TARNEL\\SOURCE\\MAIN.C"));
    EXPECT_EQ(onDisk("Tarnel/Source/main.c"), "int main;");
    EXPECT_EQ(fs::last_write_time(p), before);
}

TEST_F(QtFilesTest, CopyReportsWhichSideFailed)
{
    put("Source/a.c", "a");
    fs::create_directories(fs::path(tmp.driveC()) / "Source" / "dir.c");
    struct Row {
        const char* source;
        const char* folder;
        CopyResult result;
    };
    const Row rows[] = {
        {"C:\\Source\\missing.c", "C:\\Source", CopyResult::CannotOpen},
        {"C:\\Source\\dir.c", "C:\\", CopyResult::CannotOpen},
        {"A:\\a.c", "C:\\", CopyResult::CannotOpen},
        {"C:\\Source\\a.c", "C:\\NoSuchFolder", CopyResult::CannotCreate},
        {"C:\\Source\\a.c", "A:", CopyResult::CannotCreate},
        {"C:\\Source\\a.c", "A:\\", CopyResult::CannotCreate},
    };
    for (const Row& r : rows)
        EXPECT_EQ(files.copyIntoFolder(r.source, r.folder), r.result) << r.source << " -> " << r.folder;
}

TEST_F(QtFilesTest, ListMatchesMaskWithoutRegardToCaseAndSkipsFolders)
{
    for (const char* name : {"Main.C", "util.c", "defs.H", "notes.txt", "old.c.bak"})
        put(std::string("Source/") + name, "x");
    fs::create_directories(fs::path(tmp.driveC()) / "Source" / "folder.c");

    EXPECT_EQ(files.list("C:\\source", "*.c"), (std::vector<std::string>{"Main.C", "util.c"}));
    EXPECT_EQ(files.list("c:\\SOURCE\\", "*.C;*.h"),
              (std::vector<std::string>{"defs.H", "Main.C", "util.c"}));
    EXPECT_TRUE(files.list("C:\\Source", "*.r25").empty());
    EXPECT_TRUE(files.list("C:\\Missing", "*.*").empty());
}

TEST_F(QtFilesTest, ListingInOnePassGivesWhatTheTwoListsGive)
{
    for (const char* name : {"Main.C", "util.c", "notes.txt", ".main.c.tarnel-aB3xY9"})
        put(std::string("Source/") + name, "x");
    const fs::path source = fs::path(tmp.driveC()) / "Source";
    fs::create_directories(source / "lib.c");
    fs::create_directories(source / "Old");
    fs::create_directory_symlink("Old", source / "linked");

    for (const char* folder : {"C:\\Source", "c:\\SOURCE\\", "C:\\Missing"}) {
        const Files::Listing both = files.listing(folder, "*.c");
        EXPECT_EQ(both.folders, files.listFolders(folder)) << folder;
        EXPECT_EQ(both.files, files.list(folder, "*.c")) << folder;
    }
    EXPECT_EQ(files.listing("C:\\Source", "*.c").folders, (std::vector<std::string>{"lib.c", "linked", "Old"}));
}

TEST_F(QtFilesTest, MissingDriveNeitherExistsNorAcceptsWrites)
{
    EXPECT_FALSE(files.fileExists("A:\\out.a25"));
    EXPECT_FALSE(files.folderExists("A:\\"));
    EXPECT_FALSE(files.folderExists("A:"));
    EXPECT_FALSE(files.createFolder("A:\\x"));
    EXPECT_FALSE(files.createFolders("A:\\x\\y"));
    EXPECT_FALSE(files.writeBytes("A:\\x.txt", "x"));
    EXPECT_FALSE(files.readBytes("A:\\x.txt"));
    EXPECT_FALSE(files.modifiedMs("A:\\x.txt"));
    EXPECT_FALSE(files.removeFile("A:\\x.txt"));
    EXPECT_TRUE(files.list("A:\\", "*.*").empty());
    EXPECT_FALSE(files.folderExists(""));
    EXPECT_FALSE(files.fileExists(""));
}

TEST_F(QtFilesTest, FoldersOneLevelOrWithParents)
{
    EXPECT_FALSE(files.createFolder("C:\\Tarnel\\Source"));
    EXPECT_FALSE(files.folderExists("C:\\Tarnel"));
    EXPECT_TRUE(files.createFolders("C:\\Tarnel\\Source"));
    EXPECT_TRUE(files.folderExists("c:\\tarnel\\SOURCE"));
    EXPECT_TRUE(files.createFolder("C:\\Tarnel\\Obj"));
    EXPECT_TRUE(files.createFolder("C:\\tarnel\\obj")); // already there
    EXPECT_FALSE(files.fileExists("C:\\Tarnel\\Obj"));
    put("Tarnel/file.txt", "x");
    EXPECT_FALSE(files.createFolder("C:\\Tarnel\\file.txt"));
}

TEST_F(QtFilesTest, ExistenceTimeAndRemoval)
{
    put("Tarnel/aout.a25", "x");
    const fs::path p = fs::path(tmp.driveC()) / "Tarnel" / "aout.a25";
    timespec times[2] = {{1'700'000'123, 456'000'000}, {1'700'000'123, 456'789'000}};
    ASSERT_EQ(utimensat(AT_FDCWD, p.c_str(), times, 0), 0);

    EXPECT_TRUE(files.fileExists("c:\\TARNEL\\AOUT.A25"));
    EXPECT_EQ(files.modifiedMs("C:\\Tarnel\\aout.a25"), 1'700'000'123'456LL);
    EXPECT_FALSE(files.removeFile("C:\\Tarnel"));
    EXPECT_TRUE(files.removeFile("C:\\tarnel\\Aout.a25"));
    EXPECT_FALSE(files.fileExists("C:\\Tarnel\\aout.a25"));
    EXPECT_FALSE(files.removeFile("C:\\Tarnel\\aout.a25"));
}

TEST_F(QtFilesTest, BlanksAndNonAsciiBytesInPaths)
{
    const std::string folder = "C:\\Mein Ordner\\M\xFCller";
    ASSERT_TRUE(files.createFolders(folder));
    const std::string file = folder + "\\Gr\xC3\xBC\xC3\x9F"
                                      "e main.c";
    ASSERT_TRUE(files.writeBytes(file, "text \xE9\r\n"));
    EXPECT_EQ(onDisk("Mein Ordner/M\xFCller/Gr\xC3\xBC\xC3\x9F"
                     "e main.c"),
              "text \xE9\r\n");
    EXPECT_EQ(files.readBytes(file), std::optional<std::string>("text \xE9\r\n"));
    EXPECT_EQ(files.list(folder, "*.C"), std::vector<std::string>{"Gr\xC3\xBC\xC3\x9F"
                                                                  "e main.c"});
    fs::create_directories(fs::path(tmp.driveC()) / "Save dir");
    EXPECT_EQ(files.copyIntoFolder(file, "C:\\Save dir"), CopyResult::Ok);
    EXPECT_EQ(onDisk("Save dir/Gr\xC3\xBC\xC3\x9F"
                     "e main.c"),
              "text \xE9\r\n");
}
