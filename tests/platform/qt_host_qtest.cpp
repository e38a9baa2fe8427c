#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>

#include "platform/qt/qt_host.h"
#include "platform/qt/qt_text.h"
#include "support/temp_prefix.h"

TEST(QtHost, ProgramFolderIsTheExecutablesFolderInWindowsForm)
{
    TempPrefix tmp;
    QtHost qtHost(DriveMap(tmp.path()), QString::fromStdString(tmp.path() + "/Tarnel.conf"));
    const std::string folder = qtHost.host().programFolder;
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    const auto back = qtHost.driveMap().toHost(folder);
    ASSERT_TRUE(back);
    EXPECT_TRUE(std::filesystem::equivalent(*back, hostPathFromQ(QCoreApplication::applicationDirPath())));
    EXPECT_TRUE(qtHost.host().files.folderExists(folder));
}
