#include <gtest/gtest.h>

#include <map>

#include "components/t_orvane_about_box.h"
#include "components/version_resource.h"
#include "platform/fake/fake_files.h"

namespace {

const char* const Program = "C:\\Tarnel\\Tarnel.exe";
const char* const Block = "\\StringFileInfo\\040904E4\\";

// Version resources by file, as a test sets them up.
struct FakeVersions : VersionResources {
    std::map<std::string, VersionResource> byFile;
    std::optional<VersionResource> read(const std::string& file) const override
    {
        auto it = byFile.find(file);
        return it == byFile.end() ? std::nullopt : std::optional(it->second);
    }
};

VersionResource resource(const std::vector<std::pair<const char*, const char*>>& values,
                         std::vector<std::pair<std::uint16_t, std::uint16_t>> translations = {{0x0409, 0x04E4}})
{
    VersionResource r;
    r.translations = std::move(translations);
    for (const auto& [key, value] : values)
        r.values[std::string(Block) + key] = value;
    return r;
}

const std::vector<std::pair<const char*, const char*>> AllEight = {
    {"CompanyName", "Orvane"},       {"FileDescription", "IDE"},    {"FileVersion", "2.3.4"},
    {"InternalName", "Tarnel"},      {"LegalCopyright", "(C) O"},   {"OriginalFilename", "Tarnel.exe"},
    {"ProductName", "Tarnel"},       {"ProductVersion", "2.3"},
};

struct VersionTest : ::testing::Test {
    FakeFiles files;
    FakeVersions versions;
    TGetVersionInfoFromFile reader{files, versions};
    VersionTest() { files.put(Program, "MZ"); }
};

TEST_F(VersionTest, ReadsTheEightStringsInKeyOrder)
{
    versions.byFile[Program] = resource(AllEight);
    reader.setFileName(Program);
    EXPECT_EQ(reader.fileName(), Program);
    EXPECT_EQ(reader.VersionCategories,
              (std::vector<std::string>{"CompanyName", "FileDescription", "FileVersion", "InternalName",
                                        "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"}));
    EXPECT_EQ(reader.VersionStrings[2], "2.3.4");
    EXPECT_EQ(reader.VersionStrings.size(), 8u);
}

TEST_F(VersionTest, ReadingStopsAtTheFirstMissingKeyAndSkipsEmptyValues)
{
    struct Row {
        const char* name;
        VersionResource r;
        std::vector<std::string> keys;
    };
    const Row rows[] = {
        {"no FileDescription", resource({{"CompanyName", "Orvane"}, {"FileVersion", "1.0"}}), {"CompanyName"}},
        {"empty FileDescription",
         resource({{"CompanyName", "Orvane"}, {"FileDescription", ""}, {"FileVersion", "1.0"}}),
         {"CompanyName", "FileVersion"}},  // skipped, then stops at the missing InternalName
        {"no translation", resource(AllEight, {}), {}},
        {"second translation unused", resource(AllEight, {{0x0407, 0x04B0}, {0x0409, 0x04E4}}), {}},
    };
    for (const Row& r : rows) {
        versions.byFile[Program] = r.r;
        reader.setFileName(Program);
        EXPECT_EQ(reader.VersionCategories, r.keys) << r.name;
        EXPECT_EQ(reader.VersionStrings.size(), r.keys.size()) << r.name;
    }
    auto gap = resource(AllEight);
    gap.values[std::string(Block) + "InternalName"] = "";
    versions.byFile[Program] = gap;
    reader.setFileName(Program);
    EXPECT_EQ(reader.VersionStrings.size(), 7u);
    EXPECT_EQ(reader.VersionCategories[3], "LegalCopyright");
}

TEST_F(VersionTest, TheBlockIsTheFirstTranslationInUpperCaseHexadecimal)
{
    EXPECT_EQ(versionBlock(0x0407, 0x04b0), "040704B0");
    VersionResource r;
    r.translations = {{0x0407, 0x04b0}};
    r.values["\\stringfileinfo\\040704b0\\companyname"] = "Orvane";
    versions.byFile[Program] = r;
    reader.setFileName(Program);
    EXPECT_EQ(reader.VersionStrings, (std::vector<std::string>{"Orvane"}));
}

TEST_F(VersionTest, AMissingFileClearsTheNameAndAFileWithoutAResourceGivesNothing)
{
    versions.byFile[Program] = resource(AllEight);
    reader.setFileName(Program);
    reader.setFileName("C:\\gone.exe");
    EXPECT_EQ(reader.fileName(), "");
    EXPECT_TRUE(reader.VersionStrings.empty());
    EXPECT_TRUE(reader.VersionCategories.empty());
    files.put("C:\\plain.exe", "MZ");
    reader.setFileName("C:\\plain.exe");
    EXPECT_EQ(reader.fileName(), "C:\\plain.exe");
    EXPECT_TRUE(reader.VersionStrings.empty());
}

TEST_F(VersionTest, TheRunningProgramCarriesTheStringsOfTheBuildOtherFilesNone)
{
    EmbeddedVersionResources embedded(Program);
    TGetVersionInfoFromFile own(files, embedded);
    own.setFileName("c:\\tarnel\\TARNEL.EXE");
    ASSERT_EQ(own.VersionStrings.size(), 8u);
    EXPECT_EQ(own.VersionStrings[0], "Orvane");
    EXPECT_EQ(own.VersionStrings[2], TARNEL_VERSION);
    EXPECT_EQ(own.VersionStrings[4], "Copyright (C) 2026 Orvane");
    EXPECT_EQ(own.VersionStrings[6], "Tarnel");
    EXPECT_EQ(own.VersionStrings[7], TARNEL_VERSION);
    files.put("C:\\Tarnel\\other.exe", "MZ");
    own.setFileName("C:\\Tarnel\\other.exe");
    EXPECT_TRUE(own.VersionStrings.empty());
}

// Text 5 pixels a character; pictures by source.
struct FakeAboutPlatform : AboutBoxPlatform {
    PictureSize icon{32, 32};
    PictureSize logo{40, 40};
    std::optional<PictureSize> file{PictureSize{64, 16}};
    std::vector<TAbout::PictureSource> asked;
    int shown = 0;
    bool answer = true;
    std::optional<TAbout> last;

