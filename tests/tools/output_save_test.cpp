#include <gtest/gtest.h>

#include "platform/paths/win_path.h"
#include "support/app_fixture.h"
#include "tools/output_save.h"

namespace
{

struct OutputSaveTest : ::testing::Test {
    OutputSaveTest()
    {
        f.prepareInstalledMachine();
        f.start();
        f.fake.dialogs.calls.clear();
    }
    ControlSet& c() { return f.app->controls(); }
    Settings& s() { return f.app->settings(); }
    // Chooses the file in the save dialog and saves.
    void save(const std::string& chosen)
    {
        f.fake.dialogs.fileAnswers.push_back(chosen);
        f.app->SaveObjectFileClick();
    }
    AppFixture f;
};

TEST_F(OutputSaveTest, DialogProposesTheLinkerTargetOrTheObjectFile)
{
    s().saveDir = "E:\\Out";
    c()["LinkFile"].setText("aout.a25");
    c()["ObjectFile"].setText("C:\\Tarnel\\Source\\main.r25");
    const struct {
        bool target;
        int filter;
        const char* proposed;
    } rows[] = {{true, 2, "C:\\Tarnel\\Source\\aout.a25"}, {false, 1, "main.r25"}};
    for (const auto& r : rows) {
        c()["Target"].setChecked(r.target);
        f.fake.dialogs.calls.clear();
        f.app->SaveObjectFileClick(); // cancelled
        ASSERT_EQ(f.fake.dialogs.calls.size(), 1u);
        const DialogCall& call = f.fake.dialogs.calls[0];
        EXPECT_EQ(call.kind, "save");
        EXPECT_EQ(call.text, "Select File to save in E:\\Out");
        EXPECT_EQ(call.request.initialFolder, "C:\\Tarnel\\Source");
        EXPECT_EQ(call.request.defaultExtension, "*.r25");
        EXPECT_EQ(call.request.filterIndex, r.filter);
        EXPECT_EQ(call.request.fileName, r.proposed);
        ASSERT_EQ(call.request.filters.size(), 3u);
        EXPECT_EQ(call.request.filters[1].description, "Output File[*.a25] [*.out]");
        EXPECT_EQ(call.request.filters[1].patterns, "*.out; *.a25");
    }
    EXPECT_EQ(s().saveDir, "E:\\Out");
}

TEST_F(OutputSaveTest, AMissingLocationIsReportedUpperCasedAndStoredSo)
{
    f.fake.files.put("C:\\Tarnel\\Source\\aout.a25", "data");
    const struct {
        const char* location;
        const char* stored;
        const char* message;
    } rows[] = {
        {"A:", "A:", "No disk in Drive A:"},
        {"a:\\backup", "A:\\BACKUP", "No disk in Drive A:\\BACKUP"},
        {"d:\\out", "D:\\OUT", "Destination Folder does not existD:\\OUT"},
    };
    for (const auto& r : rows) {
        s().saveDir = r.location;
        f.fake.dialogs.calls.clear();
        save("C:\\Tarnel\\Source\\aout.a25");
        EXPECT_EQ(f.fake.dialogs.messages(), (std::vector<std::string>{r.message})) << r.location;
        EXPECT_EQ(s().saveDir, r.stored);
    }
    f.app->FormClose();
    EXPECT_EQ(f.fake.settings.values["save dir"], "D:\\OUT");
    int copies = 0;
    for (const std::string& file : f.fake.files.allFiles())
        copies += winpath::equalsNoCase(winpath::fileName(file), "aout.a25");
    EXPECT_EQ(copies, 1);
}

TEST_F(OutputSaveTest, CopiesTheChosenFileWholeWhateverItsSize)
{
    f.fake.files.putFolder("E:\\Out");
    s().saveDir = "E:\\Out";
    for (std::size_t size : {0u, 1u, 8191u, 8192u, 8193u, 3u * 8192u + 5u}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + size);
        f.fake.files.put("C:\\Tarnel\\Source\\aout.a25", bytes);
        save("C:\\Tarnel\\Source\\aout.a25");
        EXPECT_EQ(f.fake.files.readBytes("E:\\Out\\aout.a25"), bytes) << size;
    }
    EXPECT_TRUE(f.fake.dialogs.messages().empty());
}

