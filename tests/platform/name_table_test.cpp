#include <gtest/gtest.h>

#include <string>

#include "platform/paths/name_table.h"

// Thousands of names make the table grow several times; each must still be found by any case,
// and only under its own lower-case form.
TEST(NameTable, EveryNameIsFoundByAnyCaseAfterTheTableGrew)
{
    NameTable<int> table;
    for (int i = 0; i < 5000; ++i)
        table.insert("Src" + std::to_string(i) + ".C") = i;
    bool added = true;
    table.insert("SRC7.c", &added) += 10000;
    EXPECT_FALSE(added);
    EXPECT_EQ(table.size(), 5000u);

    const struct {
        const char* name;
        int value;  // -1: not entered
    } rows[] = {
        {"src0.c", 0},        {"SRC4999.C", 4999}, {"sRc2500.c", 2500}, {"src7.C", 10007},
        {"src5000.c", -1},    {"src0.c ", -1},     {"", -1},
    };
    for (const auto& r : rows) {
        const int* found = table.find(r.name);
        EXPECT_EQ(found ? *found : -1, r.value) << r.name;
    }
}
