#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "platform/paths/drive_map.h"
#include "platform/qt/folder_dialog.h"
#include "platform/qt/qt_dialogs.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace
{

// Runs check() on the file dialog once it is up, then accepts it.
void acceptFileDialogWhenShown(const std::function<void(QFileDialog&)>& check)
{
    QTimer::singleShot(50, [check] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        check(*dialog);
        static_cast<QDialog*>(dialog)->accept();
        // A dialog that refused the choice shows a box over itself: fail rather than wait.
        QTimer::singleShot(500, [dialog = QPointer<QFileDialog>(dialog)] {
            if (!dialog || !dialog->isVisible())
                return;
            ADD_FAILURE() << "the file dialog did not take the choice";
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->done(0);
            dialog->reject();
        });
    });
}

class NonInteractive
{
public:
    NonInteractive() { QtDialogs::setNonInteractive(true); }
    ~NonInteractive() { QtDialogs::setNonInteractive(false); }
};

} // namespace

TEST(QtDialogs, UnattendedAnswersKeepTheData)
{
    const std::pair<MsgButtons, MsgAnswer> rows[] = {
        {MsgButtons::Ok, MsgAnswer::Ok},
        {MsgButtons::OkCancel, MsgAnswer::Cancel},
        {MsgButtons::YesOkCancel, MsgAnswer::Cancel},
        {MsgButtons::YesNo, MsgAnswer::No},
        {MsgButtons::YesNoCancel, MsgAnswer::Cancel},
    };
    TempPrefix tmp;
    DriveMap map(tmp.path());
    QtDialogs dialogs(map);
    NonInteractive quiet;
    for (const auto& [buttons, answer] : rows)
        EXPECT_EQ(dialogs.message("Save changes?\rReally", buttons, MsgIcon::Question), answer);
    EXPECT_FALSE(dialogs.openFile({}));
    EXPECT_FALSE(dialogs.saveFile({}));
    EXPECT_FALSE(dialogs.chooseFolder("Folder", "C:\\"));
}

TEST(QtDialogs, TextAndFiltersForQt)
{
    EXPECT_EQ(QtDialogs::displayText("No disk in Drive \rA:\r\nx\ny\xE9"),
              QString::fromUtf8("No disk in Drive \nA:\nx\ny\u00E9"));
    const std::vector<FileFilter> filters = {
        {"Object File [*.r25]", "*.r25"},
        {"Output File[*.a25] [*.out]", "*.out; *.a25"},
        {"C Files", "*.C;*.H"},
    };
    EXPECT_EQ(QtDialogs::nameFilters(filters),
              (QStringList{"Object File [*.r25] (*.r25)", "Output File[*.a25] [*.out] (*.out *.a25)",
                           "C Files (*.C *.H)"}));
}

TEST(QtDialogs, OpenFileStartsWhereAskedAndAnswersInWindowsForm)
{
    TempPrefix tmp;
    fs::create_directories(tmp.driveC() + "/Tarnel/Source");
    std::ofstream(tmp.driveC() + "/Tarnel/Source/out.a25") << "x";
    DriveMap map(tmp.path());
    QtDialogs dialogs(map);

    FileDialogRequest request;
    request.title = "Select File to save in A:";
    request.filters = parseFilterList("Object File [*.r25]|*.r25|Output File[*.a25] [*.out]|*.out; *.a25");
    request.filterIndex = 2;
    request.initialFolder = "c:\\tarnel\\source";
    request.fileName = "C:\\Tarnel\\Source\\out.a25";
    request.defaultExtension = "*.r25";

    acceptFileDialogWhenShown([&](QFileDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Select File to save in A:");
        EXPECT_EQ(d.selectedNameFilter(), "Output File[*.a25] [*.out] (*.out *.a25)");
        EXPECT_EQ(fs::canonical(d.directory().absolutePath().toStdString()),
                  fs::canonical(tmp.driveC() + "/Tarnel/Source"));
        EXPECT_EQ(d.defaultSuffix(), "r25");
    });
    EXPECT_EQ(dialogs.openFile(request), std::optional<std::string>("C:\\Tarnel\\Source\\out.a25"));
}

