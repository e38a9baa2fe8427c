// Recovery copies: when they are written, what they hold, when they go, and which ones a start
// finds.
#include <gtest/gtest.h>

#include "editor/recovery_offer.h"
#include "editor/recovery_store.h"
#include "editor/string_buffer.h"
#include "editor/tcode_ed.h"
#include "editor/editor_windows.h"
#include "support/app_fixture.h"

namespace {

StringBuffer& buf(TCodeEd& ed)
{
    return static_cast<StringBuffer&>(ed.buffer());
}

// One window's text and whether it is unsaved, by hand.
struct StoreTest : ::testing::Test {
    FakeHost fake;
    FakeRecoveryFolder& folder = fake.recovery;
    RecoveryStore store{&folder, fake.timers, fake.clock};
    bool unsaved = true;
    std::string text = "int x;\r\n";
    RecoveryStore::Key key = store.add({[this] { return unsaved; }, [this] { return [t = text] { return t; }; },
                                        [] { return "C:\\W\\a.c"; }});

    std::optional<RecoveryCopy> copy() const
    {
        const auto bytes = folder.read(store.copyName(key));
        return bytes ? parseRecoveryCopy(store.copyName(key), *bytes) : std::nullopt;
    }
};

TEST_F(StoreTest, AChangeIsCopiedWhenItsTimerFiresAndTypingMeanwhileDoesNotPostponeIt)
{
    // An unchanged text is never copied, and no session is claimed for it.
    unsaved = false;
    store.edited(key);
    fake.timers.fire(RecoveryStore::CopyDelayMs);
    store.keepUnsaved();
    EXPECT_TRUE(folder.files.empty());
    EXPECT_TRUE(store.session().empty());

    unsaved = true;
    store.edited(key);
    store.edited(key);
    EXPECT_EQ(fake.timers.count(RecoveryStore::CopyDelayMs), 1);
    EXPECT_TRUE(folder.files.empty());
    text = "int y;\r\n";
    ASSERT_TRUE(fake.timers.fire(RecoveryStore::CopyDelayMs));
    ASSERT_TRUE(copy());
    EXPECT_EQ(copy()->text, "int y;\r\n");
    EXPECT_EQ(copy()->original, "C:\\W\\a.c");
    EXPECT_EQ(copy()->pid, folder.pid);
    // The session is claimed in the process's name and start time; the copy is named after it.
    EXPECT_EQ(store.session(), "4242_" + std::to_string(fake.clock.now));
    EXPECT_EQ(store.copyName(key), store.session() + "-1.recovery");
    EXPECT_TRUE(folder.claims.count(store.session()));

    // Changed back to what the file holds: the next tick removes the copy instead.
    unsaved = false;
    store.edited(key);
    fake.timers.fire(RecoveryStore::CopyDelayMs);
    EXPECT_TRUE(folder.files.empty());
}

TEST_F(StoreTest, SaveOrNoRemovesTheCopyAndAClosedUnsavedWindowKeepsIt)
{
    struct Row {
        const char* what;
        void (RecoveryStore::*act)(RecoveryStore::Key);
        bool kept;
    };
    const Row rows[] = {{"drop", &RecoveryStore::drop, false}, {"remove", &RecoveryStore::remove, true}};
    for (const Row& r : rows) {
        FakeHost h;
        RecoveryStore s{&h.recovery, h.timers, h.clock};
        const auto k = s.add({[] { return true; }, [] { return [] { return std::string("t"); }; }, [] { return ""; }});
        s.edited(k);
        h.timers.fire(RecoveryStore::CopyDelayMs);
        ASSERT_EQ(h.recovery.files.size(), 1u) << r.what;
        s.edited(k);
        (s.*r.act)(k);
        EXPECT_EQ(h.recovery.files.size(), r.kept ? 1u : 0u) << r.what;
        // The copy that was on its way is not written after it.
        EXPECT_EQ(h.timers.count(RecoveryStore::CopyDelayMs), 0) << r.what;
    }
}

TEST(RecoveryCopyFormat, AWholeCopyReadsBackAndADamagedOneIsNoCopy)
{
    const std::string good = composeRecoveryCopy(17, "C:\\W\\a.c", "a\r\n\nb");
    const auto back = parseRecoveryCopy("n", good);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pid, 17);
    EXPECT_EQ(back->original, "C:\\W\\a.c");
    EXPECT_EQ(back->text, "a\r\n\nb");
    EXPECT_EQ(parseRecoveryCopy("n", composeRecoveryCopy(1, "", ""))->original, "");

    const std::string damaged[] = {
        "",
        good.substr(0, good.size() - 1),                       // cut short
        good + "x",                                            // longer than it says
        "Tarnel recovery copy 2" + good.substr(22),            // another format
        "Tarnel recovery copy 1\npid x\nfile \nlength 0\n\n",  // no number
        "Tarnel recovery copy 1\npid 1\nlength 0\nfile \n\n",  // fields out of order
        "Tarnel recovery copy 1\npid 1\nfile \nlength 0\nx\n",   // no blank line
        std::string("\0\x01\xff\n\n\n\n\n", 9),
        std::string(10000, 'x') + "\n",
    };
    for (const std::string& bytes : damaged)
        EXPECT_FALSE(parseRecoveryCopy("n", bytes)) << bytes.substr(0, 60);
}

