// Start-up of the real program, as a user sees it: under an X server of its
// own (Xvfb), with the real adb on a private server port and fakephone found
// by the server as emulator-5554. Goals: from the program's start to its main
// window shown, the 5-second splash plus at most 300 ms; peak resident memory
// at most 80 MB.
//
// The time is measured from the moment the program is started to the moment
// its main window is mapped; the peak memory is the program's VmHWM once the
// window is shown and the program has settled. Each iteration is one whole
// start (about 6 s) and ends by closing the window as a window manager does.
// The program runs in a PID namespace of its own, so it cannot end a process
// named adb that is not ours (see tests/e2e_program/IsolatedProgram.hpp).

#include "ProgramSession.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>

namespace {

using namespace std::chrono_literals;
using quoddle::test::IsMainWindow;
using quoddle::test::ProgramSession;

constexpr double kSplashMs = 5000;
constexpr double kStaleAdbPauseMs = 500; // after ending a process named adb

void BM_StartToMainWindow(benchmark::State& state)
{
    if (const auto why = quoddle::test::WhyProgramCannotStart()) {
        state.SkipWithError(why->c_str());
        return;
    }
    // In a namespace there is no other adb to end; without one a decoy is ended (and paused after).
    const double pauses = kSplashMs + (quoddle::test::IsolatedProgram::Isolated() ? 0 : kStaleAdbPauseMs);
    double worstOverheadMs = 0, totalOverheadMs = 0;
    long peakKb = 0;
    for (auto _ : state) {
        ProgramSession session("{}", false);
        const auto shown = session.watcher().WaitForShown(IsMainWindow, 60s);
        if (!shown) {
            state.SkipWithError(("no main window; the program printed:\n" + session.Log()).c_str());
            break;
        }
        const std::chrono::duration<double, std::milli> elapsed = shown->at - session.program().startedAt();
        state.SetIterationTime(elapsed.count() / 1000);
        worstOverheadMs = std::max(worstOverheadMs, elapsed.count() - pauses);
        totalOverheadMs += elapsed.count() - pauses;

        std::this_thread::sleep_for(500ms); // let it paint and settle
        if (const auto pid = session.program().ProgramPid())
            peakKb = std::max(peakKb, quoddle::test::StatusKb(*pid, "VmHWM").value_or(0));
        session.watcher().Close(shown->window);
        if (!session.program().WaitForExit(30s)) {
            state.SkipWithError("the program did not end when its window was closed");
            break;
        }
    }
    const double n = static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["overhead_mean_ms"] = totalOverheadMs / n;
    state.counters["overhead_worst_ms"] = worstOverheadMs;
    state.counters["peak_rss_MB"] = static_cast<double>(peakKb) / 1024;
    state.SetLabel(quoddle::test::IsolatedProgram::Isolated() ? "own PID namespace" : "decoy adb ended");
}

BENCHMARK(BM_StartToMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
