#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/qt/qt_recovery_folder.h"

namespace {

TEST(QtRecoveryFolder, WritesInOrderOffTheCallerAndOnlyTheUserMayReadThem)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/a/recovery";
    QtRecoveryFolder folder(path);
    folder.write("x.recovery", "one");
    folder.write("x.recovery", "two");
    folder.write("y.recovery", std::string(3 * 1024 * 1024, 'y'));
    folder.remove("y.recovery");
    folder.flush();
    EXPECT_EQ(folder.list(), (std::vector<std::string>{"x.recovery"}));
    EXPECT_EQ(folder.read("x.recovery"), "two");
    EXPECT_FALSE(folder.read("y.recovery"));
    EXPECT_EQ(QFileInfo(path).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
}

TEST(QtRecoveryFolder, AClaimIsHeldUntilReleasedAndThenFreeForAnother)
{
    QTemporaryDir dir;
    QtRecoveryFolder mine(dir.path());
    QtRecoveryFolder other(dir.path());
    ASSERT_TRUE(mine.claim("100_1"));
    EXPECT_TRUE(mine.claim("100_1"));
    // The holder runs (it is this very process), so the claim is not stale.
    EXPECT_FALSE(other.claim("100_1"));
    mine.release("100_1");
    EXPECT_TRUE(other.claim("100_1"));
}

}  // namespace
