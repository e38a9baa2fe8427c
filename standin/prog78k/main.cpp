// prog78k stand-in: a device programmer for the demo. prog78k [FILE] reports what it was asked
// to load into the target and what the file holds. Without FILE it loads the file named by the
// line "Load=..." of prog78k.ini in the current folder (its own folder, when Tarnel starts it).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <thread>
#include <unistd.h>

#include "common/tool_files.h"
#include "platform/paths/win_path.h"
#include "prog78k/image.h"

using namespace standin;

namespace
{

std::string configuredFile()
{
    const auto lines = readLines("prog78k.ini");
    if (!lines)
        return {};
    for (const std::string& line : *lines) {
        const std::string t = winpath::trim(line);
        if (t.size() > 5 && winpath::equalsNoCase(t.substr(0, 5), "Load="))
            return winpath::trim(t.substr(5));
    }
    return {};
}

std::string hex(long v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04lX", v);
    return buf;
}

// Shows a step of the programming run, paced so that a person at a terminal sees it happen.
void step(const std::string& what)
{
    static const bool watched = ::isatty(STDOUT_FILENO) == 1;
    std::cout << what << std::flush;
    for (int i = 0; i < 6; ++i) {
        if (watched)
            std::this_thread::sleep_for(std::chrono::milliseconds(120));
        std::cout << '.' << std::flush;
    }
    std::cout << " done\n";
}

} // namespace

int main(int argc, char** argv)
{
    std::cout << "prog78k " << STANDIN_VERSION
              << " - stand-in device programmer for the NEC 78K/III (Tarnel demo)\n";
    std::error_code ec;
    std::cout << "Working folder : " << std::filesystem::current_path(ec).string() << '\n';
    std::cout << "Parameters     :";
    for (int i = 1; i < argc; ++i)
        std::cout << " [" << argv[i] << ']';
    std::cout << (argc > 1 ? "\n" : " (none)\n");

    std::string file = argc > 1 ? argv[1] : configuredFile();
    if (file.empty()) {
        std::cout << "Nothing to load: no file was named and prog78k.ini names none.\n";
        return 1;
    }
    std::cout << "Asked to load  : " << file << (argc > 1 ? "\n" : "  (from prog78k.ini)\n");
    const auto lines = readLines(file);
    if (!lines) {
        std::cout << "Cannot open " << file << ": nothing was programmed.\n";
        return 1;
    }
    const TargetImage image = readImage(*lines);
    if (image.format.empty()) {
        std::cout << file << " holds neither S-records nor Intel hex: nothing was programmed.\n";
        return 1;
    }
    std::cout << "Format         : " << image.format << ", " << image.records << " data records\n";
    if (image.low >= 0)
        std::cout << "Image          : " << image.bytes << " bytes at " << hex(image.low) << "-"
                  << hex(image.high) << "H\n";
    for (const std::string& p : image.problems)
        std::cout << "Problem        : " << p << '\n';
    if (!image.problems.empty()) {
        std::cout << "The file is damaged: nothing was programmed.\n";
        return 1;
    }
    step("Erasing the target ");
    step("Programming ");
    step("Verifying ");
    std::cout << "The target holds " << file << ".\n";
    return 0;
}
