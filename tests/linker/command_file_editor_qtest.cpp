// The command file editor dialog, offscreen: its controls and captions, segments added
// through the grid, and the preview after "Build".
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTableWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "components/view/t_hex_edit.h"
#include "linker/command_file_editor.h"
#include "linker/view/command_file_editor_dialog.h"
#include "linker/view/command_file_preview.h"
#include "platform/fake/fake_host.h"
#include "support/app_fixture.h"

namespace {

const char* const kDir = "C:\\Tarnel\\Source";

struct CommandFileEditorDialogTest : ::testing::Test {
    FakeHost fake;
    TCommandFileEd ed{fake.host};
    std::unique_ptr<CommandFileEditorDialog> dialog;

    void SetUp() override
    {
        fake.files.put("C:\\Tarnel\\Source\\LK7832SL.xcl", "// default\r\n-Z(CODE)RCODE,CODE=0000-7FFF\r\n");
        ed.editorDirectory = kDir;
        ed.setCaption("LK7832SL");
        dialog = std::make_unique<CommandFileEditorDialog>(ed);
        dialog->show();
        QCoreApplication::processEvents();  // the opening runs once the dialog is up
    }

    template <typename T = QWidget>
    T* find(const char* name)
    {
        T* w = dialog->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void type(const char* field, const QString& text)
    {
        auto* edit = find<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void addSegment(const QString& name)
    {
        type("Segmentname", name);
        click("AddSeg");
    }
    QStringList previewLines()
    {
        QStringList out;
        auto* preview = find<QListView>("CommandFile");
        for (int row = 0; row < preview->model()->rowCount(); ++row)
            out << preview->model()->index(row, 0).data().toString();
        return out;
    }
    QStringList items(const char* list)
    {
        QStringList out;
        auto* w = find<QListWidget>(list);
        for (int i = 0; i < w->count(); ++i)
            out << w->item(i)->text();
        return out;
    }
};

TEST_F(CommandFileEditorDialogTest, ShowsEveryControlWithItsCaption)
{
    EXPECT_EQ(dialog->windowTitle(), "LK7832SL.xcl");
    EXPECT_EQ(find<QLabel>("HeadingLabel")->text(), "Commnd File Editor");
    const std::pair<const char*, const char*> groups[] = {{"SegAssembler", "Segment Assembler"},
                                                          {"MemLocations", "Memory Locations"},
                                                          {"MemDir", "Allocate memory from  base.. "},
                                                          {"RuntimeLibs", "Runtime Librarys "}};
    for (const auto& [name, title] : groups)
        EXPECT_EQ(find<QGroupBox>(name)->title(), title);
    const std::pair<const char*, const char*> buttons[] = {
        {"AddSeg", "Add"},         {"EditSeg", "Edit Segment"}, {"DownButton", "Move Down"},
        {"UpButton", "Move Up"},   {"DeleteButton", "Delete"},  {"AcceptSegs", "Add"},
        {"LineDelete", "Delete Line"}, {"AddBtn", "Add"},       {"RemoveBtn", "Remove"},
        {"ClrBtn", "Clear All"},   {"DefaultsBtn", "Defaults"}, {"SpeedButton2", "Build"},
        {"Button42", "Clear"},     {"SaveFile", "Save File"},   {"Button1", "Cancel"},
        {"Button43", "OK"}};
    for (const auto& [name, caption] : buttons) {
        auto* b = find<QPushButton>(name);
        EXPECT_EQ(b->text(), caption) << name;
        EXPECT_FALSE(b->autoDefault()) << name;
    }
    QStringList labels;
    for (QLabel* l : dialog->findChildren<QLabel*>())
        labels << l->text();
    for (const char* text : {"Segmant Type (optional)", "Enter Segment name and increase", "Lower", "Upper", "Dump",
                             "CPU", "Read Format", "Write Format"})
        EXPECT_TRUE(labels.contains(text)) << text;

    struct Combo {
        const char* name;
        const char* text;
        int count;
    };
    for (const Combo& c : {Combo{"SegType", "CODE", 7}, Combo{"CPU", "78300", 24}, Combo{"PRbox", "", 3},
                           Combo{"PWBox", "", 3}}) {
        auto* combo = find<QComboBox>(c.name);
        EXPECT_EQ(combo->currentText(), c.text) << c.name;
        EXPECT_EQ(combo->count(), c.count) << c.name;
        EXPECT_TRUE(combo->isEditable()) << c.name;
    }
    EXPECT_EQ(find<QComboBox>("PWBox")->itemText(0), "Small");
    EXPECT_EQ(find<QComboBox>("SegType")->itemText(0), "NONE");
    EXPECT_TRUE(find<QRadioButton>("MemDirUpwards")->isChecked());
    EXPECT_EQ(find<QRadioButton>("MemDirDownwards")->text(), "Downwards");

    for (const char* name : {"Offset", "StartMem", "EndMem", "DumpMem"})
        EXPECT_EQ(find<THexEdit>(name)->text(), "0000") << name;

    auto* grid = find<QTableWidget>("SegmentList");
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Name");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Increase");
    EXPECT_EQ(grid->rowCount(), 1) << "the entry row";
    EXPECT_EQ(find<QLabel>("Counter")->text(), "0 Segments ");
    EXPECT_EQ(previewLines(), (QStringList{"// default", "-Z(CODE)RCODE,CODE=0000-7FFF"}));
}

TEST_F(CommandFileEditorDialogTest, HexFieldsRefuseWhatTheFieldRefuses)
{
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    auto* upper = find<THexEdit>("EndMem");
    upper->setFocus(Qt::TabFocusReason);
    int beeps = 0;
    upper->setBeeper([&] { ++beeps; });
    upper->selectAll();
    QTest::keyClicks(upper, "fg+ 1");
    EXPECT_EQ(upper->text(), "f1");
    EXPECT_EQ(beeps, 3);
    upper->selectAll();
    QTest::keyClicks(upper, "FFFF");
    find<QLineEdit>("Segmentname")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(ed.fields()["EndMem"].text(), "FF37");
    // Past eight characters nothing more is taken.
    auto* dump = find<THexEdit>("Offset");
    dump->selectAll();
    QTest::keyClicks(dump, "123456789");
    EXPECT_EQ(dump->text(), "12345678");
}

TEST_F(CommandFileEditorDialogTest, AddingSegmentsThroughTheGrid)
{
    auto* grid = find<QTableWidget>("SegmentList");
    addSegment("rcode");
    type("Offset", "0010");
    type("Segmentname", "code");
    QTest::keyClick(find<QLineEdit>("Segmentname"), Qt::Key_Return);  // Enter in the name adds too
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(0, 0)->text(), "RCODE");
    EXPECT_EQ(grid->item(1, 0)->text(), "CODE");
    EXPECT_EQ(grid->item(1, 1)->text(), "0010");
    EXPECT_EQ(grid->item(2, 0)->text(), "");
    EXPECT_EQ(find<QLabel>("Counter")->text(), "2 Segments");
    EXPECT_EQ(find<QLineEdit>("Segmentname")->text(), "");

