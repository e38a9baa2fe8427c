#include "project/option_titles.h"
#include "project/project_fixture.h"
#include "project/project_list_view.h"

using namespace projecttest;

namespace {

std::vector<std::string> lines(std::size_t n)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < n; ++i)
        out.push_back("v" + std::to_string(i));
    return out;
}

}  // namespace

TEST(OptionTitles, NinetyOneLabelsWithTheFiveBlankRows)
{
    const auto& labels = optiontitles::labels();
    ASSERT_EQ(labels.size(), 91u);
    for (std::size_t i : {49u, 61u, 69u, 78u, 87u, 89u})
        EXPECT_EQ(labels[i], "") << i;
    EXPECT_EQ(labels[0], "memory;");
    EXPECT_EQ(labels[45], "Specify.Checked :");
    EXPECT_EQ(labels[88], "linker source files ");
    EXPECT_EQ(labels[90], "Comp source files;");
}

TEST(ProjectListRows, NumbersEveryRowAndSetsTheFourHeadingsBetweenTheLines)
{
    const std::vector<std::string> rows = ProjectListView::rows(lines(84));
    ASSERT_EQ(rows.size(), 88u);
    const struct {
        std::size_t row;
        const char* text;
    } expected[] = {
        {0, "0 memory;   v0"},
        {1, "1 Pbox;   v1"},
        {48, "48 Debuger.Position :   v48"},
        {49, "49 LINKER...."},
        {50, "50 Linkfile                  :   v49"},
        {60, "60 CPU                      :   v59"},
        {61, "61 CODE......"},
        {62, "62 No GTC                :   v60"},
        {69, "69 LIST FILE."},
        {70, "70 Crossref                :   v67"},
        {77, "77 Link Lpp. En         :   v74"},
        {78, "78 GENERAL..."},
        {79, "79 uselnkcmd           :   v75"},
        {81, "81 Objectfile  :   v77"},
        // Line 78 has no label of its own; the labels stay where they are listed.
        {82, "82 Num comp files    :   v78"},
        {87, "87    v83"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(rows[e.row], e.text) << e.row;
}

TEST(ProjectListRows, LinesPastTheLabelsGoWithoutALabel)
{
    const std::vector<std::string> rows = ProjectListView::rows(lines(90));
    ASSERT_EQ(rows.size(), 94u);
    EXPECT_EQ(rows[88], "88 linker source files    v84");
    EXPECT_EQ(rows[90], "90 Comp source files;   v86");
    EXPECT_EQ(rows[91], "91    v87");
    EXPECT_EQ(rows[93], "93    v89");
}

TEST_F(ProjectFixture, ProjectListTogglesThePanelAndShowsTheComposedProject)
{
    c()["ProjectListBox"].setEntries({});
    c()["Objectfiles"].setEntries({});
    c()["LibraryFiles"].setEntries({});
    c()["DW"].setChecked(true);
    c()["ToggleListBtn"].activate();
    EXPECT_TRUE(c()["DisplayProjectList"].checked());
    EXPECT_TRUE(c()["OptionPanel"].visible());
    const std::vector<std::string> rows = c()["Memo2"].entries();
    ASSERT_EQ(rows.size(), 88u);
    EXPECT_EQ(rows[3], "3 DW.Checked;   1");
    EXPECT_EQ(rows[83], "83 Num link files       :   0");

    c()["DisplayProjectList"].activate();
    EXPECT_FALSE(c()["DisplayProjectList"].checked());
    EXPECT_FALSE(c()["OptionPanel"].visible());

    open(kProject);
    c()["DisplayProjectList"].activate();
    const std::vector<std::string> loaded = c()["Memo2"].entries();
    ASSERT_EQ(loaded.size(), app().prolist().size() + 4);
    EXPECT_EQ(loaded.back(), std::to_string(loaded.size() - 1) + "    " + app().prolist().back());
}
