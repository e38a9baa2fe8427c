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
#include "support/qt_runs.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace
{

// Runs check() on the file dialog once it is up, then accepts it.
void acceptFileDialogWhenShown(const std::function<void(QFileDialog&)>& check)
{
    onceModalIsUp<QFileDialog>([check](QFileDialog* dialog) {
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
        onceModalIsUp<QMessageBox>([&r](QMessageBox* box) {
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

#include <QListView>
#include <QStyledItemDelegate>

namespace
{

QStringList sidebarNames(QFileDialog& dialog)
{
    QStringList out;
    auto* sidebar = dialog.findChild<QListView*>("sidebar");
    if (!sidebar)
        return out;
    auto* names = qobject_cast<QStyledItemDelegate*>(sidebar->itemDelegate());
    for (int row = 0; row < sidebar->model()->rowCount(); ++row) {
        const QVariant text = sidebar->model()->index(row, 0).data();
        out << (names ? names->displayText(text, QLocale()) : text.toString());
    }
    return out;
}

QString canonical(const QString& path)
{
    return QString::fromStdString(fs::canonical(path.toStdString()).string());
}

} // namespace

TEST(QtDialogs, DialogsOfferEveryMappedDriveAndStartInTheNearestMappedFolder)
{
    TempPrefix tmp;
    fs::create_directories(tmp.driveC() + "/Tarnel/Source");
    fs::create_directories(tmp.path() + "/drive_d");
    fs::create_directory_symlink("../drive_d", tmp.path() + "/dosdevices/d:");
    fs::create_directory_symlink(tmp.path() + "/nowhere", tmp.path() + "/dosdevices/e:"); // no disk
    std::ofstream(tmp.path() + "/dosdevices/c::") << "";                                  // a raw device
    DriveMap map(tmp.path());
    QtDialogs dialogs(map);

    const QList<QUrl> places = dialogs.places();
    ASSERT_EQ(places.size(), 4);
    const QString devices = QString::fromStdString(tmp.path()) + "/dosdevices/";
    EXPECT_EQ(places[0].toLocalFile(), devices + "c:");
    EXPECT_EQ(places[1].toLocalFile(), devices + "d:");
    EXPECT_EQ(places[2].toLocalFile(), devices + "z:");

    struct Case {
        std::string asked;
        std::string opens; // under drive_c
    };
    const Case cases[] = {
        {"C:\\Tarnel\\Source", "/Tarnel/Source"},
        {"c:\\tarnel\\source\\", "/Tarnel/Source"},
        {"C:\\Tarnel\\Missing\\Deeper", "/Tarnel"},
        {"Q:\\No Drive", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(canonical(dialogs.startFolder(c.asked)),
                  canonical(QString::fromStdString(tmp.driveC() + c.opens)))
            << c.asked;

    FileDialogRequest request;
    request.initialFolder = "C:\\Tarnel\\Missing";
    onceModalIsUp<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(canonical(d->directory().absolutePath()), canonical(QString::fromStdString(tmp.driveC() + "/Tarnel")));
        EXPECT_EQ(d->sidebarUrls(), places);
        EXPECT_EQ(sidebarNames(*d).mid(0, 3), (QStringList{"C:", "D:", "Z:"}));
        d->reject();
    });
    EXPECT_FALSE(dialogs.saveFile(request));
    // A file reached through a drive's place comes back on that drive.
    EXPECT_EQ(map.toWindows(places[1].toLocalFile().toStdString() + "/made.txt"), "D:\\made.txt");

    onceModalIsUp<FolderDialog>([&](FolderDialog* dialog) {
        EXPECT_EQ(dialog->sidebarUrls(), places);
        EXPECT_EQ(sidebarNames(*dialog).mid(0, 3), (QStringList{"C:", "D:", "Z:"}));
        dialog->reject();
    });
    EXPECT_FALSE(dialogs.chooseFolder("Nec files ", "C:\\Nec"));
}

TEST(QtDialogs, LongTextsAreCutShortForTheBoxAndKeptWholeInItsDetails)
{
    const QString more(QChar(0x2026));
    const std::string longLine(1000, 'a');
    std::string manyLines;
    for (int i = 0; i < 40; ++i)
        manyLines += "line\r";
    struct Case {
        std::string text;
        QString shown;
        bool cut;
    };
    const Case cases[] = {
        {"Unable to Compile", "Unable to Compile", false},
        {"two\rlines\r\n", "two\nlines\n", false},
        {std::string(400, 'b'), QString(400, 'b'), false},
        {"x\r" + longLine + "\ry", "x\n" + QString(400, 'a') + more + "\ny", true},
        {manyLines, QString("line\n").repeated(30) + more, true},
    };
    for (const Case& c : cases) {
        const QtDialogs::BoxText box = QtDialogs::boxText(c.text);
        EXPECT_EQ(box.shown, c.shown) << c.text.substr(0, 40);
        EXPECT_EQ(!box.details.isEmpty(), c.cut) << c.text.substr(0, 40);
        if (c.cut) {
            // Every character is in the details; only the longest lines are broken up.
            QString joined = box.details;
            EXPECT_EQ(joined.remove('\n'), QtDialogs::displayText(c.text).remove('\n'));
        }
    }
    // Many short lines of a huge text never add up to a huge box.
    std::string wide;
    for (int i = 0; i < 29; ++i)
        wide += std::string(390, 'c') + "\r";
    EXPECT_LE(QtDialogs::boxText(wide).shown.size(), QtDialogs::MaxShownLength + 3);
}

TEST(QtDialogs, AHugeTextShowsCutShortAndTheBoxStillAnswers)
{
    TempPrefix tmp;
    DriveMap map(tmp.path());
    QtDialogs dialogs(map);
    const std::string name(10 * 1024 * 1024, 'n');
    QString shown;
    qsizetype details = 0;
    onceModalIsUp<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        details = box->detailedText().size();
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(dialogs.message("Cannot open file " + name, MsgButtons::OkCancel, MsgIcon::Error), MsgAnswer::Cancel);
    EXPECT_TRUE(shown.startsWith("Cannot open file nnn"));
    EXPECT_LE(shown.size(), QtDialogs::MaxShownLength + 3);
    EXPECT_GE(details, static_cast<qsizetype>(name.size()));
}
