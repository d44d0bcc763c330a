// Capture of 64 MiB of 80-byte lines (79 characters and LF) into Lines.
// Goals: at least 500 MB/s, and a peak heap no more than 2.5 times the text.
//
// Beside Execute, two yardsticks split the time: the bare pipe (posix_spawn
// and 64 KiB reads, nothing kept) and the platform's RunChild alone (its
// reads handed to a callback that only counts them).
//
// Counters: MB_per_s (decimal megabytes of text per second of real time) and
// text_MB. BM_Capture gives the throughput; the BM_CaptureHeap runs count the
// heap (which costs them some speed): peak_over_text is the heap's highest
// point during the run, above what an empty runner holds, divided by the
// text; held_over_text is what Lines keeps afterwards, likewise.

#include "BenchChild.hpp"
#include "HeapCounter.hpp"
#include "console/SfcConsoleIOHandler.hpp"
#include "platform/Platform.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

namespace heap = quoddle::bench::heap;

constexpr std::size_t kLineBytes = 80;
constexpr std::size_t kLineCount = ((std::size_t{64} << 20) + kLineBytes - 1) / kLineBytes;
constexpr double kTextBytes = static_cast<double>(kLineBytes * kLineCount);

std::string LineText()
{
    std::string line;
    for (std::size_t i = 0; i + 1 < kLineBytes; ++i)
        line += static_cast<char>('!' + i % 90);
    return line;
}

const std::string kAction = "outrep:" + std::to_string(kLineCount) + ":" + quoddle::bench::Hex(LineText() + "\n");

void SetThroughput(benchmark::State& state)
{
    state.counters["MB_per_s"] =
        benchmark::Counter(kTextBytes * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
    state.counters["text_MB"] = kTextBytes / 1e6;
}

void BM_BarePipe(benchmark::State& state)
{
    std::string path = quoddle::bench::ChildPath();
    std::string action = kAction;
    char* argv[] = {path.data(), action.data(), nullptr};
    std::vector<char> buffer(64 * 1024);
    for (auto _ : state) {
        std::size_t total = 0;
        if (const char* failed =
                quoddle::bench::SpawnAndReadAll(argv, buffer, [&](std::string_view read) { total += read.size(); }))
            state.SkipWithError(failed);
        else if (total != kLineBytes * kLineCount)
            state.SkipWithError("short output");
    }
    SetThroughput(state);
}

void BM_RunChildOnly(benchmark::State& state)
{
    quoddle::platform::ChildCommand command{quoddle::bench::ChildPath(), kAction, ""};
    std::size_t total = 0;
    quoddle::platform::ChildCallbacks callbacks;
    callbacks.onRead = [&](quoddle::platform::Stream, std::string_view read) { total += read.size(); };
    for (auto _ : state) {
        total = 0;
        quoddle::platform::RunChild(command, callbacks);
        if (total != kLineBytes * kLineCount)
            state.SkipWithError("short output");
    }
    SetThroughput(state);
}

quoddle::TCommandInfo CaptureCommand()
{
    quoddle::TCommandInfo info;
    quoddle::MakeCommandInfo(quoddle::bench::ChildPath(), kAction, quoddle::bench::ChildDir(), "", info);
    return info;
}

// The window's one runner, run again and again; no heap counting.
void BM_Capture(benchmark::State& state)
{
    const quoddle::TCommandInfo info = CaptureCommand();
    quoddle::TSfcConsoleIOHandler runner;
    for (auto _ : state) {
        runner.Execute(info);
        if (runner.Lines.size() != kLineCount)
            state.SkipWithError("lines lost");
    }
    SetThroughput(state);
}

struct HeapFigures {
    double peak = 0, held = 0;
    void add()
    {
        peak = std::max(peak, static_cast<double>(heap::PeakNetBytes()));
        held = std::max(held, static_cast<double>(heap::NetBytes()));
    }
    void report(benchmark::State& state) const
    {
        state.counters["peak_over_text"] = peak / kTextBytes;
        state.counters["held_over_text"] = held / kTextBytes;
    }
};

// A runner made for the run: the heap a capture needs from nothing.
void BM_CaptureHeapFreshRunner(benchmark::State& state)
{
    const quoddle::TCommandInfo info = CaptureCommand();
    HeapFigures figures;
    for (auto _ : state) {
        state.PauseTiming();
        auto runner = std::make_unique<quoddle::TSfcConsoleIOHandler>();
        heap::StartCounting();
        state.ResumeTiming();

        runner->Execute(info);

        state.PauseTiming();
        figures.add();
        heap::StopCounting();
        if (runner->Lines.size() != kLineCount)
            state.SkipWithError("lines lost");
        runner.reset();
        state.ResumeTiming();
    }
    SetThroughput(state);
    figures.report(state);
}

// The window's one runner again: the previous Lines are still held while the
// next run captures, and count in its peak.
void BM_CaptureHeapReusedRunner(benchmark::State& state)
{
    const quoddle::TCommandInfo info = CaptureCommand();
    HeapFigures figures;
    quoddle::TSfcConsoleIOHandler runner;
    heap::StartCounting(); // from an empty runner
    for (auto _ : state) {
        heap::ResetPeak();
        runner.Execute(info);
        state.PauseTiming();
        figures.add();
        if (runner.Lines.size() != kLineCount)
            state.SkipWithError("lines lost");
        state.ResumeTiming();
    }
    heap::StopCounting();
    SetThroughput(state);
    figures.report(state);
}

void Configure(benchmark::internal::Benchmark* b) { b->UseRealTime()->Unit(benchmark::kMillisecond); }

BENCHMARK(BM_BarePipe)->Apply(Configure);
BENCHMARK(BM_RunChildOnly)->Apply(Configure);
BENCHMARK(BM_Capture)->Apply(Configure);
BENCHMARK(BM_CaptureHeapFreshRunner)->Apply(Configure);
BENCHMARK(BM_CaptureHeapReusedRunner)->Apply(Configure);

} // namespace

BENCHMARK_MAIN();
