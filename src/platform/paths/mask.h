#pragma once
#include <string>

// Case-insensitive "*.h", "*.r25", "*.c;*.h" style mask matching: '*' and '?' wildcards,
// alternatives separated by ';' (blanks around them ignored).
bool matchesMask(const std::string& name, const std::string& mask);
