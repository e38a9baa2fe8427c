#include "components/hex_edit_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

HexEditModel hexField(std::int32_t min = 0, std::int32_t max = 0)
{
    HexEditModel m;
    m.setBounds(min, max);
    return m;
}

HexEditModel decimalField(std::int32_t min = 0, std::int32_t max = 0)
{
    HexEditModel m = hexField(min, max);
    m.setHexadecimal(false);
    return m;
}

}  // namespace

TEST(HexEditModel, StartsAsStoredFieldText)
{
    HexEditModel m;
    EXPECT_EQ(m.text(), "0000");
    EXPECT_TRUE(m.hexadecimal());
    EXPECT_EQ(m.hexDigits(), 4);
    EXPECT_EQ(m.increment(), 1);
    EXPECT_TRUE(m.editorEnabled());
    EXPECT_EQ(m.value(), 0);
}

TEST(HexEditModel, WritingValueFormatsInCurrentMode)
{
    struct Row {
        bool hex;
        int digits;
        std::int32_t min, max;
        long long value;
        std::string shown;
    };
    const std::vector<Row> rows = {
        {true, 4, 0, 0, 26, "001A"},
        {true, 4, 0, 0, 70000, "11170"},
        {true, 4, 0, 0, -1, "FFFFFFFF"},
        {true, 2, 0, 0, 5, "05"},
        {true, 0, 0, 0, 0, "0"},
        {true, 4, 0, 65335, 65535, "FF37"},
        {true, 4, 16, 65335, 3, "0010"},
        {false, 4, 0, 0, 26, "26"},
        {false, 4, 0, 0, -26, "-26"},
        {false, 4, -5, 5, -70, "-5"},
        {false, 4, -5, 5, 70, "5"},
        {true, 4, 0, 0, 0x100000000LL, "0000"},  // 32-bit: wraps as the integer would
    };
    for (const auto& r : rows) {
        HexEditModel m = hexField(r.min, r.max);
        m.setHexadecimal(r.hex);
        m.setHexDigits(r.digits);
        m.setValue(r.value);
        EXPECT_EQ(m.text(), r.shown) << r.value;
    }
}

TEST(HexEditModel, WritingHexValueUppercasesAndPads)
{
    struct Row {
        int digits;
        std::string written, shown;
    };
    const std::vector<Row> rows = {
        {4, "1a", "001A"}, {4, "", "0000"}, {4, "abcdef", "ABCDEF"}, {2, "f", "0F"},
        {4, "xyz", "0XYZ"},  // stored as given: no bound, no check
    };
    for (const auto& r : rows) {
        HexEditModel m;
        m.setHexDigits(r.digits);
        m.setHexValue(r.written);
        EXPECT_EQ(m.hexValue(), r.shown) << r.written;
    }
}

TEST(HexEditModel, HexDigitsStayWithinWhatCanBeReadBack)
{
    HexEditModel m;
    m.setHexDigits(12);
    EXPECT_EQ(m.hexDigits(), 8);
    m.setHexDigits(-3);
    m.setValue(26);
    EXPECT_EQ(m.text(), "1A");
}

TEST(HexEditModel, ParsesHexText)
{
    struct Row {
        std::string text;
        std::optional<std::int32_t> value;
    };
    const std::vector<Row> rows = {
        {"001A", 26},
        {"1a", 26},
        {"11170", 70000},
        {"FF37", 65335},
        {"G1", 17},     // G counts the 1 to its right
        {"1G", 16},     // G is last: it counts 0
        {"GG1", 0x111},
        {"1.5", 0x155},
        {"", 0},
        {"7FFFFFFF", 2147483647},
        {"80000000", std::nullopt},
        {"FFFFFFFF", std::nullopt},
        {"000000001", std::nullopt},  // a ninth character
        {"\xC3\xA9" "1", 17},         // one odd (non-ASCII) character, not two
    };
    const HexEditModel m;
    for (const auto& r : rows)
        EXPECT_EQ(m.parse(r.text), r.value) << r.text;
}

TEST(HexEditModel, ParsesDecimalText)
{
    struct Row {
        std::string text;
        std::optional<std::int32_t> value;
    };
    const std::vector<Row> rows = {
        {"0", 0},           {"26", 26},           {"+26", 26},           {"-26", -26},
        {"0000", 0},        {"2147483647", 2147483647},                  {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},            {"1A", std::nullopt},  {"", std::nullopt},
        {"+", std::nullopt}, {"+-5", std::nullopt}, {"--5", std::nullopt}, {" 5", std::nullopt},
        {"1.5", std::nullopt},
    };
    const HexEditModel m = decimalField();
    for (const auto& r : rows)
        EXPECT_EQ(m.parse(r.text), r.value) << r.text;
}

TEST(HexEditModel, UnparsableTextReadsAsMinValue)
{
    HexEditModel m = hexField(5, 100);
    m.setText("FFFFFFFF");
    EXPECT_EQ(m.value(), 5);
    HexEditModel d = decimalField(-3, 3);
    d.setText("abc");
    EXPECT_EQ(d.value(), -3);
}

TEST(HexEditModel, EqualBoundsMeanNoBound)
{
    const HexEditModel none = hexField(7, 7);
    EXPECT_EQ(none.bound(-100), -100);
    EXPECT_EQ(none.bound(100000), 100000);
    const HexEditModel b = hexField(0, 65335);
    EXPECT_EQ(b.bound(-1), 0);
    EXPECT_EQ(b.bound(65535), 65335);
    EXPECT_EQ(b.bound(300), 300);
}

