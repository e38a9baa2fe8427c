#include "linker_fixture.h"

using Entries = std::vector<std::string>;

TEST_F(LinkerTest, AddObjectKeepsTheFullPathAndAllowsDuplicates)
{
    c["Objectfiles"].setEntries({"cstartup.r25"});
    fake.dialogs.fileAnswers = {"D:\\rtl\\extra.r25", "D:\\rtl\\extra.r25"};
    c["Button22"].activate();
    c["Button22"].activate();
    EXPECT_EQ(c["Objectfiles"].entries(), (Entries{"cstartup.r25", "D:\\rtl\\extra.r25", "D:\\rtl\\extra.r25"}));

    const FileDialogRequest& r = fake.dialogs.calls.at(0).request;
    EXPECT_EQ(r.title, "Add Object File to Link");
    ASSERT_EQ(r.filters.size(), 1u);
    EXPECT_EQ(r.filters[0].description, "Object Files [*.r25]");
    EXPECT_EQ(r.filters[0].patterns, "*.r25");
    EXPECT_EQ(r.defaultExtension, "*.r25");
    EXPECT_EQ(r.initialFolder, app.compileDir());
}

TEST_F(LinkerTest, AddLibraryKeepsTheNameOnceByTheListText)
{
    struct LibCase {
        Entries before;
        const char* chosen;
        Entries after;
        bool refused;
    };
    const std::vector<LibCase> cases = {
        {{"CL7832S"}, "D:\\lib\\cl7832s.r25", {"CL7832S", "cl7832s.r25"}, false},
        {{"cl7832s.r25"}, "E:\\other\\cl7832s.r25", {"cl7832s.r25"}, true},
        // A name inside a longer entry counts as present.
        {{"xcl7832s.r25"}, "D:\\lib\\cl7832s.r25", {"xcl7832s.r25"}, true},
        {{}, "cl.r25", {"cl.r25"}, false},
    };
    for (const auto& row : cases) {
        fake.dialogs.calls.clear();
        c["LibraryFiles"].setEntries(row.before);
        fake.dialogs.fileAnswers = {row.chosen};
        c["LibAdd"].activate();
        EXPECT_EQ(c["LibraryFiles"].entries(), row.after) << row.chosen;
        EXPECT_EQ(fake.dialogs.messages(),
                  row.refused ? Entries{"This file is already in your library list"} : Entries{})
            << row.chosen;
    }
    const FileDialogRequest& r = fake.dialogs.calls.at(0).request;
    EXPECT_EQ(r.filters.at(0).description, "C Libraries [*.r25]");
    EXPECT_EQ(r.initialFolder, app.compileDir());
}

TEST_F(LinkerTest, CancelledDialogsChangeNothing)
{
    c["Objectfiles"].setEntries({"a.r25"});
    c["LibraryFiles"].setEntries({"b.r25"});
    c["LinkerCmdfile"].setText("keep");
    for (const char* button : {"Button22", "LibAdd", "BitBtn1"})
        c[button].activate();
    EXPECT_EQ(fake.dialogs.calls.size(), 3u);
    EXPECT_EQ(c["Objectfiles"].entries(), Entries{"a.r25"});
    EXPECT_EQ(c["LibraryFiles"].entries(), Entries{"b.r25"});
    EXPECT_EQ(c["LinkerCmdfile"].text(), "keep");
}

TEST_F(LinkerTest, RemoveAndClear)
{
    for (auto [list, remove, clear] : {std::tuple{"Objectfiles", "Button25", "CLRLST"},
                                       std::tuple{"LibraryFiles", "Button35", "Button36"}}) {
        c[list].setEntries({"a", "b", "c"});
        c[remove].activate();
        EXPECT_EQ(c[list].entries(), (Entries{"a", "b", "c"})) << "nothing selected";
        c[list].setSelected(1);
        c[remove].activate();
        EXPECT_EQ(c[list].entries(), (Entries{"a", "c"}));
        c[clear].activate();
        EXPECT_TRUE(c[list].entries().empty());
    }
}

TEST_F(LinkerTest, ChosenCommandFileGivesItsName)
{
    fake.dialogs.fileAnswers = {"C:\\Tarnel\\Source\\my.xcl"};
    c["BitBtn1"].activate();
    // Kept without ".xcl", so "View" > "Linker Command File" proposes "my.xcl", not "my.xcl.xcl".
    EXPECT_EQ(c["LinkerCmdfile"].text(), "my");
    const FileDialogRequest& r = fake.dialogs.calls.at(0).request;
    EXPECT_EQ(r.title, "Select Command File");
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "Linker Command Files [*.xcl]");
    EXPECT_EQ(r.filters[1].patterns, "*.*");
    EXPECT_EQ(r.defaultExtension, "*.xcl");
}