TEST(RecoveryStoreStart, ListsTheCopiesOfEndedTarnelsOnlyAndLetsThemGo)
{
    FakeHost h;
    FakeRecoveryFolder& folder = h.recovery;
    folder.files = {
        {"100_5-2.recovery", composeRecoveryCopy(100, "", "two")},
        {"100_5-1.recovery", composeRecoveryCopy(100, "C:\\W\\a.c", "one")},
        {"200_5-1.recovery", composeRecoveryCopy(200, "", "running")},  // its Tarnel still runs
        {"300_5-1.recovery", "Tarnel recovery copy 1\npid"},            // damaged
        {"100_5.lock", "100"},
        {"notes.txt", "x"},
    };
    folder.heldElsewhere = {"200_5"};
    RecoveryStore store{&folder, h.timers, h.clock};
    const auto copies = store.leftCopies();
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].text, "one");
    EXPECT_EQ(copies[1].text, "two");
    EXPECT_TRUE(folder.claims.count("100_5"));

    store.discard(copies[0]);
    // A copy of a running Tarnel is not ours to discard.
    store.discard({"200_5-1.recovery", 200, "", "running"});
    store.letGo();
    EXPECT_FALSE(folder.files.count("100_5-1.recovery"));
    EXPECT_TRUE(folder.files.count("100_5-2.recovery"));
    EXPECT_TRUE(folder.files.count("200_5-1.recovery"));
    EXPECT_TRUE(folder.files.count("300_5-1.recovery"));
    EXPECT_FALSE(folder.claims.count("100_5"));
}

// The editor windows and the shutdown, over the whole core.
TEST(RecoveryInTheEditor, SavingOrAnsweringNoRemovesTheCopyCancelKeepsIt)
{
    struct Row {
        MsgAnswer answer;
        bool kept;
    };
    const Row rows[] = {{MsgAnswer::Yes, false}, {MsgAnswer::No, false}, {MsgAnswer::Cancel, true}};
    for (const Row& r : rows) {
        AppFixture f;
        TEmbedded& app = f.make();
        f.fake.files.put("C:\\W\\a.c", "old");
        TCodeEd& ed = app.editors().create();
        ed.OpenAtLine("C:\\W\\a.c", 0);
        buf(ed).type("new ");
        ed.CodeEditorChange();
        f.fake.timers.fire(RecoveryStore::CopyDelayMs);
        ASSERT_EQ(f.fake.recovery.files.size(), 1u);
        f.fake.dialogs.answers = {r.answer};
        ed.close();
        EXPECT_EQ(f.fake.recovery.files.size(), r.kept ? 1u : 0u) << static_cast<int>(r.answer);
    }
}

TEST(RecoveryAtStart, TheBoxRestoresDiscardsOrKeepsTheCopies)
{
    struct Row {
        RecoveryBox::Choice choice;
        MsgAnswer answer;
        int windows;       // the file reopened at start-up is one, and takes its restored text
        std::size_t left;  // copies in the folder afterwards
    };
    const Row rows[] = {
        {RecoveryBox::Choice::Restore, MsgAnswer::Ok, 2, 2},  // the restored windows' own copies
        {RecoveryBox::Choice::Discard, MsgAnswer::Ok, 1, 0},
        {RecoveryBox::Choice::Later, MsgAnswer::Ok, 1, 2},
        {RecoveryBox::Choice::Restore, MsgAnswer::Cancel, 1, 2},
    };
    for (const Row& r : rows) {
        AppFixture f;
        f.prepareInstalledMachine();
        f.fake.files.put("C:\\W\\a.c", "old\r\n");
        f.fake.settings.values["reload"] = "1";
        f.fake.settings.values["c file"] = "C:\\W\\a.c";
        f.fake.recovery.files = {{"9_1-1.recovery", composeRecoveryCopy(9, "C:\\W\\a.c", "one\r\n")},
                                 {"9_1-2.recovery", composeRecoveryCopy(9, "", "two")}};
        std::vector<std::string> shown;
        f.fake.dialogs.dialogScripts.push_back([&](OwnDialog& d) {
            auto& box = static_cast<RecoveryBox&>(d);
            shown = box.entries;
            box.choice = r.choice;
            return r.answer;
        });
        TEmbedded& app = f.start();
        EXPECT_EQ(shown, (std::vector<std::string>{"C:\\W\\a.c - 1 line", "Code Editor (new file) - 1 line"}));
        ASSERT_EQ(app.editors().count(), r.windows);
        EXPECT_EQ(f.fake.recovery.files.size(), r.left);
        EXPECT_FALSE(f.fake.recovery.claims.count("9_1"));
        if (r.choice == RecoveryBox::Choice::Restore && r.answer == MsgAnswer::Ok) {
            TCodeEd& a = *app.editors().windows()[0];
            EXPECT_EQ(a.fileName(), "C:\\W\\a.c");
            EXPECT_EQ(a.caption(), "a.c");
            EXPECT_TRUE(a.buffer().modified());
            EXPECT_EQ(a.panel(4).text, "Modified");
            EXPECT_EQ(a.buffer().text(), "one\r\n");
            TCodeEd& b = *app.editors().windows()[1];
            EXPECT_EQ(b.caption(), "Code Editor");
            EXPECT_EQ(b.buffer().text(), "two");
            EXPECT_FALSE(f.fake.recovery.files.count("9_1-1.recovery"));
        }
    }
}

}  // namespace
