#pragma once
// The editor's two searches over the whole text.
#include <string>
#include <vector>

// First occurrence of what at or after from, letters a to z matched without regard to case
// (other bytes exactly); npos when there is none or what is empty.
std::size_t findIgnoringCase(const std::string& text, std::size_t from, const std::string& what);
// First occurrence of what in the whole text, case distinguished; npos when none or empty.
std::size_t findExact(const std::string& text, const std::string& what);
// Every occurrence of what, case distinguished, from the start and never overlapping.
std::vector<std::size_t> findAllExact(const std::string& text, const std::string& what);
