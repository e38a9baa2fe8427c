#pragma once
// The settings file where there is no registry: "[General]" and one "Name=Value" line per value,
// the value verbatim, so Windows paths read as they are written. Files written by Qt's own INI
// writer (percent-encoded names, doubled backslashes, quoted values) read back as well.
#include <string>
#include <utility>
#include <vector>

using IniEntries = std::vector<std::pair<std::string, std::string>>;

IniEntries parsePlainIni(const std::string& bytes);
std::string formatPlainIni(const IniEntries& entries);
