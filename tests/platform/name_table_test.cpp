#include <gtest/gtest.h>

#include <string>

#include "platform/paths/name_table.h"

// Thousands of names make the table grow several times; each must still be found by any case,
// and only under its own lower-case form.
TEST(NameTable, EveryNameIsFoundByAnyCaseAfterTheTableGrew)
{
    NameTable table;
    for (int i = 0; i < 5000; ++i)
        table.insert("Src" + std::to_string(i) + ".C").first = "Src" + std::to_string(i) + ".C";
    table.insert("src7.c").more.push_back("src7.c");
    EXPECT_EQ(table.size(), 5000u);

    const struct {
        const char* name;
        const char* first;  // nullptr: not entered
    } rows[] = {
        {"src0.c", "Src0.C"}, {"SRC4999.C", "Src4999.C"}, {"sRc2500.c", "Src2500.C"},
        {"src7.C", "Src7.C"}, {"src5000.c", nullptr},     {"src0.c ", nullptr},
        {"", nullptr},
    };
    for (const auto& r : rows) {
        const Spellings* found = table.find(r.name);
        EXPECT_EQ(found ? found->first : "<none>", r.first ? r.first : "<none>") << r.name;
    }
    EXPECT_TRUE(table.find("SRC7.C")->holds("src7.c"));
}