TEST(HexEditModel, StepsByIncrementWithinBounds)
{
    struct Row {
        std::int32_t min, max;
        int increment;
        std::string from;
        bool up;
        std::string to;
    };
    const std::vector<Row> rows = {
        {0, 0, 1, "0000", true, "0001"},
        {0, 0, 1, "0000", false, "FFFFFFFF"},  // no bound: below zero
        {0, 0, 16, "0010", true, "0020"},
        {0, 65335, 1, "FF37", true, "FF37"},
        {0, 65335, 1, "0000", false, "0000"},
        {0, 65335, 1, "ff36", true, "FF37"},
        {0, 0, 1, "7FFFFFFF", true, "80000000"},
        {0, 0, 1, "xyz", true, "0001"},  // unparsable reads as the minimum
    };
    for (const auto& r : rows) {
        HexEditModel m = hexField(r.min, r.max);
        m.setIncrement(r.increment);
        m.setText(r.from);
        EXPECT_TRUE(r.up ? m.upStep() : m.downStep());
        EXPECT_EQ(m.text(), r.to) << r.from << (r.up ? " up" : " down");
    }
}

TEST(HexEditModel, DownFromZeroWithoutBoundReadsBackAsMinValue)
{
    HexEditModel m;
    m.downStep();
    EXPECT_EQ(m.text(), "FFFFFFFF");
    EXPECT_EQ(m.value(), 0);
}

TEST(HexEditModel, DecimalStepsAreSigned)
{
    HexEditModel m = decimalField();
    m.setText("0");
    m.downStep();
    EXPECT_EQ(m.text(), "-1");
    m.setIncrement(5);
    m.upStep();
    EXPECT_EQ(m.text(), "4");
}

TEST(HexEditModel, ReadOnlyRefusesSteps)
{
    HexEditModel m;
    m.setText("0010");
    m.setReadOnly(true);
    EXPECT_FALSE(m.upStep());
    EXPECT_FALSE(m.downStep());
    EXPECT_EQ(m.text(), "0010");
}

TEST(HexEditModel, EditorDisabledStillSteps)
{
    HexEditModel m;
    m.setEditorEnabled(false);
    EXPECT_TRUE(m.upStep());
    EXPECT_EQ(m.text(), "0001");
}

TEST(HexEditModel, LeavingBoundsOnlyAnOutOfBoundText)
{
    struct Row {
        bool hex;
        std::int32_t min, max;
        std::string typed, shown;
    };
    const std::vector<Row> rows = {
        {true, 0, 65335, "FFFF", "FF37"},
        {true, 0, 65335, "ff", "ff"},        // in bounds: kept exactly as typed
        {true, 0, 65335, "1", "1"},
        {true, 0, 65335, "xyz", "xyz"},      // reads as the minimum, which is in bounds
        {true, 16, 65335, "1", "0010"},
        {true, 0, 0, "FFFFFFFF", "FFFFFFFF"},
        {false, 1, 99, "0500", "99"},
        {false, 1, 99, "+05", "+05"},
    };
    for (const auto& r : rows) {
        HexEditModel m = hexField(r.min, r.max);
        m.setHexadecimal(r.hex);
        m.setText(r.typed);
        m.leave();
        EXPECT_EQ(m.text(), r.shown) << r.typed;
    }
}

TEST(HexEditModel, KeyFilter)
{
    struct Row {
        bool hex;
        bool editorEnabled;
        char32_t key;
        bool accepted;
    };
    const std::vector<Row> rows = {
        {true, true, '0', true},   {true, true, '9', true},   {true, true, 'A', true},
        {true, true, 'F', true},   {true, true, 'a', true},   {true, true, 'f', true},
        {true, true, '.', true},   {true, true, 'g', false},  {true, true, 'G', false},
        {true, true, '+', false},  {true, true, '-', false},  {true, true, ' ', false},
        {true, true, 13, false},   {true, true, 8, true},     {true, true, 3, true},
        {true, true, 27, true},    {true, true, 127, false},  {true, true, U'é', false},
        {false, true, '5', true},  {false, true, '+', true},  {false, true, '-', true},
        {false, true, '.', true},  {false, true, 'a', false}, {false, true, 'A', false},
        {false, true, 13, false},  {false, true, 8, true},
        {true, false, '5', false}, {true, false, 'a', false}, {true, false, 8, false},
        {true, false, 13, false},  {true, false, 3, true},    {true, false, 22, true},
        {false, false, '+', false}, {false, false, 27, true},
    };
    for (const auto& r : rows) {
        HexEditModel m;
        m.setHexadecimal(r.hex);
        m.setEditorEnabled(r.editorEnabled);
        EXPECT_EQ(m.acceptsKey(r.key), r.accepted)
            << "key " << static_cast<unsigned>(r.key) << (r.hex ? " hex" : " dec")
            << (r.editorEnabled ? "" : " editor off");
    }
}

TEST(HexEditModel, KeyFilterTakesTheLocaleSeparator)
{
    HexEditModel m;
    EXPECT_TRUE(m.acceptsKey(',', ','));
    EXPECT_FALSE(m.acceptsKey('.', ','));
}

TEST(HexEditModel, PasteAndCutNeedAnEnabledWritableEditor)
{
    struct Row {
        bool editorEnabled, readOnly, allowed;
    };
    for (const Row& r : std::vector<Row>{{true, false, true}, {false, false, false},
                                         {true, true, false}, {false, true, false}}) {
        HexEditModel m;
        m.setEditorEnabled(r.editorEnabled);
        m.setReadOnly(r.readOnly);
        EXPECT_EQ(m.acceptsPasteOrCut(), r.allowed);
    }
}
