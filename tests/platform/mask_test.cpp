#include <gtest/gtest.h>

#include "platform/paths/mask.h"

TEST(Mask, MatchesWithoutRegardToCase)
{
    struct Row {
        const char* name;
        const char* mask;
        bool match;
    };
    const Row rows[] = {
        {"main.c", "*.c", true},     {"MAIN.C", "*.c", true},        {"main.c", "*.C", true},
        {"main.h", "*.c;*.h", true}, {"main.h", "*.out; *.h", true}, {"main.ch", "*.c;*.h", false},
        {"obj.R25", "*.r25", true},  {"obj.r250", "*.r25", false},   {"LK7832SL.xcl", "lk78*.XCL", true},
        {"a.c", "?.c", true},        {"ab.c", "?.c", false},         {"noext", "*.*", true},
        {"a.b.c", "*.c", true},      {"main.c", "", false},          {"main.c", ";", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(matchesMask(r.name, r.mask), r.match) << r.name << " / " << r.mask;
}
