// The tree's READMEs: one at the root, one for the demo, and the scripts they tell you to run exist.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

TEST(Readmes, OneAtTheRootOneForTheDemoAndTheScriptsTheyNameExist)
{
    const fs::path root = TARNEL_SOURCE_DIR;
    std::set<std::string> readmes;
    for (const auto& entry : fs::directory_iterator(root))
        if (entry.path().filename().string().starts_with("README"))
            readmes.insert(entry.path().filename().string());
    EXPECT_EQ(readmes, std::set<std::string>{"README.md"});
    EXPECT_TRUE(fs::exists(root / "demo" / "README.md"));

    std::ifstream in(root / "README.md");
    std::stringstream text;
    text << in.rdbuf();
    const std::string readme = text.str();
    const std::regex script(R"(\./(scripts/[\w.-]+))");
    int named = 0;
    for (std::sregex_iterator it(readme.begin(), readme.end(), script), end; it != end; ++it, ++named)
        EXPECT_TRUE(fs::exists(root / (*it)[1].str())) << (*it)[1].str();
    EXPECT_GE(named, 2);
}

}  // namespace
