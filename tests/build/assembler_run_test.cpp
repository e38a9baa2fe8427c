#include <gtest/gtest.h>

#include "build/assembler_run.h"
#include "support/app_fixture.h"

namespace
{

struct AssemblerRunTest : ::testing::Test {
    AssemblerRunTest()
    {
        f.prepareInstalledMachine();
        f.start();
        f.fake.dialogs.calls.clear();
    }
    ControlSet& c() { return f.app->controls(); }
    AppFixture f;
};

TEST(AssemblerListName, NamePartWithoutTheLastFourCharacters)
{
    const struct {
        const char* file;
        const char* list;
    } rows[] = {
        {"C:\\Tarnel\\Source\\main.s25", "main"},
        {"main.s25", "main"},
        {"D:\\asm\\boot.msa", "boot"},
        {"A:boot.msa", "boot"},
        {"D:\\my asm\\st\xE4rt.s25", "st\xE4rt"},
        {"x.s", ""},
        {"", ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(AssemblerRun::listName(r.file, true), r.list) << r.file;
    EXPECT_EQ(AssemblerRun::listName("C:\\Tarnel\\Source\\main.s25", false), "");
}

TEST_F(AssemblerRunTest, AssembleRunsTheNecAssemblerShownInTheCompileDirectory)
{
    f.fake.files.put("C:\\Tarnel\\Source\\main.s25", "        END\r\n");
    c()["AssemblerFile"].setText("C:\\Tarnel\\Source\\main.s25");
    const struct {
        bool glf, sourceNames;
        const char* params;
    } rows[] = {
        {true, true, "C:\\Tarnel\\Source\\main.s25 main"},
        {false, true, "C:\\Tarnel\\Source\\main.s25 "},
        {true, false, "C:\\Tarnel\\Source\\main.s25 "},
    };
    for (const auto& r : rows) {
        c()["GLF"].setChecked(r.glf);
        c()["SourceNames"].setChecked(r.sourceNames);
        f.fake.shell.calls.clear();
        c()["Assemble1"].activate();
        ASSERT_EQ(f.fake.shell.calls.size(), 1u);
        const auto& call = f.fake.shell.calls[0];
        // Start-up gave the NEC directory its backslash.
        EXPECT_EQ(call.file, "C:\\Nec\\asm\\A78300\\A78300.exe");
        EXPECT_EQ(call.parameters, r.params) << r.glf << r.sourceNames;
        EXPECT_EQ(call.folder, "C:\\Tarnel\\Source");
        EXPECT_TRUE(call.shown);
    }
    f.app->settings().necDir = "D:\\nec";
    c()["Assemble1"].activate();
    EXPECT_EQ(f.fake.shell.calls.back().file, "D:\\nec\\asm\\A78300\\A78300.exe");
}

TEST_F(AssemblerRunTest, NoSourceFileNoAssembler)
{
    for (const char* file : {"", "C:\\Tarnel\\Source\\missing.s25", "C:\\Tarnel\\Source"}) {
        c()["AssemblerFile"].setText(file);
        c()["Assemble1"].activate();
    }
    EXPECT_TRUE(f.fake.shell.calls.empty());
    EXPECT_EQ(f.fake.dialogs.messages(), std::vector<std::string>(3, "Cant't Assemble. No source file"));
}

TEST_F(AssemblerRunTest, PickingASourceNamesItInTheAssembleItemAndTheField)
{
    for (const char* command : {"AsmFile1", "AsmBrowse"}) {
        f.fake.dialogs.calls.clear();
        c()[command].activate(); // cancelled: nothing changes
        ASSERT_EQ(f.fake.dialogs.calls.size(), 1u) << command;
        const FileDialogRequest& r = f.fake.dialogs.calls[0].request;
        EXPECT_EQ(r.title, "Pick Assembler File");
        EXPECT_EQ(r.defaultExtension, "*.s25");
        EXPECT_EQ(r.initialFolder, "C:\\Tarnel\\Source");
        ASSERT_EQ(r.filters.size(), 4u);
        const std::pair<const char*, const char*> filters[] = {
            {"Assembler Source files [*.s25, *.msa]", "*.s25;*.msa"},
            {"IAR assembler format [*.msa]", "*.msa"},
            {"Tarnel Default [*.s25]", "*.s25"},
            {"All Files [*.*]", "*.*"}};
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(r.filters[i].description, filters[i].first);
            EXPECT_EQ(r.filters[i].patterns, filters[i].second);
        }
        EXPECT_EQ(c()["Assemble1"].caption(), "Assemble");
    }

    f.fake.files.put("D:\\asm\\boot.msa", "        END\r\n");
    f.fake.dialogs.fileAnswers.push_back(std::string("D:\\asm\\boot.msa"));
    c()["AsmFile1"].activate();
    EXPECT_EQ(c()["Assemble1"].caption(), "Assemble D:\\asm\\boot.msa");
    EXPECT_EQ(c()["AssemblerFile"].text(), "D:\\asm\\boot.msa");
    c()["GLF"].setChecked(true);
    c()["SourceNames"].setChecked(true);
    c()["Assemble1"].activate();
    EXPECT_EQ(f.fake.shell.calls.back().parameters, "D:\\asm\\boot.msa boot");
}

} // namespace
