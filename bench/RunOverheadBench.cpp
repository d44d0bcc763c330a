// What one short run costs: the child prints one line and exits. Execute is
// set against the least a program can do for the same (posix_spawn, read to
// the end, waitpid) and against QProcess. Goals: Execute at most 1.15 times
// the bare spawn, and faster than QProcess.
//
// The child's own start (loading it and its C++ runtime) is most of a run,
// and the machine is shared, so single figures wander by 10 to 20 %. Without
// arguments the benchmarks therefore run interleaved, 20 times each, and the
// ratios of the medians are printed at the end; the parent's CPU time per run
// is printed beside them. Any argument replaces those defaults.

#include "BenchChild.hpp"
#include "console/SfcConsoleIOHandler.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

#ifdef QUODDLE_BENCH_QPROCESS
#include <QCoreApplication>
#include <QProcess>
#endif

namespace {

using quoddle::bench::ChildDir;
using quoddle::bench::ChildPath;

const std::string kLine = "List of devices attached\n";
const std::string kAction = "out:" + quoddle::bench::Hex(kLine);

void BM_BareSpawn(benchmark::State& state)
{
    std::string path = ChildPath();
    std::string action = kAction;
    char* argv[] = {path.data(), action.data(), nullptr};
    std::string out;
    char buffer[2048];
    for (auto _ : state) {
        out.clear();
        if (const char* failed = quoddle::bench::SpawnAndReadAll(argv, buffer, [&](std::string_view read) { out += read; }))
            state.SkipWithError(failed);
        else if (out != kLine)
            state.SkipWithError("unexpected output");
    }
}

void RunExecute(benchmark::State& state, quoddle::TSfcConsoleIOHandler& runner)
{
    quoddle::TCommandInfo info;
    quoddle::MakeCommandInfo(ChildPath(), kAction, ChildDir(), "", info);
    for (auto _ : state) {
        if (runner.Execute(info) != quoddle::kOutputGaveLines || runner.Lines.size() != 1)
            state.SkipWithError("unexpected result");
    }
}

void BM_Execute(benchmark::State& state)
{
    quoddle::TSfcConsoleIOHandler runner;
    RunExecute(state, runner);
}

// As the window runs it: with a callback that keeps painting while it waits.
void BM_ExecuteWhileWaiting(benchmark::State& state)
{
    quoddle::TSfcConsoleIOHandler runner;
    runner.SetWhileWaiting([] {});
    RunExecute(state, runner);
}

#ifdef QUODDLE_BENCH_QPROCESS
void BM_QProcess(benchmark::State& state)
{
    const QString program = QString::fromStdString(ChildPath());
    const QStringList arguments{QString::fromStdString(kAction)};
    for (auto _ : state) {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(-1);
        if (process.readAllStandardOutput().toStdString() != kLine)
            state.SkipWithError("unexpected output");
    }
}
#endif

void Configure(benchmark::internal::Benchmark* b) { b->UseRealTime()->Unit(benchmark::kMicrosecond); }

BENCHMARK(BM_BareSpawn)->Apply(Configure);
BENCHMARK(BM_Execute)->Apply(Configure);
BENCHMARK(BM_ExecuteWhileWaiting)->Apply(Configure);
#ifdef QUODDLE_BENCH_QPROCESS
BENCHMARK(BM_QProcess)->Apply(Configure);
#endif

// Prints as usual and keeps each benchmark's median (or only) real and CPU time.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && run.repetitions <= 1))
                times_[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }

    void PrintRatios() const
    {
        const auto bare = times_.find("BM_BareSpawn");
        if (bare == times_.end())
            return;
        std::printf("\nPer run, against the bare spawn (medians):\n");
        for (const auto& [name, time] : times_)
            std::printf("  %-24s real %8.1f us  %5.3f x bare    parent CPU %6.1f us\n", name.c_str(), time.real,
                        time.real / bare->second.real, time.cpu);
        const auto execute = times_.find("BM_Execute");
        const auto qprocess = times_.find("BM_QProcess");
        if (execute != times_.end() && qprocess != times_.end())
            std::printf("  Execute / QProcess: real %.3f, parent CPU %.3f\n", execute->second.real / qprocess->second.real,
                        execute->second.cpu / qprocess->second.cpu);
    }

private:
    struct Times {
        double real, cpu;
    };
    std::map<std::string, Times> times_;
};

} // namespace

int main(int argc, char** argv)
{
#ifdef QUODDLE_BENCH_QPROCESS
    QCoreApplication app(argc, argv);
#endif
    std::vector<char*> args(argv, argv + argc);
    static char repetitions[] = "--benchmark_repetitions=20";
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    if (argc == 1)
        args.insert(args.end(), {repetitions, interleave, aggregates});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
