#pragma once
// The settings file where there is no registry: "[General]" and one "Name=Value" line per value,
// the value verbatim, so Windows paths read as they are written. Files written by Qt's own INI
// writer (percent-encoded names, doubled backslashes, quoted values) are told apart by the file
// as a whole and read by Qt's reader; never value by value.
#include <string>
#include <utility>
#include <vector>

using IniEntries = std::vector<std::pair<std::string, std::string>>;

enum class IniForm { Plain, QtEscaped };

// Qt's writer percent-encodes the blanks of names ("Comp%20Source"); ours and people writing
// by hand keep them. A file is in Qt's form when no name of its [General] data holds a blank
// and some name holds a percent escape.
IniForm iniFormOf(const std::string& bytes);

// The [General] data of a plain file, verbatim. Lines before any section count as [General].
IniEntries parsePlainIni(const std::string& bytes);
std::string formatPlainIni(const IniEntries& entries);

// True when the bytes hold anything but blanks and line breaks.
bool holdsText(const std::string& bytes);
// True when some of the bytes are no settings a reader takes in or a writer gives back: a NUL
// byte, or a line that is neither blank, a "[section]" nor a "Name=Value" line (comments too).
bool holdsMoreThanSettings(const std::string& bytes);
