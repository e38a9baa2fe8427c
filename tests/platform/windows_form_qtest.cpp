// File and folder dialogs speak Windows paths: the "Look in" box and typed paths.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "platform/paths/drive_map.h"
#include "platform/qt/qt_dialogs.h"
#include "support/qt_runs.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace
{

struct WindowsFormTest : ::testing::Test {
    TempPrefix tmp;
    DriveMap map{(prepare(), tmp.path())};
    QtDialogs dialogs{map};
    QString refusal;  // the text of a box the dialog showed over itself

    void prepare()
    {
        fs::create_directories(tmp.driveC() + "/Tarnel/Sample");
        std::ofstream(tmp.driveC() + "/Tarnel/Sample/boot.s25") << "x";
        fs::create_directories(tmp.path() + "/drive_d/Work");
        std::ofstream(tmp.path() + "/drive_d/Work/x.c") << "x";
        fs::create_directory_symlink("../drive_d", tmp.path() + "/dosdevices/d:");
    }

    // Once the dialog is up: types the text and presses the accept button, then hands the
    // dialog to check() and closes it if it is still open.
    void typeWhenShown(const QString& text, std::function<void(QFileDialog&)> check = {})
    {
        QTimer::singleShot(0, [this, text, check] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            d->findChild<QLineEdit*>("fileNameEdit")->setText(text);
            QPushButton* ok = nullptr;
            auto* box = d->findChild<QDialogButtonBox*>("buttonBox");
            for (QAbstractButton* b : box->buttons())
                if (box->buttonRole(b) == QDialogButtonBox::AcceptRole)
                    ok = qobject_cast<QPushButton*>(b);
            ASSERT_NE(ok, nullptr);
            EXPECT_TRUE(ok->isEnabled()) << text.toStdString();
            QTimer::singleShot(0, [this, d = QPointer<QFileDialog>(d), check] {
                if (!d)
                    return;  // taken and gone
                // A refusal shows a box over the dialog; it is closed first.
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    refusal = box->text() + " / " + d->findChild<QLineEdit*>("fileNameEdit")->text();
                    box->done(0);
                }
                if (check)
                    check(*d);
                if (d->isVisible())
                    d->reject();
            });
            ok->click();
        });
    }
};

QString lookIn(QFileDialog& d)
{
    return d.findChild<QComboBox*>("lookInCombo")->currentText();
}

TEST_F(WindowsFormTest, ATypedWindowsPathIsTakenOnAnyDriveWithEitherSlashInAnyCase)
{
    const std::pair<const char*, const char*> rows[] = {
        {"C:\\Tarnel\\Sample\\boot.s25", "C:\\Tarnel\\Sample\\boot.s25"},
        {"c:/tarnel/sample/BOOT.S25", "C:\\Tarnel\\Sample\\boot.s25"},
        {"  d:\\WORK\\X.c", "D:\\Work\\x.c"},
        {"Sample\\boot.s25", "C:\\Tarnel\\Sample\\boot.s25"},  // from the folder shown
    };
    FileDialogRequest request;
    request.title = "Tarnel    Load File";
    request.initialFolder = "C:\\Tarnel";
    for (const auto& [typed, chosen] : rows) {
        typeWhenShown(typed);
        EXPECT_EQ(dialogs.openFile(request), std::optional<std::string>(chosen)) << typed;
    }
}

TEST_F(WindowsFormTest, LookInShowsTheWindowsFolderAndATypedFolderIsEntered)
{
    FileDialogRequest request;
    request.initialFolder = "C:\\Tarnel";
    QString before, after, field;
    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        before = lookIn(*d);
        auto* box = d->findChild<QComboBox*>("lookInCombo");
        box->showPopup();
        auto* rows = qobject_cast<QListView*>(box->view());
        for (int row = 0; row < box->count(); ++row)
            if (!rows->isRowHidden(row))
                listed << box->itemText(row);
        box->hidePopup();
    });
    typeWhenShown("c:\\tarnel\\sample", [&](QFileDialog& d) {
        EXPECT_TRUE(waitFor([&] { return lookIn(d) == "C:\\Tarnel\\Sample"; }));
        after = lookIn(d);
        field = d.findChild<QLineEdit*>("fileNameEdit")->text();
    });
    EXPECT_FALSE(dialogs.openFile(request));
    EXPECT_EQ(before, "C:\\Tarnel");
    // From the folder up to its drive, then the other places; never the folders holding the drives.
    ASSERT_GE(listed.size(), 3);
    EXPECT_EQ(listed.mid(0, 2), (QStringList{"C:\\Tarnel", "C:\\"}));
    for (const QString& place : listed)
        EXPECT_FALSE(place.contains("dosdevices") || place.contains(QString::fromStdString(tmp.path()).mid(1).replace('/', '\\')))
            << place.toStdString();
    EXPECT_EQ(after, "C:\\Tarnel\\Sample");
    EXPECT_EQ(field, "");
}

TEST_F(WindowsFormTest, AMissingDriveOrFileIsRefusedInWindowsFormAndKeptAsTyped)
{
    const std::pair<const char*, const char*> rows[] = {
        {"Q:\\boot.s25", "Q:\\boot.s25\nThe drive Q: is not mapped. / Q:\\boot.s25"},
        {"c:\\tarnel\\nothere.c", "c:\\tarnel\\nothere.c\nFile not found. / c:\\tarnel\\nothere.c"},
    };
    FileDialogRequest request;
    request.initialFolder = "C:\\Tarnel";
    for (const auto& [typed, shown] : rows) {
        QString field;
        typeWhenShown(typed, [&](QFileDialog& d) {
            EXPECT_TRUE(d.isVisible());
            field = d.findChild<QLineEdit*>("fileNameEdit")->text();
        });
        EXPECT_FALSE(dialogs.openFile(request));
        EXPECT_EQ(refusal, shown);
        EXPECT_EQ(field, typed);
    }
}

TEST_F(WindowsFormTest, TheFolderChooserTakesATypedWindowsFolder)
{
    typeWhenShown("c:/TARNEL/sample");
    EXPECT_EQ(dialogs.chooseFolder("Select the Compile Directory", "D:\\"),
              std::optional<std::string>("C:\\Tarnel\\Sample"));
}

} // namespace
