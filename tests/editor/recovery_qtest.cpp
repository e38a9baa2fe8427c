// Recovery copies through the real editor windows: typed text reaches a copy, Exit with Save As
// cancelled keeps it, and the start-up box restores, discards or keeps copies.
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "editor/editor_windows.h"
#include "editor/recovery_offer.h"
#include "editor/recovery_store.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/editor_area_view.h"
#include "editor/view/recovery_box_view.h"
#include "support/app_fixture.h"
#include "support/qt_runs.h"

namespace {

struct RecoveryViewTest : ::testing::Test {
    AppFixture f;
    TEmbedded& app = f.make();
    MainWindow window{app};
    EditorAreaView* area = window.findChild<EditorAreaView*>("EditorAreaView");
    FakeRecoveryFolder& folder = f.fake.recovery;

    RecoveryViewTest()
    {
        f.prepareInstalledMachine();
        EXPECT_TRUE(showActive(window));
    }
    CodeEditorWidget* editor(const TCodeEd& ed) { return area->windowOf(&ed)->editor(); }
    std::optional<RecoveryCopy> onlyCopy() const
    {
        if (folder.files.size() != 1)
            return std::nullopt;
        return parseRecoveryCopy(folder.files.begin()->first, folder.files.begin()->second);
    }
};

TEST_F(RecoveryViewTest, TypedTextIsCopiedAndExitWithSaveAsCancelledKeepsIt)
{
    app.FormActivate();
    f.fake.timers.fire(1000);
    app.controls()["NewFile"].activate();
    TCodeEd& ed = *app.editors().active();
    QTest::keyClicks(editor(ed), "int x;");
    ASSERT_TRUE(f.fake.timers.fire(RecoveryStore::CopyDelayMs));
    ASSERT_TRUE(onlyCopy());
    EXPECT_EQ(onlyCopy()->text, "int x;");

    QTest::keyClicks(editor(ed), " int y;");
    // "No Project loaded", then the question after the cancelled Save As.
    f.fake.dialogs.answers = {MsgAnswer::Ok, MsgAnswer::Cancel};
    app.controls()["Exit1"].activate();
    EXPECT_FALSE(window.isVisible());
    int saves = 0;
    for (const auto& c : f.fake.dialogs.calls)
        saves += c.kind == "save";
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(f.fake.dialogs.messages().back(), "Save changes to Code Editor?");
    ASSERT_TRUE(onlyCopy());
    EXPECT_EQ(onlyCopy()->text, "int x; int y;");
}

TEST_F(RecoveryViewTest, TheBoxListsTheCopiesAndItsButtonsRestoreDiscardOrKeepThem)
{
    struct Row {
        const char* button;
        int windows;
        std::size_t left;
    };
    const Row rows[] = {{"&Restore", 2, 2}, {"&Discard", 0, 0}, {"&Later", 0, 2}};
    for (const Row& r : rows) {
        AppFixture g;
        g.prepareInstalledMachine();
        g.fake.recovery.files = {{"9_1-1.recovery", composeRecoveryCopy(9, "C:\\W\\main.c", "int a;\r\nint b;\r\n")},
                                 {"9_1-2.recovery", composeRecoveryCopy(9, "", "scratch")}};
        TEmbedded& other = g.make();
        MainWindow shown{other};
        shown.show();
        QStringList listed;
        g.fake.dialogs.dialogScripts.push_back([&](OwnDialog& d) {
            RecoveryBoxView box(static_cast<RecoveryBox&>(d), &shown);
            QTimer::singleShot(0, &box, [&] {
                for (int i = 0; i < box.findChild<QListWidget*>("Copies")->count(); ++i)
                    listed << box.findChild<QListWidget*>("Copies")->item(i)->text();
                for (QPushButton* b : box.findChildren<QPushButton*>())
                    if (b->text() == r.button)
                        b->click();
            });
            return box.exec() == QDialog::Accepted ? MsgAnswer::Ok : MsgAnswer::Cancel;
        });
        g.start();
        EXPECT_EQ(listed, (QStringList{"C:\\W\\main.c - 2 lines", "Code Editor (new file) - 1 line"})) << r.button;
        ASSERT_EQ(other.editors().count(), r.windows) << r.button;
        EXPECT_EQ(g.fake.recovery.files.size(), r.left) << r.button;
        if (r.windows) {
            auto* area2 = shown.findChild<EditorAreaView*>("EditorAreaView");
            const TCodeEd& a = *other.editors().windows()[0];
            EXPECT_EQ(area2->subWindowOf(&a)->windowTitle(), "main.c");
            EXPECT_EQ(area2->windowOf(&a)->editor()->toPlainText(), "int a;\nint b;\n");
            EXPECT_TRUE(a.buffer().modified());
            EXPECT_EQ(area2->subWindowOf(other.editors().windows()[1])->windowTitle(), "Code Editor");
            EXPECT_TRUE(other.controls()["Window1"].visible());
        }
    }
}

}  // namespace
