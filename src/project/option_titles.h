#pragma once
// The labels the project list view sets beside the project lines, by row number.
#include <string>
#include <vector>

namespace optiontitles {

// 91 labels, verbatim; blank rows are empty strings.
const std::vector<std::string>& labels();

}  // namespace optiontitles
