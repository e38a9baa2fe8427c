#include "common/arg_reader.h"

namespace standin
{

ArgReader::ArgReader(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        m_args.emplace_back(argv[i]);
}

std::optional<std::string> ArgReader::value(const std::string& joined)
{
    if (!joined.empty())
        return joined;
    if (atEnd() || isSwitch(peek()))
        return std::nullopt;
    return next();
}

void ArgReader::insertNext(const std::vector<std::string>& args)
{
    m_args.insert(m_args.begin() + static_cast<std::ptrdiff_t>(m_pos), args.begin(), args.end());
}

bool isSwitch(const std::string& arg)
{
    return arg.size() > 1 && arg[0] == '-';
}

} // namespace standin
