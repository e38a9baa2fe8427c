#pragma once
// A recovery copy on disk: a short header naming the window's file, then its text as is.
//
//   Tarnel recovery copy 1
//   pid 4242
//   file C:\Work\main.c        (empty after "file " for a window that never had a name)
//   length 1234
//   <blank line>
//   <the text, length bytes>
#include <optional>
#include <string>

struct RecoveryCopy {
    std::string name;      // in the recovery folder
    int pid = 0;           // of the Tarnel that wrote it
    std::string original;  // the window's file; empty for a new file
    std::string text;      // CR LF, as the window holds it
};

std::string composeRecoveryCopy(int pid, const std::string& original, const std::string& text);
// Nothing when the bytes are not a whole copy (cut short, another file, damaged).
std::optional<RecoveryCopy> parseRecoveryCopy(const std::string& name, const std::string& bytes);
