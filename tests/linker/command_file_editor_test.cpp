// The command file editor's handlers on fake platform services.
#include <gtest/gtest.h>

#include "linker/command_file_editor.h"
#include "platform/fake/fake_host.h"

namespace {

using Lines = std::vector<std::string>;

const char* const kDir = "C:\\Tarnel\\Source";

struct Segment {
    const char* name;
    const char* increase;  // "0000": none
};

class CommandFileEditorTest : public ::testing::Test {
protected:
    FakeHost fake;
    TCommandFileEd ed{fake.host};
    ControlSet& f = ed.fields();
    SegmentGrid& grid = ed.SegmentList();

    void SetUp() override { fake.files.putFolder(kDir); }
    void open(const std::string& caption, const std::string& dir = kDir)
    {
        ed.editorDirectory = dir;
        ed.setCaption(caption);
        ed.FormActivate();
    }
    void click(const char* button) { f[button].activate(); }
    void add(const std::string& name, const std::string& increase = "0000")
    {
        f["Segmentname"].setText(name);
        f["Offset"].setText(increase);
        click("AddSeg");
    }
    void addAll(const std::vector<Segment>& segments)
    {
        for (const Segment& s : segments)
            add(s.name, s.increase);
    }
    Lines names() const
    {
        Lines out;
        for (int row = 1; row < grid.rowCount(); ++row)
            out.push_back(grid.cell(0, row) + (grid.cell(1, row).empty() ? "" : "/" + grid.cell(1, row)));
        return out;
    }
    std::string counter() { return f["Counter"].caption(); }
    Lines messages() const { return fake.dialogs.messages(); }
};

TEST_F(CommandFileEditorTest, HexFieldsHaveTheirBounds)
{
    struct Bounds {
        const char* field;
        int max;
        int maxLength;
    };
    for (const Bounds& b : {Bounds{"Offset", 65535, 8}, Bounds{"StartMem", 65335, 8}, Bounds{"EndMem", 65335, 8},
                            Bounds{"DumpMem", 0, 0}}) {
        EXPECT_EQ(f[b.field].text(), "0000") << b.field;
        EXPECT_EQ(f[b.field].hex().minValue(), 0) << b.field;
        EXPECT_EQ(f[b.field].hex().maxValue(), b.max) << b.field;
        EXPECT_EQ(f[b.field].hex().maxLength(), b.maxLength) << b.field;
    }
    // Stepping past the top of a memory field stays at FF37; the dump field has no bound.
    f["StartMem"].setText("FF37");
    f["StartMem"].hex().upStep();
    EXPECT_EQ(f["StartMem"].text(), "FF37");
    f["DumpMem"].hex().downStep();
    EXPECT_EQ(f["DumpMem"].text(), "FFFFFFFF");
}

TEST_F(CommandFileEditorTest, OpeningAddsTheExtensionAndLoadsTheFileFromTheEditorDirectory)
{
    struct Case {
        const char* caption;
        const char* dir;
        const char* shown;  // caption afterwards
        bool found;
    };
    const Case cases[] = {
        {"LK7832SL", "C:\\Tarnel\\Source", "LK7832SL.xcl", true},
        {"LK7832SL", "C:\\Tarnel\\Source\\", "LK7832SL.xcl", true},
        {"mine.xcl", "C:\\Tarnel\\Source", "mine.xcl", true},
        // The extension test counts letter case.
        {"mine.XCL", "C:\\Tarnel\\Source", "mine.XCL.xcl", false},
        {"", "C:\\Tarnel\\Source", ".xcl", false},
    };
    for (const Case& c : cases) {
        FakeHost host;
        host.files.put("C:\\Tarnel\\Source\\LK7832SL.xcl", "-Z(CODE)CODE=1000-7FFF\r\n// end\r\n");
        host.files.put("C:\\Tarnel\\Source\\mine.xcl", "-c78300\n");
        host.files.put("C:\\Tarnel\\Source\\mine.XCL", "-c78300\n");
        TCommandFileEd editor(host.host);
        editor.editorDirectory = c.dir;
        editor.setCaption(c.caption);
        int captionChanges = 0;
        editor.onCaptionChanged = [&] { ++captionChanges; };
        editor.FormActivate();
        EXPECT_EQ(editor.caption(), c.shown) << c.caption;
        EXPECT_EQ(captionChanges, std::string(c.caption) == c.shown ? 0 : 1) << c.caption;
        EXPECT_EQ(editor.SegmentList().cell(0, 0), "Name");
        EXPECT_EQ(editor.SegmentList().cell(1, 0), "Increase");
        EXPECT_EQ(editor.SegmentList().rowCount(), 2);
        EXPECT_EQ(editor.CommandFile().empty(), !c.found) << c.caption;
        EXPECT_EQ(host.dialogs.messages(),
                  c.found ? Lines{} : Lines{"No default command file Set, Unable to load  "})
            << c.caption;
        // The name handed back without a save is the one the dialog was opened with.
        EXPECT_EQ(editor.resultFileName(), c.caption);
    }
}

TEST_F(CommandFileEditorTest, OpeningRunsOncePerUse)
{
    fake.files.put("C:\\Tarnel\\Source\\LK7832SL.xcl", "a\r\nb\r\n");
    open("LK7832SL");
    f["Segmentname"].setText("RCODE");
    click("AddSeg");
    click("Button42");
    ed.FormActivate();  // shown again after a message box
    EXPECT_EQ(ed.caption(), "LK7832SL.xcl");
    EXPECT_TRUE(ed.CommandFile().empty()) << "the preview is not read again";
    EXPECT_EQ(ed.segmentCount(), 1);
    TCommandFileEd missing(fake.host);
    missing.setCaption("nothere");
    missing.FormActivate();
    missing.FormActivate();
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(CommandFileEditorTest, LargeAndBinaryFilesLoadWholeAndSaveBackUnchanged)
{
    std::string big;
    for (int i = 0; i < 100000; ++i)
        big += "-Z(CODE)SEG" + std::to_string(i) + "=0000-7FFF\r\n";
    std::string binary("\x7f" "ELF\x01\x00\x00\xff\xfe\t\x1b[0m", 14);
    binary += "\r\n\xe9t\xe9\r\n";
    fake.files.put("C:\\Tarnel\\Source\\big.xcl", big);
    fake.files.put("C:\\Tarnel\\Source\\bin.xcl", binary);
    open("big");
    EXPECT_EQ(ed.CommandFile().size(), 100000u);
    EXPECT_EQ(ed.CommandFile().back(), "-Z(CODE)SEG99999=0000-7FFF");

    TCommandFileEd other(fake.host);
    other.editorDirectory = kDir;
    other.setCaption("bin.xcl");
    other.FormActivate();
    ASSERT_EQ(other.CommandFile().size(), 2u);
    EXPECT_EQ(other.CommandFile()[0].size(), 14u) << "NUL bytes stay in the line";
    fake.dialogs.fileAnswers = {"C:\\Tarnel\\Source\\copy.xcl"};
    other.SaveFileClick();
    EXPECT_EQ(fake.files.readBytes("C:\\Tarnel\\Source\\copy.xcl"), binary);
}

TEST_F(CommandFileEditorTest, SegmentLineSyntax)
{
    struct Case {
        const char* type;
        std::vector<Segment> segments;
        bool downwards;
        const char* lower;
        const char* upper;
        const char* dump;
        const char* line;
    };
    const Case cases[] = {
        {"CODE", {{"RCODE", "0000"}, {"CODE", "0000"}}, false, "0000", "7FFF", "0000", "-Z(CODE)RCODE,CODE=0000-7FFF"},
        {"NONE", {{"RCODE", "0000"}, {"CODE", "0000"}}, true, "0000", "7FFF", "FF00", "-ZRCODE,CODE#0000-7FFF.FF00"},
        {"CODE", {{"RCODE", "0000"}}, false, "0000", "7FFF", "0000", "-Z(CODE)RCODE=0000-7FFF"},
        {"CODE", {{"RCODE", "0010"}, {"CODE", "0000"}}, false, "0000", "7FFF", "0000",
         "-Z(CODE)RCODE0010,CODE=0000-7FFF"},
        {"CODE", {{"A", "0000"}, {"B", "0000"}, {"C", "1"}}, false, "0000", "7FFF", "0000", "-Z(CODE)A,B,C1=0000-7FFF"},
        {"  NONE ", {{"CODE", "0000"}}, false, "1000", "7FFF", "0000", "-ZCODE=1000-7FFF"},
        {"none", {{"CODE", "0000"}}, false, "1000", "7FFF", "0000", "-Z(none)CODE=1000-7FFF"},
        {"DATA", {{"DATA", "0000"}}, false, "1000", "0000", "0000", "-Z(DATA)DATA=1000"},
        {"DATA", {{"cstack", "0000"}}, true, "fd00", "feff", "ff00", "-Z(DATA)CSTACK#FD00-FEFF.FF00"},
        // Whatever the name holds, it goes in upper case and as it stands.
        {"XDATA", {{" my seg.2 ", "0000"}, {"a-b", "00ff"}}, false, "0000", "0100", "0000",
         "-Z(XDATA) MY SEG.2 ,A-B00ff=0000-0100"},
    };
    for (const Case& c : cases) {
        TCommandFileEd editor(fake.host);
        ControlSet& fields = editor.fields();
        fields["SegType"].setText(c.type);
        for (const Segment& s : c.segments) {
            fields["Segmentname"].setText(s.name);
            fields["Offset"].setText(s.increase);
            editor.AddSegClick();
        }
        fields["MemDir"].setItemIndex(c.downwards ? 1 : 0);
        fields["StartMem"].setText(c.lower);
        fields["EndMem"].setText(c.upper);
        fields["DumpMem"].setText(c.dump);
        editor.AcceptSegsClick();
        EXPECT_EQ(fields["SegList"].entries(), Lines{c.line}) << c.line;
        EXPECT_EQ(editor.SegmentList().rowCount(), 2) << c.line;
        EXPECT_TRUE(editor.SegmentList().rowBlank(1)) << c.line;
        EXPECT_EQ(editor.segmentCount(), 0);
        EXPECT_EQ(fields["Counter"].caption(), "0");
    }
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(CommandFileEditorTest, SegmentLineRefusals)
{
    struct Case {
        std::vector<Segment> segments;
        const char* lower;
        const char* upper;
        const char* message;
    };
    const Case cases[] = {
        {{}, "0000", "7FFF", "No Segments defined"},
        {{{"CODE", "0000"}}, "1000", "1000", "Memory Range Error"},
        {{{"CODE", "0000"}, {"DATA", "0000"}}, "8000", "7FFF", "Memory Range Error"},
        // The texts are compared as they stand.
        {{{"CODE", "0000"}}, "1000", "0FFF", "Memory Range Error"},
    };
    for (const Case& c : cases) {
        FakeHost host;
        TCommandFileEd editor(host.host);
        ControlSet& fields = editor.fields();
        for (const Segment& s : c.segments) {
            fields["Segmentname"].setText(s.name);
            editor.AddSegClick();
        }
        const std::string counterBefore = fields["Counter"].caption();
        editor.EditSegClick();
        fields["StartMem"].setText(c.lower);
        fields["EndMem"].setText(c.upper);
        editor.AcceptSegsClick();
        EXPECT_EQ(host.dialogs.messages(), Lines{c.message}) << c.lower << "-" << c.upper;
        EXPECT_FALSE(editor.SegmentList().editing());
        EXPECT_TRUE(fields["SegList"].entries().empty());
        EXPECT_EQ(editor.SegmentList().rowCount(), static_cast<int>(c.segments.size()) + 2);
        EXPECT_EQ(editor.segmentCount(), static_cast<int>(c.segments.size()));
        EXPECT_EQ(fields["Counter"].caption(), counterBefore);
    }
}

TEST_F(CommandFileEditorTest, ALineAlreadyInTheListIsRefusedAfterTheGridIsEmptied)
{
    f["EndMem"].setText("7FFF");
    add("CODE");
    click("AcceptSegs");
    add("CODE");
    click("AcceptSegs");
    EXPECT_EQ(messages(), Lines{"This Line is already in your Segment definitions"});
    EXPECT_EQ(f["SegList"].entries(), Lines{"-Z(CODE)CODE=0000-7FFF"});
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(counter(), "0");
    // The whole list text is searched: a line inside a longer one counts as present.
    f["EndMem"].setText("7FF");
    add("CODE");
    click("AcceptSegs");
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(f["SegList"].entries().size(), 1u);
}

TEST_F(CommandFileEditorTest, AddingSegmentsToTheGrid)
{
    open("none");
    fake.dialogs.calls.clear();
    add("rcode", "0010");
    EXPECT_EQ(counter(), "1 Segments");
    add("CODE");
    EXPECT_EQ(counter(), "2 Segments");
    EXPECT_EQ(names(), (Lines{"RCODE/0010", "CODE", ""}));
    EXPECT_EQ(f["Segmentname"].text(), "");

    struct Refusal {
        const char* name;
        const char* message;
        const char* fieldAfter;
    };
    const Refusal refusals[] = {
        {"", "No segnet Defined", ""},
        {"   ", "No segnet Defined", "   "},
        {"Rcode", "Error, Duplicate Segment definition", "RCODE"},
        // The heading row takes part.
        {"name", "Error, Duplicate Segment definition", "NAME"},
    };
    for (const Refusal& r : refusals) {
        fake.dialogs.calls.clear();
        add(r.name);
        EXPECT_EQ(messages(), Lines{r.message}) << r.name;
        EXPECT_EQ(f["Segmentname"].text(), r.fieldAfter) << r.name;
        EXPECT_EQ(names(), (Lines{"RCODE/0010", "CODE", ""})) << r.name;
        EXPECT_EQ(counter(), "2 Segments");
    }
}

TEST_F(CommandFileEditorTest, CountSegmentNameComparesUpperCaseWithTheHeadingIncluded)
{
    open("none");
    add("RCODE");
    grid.setCell(0, 2, "rcode");  // as in-place editing can leave it
    const std::pair<const char*, int> cases[] = {
        {"", 0}, {"  ", 0}, {"Name", 1}, {"NAME", 1}, {"Rcode", 2}, {" RCODE", 0}, {"CODE", 0}, {"Increase", 0},
    };
    for (const auto& [text, count] : cases)
        EXPECT_EQ(ed.CountSegmentName(text), count) << '"' << text << '"';
}

TEST_F(CommandFileEditorTest, InPlaceEditingPutsADuplicateNameBack)
{
    open("none");
    addAll({{"RCODE", "0000"}, {"CODE", "0000"}});
    EXPECT_FALSE(grid.cellEditable(0, 2));
    click("EditSeg");
    EXPECT_TRUE(grid.editing());
    EXPECT_TRUE(grid.cellEditable(0, 2));
    EXPECT_TRUE(grid.cellEditable(1, 1));
    EXPECT_FALSE(grid.cellEditable(0, 0)) << "heading";
    EXPECT_FALSE(grid.cellEditable(0, 3)) << "entry row";

    struct Edit {
        int column, row;
        const char* text;
        const char* after;
    };
    const Edit edits[] = {
        {0, 2, "rcode", "CODE"},
        {0, 2, "name", "CODE"},
        {0, 2, "const", "const"},
        {1, 1, "0010", "0010"},
        {0, 3, "EXTRA", ""},  // the entry row stays empty
    };
    for (const Edit& e : edits) {
        ed.SegmentListGetEditText(e.column, e.row);
        ed.SegmentListSetEditText(e.column, e.row, e.text);
        EXPECT_EQ(grid.cell(e.column, e.row), e.after) << e.text;
    }
    ed.SegmentListKeyPress('a');
    EXPECT_TRUE(grid.editing());
    ed.SegmentListKeyPress('\r');
    EXPECT_FALSE(grid.editing());
    f["EndMem"].setText("7FFF");
    click("AcceptSegs");
    EXPECT_EQ(f["SegList"].entries(), Lines{"-Z(CODE)RCODE0010,CONST=0000-7FFF"});
}

TEST_F(CommandFileEditorTest, MovingAndDeletingRows)
{
    struct Case {
        const char* button;
        int row;
        Lines names;
        int selectedAfter;
        const char* counter;
    };
    const Case cases[] = {
        {"UpButton", 1, {"A", "B", "C", ""}, 1, "3 Segments"},
        {"UpButton", 2, {"B", "A", "C", ""}, 1, "3 Segments"},
        {"UpButton", 4, {"A", "B", "C", ""}, 4, "3 Segments"},  // entry row
        {"DownButton", 1, {"B", "A", "C", ""}, 2, "3 Segments"},
        {"DownButton", 3, {"A", "B", "C", ""}, 3, "3 Segments"},
        {"DownButton", 4, {"A", "B", "C", ""}, 4, "3 Segments"},
        {"DeleteButton", 2, {"A", "C", ""}, 2, "2"},
        {"DeleteButton", 3, {"A", "B", ""}, 3, "2"},
        {"DeleteButton", 4, {"A", "B", "C", ""}, 4, "3 Segments"},  // entry row: nothing
    };
    for (const Case& c : cases) {
        FakeHost host;
        TCommandFileEd editor(host.host);
        for (const char* name : {"A", "B", "C"}) {
            editor.fields()["Segmentname"].setText(name);
            editor.AddSegClick();
        }
        editor.SegmentList().setRow(c.row);
        editor.fields()[c.button].activate();
        Lines got;
        for (int row = 1; row < editor.SegmentList().rowCount(); ++row)
            got.push_back(editor.SegmentList().cell(0, row));
        EXPECT_EQ(got, c.names) << c.button << " " << c.row;
        EXPECT_EQ(editor.SegmentList().row(), c.selectedAfter) << c.button << " " << c.row;
        EXPECT_EQ(editor.fields()["Counter"].caption(), c.counter) << c.button << " " << c.row;
    }
}

TEST_F(CommandFileEditorTest, DeletingEverySegmentLeavesHeadingAndEntryRow)
{
    addAll({{"A", "0000"}, {"B", "0001"}});
    for (int i = 0; i < 3; ++i) {
        grid.setRow(1);
        click("DeleteButton");
    }
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(ed.segmentCount(), 0);
    EXPECT_EQ(counter(), "0");
    add("C");
    EXPECT_EQ(names(), (Lines{"C", ""}));
    EXPECT_EQ(counter(), "1 Segments");
}

TEST_F(CommandFileEditorTest, DeleteLineRemovesTheChosenSegmentLine)
{
    f["SegList"].setEntries({"-ZA=0000", "-ZB=0000"});
    click("LineDelete");
    EXPECT_EQ(f["SegList"].entries().size(), 2u);
    f["SegList"].setSelected(0);
    click("LineDelete");
    EXPECT_EQ(f["SegList"].entries(), Lines{"-ZB=0000"});
}

TEST_F(CommandFileEditorTest, LibraryListAddsBareNamesOnceByTheListText)
{
    ed.libselectFolder = kDir;
    ed.defaultLibrary = "CL7832S";
    struct Case {
        std::optional<std::string> chosen;
        Lines after;
        bool refused;
    };
    const Case cases[] = {
        {"C:\\Tarnel\\Source\\cl7832s.r25", {"cl7832s.r25"}, false},
        {"D:\\other\\cl7832s.r25", {"cl7832s.r25"}, true},
        {"Z:\\home\\b\xc3\xbc" "cher\\\xd0\x91\xd0\xb8\xd0\xb1\\mylib.r25", {"cl7832s.r25", "mylib.r25"}, false},
        {"lib.r25", {"cl7832s.r25", "mylib.r25"}, true},  // inside "mylib.r25"
        {std::nullopt, {"cl7832s.r25", "mylib.r25"}, false},
        {"", {"cl7832s.r25", "mylib.r25"}, false},
    };
    for (const Case& c : cases) {
        fake.dialogs.calls.clear();
        fake.dialogs.fileAnswers = {c.chosen};
        click("AddBtn");
        EXPECT_EQ(f["LibraryFiles"].entries(), c.after) << c.chosen.value_or("<cancel>");
        EXPECT_EQ(messages(), c.refused ? Lines{"This file is already in your library list"} : Lines{});
        const FileDialogRequest& r = fake.dialogs.calls.at(0).request;
        EXPECT_EQ(r.filters.at(0).description, "C Libraries [*.r25]");
        EXPECT_EQ(r.filters.at(0).patterns, "*.r25");
        EXPECT_EQ(r.defaultExtension, "*.r25");
        EXPECT_EQ(r.initialFolder, kDir);
    }
    click("RemoveBtn");
    EXPECT_EQ(f["LibraryFiles"].entries().size(), 2u) << "nothing chosen";
    f["LibraryFiles"].setSelected(0);
    click("RemoveBtn");
    EXPECT_EQ(f["LibraryFiles"].entries(), Lines{"mylib.r25"});
    click("ClrBtn");
    EXPECT_TRUE(f["LibraryFiles"].entries().empty());
    click("DefaultsBtn");
    click("DefaultsBtn");
    EXPECT_EQ(f["LibraryFiles"].entries(), (Lines{"CL7832S", "CL7832S"}));
    click("SpeedButton2");
    EXPECT_EQ(ed.CommandFile(), (Lines{" -c78300", "-C CL7832S", "-C CL7832S"}));
}

TEST_F(CommandFileEditorTest, BuildComposesTheFileInOrder)
{
    struct Case {
        const char* cpu;
        Lines segmentLines;
        const char* write;
        const char* read;
        Lines libraries;
        Lines expected;
    };
    const Case cases[] = {
        {"78300", {}, "", "", {}, {" -c78300"}},
        {"UNSPECIFIED", {}, "", "", {}, {" -cUNSPECIFIED"}},
        {"78300", {}, "Small", "", {}, {" -c78300", " -e_Small_write=_formatted_write"}},
        {"78300", {}, "  ", "Medium", {}, {" -c78300", " -e_Medium_read=_formatted_read"}},
        {"z80",
         {"-Z(CODE)RCODE,CODE=0000-7FFF", "-Z(DATA)DATA#FD00-FEFF"},
         "Large",
         "Small",
         {"CL7832S", "extra.r25"},
         {" -cz80", "-Z(CODE)RCODE,CODE=0000-7FFF", "-Z(DATA)DATA#FD00-FEFF", " -e_Large_write=_formatted_write",
          " -e_Small_read=_formatted_read", "-C CL7832S", "-C extra.r25"}},
    };
    for (const Case& c : cases) {
        f["CPU"].setText(c.cpu);
        f["SegList"].setEntries(c.segmentLines);
        f["PWBox"].setText(c.write);
        f["PRbox"].setText(c.read);
        f["LibraryFiles"].setEntries(c.libraries);
        int changes = 0;
        ed.onCommandFileChanged = [&] { ++changes; };
        click("SpeedButton2");
        EXPECT_EQ(ed.CommandFile(), c.expected) << c.cpu;
        EXPECT_EQ(changes, 1);
    }
    click("Button42");
    EXPECT_TRUE(ed.CommandFile().empty());
}

TEST_F(CommandFileEditorTest, SaveWritesThePreviewWithCrLfAndAsksBeforeReplacing)
{
    ed.saveDialogFolder = kDir;
    open("LK7832SL");
    click("SpeedButton2");
    const std::string path = "C:\\Tarnel\\Source\\mine.xcl";

    fake.dialogs.fileAnswers = {std::nullopt};
    click("SaveFile");
    const FileDialogRequest& r = fake.dialogs.calls.back().request;
    EXPECT_EQ(r.title, "Save Linker Command File");
    EXPECT_EQ(r.filters.at(0).description, "Linker cmd File");
    EXPECT_EQ(r.filters.at(0).patterns, "*.xcl");
    EXPECT_EQ(r.defaultExtension, "*.xcl");
    EXPECT_EQ(r.initialFolder, kDir);
    EXPECT_EQ(r.fileName, "LK7832SL.xcl");
    EXPECT_FALSE(fake.files.fileExists(path));

    fake.dialogs.fileAnswers = {path};
    click("SaveFile");
    EXPECT_EQ(fake.files.readBytes(path), " -c78300\r\n");
    EXPECT_EQ(ed.resultFileName(), "mine.xcl");

    struct Replace {
        MsgAnswer answer;
        bool written;
    };
    for (const Replace& rep : {Replace{MsgAnswer::No, false}, Replace{MsgAnswer::Yes, true}}) {
        fake.files.put(path, "old\r\n");
        fake.dialogs.calls.clear();
        fake.dialogs.fileAnswers = {path};
        fake.dialogs.answers = {rep.answer};
        click("SaveFile");
        ASSERT_EQ(messages(), Lines{"Command File Exists " + path + " , Overwrite Yes/No"});
        EXPECT_EQ(fake.dialogs.calls.back().buttons, MsgButtons::YesNo);
        EXPECT_EQ(fake.dialogs.calls.back().icon, MsgIcon::Warning);
        EXPECT_EQ(fake.files.readBytes(path), rep.written ? " -c78300\r\n" : "old\r\n");
    }
}

TEST_F(CommandFileEditorTest, AFailedSaveReportsThePlatformMessageAndKeepsEverything)
{
    open("LK7832SL");
    click("SpeedButton2");
    fake.dialogs.fileAnswers = {"C:\\Tarnel\\Source\\first.xcl"};
    click("SaveFile");
    fake.files.denyWrites("D:\\locked");
    fake.dialogs.fileAnswers = {"D:\\locked\\mine.xcl"};
    click("SaveFile");
    EXPECT_EQ(messages().back(), "Cannot create file D:\\locked\\mine.xcl");
    EXPECT_EQ(fake.dialogs.calls.back().icon, MsgIcon::Error);
    EXPECT_EQ(ed.CommandFile(), Lines{" -c78300"});
    EXPECT_EQ(ed.resultFileName(), "first.xcl");
    EXPECT_FALSE(fake.files.fileExists("D:\\locked\\mine.xcl"));
}

TEST_F(CommandFileEditorTest, OkAndCancelCloseWithTheirResult)
{
    EXPECT_EQ(ed.modalResult(), TCommandFileEd::ModalResult::None);
    int closes = 0;
    ed.onClose = [&] { ++closes; };
    click("Button1");
    EXPECT_EQ(ed.modalResult(), TCommandFileEd::ModalResult::Cancel);
    click("Button43");
    EXPECT_EQ(ed.modalResult(), TCommandFileEd::ModalResult::Ok);
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(f["Button1"].caption(), "Cancel");
    EXPECT_EQ(f["Button43"].caption(), "OK");
}

}  // namespace
