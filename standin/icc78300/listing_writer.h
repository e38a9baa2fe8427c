#pragma once
// The compiler listing (-l / -L): a header, the numbered source lines with each diagnostic
// after the line it concerns, optional cross reference, and the error and warning counts.
#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "icc78300/compilation.h"

namespace standin
{

struct ListingNames {
    std::string listing;
    std::string object; // empty when no object is written
};

std::vector<std::string> listingLines(const Compilation& compilation, const CompilerOptions& options,
                                      const DiagnosticLog& log, const ListingNames& names);

} // namespace standin
