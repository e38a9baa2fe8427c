#pragma once
// File access for the stand-in tools. Every name they are given is a Windows path (or a plain
// name in the current folder), mapped to the host through the Wine-style drive map.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace standin
{

// Host path of a Windows path or of a name relative to the current folder (a path that starts
// with "/" already is one); nullopt when the path names a drive that does not exist.
std::optional<std::string> hostPath(std::string_view windowsPath);

bool fileExists(std::string_view windowsPath);

// Whole content of a file; nullopt when it cannot be read.
std::optional<std::string> readText(std::string_view windowsPath);

// Lines of a text file (CR LF, CR and LF all end a line); nullopt when it cannot be read.
std::optional<std::vector<std::string>> readLines(std::string_view windowsPath);

// Writes the lines with CR LF ends through a temporary file, so that a failed run never leaves
// a half-written output behind. False when the file cannot be written.
bool writeLines(std::string_view windowsPath, const std::vector<std::string>& lines);

// Removes an output left by an earlier run, so that a failed run does not leave a stale result.
void removeFile(std::string_view windowsPath);

// The name with the extension added when its name part has none ("main" -> "main.lst").
std::string withDefaultExtension(std::string_view name, std::string_view extension);

// Name part without directory and extension ("C:\src\main.c" -> "main").
std::string baseName(std::string_view path);

// Blank-separated words of a line.
std::vector<std::string> splitWords(std::string_view line);

} // namespace standin
