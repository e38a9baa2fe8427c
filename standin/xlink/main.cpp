// xlink stand-in: links object modules and library modules into a target image and writes a
// list file; on failure no target is left behind.
#include <iostream>

#include "common/arg_reader.h"
#include "common/diagnostics.h"
#include "common/tool_files.h"
#include "xlink/linker.h"
#include "xlink/output_writer.h"

using namespace standin;

int main(int argc, char** argv)
{
    ArgReader args(argc, argv);
    LinkOptions options;
    for (int i = 1; i < argc; ++i)
        options.commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    DiagnosticLog log;
    std::string problem;
    const bool argsOk = parseLinkArgs(args, options, log, problem);
    if (!options.silent)
        std::cout << banner("xlink") << '\n';
    if (!argsOk) {
        std::cout << commandLineError(problem) << '\n';
        removeFile(options.output);
        return 2;
    }

    Linker linker(options, log);
    linker.run();
    const bool clean = log.errorCount() == 0;
    if ((clean || options.forceDump) && !options.noCode) {
        if (!writeLines(options.output, targetLines(options, linker)))
            log.error(ErrWriteFailed, "cannot create file '" + options.output + "'");
    }
    if (log.errorCount() > 0 && !options.forceDump)
        removeFile(options.output); // an earlier image must not pass for this link's result
    // The list file is written on failure too: it is where the faults can be read afterwards.
    if (!options.listFile.empty() && !writeLines(options.listFile, mapLines(options, linker, log))) {
        log.error(ErrWriteFailed, "cannot create file '" + options.listFile + "'");
        removeFile(options.output);
    }

    for (const Diagnostic& d : log.all())
        std::cout << d.format() << '\n';
    if (!options.silent)
        for (const std::string& s : log.summary())
            std::cout << s << '\n';
    return log.errorCount() == 0 ? 0 : 1;
}
