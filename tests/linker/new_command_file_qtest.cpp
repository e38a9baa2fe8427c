// "Linker Cmd File" > "&New" through the real open dialog: a name that does not exist yet is
// taken and shown in an empty editor window; other open routes still want an existing file.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
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
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_files.h"
#include "support/qt_runs.h"
#include "support/temp_prefix.h"

namespace {

// Notes the file dialog's mode once it is up; a dialog that takes new names gets name typed in
// and accepted, any other is cancelled (it would refuse a name that does not exist).
void typeIntoFileDialog(const QString& name, QFileDialog::FileMode* modeSeen)
{
    onceModalIsUp<QFileDialog>([name, modeSeen](QFileDialog* dialog) {
        *modeSeen = dialog->fileMode();
        if (dialog->fileMode() != QFileDialog::AnyFile) {
            dialog->reject();
            return;
        }
        dialog->selectFile(name);
        static_cast<QDialog*>(dialog)->accept();
    });
}

struct NewCommandFileViewTest : ::testing::Test {
    TempPrefix prefix;
    DriveMap map{prefix.path()};
    QtDialogs dialogs{map};
    QtFiles files{map};
    FakeHost fake;
    Host host{dialogs, fake.shell, fake.beeper, fake.clock, fake.timers, fake.settings, files,
              "C:\\Program Files\\Tarnel\\"};
    TEmbedded app{host};
    MainWindow window{app};

    NewCommandFileViewTest()
    {
        std::filesystem::create_directories(prefix.driveC() + "/Tarnel/Source");
        app.settings().compSource = "C:\\Tarnel\\Source";
        window.resize(1200, 800);
        window.show();
    }
};

TEST_F(NewCommandFileViewTest, ANewNameGivesAnEmptyWindowUnderThatName)
{
    QFileDialog::FileMode mode = QFileDialog::Directory;
    typeIntoFileDialog("Default.xcl", &mode);
    window.findChild<QAction*>("NewCmdFile")->trigger();
    EXPECT_EQ(mode, QFileDialog::AnyFile);
    ASSERT_EQ(app.editors().count(), 1);
    TCodeEd& ed = *app.editors().windows().front();
    EXPECT_EQ(ed.fileName(), "C:\\Tarnel\\Source\\Default.xcl");
    auto* area = window.findChild<EditorAreaView*>("EditorAreaView");
    EXPECT_EQ(area->subWindowOf(&ed)->windowTitle(), "Default.xcl");
    EXPECT_TRUE(area->windowOf(&ed)->editor()->toPlainText().isEmpty());
    EXPECT_FALSE(std::filesystem::exists(prefix.driveC() + "/Tarnel/Source/Default.xcl"));

    // Any other open route still asks for a file that exists.
    typeIntoFileDialog("Missing.c", &mode);
    ed.Open1Click();
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
}

}  // namespace
