#pragma once
// Starting a build and the one end check five seconds later.
#include <cstdint>
#include <functional>
#include <string>

class TEmbedded;
struct Sender;

class BuildRun {
public:
    static constexpr int CompileTimerMs = 5000;

    explicit BuildRun(TEmbedded& app);

    void Compile1Click(const Sender& sender);
    void CompBtnClick();
    void CompileTimerTimer();
    void EnableListingViews();
    // Starts a batch file of the working directory as a build, with the end check to follow:
    // "pathset.bat" for the build commands, a file of our own for builds of our own.
    void startBatch(const std::string& batchName);
    // Turns off the result views a build is about to replace.
    void disableResultViews();

    // The file whose existence decides the outcome, from the controls as they stand.
    std::string targetPath() const;

    bool previousTarget() const { return m_previousTarget; }
    bool timerRunning() const { return m_timerRunning; }
    std::int64_t startMs() const { return m_startMs; }

    // Additions that follow a build hear of it just before its batch file starts and after
    // the end check has shown its verdict; neither changes what the build does.
    std::function<void()> onStarting;
    std::function<void()> onChecked;
    // Heard when "Build All" or "Compile" has written its batch files and is about to start them.
    std::function<void()> onFullBuild;

private:
    TEmbedded& m_app;
    bool m_previousTarget = false;
    bool m_timerRunning = false;
    std::int64_t m_startMs = 0;
};