TEST_F(OutputSaveTest, TheFileChosenInAnotherFolderIsTheOneCopied)
{
    f.fake.files.putFolder("E:\\Out");
    s().saveDir = "E:\\Out\\";
    f.fake.files.put("C:\\Tarnel\\Source\\boot.r25", "compile directory copy");
    f.fake.files.put("D:\\Builds\\v2\\boot.r25", "the one chosen");
    f.fake.files.put("E:\\Out\\boot.r25", "old");
    save("D:\\Builds\\v2\\boot.r25");
    EXPECT_EQ(f.fake.files.readBytes("E:\\Out\\boot.r25"), "the one chosen");
}

TEST_F(OutputSaveTest, CopyFailuresNameTheFileAndLeaveTheOldCopy)
{
    f.fake.files.putFolder("E:\\Out");
    s().saveDir = "E:\\Out";
    f.fake.files.put("E:\\Out\\aout.a25", "old");
    f.fake.files.put("C:\\Tarnel\\Source\\aout.a25", "new");

    save("C:\\Tarnel\\Source\\gone.a25");
    f.fake.files.denyWrites("E:\\Out");
    save("C:\\Tarnel\\Source\\aout.a25");
    EXPECT_EQ(f.fake.dialogs.messages(),
              (std::vector<std::string>{"Cannot open file C:\\Tarnel\\Source\\gone.a25",
                                        "Cannot create file E:\\Out\\aout.a25"}));
    for (const auto& call : f.fake.dialogs.calls) {
        if (call.kind == "message") {
            EXPECT_EQ(call.icon, MsgIcon::Error);
        }
    }
    EXPECT_EQ(f.fake.files.readBytes("E:\\Out\\aout.a25"), "old");
    EXPECT_EQ(s().saveDir, "E:\\Out");
}

TEST_F(OutputSaveTest, SelectSaveLocationStartsAtTheLocationExceptTheBareFloppyRoot)
{
    const struct {
        const char* location;
        const char* start;
    } rows[] = {{"A:\\", "C:\\"}, {"A:", "A:"}, {"a:\\", "a:\\"}, {"D:\\OUT", "D:\\OUT"}};
    for (const auto& r : rows) {
        s().saveDir = r.location;
        f.fake.dialogs.calls.clear();
        f.app->SelectSaveLocation1Click(); // cancelled: nothing changes
        ASSERT_EQ(f.fake.dialogs.calls.size(), 1u);
        EXPECT_EQ(f.fake.dialogs.calls[0].kind, "folder");
        EXPECT_EQ(f.fake.dialogs.calls[0].request.initialFolder, r.start) << r.location;
        EXPECT_EQ(s().saveDir, r.location);
    }
}

TEST_F(OutputSaveTest, ChosenLocationIsKeptAndShownInTheMenuItem)
{
    EXPECT_EQ(c()["SaveObjectFile"].caption(), "Save Output file to A:");
    f.fake.dialogs.fileAnswers.push_back(std::string("E:\\Stick\\New folder"));
    c()["SelectSaveLocation1"].activate();
    EXPECT_EQ(s().saveDir, "E:\\Stick\\New folder");
    EXPECT_EQ(c()["SaveObjectFile"].caption(), "Save Output file to E:\\Stick\\New folder");
}

TEST_F(OutputSaveTest, MenuItemSavesToo)
{
    f.fake.files.putFolder("E:\\Out");
    s().saveDir = "E:\\Out";
    f.fake.files.put("C:\\Tarnel\\Source\\aout.a25", "S1");
    f.fake.dialogs.fileAnswers.push_back(std::string("C:\\Tarnel\\Source\\aout.a25"));
    c()["SaveObjectFile"].activate();
    EXPECT_EQ(f.fake.files.readBytes("E:\\Out\\aout.a25"), "S1");
}

} // namespace
