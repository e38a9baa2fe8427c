// icc78300 stand-in: checks a C source for faults, writes the listing, the object module and,
// when asked, an assembler file.
#include <iostream>

#include "common/arg_reader.h"
#include "common/diagnostics.h"
#include "common/tool_files.h"
#include "icc78300/asm_writer.h"
#include "icc78300/compilation.h"
#include "icc78300/listing_writer.h"

using namespace standin;

namespace
{

void writeOrReport(const std::string& name, const std::vector<std::string>& lines, DiagnosticLog& log)
{
    if (!writeLines(name, lines))
        log.error(ErrWriteFailed, "cannot create file '" + name + "'");
}

} // namespace

int main(int argc, char** argv)
{
    ArgReader args(argc, argv);
    CompilerOptions options;
    std::string problem;
    const bool argsOk = parseCompilerArgs(args, options, problem);
    if (!options.silent)
        std::cout << banner("icc78300") << '\n';
    const std::string objectName = options.objectFile.empty()
                                       ? baseName(options.source) + ".r25"
                                       : withDefaultExtension(options.objectFile, ".r25");
    if (!argsOk) {
        std::cout << commandLineError(problem) << '\n';
        if (!options.source.empty())
            removeFile(objectName); // an object left by an earlier run must not pass for a result
        return 2;
    }

    DiagnosticLog log;
    log.setWarningsEnabled(!options.warningsOff);
    Compilation compilation(options, log);
    const bool read = compilation.run();

    const std::string asmName = withDefaultExtension(options.asmFile, ".s25");
    // Outputs depend on the verdict, which the listing reports, so decide it first.
    const bool produce = read && log.errorCount() == 0 && !options.syntaxOnly;
    if (read && !options.listFile.empty()) {
        const std::string listName = withDefaultExtension(options.listFile, ".lst");
        writeOrReport(listName,
                      listingLines(compilation, options, log, {listName, produce ? objectName : ""}), log);
    }
    if (produce) {
        writeOrReport(objectName, formatModule(compilation.module()), log);
        if (!options.asmFile.empty())
            writeOrReport(asmName, assemblerLines(compilation, options), log);
    }
    if (!read || log.errorCount() > 0) {
        removeFile(objectName);
        if (!options.asmFile.empty())
            removeFile(asmName);
    }

    for (const Diagnostic& d : log.all())
        std::cout << d.format() << '\n';
    if (!options.silent)
        for (const std::string& line : log.summary())
            std::cout << line << '\n';
    return log.errorCount() == 0 ? 0 : 1;
}
