#pragma once
// One-shot timers on the thread that owns this object (the user-interface thread).
#include <QObject>
#include <map>

#include "platform/host/shell.h"

class QTimer;

class QtTimers : public Timers
{
public:
    QtTimers();
    ~QtTimers() override;

    Id startOnce(int milliseconds, std::function<void()> callback) override;
    void cancel(Id id) override;
    int pendingCount() const { return static_cast<int>(m_pending.size()); }

private:
    QObject m_owner;
    std::map<Id, QTimer*> m_pending;
    Id m_next = 1;
};
