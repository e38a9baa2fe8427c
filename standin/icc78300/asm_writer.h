#pragma once
// Assembler output of a compilation (-a / -A), in the form the stand-in A78300 reads back.
#include <string>
#include <vector>

#include "icc78300/compilation.h"

namespace standin
{

std::vector<std::string> assemblerLines(const Compilation& compilation, const CompilerOptions& options);

} // namespace standin
