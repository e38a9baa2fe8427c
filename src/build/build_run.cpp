#include "build/build_run.h"

#include "app/tembedded.h"

// Placeholder until the build run lands.
BuildRun::BuildRun(TEmbedded& app) : m_app(app) {}
void BuildRun::Compile1Click(const Sender&) {}
void BuildRun::CompBtnClick() {}
void BuildRun::CompileTimerTimer() {}
void BuildRun::EnableListingViews() {}
