#pragma once
// The recovery folder in memory; writes take effect at once. Names in heldElsewhere stand for
// claims of other running processes.
#include <map>
#include <set>

#include "platform/host/recovery_folder.h"

class FakeRecoveryFolder : public RecoveryFolder {
public:
    int processId() const override { return pid; }
    bool claim(const std::string& name) override;
    void release(const std::string& name) override { claims.erase(name); }
    std::vector<std::string> list() const override;
    std::optional<std::string> read(const std::string& name) const override;
    using RecoveryFolder::write;
    void write(const std::string& name, std::function<std::string()> bytes) override { files[name] = bytes(); }
    void remove(const std::string& name) override { files.erase(name); }
    void flush() override { ++flushes; }

    int pid = 4242;
    std::map<std::string, std::string> files;
    std::set<std::string> claims;
    std::set<std::string> heldElsewhere;
    int flushes = 0;
};
