#pragma once
// One batch command split into its text and its redirections, and the helpers that split the
// text further into a command word and arguments.
#include <string>
#include <string_view>
#include <vector>

struct Redirection {
    int handle = 1;        // 0 input, 1 output, 2 errors
    bool append = false;   // >> rather than >
    std::string target;    // Windows path, or "&N" to share handle N
};

struct CommandLine {
    std::string text;  // the command without its redirections, spacing kept
    std::vector<Redirection> redirections;

    // A digit right before > names the handle only when a blank (or nothing) stands before the
    // digit: " 2> f" redirects errors while "-v2> f" keeps "-v2" and redirects output.
    static CommandLine parse(std::string_view line);
};

struct CommandWord {
    std::string word;  // as written, for running a program or a batch file
    std::string name;  // the part an internal command is recognised by ("ECHO" of "ECHO.")
    std::string rest;  // everything after `name`, starting with its delimiter
    std::string tail;  // everything after `word`: a program's arguments
};

// Splits off the first word. Internal commands end at a blank or at one of . : / \ ( = + , ;
// so "ECHO." and "CD.." work as in cmd.
CommandWord splitCommandWord(std::string_view text);

// Arguments split on blanks; double quotes group blanks and are removed.
std::vector<std::string> splitArguments(std::string_view text);

// Blanks and tabs.
bool isBlank(char c);