    // Selecting a row in the table selects it in the grid; "Move Up" moves it.
    grid->setCurrentCell(1, 0);
    EXPECT_EQ(ed.SegmentList().row(), 2);
    click("UpButton");
    EXPECT_EQ(grid->item(0, 0)->text(), "CODE");
    EXPECT_EQ(grid->currentRow(), 0);

    // Cells take in-place edits only after "Edit Segment", and a duplicate name goes back.
    EXPECT_FALSE(grid->item(1, 0)->flags() & Qt::ItemIsEditable);
    click("EditSeg");
    EXPECT_TRUE(grid->item(1, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(grid->item(2, 0)->flags() & Qt::ItemIsEditable) << "entry row";
    for (const auto& [typed, kept] : {std::pair{"code", "RCODE"}, std::pair{"const", "const"}}) {
        grid->setCurrentCell(1, 0);
        grid->editItem(grid->item(1, 0));
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed editor
        EXPECT_EQ(grid->item(1, 0)->text(), kept) << typed;
        EXPECT_FALSE(ed.SegmentList().editing()) << "Enter ends in-place editing";
        click("EditSeg");
    }

    grid->setCurrentCell(0, 0);
    click("DeleteButton");
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(0, 0)->text(), "const");
    EXPECT_EQ(find<QLabel>("Counter")->text(), "1");
}

TEST_F(CommandFileEditorDialogTest, PreviewAfterBuild)
{
    auto* segType = find<QComboBox>("SegType");
    segType->lineEdit()->selectAll();
    QTest::keyClicks(segType->lineEdit(), "none");
    QTest::keyClick(segType->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(segType->currentText(), "none") << "a typed type is kept as typed";
    addSegment("RCODE");
    addSegment("CODE");
    type("EndMem", "7FFF");
    QTest::mouseClick(find<QRadioButton>("MemDirDownwards"), Qt::LeftButton);
    click("AcceptSegs");
    EXPECT_EQ(items("SegList"), QStringList{"-Z(none)RCODE,CODE#0000-7FFF"});
    EXPECT_EQ(find<QLabel>("Counter")->text(), "0");
    EXPECT_EQ(find<QTableWidget>("SegmentList")->rowCount(), 1);

    auto* write = find<QComboBox>("PWBox");
    write->setCurrentIndex(0);
    auto* cpu = find<QComboBox>("CPU");
    cpu->setCurrentIndex(0);
    ed.defaultLibrary = "CL7832S";
    click("DefaultsBtn");
    click("DefaultsBtn");
    click("SpeedButton2");
    EXPECT_EQ(previewLines(), (QStringList{" -cUNSPECIFIED", "-Z(none)RCODE,CODE#0000-7FFF",
                                           " -e_Small_write=_formatted_write", "-C CL7832S", "-C CL7832S"}));
    click("Button42");
    EXPECT_TRUE(previewLines().isEmpty());
}

TEST_F(CommandFileEditorDialogTest, LargeAndBinaryFilesShowThroughTheModel)
{
    std::string big;
    for (int i = 0; i < 100000; ++i)
        big += "-Z(CODE)SEG" + std::to_string(i) + "=0000-7FFF\r\n";
    big += std::string("\x01\x00\x7f\xff", 4) + std::string(3000, 'x') + "\r\n";
    fake.files.put("C:\\Tarnel\\Source\\big.xcl", big);
    TCommandFileEd other(fake.host);
    other.editorDirectory = kDir;
    other.setCaption("big");
    CommandFileEditorDialog view(other);
    view.show();
    QCoreApplication::processEvents();
    auto* preview = view.findChild<QListView*>("CommandFile");
    ASSERT_EQ(preview->model()->rowCount(), 100001);
    EXPECT_EQ(preview->model()->index(99999, 0).data().toString(), "-Z(CODE)SEG99999=0000-7FFF");
    const QString binary = preview->model()->index(100000, 0).data().toString();
    EXPECT_EQ(binary.left(4), QString::fromUtf16(u"\u2401\u2400\u2421\u00ff"));
    EXPECT_EQ(binary.size(), CommandFilePreviewModel::ShownCharacters + 1);
    EXPECT_TRUE(binary.endsWith(QChar(0x2026)));
    EXPECT_EQ(other.CommandFile().back().size(), 3004u) << "the file keeps the whole line";
}

TEST_F(CommandFileEditorDialogTest, EveryControlIsReachableByTab)
{
    QStringList chain;
    QWidget* w = dialog.get();
    for (int i = 0; i < 200; ++i) {
        w = w->nextInFocusChain();
        if (w == dialog.get())
            break;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(dialog.get()) && w->isEnabled() &&
            !w->objectName().isEmpty())
            chain << w->objectName();
    }
    const QStringList expected = {"SegType", "Segmentname", "Offset", "AddSeg", "SegmentList", "EditSeg",
                                  "DownButton", "UpButton", "DeleteButton", "StartMem", "EndMem", "DumpMem",
                                  "MemDirUpwards", "AcceptSegs", "LineDelete", "SegList", "CPU", "PRbox", "PWBox",
                                  "LibraryFiles", "AddBtn", "RemoveBtn", "ClrBtn", "DefaultsBtn", "CommandFile",
                                  "SpeedButton2", "Button42", "SaveFile", "Button1", "Button43"};
    for (const QString& name : expected)
        EXPECT_TRUE(chain.contains(name)) << name.toStdString();
    EXPECT_LT(chain.indexOf("SegType"), chain.indexOf("Segmentname"));
    EXPECT_LT(chain.indexOf("DeleteButton"), chain.indexOf("StartMem"));
    EXPECT_LT(chain.indexOf("SaveFile"), chain.indexOf("Button43"));
}

TEST_F(CommandFileEditorDialogTest, FitsOnASmallScreenAndClosesWithItsResult)
{
    const QSize least = dialog->minimumSizeHint();
    EXPECT_LE(least.width(), 1000);
    EXPECT_LE(least.height(), 560);
    click("Button43");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    dialog->show();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST(CommandFileWizardView, TheToolButtonShowsTheEditorAndOkKeepsTheOpenedName)
{
    AppFixture f;
    f.prepareInstalledMachine(kDir);
    TEmbedded& app = f.start();
    MainWindow window(app);
    installCommandFileEditor(app, &window);
    window.show();
    QString shownTitle;
    QStringList shownLines;
    // The dialog runs modally: answer it from inside its event loop.
    QTimer::singleShot(0, [&] {
        QCoreApplication::processEvents();
        auto* dialog = dynamic_cast<CommandFileEditorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shownTitle = dialog->windowTitle();
        auto* preview = dialog->findChild<QListView*>("CommandFile");
        for (int row = 0; row < preview->model()->rowCount(); ++row)
            shownLines << preview->model()->index(row, 0).data().toString();
        dialog->findChild<QPushButton*>("Button43")->click();
    });
    window.findChild<QAction*>("WizardBtn")->trigger();
    EXPECT_EQ(shownTitle, "LK7832SL.xcl");
    EXPECT_EQ(shownLines, QStringList{"-Z(CODE)CODE=1000-7FFF"});
    EXPECT_EQ(app.controls()["LinkerCmdfile"].text(), "LK7832SL");
}

}  // namespace
