#pragma once
// The build as a SARIF 2.1.0 log, as code scanning services read it: one run per tool that
// ran, its calls as invocations, one result per diagnostic. Every result has a location, for
// a service rejects one without: the file and line it names, relative to the project file's
// folder ("%SRCROOT%") or absolute where the file lies outside; the project file itself for a
// diagnostic that names no place.
#include <string>

struct BuildReport;

std::string sarifLog(const BuildReport& report);
