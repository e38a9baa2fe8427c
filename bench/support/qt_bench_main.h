#pragma once
// The main of a benchmark that needs a Qt application: offscreen unless another platform is
// asked for, so a figure can also be taken on a real display.
#include <QApplication>
#include <benchmark/benchmark.h>

inline int runBenchmarksWithQt(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
