#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/editor_area_view.h"
#include "editor/view/window_layout.h"
#include "support/app_fixture.h"
#include "support/qt_runs.h"

namespace {

struct EditorPlacement : ::testing::Test {
    AppFixture f;
    TEmbedded& app = f.make();
    MainWindow window{app};
    EditorAreaView* area = window.findChild<EditorAreaView*>("EditorAreaView");
    EditorWindows& eds = app.editors();

    EditorPlacement()
    {
        EXPECT_TRUE(showActive(window));
    }
    QRect viewport() const { return window.mdiArea()->viewport()->rect(); }
    QRect placed(const TCodeEd& ed) const { return area->subWindowOf(&ed)->geometry(); }
    std::vector<TCodeEd*> openSome(int count)
    {
        std::vector<TCodeEd*> out;
        for (int i = 0; i < count; ++i)
            out.push_back(&eds.create());
        return out;
    }
};

TEST(WindowLayout, NewWindowIsTheUsualSizeCentredAndShrinksOnlyToTheArea)
{
    const struct {
        QSize area;
        QRect expected;
    } rows[] = {
        {{1200, 800}, {314, 241, 572, 318}},
        {{572, 318}, {0, 0, 572, 318}},
        {{500, 200}, {0, 0, 500, 200}},
        {{1000, 250}, {214, 0, 572, 250}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(windowlayout::newWindow(row.area, {572, 318}), row.expected) << row.area.width() << "x" << row.area.height();
}

TEST(WindowLayout, CascadeShowsEveryTitleBarAndShrinksNoFurtherThanItMust)
{
    const struct {
        QSize area;
        int count;
        QSize size;
    } rows[] = {
        {{1200, 800}, 4, {572, 318}},
        {{1024, 290}, 4, {572, 212}},
        {{400, 170}, 3, {400, 170}},  // no room to step: one stack, as large as the area
    };
    for (const auto& row : rows) {
        const auto places = windowlayout::cascade(row.area, row.count, {572, 318}, 26);
        ASSERT_EQ(int(places.size()), row.count);
        for (std::size_t i = 0; i < places.size(); ++i) {
            EXPECT_EQ(places[i].size(), row.size) << row.area.height();
            EXPECT_TRUE(QRect(QPoint(), row.area).contains(places[i])) << row.area.height();
            if (i > 0 && row.size.height() < row.area.height()) {
                EXPECT_EQ(places[i].top(), places[i - 1].top() + 26) << row.area.height();
            }
        }
    }
}

TEST_F(EditorPlacement, CascadeKeepsTheUsualSizeWithTheStackCentred)
{
    const std::vector<TCodeEd*> eds3 = openSome(3);
    app.controls()["Cascade1"].activate();
    const QRect first = placed(*eds3[0]);
    const QRect last = placed(*eds3[2]);
    for (TCodeEd* ed : eds3) {
        EXPECT_EQ(placed(*ed).size(), QSize(TCodeEd::Width, TCodeEd::Height));
        EXPECT_TRUE(viewport().contains(placed(*ed)));
    }
    EXPECT_GT(placed(*eds3[1]).topLeft().x(), first.x());
    EXPECT_GT(placed(*eds3[1]).topLeft().y(), first.y());
    const QRect stack = first.united(last);
    EXPECT_LE(std::abs(stack.center().x() - viewport().center().x()), 1);
    EXPECT_LE(std::abs(stack.center().y() - viewport().center().y()), 1);
}

TEST_F(EditorPlacement, TileGivesEveryWindowAUsableShareOfTheArea)
{
    const struct {
        int windows;
        bool strips;  // full-width strips, else a grid
    } rows[] = {{2, true}, {4, true}, {8, false}};
    for (const auto& row : rows) {
        const std::vector<TCodeEd*> opened = openSome(row.windows);
        app.controls()["Tile1"].activate();
        QRegion covered;
        for (TCodeEd* ed : opened) {
            const QRect g = placed(*ed);
            EXPECT_TRUE(viewport().contains(g)) << row.windows;
            EXPECT_GE(g.height(), windowlayout::MinimumTile.height()) << row.windows;
            EXPECT_GE(g.width(), windowlayout::MinimumTile.width()) << row.windows;
            EXPECT_EQ(g.width() == viewport().width(), row.strips) << row.windows;
            EXPECT_FALSE(covered.intersects(g)) << row.windows;
            covered += g;
        }
        EXPECT_EQ(covered, QRegion(viewport())) << row.windows;
        eds.CloseEditorFiles();
    }
}

TEST(EditorWindowMenus, EveryRouteMergesTheWindowMenu)
{
    const struct {
        const char* route;
        std::function<void(TEmbedded&)> open;
    } rows[] = {
        {"New File", [](TEmbedded& app) { app.controls()["NewFile"].activate(); }},
        // The Build Output panel, F4 and "GoTo Error" make a window and go to the line.
        {"a jump to a line", [](TEmbedded& app) { app.editors().create().OpenAtLine("C:\\W\\a.c", 1); }},
    };
    for (const auto& row : rows) {
        AppFixture f;
        TEmbedded& app = f.make();
        f.fake.files.put("C:\\W\\a.c", "a\r\n");
        MainWindow window(app);
        window.show();
        row.open(app);
        QStringList bar;
        for (QAction* a : window.menuBar()->actions())
            if (a->isVisible())
                bar << a->text();
        EXPECT_TRUE(bar.contains("Window")) << row.route << ": " << bar.join(",").toStdString();
    }
}

TEST_F(EditorPlacement, KeysWithAltOrCtrlAreNeverTypedAndMnemonicsOpenTheirMenus)
{
    TCodeEd& ed = eds.create();
    CodeEditorWidget* editor = area->windowOf(&ed)->editor();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* menu;  // the menu the key opens, if any
    } rows[] = {
        {Qt::Key_F, Qt::AltModifier, "&File"},
        {Qt::Key_H, Qt::AltModifier, "&Help"},
        {Qt::Key_J, Qt::AltModifier, nullptr},
        {Qt::Key_J, Qt::ControlModifier, nullptr},
        {Qt::Key_K, Qt::AltModifier | Qt::ShiftModifier, nullptr},
    };
    for (const auto& row : rows) {
        editor->setFocus();
        ASSERT_TRUE(waitFor([&] { return editor->hasFocus(); }));
        QTest::keyClick(editor, row.key, row.modifiers);
        EXPECT_EQ(editor->toPlainText(), "") << QKeySequence(row.key | row.modifiers).toString().toStdString();
        if (row.menu) {
            ASSERT_TRUE(waitFor([] { return QApplication::activePopupWidget() != nullptr; })) << row.menu;
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            EXPECT_EQ(menu->title(), row.menu);
            // As a user leaves it: Escape closes the menu, a second one the bar.
            QTest::keyClick(menu, Qt::Key_Escape);
            ASSERT_TRUE(waitFor([] { return QApplication::activePopupWidget() == nullptr; }));
            QTest::keyClick(window.menuBar(), Qt::Key_Escape);
        }
    }
    editor->setFocus();
    QTest::keyClicks(editor, "f");
    EXPECT_EQ(editor->toPlainText(), "f");
}

}  // namespace
