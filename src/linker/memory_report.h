#pragma once
// Memory usage as a build server reads it: summary lines, a JSON report, fill limits.
#include <optional>
#include <string>
#include <vector>

#include "linker/memory_usage.h"

// One line per region for the end of a build: "ROM: 1234 of 28672 bytes (4.3%), +56 since the
// previous build"; a range that is neither ROM nor RAM gets a line of its own.
std::vector<std::string> memorySummary(const MemoryUsage& usage);

// The same facts as JSON, for a build server.
std::string memoryReportJson(const MemoryUsage& usage);

struct FillLimit {
    std::string region; // "ROM" or "RAM"
    double percent = 100;
};
// "ROM=90,RAM=80"; nullopt with the reason when the text is not that.
std::optional<std::vector<FillLimit>> parseFillLimits(const std::string& text, std::string& error);
// The first region fuller than allowed, said in one line; empty when all fit.
std::string fillExceeded(const MemoryUsage& usage, const std::vector<FillLimit>& limits);
