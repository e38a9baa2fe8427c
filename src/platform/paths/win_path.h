#pragma once
// Windows path text helpers. The system speaks Windows paths everywhere, so these work on
// the text alone and never touch the disk.
#include <string>
#include <string_view>

namespace winpath {

// Appends a backslash unless the text already ends in one ("" becomes "\").
std::string withBackslash(std::string_view dir);

// Joins a directory and a name with a backslash only when the directory lacks one.
std::string join(std::string_view dir, std::string_view name);

// Name part: everything after the last backslash, slash or colon.
std::string fileName(std::string_view path);

// Directory part including its trailing separator ("C:\a\b.c" -> "C:\a\"), "" when none.
std::string dirPart(std::string_view path);

// Directory without the trailing separator, except for a drive root ("C:\").
std::string dirOnly(std::string_view path);

// Extension of the name part from its last dot, dot included; "" when none.
std::string extension(std::string_view path);

// Path without the extension of its name part.
std::string withoutExtension(std::string_view path);

// True when the text holds a backslash or a colon anywhere.
bool hasDirectoryPart(std::string_view text);

// Upper/lower case of single-byte text (ASCII letters only, other bytes unchanged).
std::string upper(std::string_view s);
std::string lower(std::string_view s);
bool equalsNoCase(std::string_view a, std::string_view b);

// Trims blanks and control characters (code <= 32) from both ends.
std::string trim(std::string_view s);

// Drops the last n characters (all of them when the text is shorter).
std::string dropLast(std::string_view s, std::size_t n);

// Strict decimal integer: one optional sign, then digits and nothing else; false on anything
// else or overflow. Every number read from a project or settings value goes through this.
bool parseInt(std::string_view s, long long& out);
// The same, within the 32-bit range.
bool parseInt32(std::string_view s, int& out);

}  // namespace winpath
