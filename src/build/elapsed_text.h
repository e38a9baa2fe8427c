#pragma once
#include <cstdint>
#include <string>

// How long a run took, as the Build Output panel says it: "85 ms", "2.4 s", "3 min 5 s".
std::string elapsedText(std::int64_t ms);
