#include <gtest/gtest.h>

#include <cstdint>

#include "platform/paths/win_path.h"

TEST(WinPath, JoinAddsBackslashOnlyWhenMissing)
{
    EXPECT_EQ(winpath::join("C:\\Tarnel\\Source", "ide.bat"), "C:\\Tarnel\\Source\\ide.bat");
    EXPECT_EQ(winpath::join("C:\\", "pathset.bat"), "C:\\pathset.bat");
    EXPECT_EQ(winpath::withBackslash("C:\\Nec"), "C:\\Nec\\");
}

TEST(WinPath, NameDirectoryAndExtensionParts)
{
    EXPECT_EQ(winpath::fileName("D:\\work\\main.c"), "main.c");
    EXPECT_EQ(winpath::fileName("A:main"), "main");
    EXPECT_EQ(winpath::dirPart("D:\\work\\main.c"), "D:\\work\\");
    EXPECT_EQ(winpath::dirOnly("D:\\work\\main.c"), "D:\\work");
    EXPECT_EQ(winpath::dirOnly("D:\\main.c"), "D:\\");
    EXPECT_EQ(winpath::extension("C:\\my.dir\\proj.PRJ"), ".PRJ");
    EXPECT_EQ(winpath::extension("C:\\my.dir\\proj"), "");
    EXPECT_EQ(winpath::withoutExtension("main.c"), "main");
    EXPECT_TRUE(winpath::hasDirectoryPart("obj\\main"));
    EXPECT_TRUE(winpath::hasDirectoryPart("A:main"));
    EXPECT_FALSE(winpath::hasDirectoryPart("main.s25"));
}

TEST(WinPath, StrictIntegers)
{
    long long v = 0;
    EXPECT_TRUE(winpath::parseInt("-12", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(winpath::parseInt("+7", v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(winpath::parseInt("-9223372036854775808", v));
    EXPECT_EQ(v, INT64_MIN);
    for (const char* bad : {"", " 1", "1 ", "x1", "1.0", "-", "+", "99999999999999999999", "--1", "+-5", "-+5",
                            "++1", "1-", "0x1F", "1e3"})
        EXPECT_FALSE(winpath::parseInt(bad, v)) << bad;
    int i = 0;
    EXPECT_TRUE(winpath::parseInt32("-2147483648", i));
    EXPECT_EQ(i, INT32_MIN);
    for (const char* bad : {"2147483648", "-2147483649", "--2"})
        EXPECT_FALSE(winpath::parseInt32(bad, i)) << bad;
}
