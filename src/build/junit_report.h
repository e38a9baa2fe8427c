#pragma once
// The build as JUnit XML, as build servers count tests: one case per C source of the project
// and one for the link. A case fails when its program exited non-zero, reported an error, did
// not end or did not run at all; the failure's message is what the program reported.
#include <string>

struct BuildReport;

std::string junitReport(const BuildReport& report);
