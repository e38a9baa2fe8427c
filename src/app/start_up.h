#pragma once
// The start-up sequence run once on the first tick of the start-up timer, and the shutdown.
#include <string>

class TEmbedded;

class StartUp {
public:
    static constexpr int TimerMs = 1000;

    explicit StartUp(TEmbedded& app);

    // First activation arms the timer; later activations do nothing.
    void FormActivate();
    void StartTimerTimer();
    void shutdown();

    bool armed() const { return m_armed; }
    bool done() const { return m_done; }

    // What became of the last project at start-up, for a caller that runs it without a user.
    enum class ProjectLoad { NotReached, NoProject, Failed, BuildFilesFailed, Ready };
    ProjectLoad projectLoad() const { return m_projectLoad; }

private:
    void checkCompileDir();
    void checkCommandFiles();
    void copyToolchainFiles();
    void reportMissingNec();
    void prepareControls();
    void loadLastProject();

    TEmbedded& m_app;
    bool m_armed = false;
    bool m_done = false;
    // How far the start-up got: a close before these points must not write defaults over the
    // user's stored settings or project.
    bool m_settingsRead = false;
    bool m_projectSettled = false;
    ProjectLoad m_projectLoad = ProjectLoad::NotReached;
};
