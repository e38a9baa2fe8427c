#pragma once
// Splits C source into tokens and preprocessor directives, reporting the faults that only the
// characters show: unterminated comments, string literals and character constants.
#include <string>
#include <vector>

#include "common/diagnostics.h"

namespace standin
{

struct Token {
    enum Kind { Ident, Number, String, Char, Punct };
    Kind kind = Punct;
    std::string text;
    int line = 0;
};

struct Directive {
    int line = 0;
    std::vector<Token> tokens; // after the '#'; tokens[0] is the directive's name
};

struct ScanOptions {
    bool nestedComments = false; // "/*" inside a comment opens another level
    bool extensions = false;     // "//" comments are accepted without a warning
};

struct ScannedFile {
    std::string name; // as reported in diagnostics
    std::vector<std::string> lines;
    std::vector<Token> tokens; // outside directives
    std::vector<Directive> directives;
};

ScannedFile scanC(const std::string& name, const std::string& text, const ScanOptions& options,
                  DiagnosticLog& log);

// Diagnostic numbers of the compiler.
enum CompilerDiag {
    WarnNestedComment = 1,
    WarnLineComment = 2,
    WarnNoFinalNewline = 3,
    WarnNoPrototype = 4,
    ErrUnterminatedComment = 10,
    ErrUnterminatedString = 11,
    ErrUnterminatedChar = 12,
    ErrEmptyChar = 13,
    ErrUnclosedBracket = 20,
    ErrUnopenedBracket = 21,
    ErrIncludeMissing = 30,
    ErrIncludeSyntax = 31,
    ErrSourceMissing = 40,
    ErrWriteFailed = 41,
};

} // namespace standin
