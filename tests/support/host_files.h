#pragma once
// Whole-file access to host paths for test set-up and checks.
#include <string>

// The file's bytes; empty when it cannot be read.
std::string readHostFile(const std::string& path);
// Writes the bytes, creating missing folders first.
void writeHostFile(const std::string& path, const std::string& bytes);
