#pragma once
// The recovery folder in the user's data folder (on Linux ~/.local/share/Orvane/Tarnel/recovery).
// Writes go through one worker thread, so a copy of a large text never holds up typing; a
// claim is a lock file that a later process finds stale once its owner has ended.
#include <QString>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/host/recovery_folder.h"

class QLockFile;

class QtRecoveryFolder : public RecoveryFolder {
public:
    // An empty folder means the user's own.
    explicit QtRecoveryFolder(QString folder = {});
    ~QtRecoveryFolder() override;  // finishes every write asked for

    static QString userFolder();
    const QString& folder() const { return m_folder; }

    int processId() const override;
    bool claim(const std::string& name) override;
    void release(const std::string& name) override;
    std::vector<std::string> list() const override;
    std::optional<std::string> read(const std::string& name) const override;
    using RecoveryFolder::write;
    void write(const std::string& name, std::function<std::string()> bytes) override;
    void remove(const std::string& name) override;
    void flush() override;

private:
    struct Job {
        std::string name;
        std::function<std::string()> bytes;  // none: remove
    };
    void run();
    std::string hostPath(const std::string& name) const;
    bool makeFolder() const;

    QString m_folder;
    std::map<std::string, std::unique_ptr<QLockFile>> m_claims;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_worker;
};
