// Another program changes a file open in an editor window, on a real disk: written in place
// or replaced by a rename, the unchanged window shows the new text at its caret line; a
// changed window keeps its text and says so.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <chrono>
#include <filesystem>

#include "app/tembedded.h"
#include "app/view/main_window.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/editor_area_view.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_files.h"
#include "support/host_files.h"
#include "support/qt_runs.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace {

struct EditorDiskWatchTest : ::testing::Test {
    TempPrefix prefix;
    DriveMap map{prefix.path()};
    FakeSettingsStore settings;
    FakeDialogs dialogs;
    FakeShell shell;
    FakeBeeper beeper;
    QtClock clock;
    FakeTimers timers;
    QtFiles files{map};
    Host host{dialogs, shell, beeper, clock, timers, settings, files, "C:\\Program Files\\Tarnel\\"};
    TEmbedded app{host};
    MainWindow window{app};
    std::string hostFile = prefix.driveC() + "/W/main.c";
    int step = 0;

    EditorDiskWatchTest()
    {
        window.resize(1000, 700);
        window.show();
    }
    // Another program's write, its time clearly after the last one: a file system's clock may
    // give two writes close together one time.
    void otherProgramWrites(const std::string& bytes, bool byRename)
    {
        const std::string target = byRename ? hostFile + ".new" : hostFile;
        writeHostFile(target, bytes);
        fs::last_write_time(target, fs::last_write_time(target) + std::chrono::seconds(++step * 10));
        if (byRename)
            fs::rename(target, hostFile);
    }
    CodeEditorWidget* editor(TCodeEd& ed)
    {
        return window.findChild<EditorAreaView*>("EditorAreaView")->windowOf(&ed)->editor();
    }
};

TEST_F(EditorDiskWatchTest, AnUnchangedWindowReadsTheNewTextAtItsLineAChangedOneIsNoted)
{
    writeHostFile(hostFile, "1\n2\n3\n4\n");
    TCodeEd& ed = app.editors().create();
    ed.OpenAtLine("C:\\W\\main.c", 0);
    ed.buffer().setSelection(ed.buffer().lineStart(2), 0);

    for (bool byRename : {true, false, true}) {
        const std::string text = std::string(byRename ? "renamed" : "in place") + " " + std::to_string(step);
        otherProgramWrites(text + "\na\nb\nc\nd\n", byRename);
        EXPECT_TRUE(waitFor([&] { return ed.buffer().lineText(0) == text; })) << text;
        EXPECT_EQ(editor(ed)->textCursor().blockNumber(), 2) << text;
        EXPECT_FALSE(ed.buffer().modified()) << text;
    }

    QTest::keyClicks(editor(ed), "mine");
    const std::string mine = ed.buffer().text();
    otherProgramWrites("theirs\n", true);
    auto* note = window.findChild<EditorAreaView*>("EditorAreaView")->windowOf(&ed)->panel(6);
    EXPECT_TRUE(waitFor([&] { return note->text() == TCodeEd::ChangedOnDiskNote; }));
    EXPECT_EQ(ed.buffer().text(), mine);
    EXPECT_TRUE(dialogs.messages().empty());
}

}  // namespace
