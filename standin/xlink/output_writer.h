#pragma once
// The linker's two outputs: the target image in the chosen format, and the list (map) file.
#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "xlink/linker.h"

namespace standin
{

// MOTOROLA: S-records; INTEL-STANDARD and INTEL-EXTENDED: Intel hex; any other format (and
// none): a readable symbolic image of our own.
std::vector<std::string> targetLines(const LinkOptions& options, const Linker& linker);

std::vector<std::string> mapLines(const LinkOptions& options, const Linker& linker, const DiagnosticLog& log);

} // namespace standin
