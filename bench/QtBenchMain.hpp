#pragma once
// main() of a benchmark program that needs Qt's application object: Qt runs
// offscreen unless QT_QPA_PLATFORM says otherwise, and `run` registers and
// runs the benchmarks while the application lives.

#include <QApplication>
#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace quoddle::bench {

template <class Run>
int RunWithApplication(int argc, char** argv, Run&& run)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    run();
    benchmark::Shutdown();
    return 0;
}

} // namespace quoddle::bench