    int textWidth(const std::string& text) const override { return 5 * static_cast<int>(text.size()); }
    std::optional<PictureSize> pictureSize(const TAbout::Picture& p) const override
    {
        const_cast<FakeAboutPlatform*>(this)->asked.push_back(p.source);
        switch (p.source) {
        case TAbout::PictureSource::BuiltInLogo: return logo;
        case TAbout::PictureSource::File: return file;
        case TAbout::PictureSource::ApplicationIcon: return icon;
        }
        return std::nullopt;
    }
    bool runModal(const TAbout&) override
    {
        ++shown;
        return answer;
    }
};

struct AboutBoxTest : VersionTest {
    EmbeddedVersionResources embedded{Program};
    FakeAboutPlatform platform;
    TOrvaneAboutBox box{files, embedded, "Tarnel", Program};
    AboutBoxTest() { box.setPlatform(&platform); }
};

TEST_F(AboutBoxTest, StartsWithTheDefaultsOfEveryProperty)
{
    TOrvaneAboutBox b(files, embedded, "Tarnel", Program);
    EXPECT_EQ(b.Title + b.Version + b.Author + b.Caption + b.Filename + b.IconFile, "");
    EXPECT_EQ(b.Copyright, "Copyright (C) 2026 Orvane");
    EXPECT_EQ((std::vector<int>{b.DefaultIcon, b.TextCentered, b.TextLeft, b.Height, b.Width}),
              (std::vector<int>{0, 1, 20, 250, 230}));
    b.placeOnScreen(1920, 1080);
    EXPECT_EQ((std::pair{b.Top, b.Left}), (std::pair{540, 960}));
}

TEST_F(AboutBoxTest, TheWindowGrowsForItsPictureAndCentresPictureAndButton)
{
    struct Row {
        int width, height;
        PictureSize picture;
        int w, h, okY, okW, okX, logoX;
    };
    const Row rows[] = {
        {130, 180, {32, 32}, 130, 182, 122, 70, 30, 49},   // the main window's about box
        {230, 250, {32, 32}, 230, 250, 122, 170, 30, 99},  // the defaults
        {100, 100, {32, 32}, 120, 182, 122, 60, 30, 44},   // never narrower than 120
        {130, 180, {130, 10}, 138, 180, 100, 78, 30, 4},   // as wide as the window counts
        {130, 180, {200, 64}, 208, 214, 154, 148, 30, 4},
    };
    for (const Row& r : rows) {
        box.Width = r.width;
        box.Height = r.height;
        platform.icon = r.picture;
        box.Author = "X";  // short lines: the picture alone decides the width
        box.Copyright = "C";
        const TAbout w = box.layout();
        EXPECT_EQ(w.width, r.w) << r.width << "x" << r.height;
        EXPECT_EQ(w.height, r.h) << r.width << "x" << r.height;
        EXPECT_EQ(w.OkButton.y, r.okY);
        EXPECT_EQ(w.OkButton.width, r.okW);
        EXPECT_EQ(w.OkButton.x, r.okX);
        EXPECT_EQ(w.Logo.x, r.logoX);
        EXPECT_EQ(box.Width, r.w);  // kept for the next showing
        EXPECT_EQ(box.Height, r.h);
    }
}

TEST_F(AboutBoxTest, FillsTheFourLinesCentredOrFromTheLeftEdge)
{
    box.Width = 130;
    box.Height = 180;
    box.Caption = "About";
    box.Copyright = "(C) Orvane";
    box.Filename = Program;
    TAbout w = box.layout();
    EXPECT_EQ(box.Title, "Tarnel");  // taken into the property
    EXPECT_EQ(box.Author, "Orvane");
    EXPECT_EQ(w.caption, "About");
    EXPECT_EQ(w.WTitle.caption, "Tarnel");
    EXPECT_EQ(w.WCopyright.caption, "(C) Orvane");
    EXPECT_EQ(w.WAuthor.caption, "Orvane");
    EXPECT_EQ(w.WVersion.caption, std::string("Version ") + TARNEL_VERSION);
    EXPECT_EQ(w.GetVersion.fileName(), Program);
    EXPECT_EQ((std::vector<int>{w.WTitle.y, w.WCopyright.y, w.WAuthor.y, w.WVersion.y}),
              (std::vector<int>{15, 30, 45, 60}));
    EXPECT_EQ(w.WTitle.width, 30);
    EXPECT_EQ(w.WTitle.x, 65 - 15);
    EXPECT_EQ(w.WCopyright.x, 65 - 25);

    box.TextCentered = false;
    box.TextLeft = 12;
    w = box.layout();
    for (const AboutLabel* l : {&w.WTitle, &w.WCopyright, &w.WAuthor, &w.WVersion})
        EXPECT_EQ(l->x, 12);
}

TEST_F(AboutBoxTest, ALineWiderThanTheWindowWidensItSoNothingIsCut)
{
    box.Width = 130;
    box.Height = 180;
    box.Copyright = std::string(40, 'c');  // 200 pixels
    TAbout w = box.layout();
    EXPECT_EQ(w.width, 200 + 2 * TOrvaneAboutBox::TextMargin);
    EXPECT_EQ(w.WCopyright.x, TOrvaneAboutBox::TextMargin);
    EXPECT_EQ(w.OkButton.width, w.width - 60);
    box.TextCentered = false;
    w = box.layout();
    EXPECT_EQ(w.width, 20 + 200 + 2 * TOrvaneAboutBox::TextMargin);
}

TEST_F(AboutBoxTest, WithoutTheFileVersionTheVersionLineIsTheVersionProperty)
{
    FakeVersions partial;
    partial.byFile[Program] = resource({{"CompanyName", "Orvane"}, {"FileVersion", "9.9"}});
    TOrvaneAboutBox other(files, partial, "Tarnel", Program);
    other.setPlatform(&platform);
    other.Version = "Version unknown";
    other.Filename = Program;
    EXPECT_EQ(other.layout().WVersion.caption, "Version unknown");
    EXPECT_EQ(other.FileVersionText(), "Version unknown");
    EXPECT_EQ(box.FileVersionText(), TARNEL_VERSION);
}

TEST_F(AboutBoxTest, TheLogoIsTheBuiltInPictureTheIconFileOrTheApplicationsIcon)
{
    box.DefaultIcon = true;
    box.IconFile = "C:\\logo.bmp";
    EXPECT_EQ(box.layout().Logo.source, TAbout::PictureSource::BuiltInLogo);
    box.DefaultIcon = false;
    TAbout w = box.layout();
    EXPECT_EQ(w.Logo.source, TAbout::PictureSource::File);
    EXPECT_EQ(w.Logo.file, "C:\\logo.bmp");
    EXPECT_EQ(w.Logo.width, 64);
    // A picture file that cannot be read leaves the application's icon.
    platform.file.reset();
    w = box.layout();
    EXPECT_EQ(w.Logo.source, TAbout::PictureSource::ApplicationIcon);
    EXPECT_EQ(w.Logo.width, 32);
    box.IconFile.clear();
    EXPECT_EQ(box.layout().Logo.source, TAbout::PictureSource::ApplicationIcon);
}

TEST_F(AboutBoxTest, ShowReturnsWhetherTheWindowClosedWithOk)
{
    EXPECT_TRUE(box.show());
    platform.answer = false;
    EXPECT_FALSE(box.show());
    EXPECT_EQ(platform.shown, 2);
    box.setPlatform(nullptr);
    EXPECT_FALSE(box.show());
}

}  // namespace
