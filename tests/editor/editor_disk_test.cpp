// An editor window and its file on disk: which saves write it, one window per file, another
// program's change asked about before it is overwritten, read again or noted.
#include "editor_fixture.h"

#include <functional>

namespace {

using EditorDiskTest = EditorFixture;

// Every byte value, with lone CRs and LFs among them, as a binary file holds them.
std::string binaryBytes()
{
    std::string bytes;
    for (int i = 0; i < 2000; ++i)
        bytes += static_cast<char>((i * 7) % 256);
    return bytes;
}

TEST(EditorSaves, SaveAllAndTheShutdownWriteOnlyAChangedTextSaveWritesAlways)
{
    enum class Route { SaveAll, Shutdown, Save };
    struct Row {
        const char* what;
        std::string bytes;
        bool edited;
        Route route;
        std::string after;  // empty: the file as it was
    };
    const Row rows[] = {
        {"unchanged LF text", "a\nb\n", false, Route::SaveAll, ""},
        {"unchanged LF text", "a\nb\n", false, Route::Shutdown, ""},
        {"unchanged binary", binaryBytes(), false, Route::SaveAll, ""},
        {"unchanged binary", binaryBytes(), false, Route::Shutdown, ""},
        {"changed text", "a\nb\n", true, Route::SaveAll, "x a\r\nb\r\n"},
        {"changed text", "a\nb\n", true, Route::Shutdown, "x a\r\nb\r\n"},
        {"the user's own Save", "a\nb\n", false, Route::Save, "a\r\nb\r\n"},
    };
    const std::string path = "C:\\Work\\file.c";
    for (const Row& r : rows) {
        AppFixture f;
        f.prepareInstalledMachine();
        TEmbedded& app = f.start();
        f.fake.files.put(path, r.bytes);
        TCodeEd& ed = app.editors().create();
        ed.OpenAtLine(path, 0);
        if (r.edited)
            EditorFixture::buf(ed).type("x ");
        switch (r.route) {
        case Route::SaveAll:
            ed.controls()["SaveAll1"].activate();
            break;
        case Route::Shutdown:
            app.FormClose();
            break;
        case Route::Save:
            ed.controls()["Save1"].activate();
            break;
        }
        EXPECT_EQ(f.text(path), r.after.empty() ? r.bytes : r.after) << r.what;
        EXPECT_EQ(f.fake.files.writeCount(path), r.after.empty() ? 0 : 1) << r.what;
    }
}

TEST_F(EditorDiskTest, AnOpenFileIsFoundByItsIdentityWhateverThePathsSpelling)
{
    TCodeEd& main = open("C:\\W\\main.c", "1\r\n");
    f.fake.files.put("C:\\W\\other.c", "2\r\n");
    f.fake.files.addLink("D:\\", "C:\\W");
    TCodeEd& gone = eds.create();
    gone.OpenAtLine("C:\\W\\Gone.c", 0);
    struct Row {
        const char* path;
        TCodeEd* found;
    };
    const Row rows[] = {
        {"C:\\W\\main.c", &main},
        {"c:\\w\\MAIN.C", &main},
        {"C:\\W\\sub\\..\\main.c", &main},
        {"D:\\main.c", &main},
        {"c:\\w\\GONE.C", &gone},  // no file: the path's text, case ignored
        {"C:\\W\\other.c", nullptr},
        {"C:\\W\\main.c.bak", nullptr},
    };
    for (const Row& r : rows)
        EXPECT_EQ(eds.findByFile(r.path), r.found) << r.path;
}

TEST_F(EditorDiskTest, ASaveAsksBeforeItOverwritesAnotherProgramsChange)
{
    struct Row {
        const char* what;
        std::function<void(FakeFiles&)> meanwhile;
        std::vector<MsgAnswer> answers;
        bool asked;
        bool written;
    };
    const std::string path = "C:\\W\\main.c";
    const Row rows[] = {
        {"nothing", [](FakeFiles&) {}, {}, false, true},
        {"only touched", [&](FakeFiles& fs) { fs.setModified(path, 5); }, {}, false, true},
        {"removed", [&](FakeFiles& fs) { fs.removeFile(path); }, {}, false, true},
        {"rewritten, Yes", [&](FakeFiles& fs) { fs.put(path, "theirs\r\n", 5); }, {MsgAnswer::Yes}, true, true},
        {"rewritten, No", [&](FakeFiles& fs) { fs.put(path, "theirs\r\n", 5); }, {MsgAnswer::No}, true, false},
    };
    for (const Row& r : rows) {
        TCodeEd& ed = open(path, "mine\r\n");
        buf(ed).type("// ");
        r.meanwhile(f.fake.files);
        dialogs.calls.clear();
        dialogs.answers.assign(r.answers.begin(), r.answers.end());
        EXPECT_EQ(ed.Save1Click(), r.written) << r.what;
        const std::vector<std::string> asked{
            path + " was changed by another program since it was opened.\rOverwrite those changes?"};
        EXPECT_EQ(messages(), r.asked ? asked : std::vector<std::string>{}) << r.what;
        EXPECT_EQ(f.text(path), r.written ? "// mine\r\n" : "theirs\r\n") << r.what;
        EXPECT_EQ(ed.panel(6).text, r.written ? "" : TCodeEd::ChangedOnDiskNote) << r.what;
        // Declined once, that change is not asked about again by Save All; a close query whose
        // save did not happen keeps the window.
        if (!r.written) {
            dialogs.calls.clear();
            ed.controls()["SaveAll1"].activate();
            EXPECT_TRUE(messages().empty()) << r.what;
            dialogs.answers = {MsgAnswer::Yes, MsgAnswer::No};
            EXPECT_FALSE(ed.close()) << r.what;
        }
        // What this window wrote is its own: the next save asks nothing.
        if (r.written) {
            dialogs.calls.clear();
            buf(ed).type("x");
            EXPECT_TRUE(ed.Save1Click());
            EXPECT_TRUE(messages().empty()) << r.what;
        }
    }
}

TEST_F(EditorDiskTest, AChangeOnDiskReloadsAnUnchangedWindowAtItsLineAndIsNotedInAChangedOne)
{
    struct Row {
        const char* what;
        bool edited;
        std::string disk;  // written by another program; empty: only touched
        std::string text;  // the window's text after
        int caretLine;
        const char* note;
    };
    const std::string before = "1\r\n2\r\n3\r\n4\r\n";
    const Row rows[] = {
        {"unchanged window", false, "one\ntwo\nthree\nfour\nfive\n", "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\n", 2, ""},
        {"unchanged window, file shorter", false, "one\n", "one\r\n", 1, ""},
        {"unchanged window, only touched", false, "", before, 2, ""},
        {"changed window", true, "one\n", "x1\r\n2\r\n3\r\n4\r\n", 2, TCodeEd::ChangedOnDiskNote},
    };
    for (const Row& r : rows) {
        TCodeEd& ed = open("C:\\W\\main.c", before);
        if (r.edited) {
            buf(ed).type("x");
        }
        ed.buffer().setSelection(ed.buffer().lineStart(2) + 1, 0);
        if (r.disk.empty())
            f.fake.files.setModified("C:\\W\\main.c", 7);
        else
            f.fake.files.put("C:\\W\\main.c", r.disk, 7);
        ed.fileChangedOnDisk();
        EXPECT_EQ(ed.buffer().text(), r.text) << r.what;
        EXPECT_EQ(ed.buffer().lineOfPosition(ed.buffer().selStart()), r.caretLine) << r.what;
        EXPECT_EQ(ed.buffer().modified(), r.edited) << r.what;
        EXPECT_EQ(ed.panel(6).text, r.note) << r.what;
        EXPECT_TRUE(messages().empty()) << r.what;
        ed.buffer().setModified(false);
        ed.close();
    }
}

}  // namespace
