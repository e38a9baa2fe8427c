#include "platform/qt/qt_timers.h"

#include <QTimer>

QtTimers::QtTimers() = default;

QtTimers::~QtTimers() = default; // the owner object deletes the timers

Timers::Id QtTimers::startOnce(int milliseconds, std::function<void()> callback)
{
    const Id id = m_next++;
    auto* timer = new QTimer(&m_owner);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, &m_owner, [this, id, fn = std::move(callback)] {
        // Forget the timer first: the callback may start or cancel timers, this one included.
        const auto it = m_pending.find(id);
        if (it == m_pending.end())
            return;
        QTimer* fired = it->second;
        m_pending.erase(it);
        fired->deleteLater();
        fn();
    });
    m_pending[id] = timer;
    timer->start(milliseconds);
    return id;
}

void QtTimers::cancel(Id id)
{
    const auto it = m_pending.find(id);
    if (it == m_pending.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    m_pending.erase(it);
}
