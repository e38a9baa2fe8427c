#pragma once
// Starting a build and the one end check five seconds later.
#include <cstdint>
#include <string>

class TEmbedded;
struct Sender;

class BuildRun {
public:
    explicit BuildRun(TEmbedded& app);

    void Compile1Click(const Sender& sender);
    void CompBtnClick();
    void CompileTimerTimer();
    void EnableListingViews();

    bool previousTarget() const { return m_previousTarget; }
    bool timerRunning() const { return m_timerRunning; }

private:
    TEmbedded& m_app;
    bool m_previousTarget = false;
    bool m_timerRunning = false;
    std::int64_t m_startMs = 0;
};
