#pragma once
// A deliberately small assembler: it reads the directives that give an object module its shape
// (NAME, PUBLIC, EXTERN, RSEG, DS, DB, DW, END), counts two bytes for every other instruction,
// and reports only lines that are clearly broken.
#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "common/object_file.h"

namespace standin
{

struct AssemblyResult {
    R25Module module;
    std::vector<std::string> listing; // source lines with their diagnostics, numbered
};

AssemblyResult assemble(const std::string& shownName, const std::string& moduleName,
                        const std::vector<std::string>& lines, DiagnosticLog& log);

enum AssemblerDiag {
    WarnNoEnd = 1,
    WarnAfterEnd = 2,
    ErrSourceMissing = 10,
    ErrBadLabel = 11,
    ErrMissingOperand = 12,
    ErrBadNumber = 13,
    ErrUnterminatedString = 14,
    ErrUnbalanced = 15,
    ErrUndefinedPublic = 16,
    ErrDuplicateLabel = 17,
    ErrWriteFailed = 20,
};

} // namespace standin
