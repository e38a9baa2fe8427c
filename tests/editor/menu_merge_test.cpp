#include <gtest/gtest.h>

#include "editor/editor_windows.h"
#include "editor/menu_merge.h"
#include "editor/tcode_ed.h"
#include "support/app_fixture.h"

namespace {

std::vector<std::string> names(const std::vector<MenuSlot>& slots)
{
    std::vector<std::string> out;
    for (const MenuSlot& s : slots)
        out.push_back((s.fromChild ? "ed:" : "") + s.name);
    return out;
}

TEST(MenuMerge, ChildMenusTakeThePlaceOfTheirGroup)
{
    const std::vector<MenuSlot> main = {{"A", 0}, {"B", 1}, {"C", 3}, {"D", 3}, {"E", 5}, {"F", 5}};
    struct Row {
        std::vector<MenuSlot> child;
        std::vector<std::string> merged;
    };
    const Row rows[] = {
        {{}, {"A", "B", "C", "D", "E", "F"}},
        {{{"x", 0, true}}, {"ed:x", "B", "C", "D", "E", "F"}},
        {{{"x", 3, true}, {"y", 3, true}}, {"A", "B", "ed:x", "ed:y", "E", "F"}},
        {{{"x", 2, true}}, {"A", "B", "ed:x", "C", "D", "E", "F"}},
        {{{"x", 9, true}}, {"A", "B", "C", "D", "E", "F", "ed:x"}},
        {{{"x", 5, true}}, {"A", "B", "C", "D", "ed:x"}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(names(mergeMenus(main, r.child)), r.merged);
}

TEST(MenuMerge, ActiveEditorReplacesFileCompileAndViewAndTheMainMenusComeBack)
{
    AppFixture f;
    TEmbedded& app = f.make();
    EditorWindows& eds = app.editors();
    const std::vector<std::string> mainBar = {"File1",   "Project1", "EditBatch",      "CompileMenu", "View1",
                                              "Options1", "Window1",  "Program1",       "Tools1",      "LinkerCmdFile1",
                                              "Assembler1", "Help1"};
    EXPECT_EQ(names(eds.mergedMenus()), mainBar);
    int changes = 0;
    eds.subscribe([&](EditorEvent e, TCodeEd*) { changes += e == EditorEvent::ActiveChanged; });
    TCodeEd& ed = eds.create();
    EXPECT_EQ(eds.active(), &ed);
    EXPECT_EQ(names(eds.mergedMenus()),
              (std::vector<std::string>{"ed:File1", "Project1", "EditBatch", "ed:Edit1", "ed:Search1", "Options1",
                                        "Window1", "Program1", "Tools1", "LinkerCmdFile1", "Assembler1", "Help1"}));
    EXPECT_EQ(ed.controls()["File1"].caption(), "&File");
    EXPECT_EQ(ed.controls()["Edit1"].caption(), "&Edit");
    EXPECT_EQ(ed.controls()["Search1"].caption(), "Search");
    ed.close();
    EXPECT_EQ(eds.active(), nullptr);
    EXPECT_EQ(names(eds.mergedMenus()), mainBar);
    EXPECT_EQ(changes, 2);
}

TEST(MenuMerge, EditorMenusHoldTheirItemsInOrder)
{
    AppFixture f;
    TEmbedded& app = f.make();
    TCodeEd& ed = app.editors().create();
    std::map<std::string, std::vector<std::string>> items;
    for (const Control* c : ed.controls().all())
        if (c->kind() == ControlKind::MenuItem)
            items[c->parent].push_back(c->caption());
    EXPECT_EQ(items["File1"], (std::vector<std::string>{"&Open File", "&New File", "Close File", "&Save File",
                                                         "Save File &As", "S&ave All", "&Close All",
                                                         "Save &Output File to", "S&elect Save Location",
                                                         "Print Setup", "&Print", "&Exit"}));
    EXPECT_EQ(items["Edit1"], (std::vector<std::string>{"&Cut", "C&opy", "&Paste", "&Delete", "&Select All",
                                                         "Set &Font"}));
    EXPECT_EQ(items["Search1"], (std::vector<std::string>{"Find", "Replace", "Jump to"}));
    EXPECT_EQ(ed.controls()["Open1"].tag, 5);
    EXPECT_EQ(ed.controls()["Locate"].tag, 1);
}

TEST(MenuMerge, ActivatingAWindowThatIsGoneChangesNothing)
{
    AppFixture f;
    TEmbedded& app = f.make();
    EditorWindows& eds = app.editors();
    TCodeEd& a = eds.create();
    TCodeEd& b = eds.create();
    eds.setActive(&a);
    b.close();
    eds.setActive(&b);
    EXPECT_EQ(eds.active(), &a);
}

}  // namespace