TEST(QtDialogs, OpenFileAddsTheDefaultExtensionOnlyToANameThatDoesNotExist)
{
    TempPrefix tmp;
    fs::create_directories(tmp.driveC() + "/Tools");
    std::ofstream(tmp.driveC() + "/Tools/prog78k") << "a native program";
    std::ofstream(tmp.driveC() + "/Tools/flash.exe") << "MZ";
    DriveMap map(tmp.path());
    QtDialogs dialogs(map);
    FileDialogRequest request;
    request.filters = parseFilterList("Executeable files (*.exe)|*.exe|All files (*.*)|*.*");
    request.filterIndex = 2;
    request.initialFolder = "C:\\Tools";
    request.defaultExtension = "*.exe";
    for (const auto& [typed, chosen] : {std::pair{"prog78k", "C:\\Tools\\prog78k"}, {"flash", "C:\\Tools\\flash.exe"}}) {
        acceptFileDialogWhenShown([typed = QString(typed)](QFileDialog& d) {
            auto* name = d.findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(typed);
        });
        EXPECT_EQ(dialogs.openFile(request), std::optional<std::string>(chosen)) << typed;
    }
}

TEST(QtDialogs, SaveFileAddsTheDefaultExtension)
{
    TempPrefix tmp;
    fs::create_directories(tmp.driveC() + "/Cmd Files");
    DriveMap map(tmp.path());
    QtDialogs dialogs(map);
    FileDialogRequest request;
    request.filters = {{"Command File", "*.xcl"}};
    request.initialFolder = "C:\\Cmd Files";
    request.fileName = "mylink";
    request.defaultExtension = "xcl";
    acceptFileDialogWhenShown([](QFileDialog& d) { EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave); });
    EXPECT_EQ(dialogs.saveFile(request), std::optional<std::string>("C:\\Cmd Files\\mylink.xcl"));
}

TEST(QtDialogs, FolderChooserCreatesATypedFolderOnlyWhenConfirmed)
{
    TempPrefix tmp;
    const QString start = QString::fromStdString(tmp.driveC());
    for (bool agree : {false, true}) {
        FolderDialog dialog(nullptr, "Select", start);
        QString asked;
        dialog.setConfirm([&](const QString& folder) {
            asked = folder;
            return agree;
        });
        dialog.selectFile("New Save Dir");
        dialog.accept();
        EXPECT_EQ(asked, start + "/New Save Dir");
        EXPECT_EQ(fs::is_directory(tmp.driveC() + "/New Save Dir"), agree);
        EXPECT_EQ(dialog.result(), agree ? QDialog::Accepted : QDialog::Rejected);
        if (agree) {
            EXPECT_EQ(dialog.selectedFiles().value(0), start + "/New Save Dir");
        }
    }
}

TEST(QtDialogs, MessageBoxShowsTitleLinesAndAnswers)
{
    TempPrefix tmp;
    DriveMap map(tmp.path());
    QtDialogs dialogs(map);
    struct Row {
        MsgButtons buttons;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton click; // NoButton: the box is closed
        MsgAnswer answer;
    };
    const Row rows[] = {
        {MsgButtons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No,
         MsgAnswer::No},
        {MsgButtons::YesOkCancel, QMessageBox::Yes | QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Yes,
         MsgAnswer::Yes},
        {MsgButtons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton,
         MsgAnswer::Cancel},
        {MsgButtons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton, MsgAnswer::No},
        {MsgButtons::Ok, QMessageBox::Ok, QMessageBox::NoButton, MsgAnswer::Ok},
    };
    for (const Row& r : rows) {
        QTimer::singleShot(50, [&r] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Tarnel");
            EXPECT_EQ(box->text(), "Command File Exists \nC:\\a <b>.xcl");
            EXPECT_EQ(box->standardButtons(), r.shown);
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            if (r.click == QMessageBox::NoButton)
                box->reject();
            else
                box->button(r.click)->click();
        });
        EXPECT_EQ(dialogs.message("Command File Exists \rC:\\a <b>.xcl", r.buttons, MsgIcon::Warning),
                  r.answer);
    }
}
