// A78300 stand-in: A78300 SOURCE [LISTNAME] [switches]. Writes SOURCE's base name + ".r25" in
// the current folder, and LISTNAME (".lst" added when it has no extension) when given.
#include <iostream>

#include "a78300/assembler.h"
#include "common/arg_reader.h"
#include "common/tool_files.h"
#include "platform/paths/win_path.h"

using namespace standin;

int main(int argc, char** argv)
{
    std::cout << banner("A78300") << '\n';
    ArgReader args(argc, argv);
    std::vector<std::string> names;
    while (!args.atEnd()) {
        const std::string arg = args.next();
        if (!isSwitch(arg)) // switches are taken and ignored
            names.push_back(arg);
    }
    if (names.empty() || names.size() > 2) {
        std::cout << commandLineError("usage: A78300 SOURCE [LISTNAME] [switches]") << '\n';
        return 2;
    }
    const std::string& source = names[0];
    const std::string objectName = baseName(source) + ".r25";
    std::cout << "Source  : " << source << '\n';
    DiagnosticLog log;
    const auto lines = readLines(source);
    if (!lines) {
        log.error(ErrSourceMissing, "cannot open source file '" + source + "'");
    } else {
        const AssemblyResult result = assemble(winpath::fileName(source), baseName(source), *lines, log);
        if (log.errorCount() == 0 && !writeLines(objectName, formatModule(result.module)))
            log.error(ErrWriteFailed, "cannot create file '" + objectName + "'");
        if (names.size() > 1) {
            const std::string listName = withDefaultExtension(names[1], ".lst");
            if (!writeLines(listName, result.listing))
                log.error(ErrWriteFailed, "cannot create file '" + listName + "'");
            else
                std::cout << "Listing : " << listName << '\n';
        }
        if (log.errorCount() == 0)
            std::cout << "Object  : " << objectName << '\n';
    }
    if (log.errorCount() > 0)
        removeFile(objectName);
    for (const Diagnostic& d : log.all())
        std::cout << d.format() << '\n';
    for (const std::string& s : log.summary())
        std::cout << s << '\n';
    return log.errorCount() == 0 ? 0 : 1;
}
