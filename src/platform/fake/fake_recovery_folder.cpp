#include "platform/fake/fake_recovery_folder.h"

bool FakeRecoveryFolder::claim(const std::string& name)
{
    if (heldElsewhere.count(name))
        return false;
    claims.insert(name);
    return true;
}

std::vector<std::string> FakeRecoveryFolder::list() const
{
    std::vector<std::string> out;
    for (const auto& [name, bytes] : files)
        out.push_back(name);
    return out;
}

std::optional<std::string> FakeRecoveryFolder::read(const std::string& name) const
{
    const auto it = files.find(name);
    if (it == files.end())
        return std::nullopt;
    return it->second;
}
