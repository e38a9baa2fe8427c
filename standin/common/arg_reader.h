#pragma once
// Walks a tool's arguments. A switch's value may be joined to it ("-t8", "-OC:\x.r25") or be the
// next argument ("-o x.r25", "-l main").
#include <optional>
#include <string>
#include <vector>

namespace standin
{

class ArgReader
{
public:
    explicit ArgReader(std::vector<std::string> args) : m_args(std::move(args)) {}
    ArgReader(int argc, char** argv);

    bool atEnd() const { return m_pos >= m_args.size(); }
    const std::string& peek() const { return m_args[m_pos]; }
    std::string next() { return m_args[m_pos++]; }

    // The joined text when there is one, else the next argument; nullopt when none is left or
    // the next one is a switch (an empty name written as "-o -P" is a missing name, not "-P").
    std::optional<std::string> value(const std::string& joined);

    // Puts further arguments (from a command file) in front of the ones not yet read.
    void insertNext(const std::vector<std::string>& args);

private:
    std::vector<std::string> m_args;
    std::size_t m_pos = 0;
};

bool isSwitch(const std::string& arg);

} // namespace standin
